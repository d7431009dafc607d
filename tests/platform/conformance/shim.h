// The thin per-build part of the conformance tests: what the two builds must
// do differently to drive the platform. Natively (shim_portable.cpp) it uses
// the portable layer's test controls; in the Windows build (shim_windows.cpp)
// it uses real input (SetCursorPos, SendInput), real time (Sleep) and real
// pixels (GetPixel). The expectations are all in conformance_tests.cpp.
#pragma once

#include <functional>
#include <vector>

#include "platform/win32.h"

namespace conformance {

// The program's module instance, which holds the resources.
HINSTANCE ModuleInstance();

// The real user32, gdi32 and kernel32 (under Windows or Wine), not the
// portable layer.
bool RealSystem();
// Wine's user32, gdi32 and kernel32: for marking Wine's known differences
// from Windows, as Wine's own tests do with todo_wine.
bool OnWine();

// A mouse button pressed and released at a client point of `window`; a
// key pressed and released, with the shift key held down around it when
// asked. Both go where the system sends input (the window under the point;
// the window with the keyboard focus); the test dispatches them.
void Click(HWND window, int x, int y, bool rightButton = false);
void PressKey(int virtualKey, bool shift = false);

// Input one event at a time, as a device gives it: a key going down or up,
// the pointer moved to a screen point, a button going down or up where the
// pointer is.
void KeyDown(int virtualKey);
void KeyUp(int virtualKey);
void MovePointer(POINT screen);
void ButtonDown(bool rightButton = false);
void ButtonUp(bool rightButton = false);

// Runs input in steps: the first at once, each next one when the system
// has taken every message of the one before and waits for more (also from
// inside a system's modal loop, an open menu or a message box), then
// dispatches until nothing is left. Returns whether every step ran.
bool RunInputSteps(const std::vector<std::function<void()>>& steps);

// Dispatches messages (PeekMessageA with PM_REMOVE, TranslateMessage,
// DispatchMessageA) until `done` holds or, under the real system, about two
// seconds have passed; then dispatches what is still pending. Returns done().
bool DispatchUntil(const std::function<bool()>& done);

// At least `milliseconds` pass on the tick count.
void LetTimePass(DWORD milliseconds);

// The window's pending WM_PAINT is handled now, and one pixel of its client
// area is read back, as red, green and blue.
void PaintNow(HWND window);
struct Pixel {
    int red;
    int green;
    int blue;
};
Pixel ClientPixel(HWND window, int x, int y);

// The next MessageBoxA call: `whileUp` runs while the box is up (from the
// box's own modal loop under the real system), then the box is dismissed
// by pressing Enter on it.
void DuringNextMessageBox(std::function<void()> whileUp);

// While the next WaitMessage call waits on an empty queue, `message` is
// posted to `window` (by another thread under the real system).
void PostWhileWaiting(HWND window, UINT message);

// The process's count of GDI objects (GetGuiResources with GR_GDIOBJECTS
// under Windows, the portable layer's live-object count natively); -1 where
// the system does not count them.
int GdiObjectCount();

// Every test starts and ends with no window of its own: natively the
// portable layer is reset, under the real system leftovers are destroyed.
void StartTest();
void EndTest();

}  // namespace conformance
