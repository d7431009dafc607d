// Controls of the portable window system that only tests use: a reset, a
// virtual clock, scripted message-box answers, input given in a window's
// client coordinates, and what the window system holds inside (windows,
// paints, GDI objects). A presenter uses driver.h, never this header.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/portable/driver.h"
#include "platform/portable/win32_api.h"

namespace portable {

constexpr int defaultScreenWidth = 1024;
constexpr int defaultScreenHeight = 768;

// Windows' default limit of GDI objects per process: past it, loading a
// bitmap fails and a picture shows nothing.
constexpr int defaultGdiObjectLimit = 10000;

// The exit code that the main loop receives when a test's input runs out
// while the program waits for input.
constexpr int inputExhaustedExitCode = 125;

// Puts the whole window system back to its state at start for a test: no
// windows, only the system classes, an empty queue, the clock at 0, the
// default screen, no handlers, and message boxes scripted (below).
void ResetWindowSystem();

// The millisecond tick count that GetTickCount returns; it wraps at 2^32.
void SetTickCount(DWORD ticks);
void AdvanceTickCount(DWORD milliseconds);

// Scripted message boxes, as after ResetWindowSystem: every MessageBoxA
// call is recorded and answered by the handler (IDOK when none) without a
// box on screen. While the handler runs, the owner takes no input, as under
// a modal loop; the handler may inject input and call PumpMessages.
// ShowMessageBoxes() turns this off for a test of the boxes themselves:
// MessageBoxA then shows its box and runs its modal loop, as in the program.
struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string title;
    UINT type;
};
typedef std::function<int(const MessageBoxCall&)> MessageBoxHandler;
void SetMessageBoxHandler(MessageBoxHandler handler);
void ShowMessageBoxes();
const std::vector<MessageBoxCall>& MessageBoxLog();
void ClearMessageBoxLog();

// Mouse input at a point in a window's client coordinates, through the
// device input of driver.h. The cursor moves to the point.
void MoveMouse(HWND window, int x, int y);
void PressMouse(HWND window, MouseButton button, int x, int y);
void ReleaseMouse(HWND window, MouseButton button, int x, int y);
void ClickMouse(HWND window, MouseButton button, int x, int y);

// A key pressed and released, with Shift held around it when asked.
void PressKey(int virtualKey, bool shift = false);
// Types letters, digits and spaces.
void TypeText(const std::string& text);

// The menu bar of `window` sends command `id`, as choosing the item would,
// without the menu's modal loop. False when the menu bar has no such item.
bool ChooseMenuItem(HWND window, UINT id);

// The close box of a top-level window.
void ClickCloseBox(HWND window);

// When the input source gave nothing while the program waited.
bool InputExhausted();

// Dispatches every pending message, as a modal loop does.
void PumpMessages();

// Inspection.
std::vector<HWND> ChildWindows(HWND parent);  // alive children, in creation order
std::vector<HWND> TopLevelWindows();          // alive top-level windows, in creation order
int WindowCount();                            // every alive window
uint64_t WindowsCreated();                    // windows created since the reset

// GDI objects: every bitmap a picture loads is an object of its own that
// outlives its window until DeleteObject. Stock objects are not counted.
int LiveGdiObjectCount();
void SetGdiObjectLimit(int limit);
// The pixels a bitmap object shows are its resource's, decoded once and
// shared by every object loaded from it: where they are held (null for no
// live object), and how many resources have been decoded since the reset.
const void* PixelsOfBitmap(HBITMAP bitmap);
int DecodedBitmapCount();

struct Fill {
    RECT rect;
    Rgb colour;
};
// The fills of the window's last paint, in order.
const std::vector<Fill>& LastPaint(HWND window);

// The colours of the stock brushes.
Rgb StockBrushColour(int object);

}  // namespace portable
