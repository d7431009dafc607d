// Controls of the portable window system for tests: a virtual clock, a
// settable screen, scripted message-box answers, injected mouse and key
// input, and a renderer that turns a window's client area into an image.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// Puts the whole window system back to its state at start: no windows, only
// the system classes, an empty queue, the clock at 0, the default screen,
// no message-box log, no handlers.
void ResetWindowSystem();

// The millisecond tick count that GetTickCount returns; it wraps at 2^32.
void SetTickCount(DWORD ticks);
void AdvanceTickCount(DWORD milliseconds);
// A program on a real display reads a real clock: once set, GetTickCount
// (and the time of every message) comes from `source`.
void SetTickSource(std::function<DWORD()> source);

void SetScreenSize(int width, int height);

// Every MessageBoxA call is recorded; the handler answers it (IDOK when no
// handler is set). While it runs, the owner takes no input, as under a
// modal loop; the handler may inject input and call PumpMessages.
struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string title;
    UINT type;
};
typedef std::function<int(const MessageBoxCall&)> MessageBoxHandler;
void SetMessageBoxHandler(MessageBoxHandler handler);
const std::vector<MessageBoxCall>& MessageBoxLog();
void ClearMessageBoxLog();

// Mouse input at a point in a window's client coordinates, delivered as the
// system would: to the topmost window under the point (pictures let it
// through to their parent), with that window's client coordinates in
// lParam, as a double-click message for a quick second press when the
// class asks for them. The cursor moves to the point.
enum class MouseButton { Left, Right };
void MoveMouse(HWND window, int x, int y);
void PressMouse(HWND window, MouseButton button, int x, int y);
void ReleaseMouse(HWND window, MouseButton button, int x, int y);
void ClickMouse(HWND window, MouseButton button, int x, int y);

// A key pressed and released on the window with the keyboard focus.
void PressKey(int virtualKey, bool shift = false);
// A key going down (again, when `repeat`: held down) and coming up, as a
// real keyboard delivers them, to the window with the focus when taken.
void KeyDown(int virtualKey, bool shift, bool repeat = false);
void KeyUp(int virtualKey);
// Types letters, digits and spaces on the focused window.
void TypeText(const std::string& text);

// The menu bar of `window` sends command `id`, as a click on the item
// would. False when the menu bar has no such item.
bool ChooseMenuItem(HWND window, UINT id);

// The close box of a top-level window.
void ClickCloseBox(HWND window);

// Called whenever the program finds its queue empty. It may inject input
// and returns whether it did. When WaitMessage finds nothing to wait for,
// the input is exhausted and the quit message arrives with
// inputExhaustedExitCode.
typedef std::function<bool()> InputSource;
void SetInputSource(InputSource source);
bool InputExhausted();
// True while the input source is called from WaitMessage: the program has
// nothing to do and the source may block until there is input. Otherwise
// (a PeekMessage that found nothing, as in Solve! mode) it must not block.
bool WaitingForInput();

// The window system's own activation of a top-level window, as when the
// player brings it to the front; nothing happens to a hidden or disabled one.
void ActivateTopLevel(HWND window);

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

struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

struct Fill {
    RECT rect;
    Rgb colour;
};
// The fills of the window's last paint, in order.
const std::vector<Fill>& LastPaint(HWND window);

// The colours of the stock brushes.
Rgb StockBrushColour(int object);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows top to bottom
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// The client area: the class background, the fills of the last paint, then
// every visible picture window in creation order.
Image RenderClientArea(HWND window);
bool WritePng(const Image& image, const std::string& path);

// The pixels of an icon resource's largest image, and which of them are
// opaque (the icon's mask); an empty image when there is none.
struct Icon {
    Image image;
    std::vector<bool> opaque;
};
Icon IconResource(const char* name);

// The pixels of a bitmap resource (names matched without regard to case);
// an empty image when there is none.
Image BitmapResource(const char* name);

}  // namespace portable
