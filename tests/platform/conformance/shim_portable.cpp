// The conformance tests' shim for the native build: the portable layer's
// test controls stand in for real input, time, pixels and message boxes.
#include "platform/portable/testing.h"
#include "shim.h"

namespace conformance {

HINSTANCE ModuleInstance()
{
    // The program's native start passes this instance to WinMain.
    return reinterpret_cast<HINSTANCE>(0x400000);
}

bool RealSystem()
{
    return false;
}

bool OnWine()
{
    return false;
}

void Click(HWND window, int x, int y, bool rightButton)
{
    portable::ClickMouse(window, rightButton ? portable::MouseButton::Right : portable::MouseButton::Left, x, y);
}

void PressKey(int virtualKey, bool shift)
{
    portable::PressKey(virtualKey, shift);
}

bool DispatchUntil(const std::function<bool()>& done)
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return done();
}

void LetTimePass(DWORD milliseconds)
{
    portable::AdvanceTickCount(milliseconds);
}

void PaintNow(HWND window)
{
    (void)window;
    portable::PumpMessages();
}

Pixel ClientPixel(HWND window, int x, int y)
{
    const portable::Image image = portable::RenderClientArea(window);
    if (x < 0 || y < 0 || x >= image.width || y >= image.height)
        return {-1, -1, -1};
    const portable::Rgb colour = image.At(x, y);
    return {colour.r, colour.g, colour.b};
}

void DuringNextMessageBox(std::function<void()> whileUp)
{
    portable::SetMessageBoxHandler([whileUp](const portable::MessageBoxCall&) {
        // The box's modal loop: other windows' messages are dispatched.
        portable::PumpMessages();
        whileUp();
        portable::PumpMessages();
        portable::SetMessageBoxHandler(nullptr);
        return IDOK;  // Enter presses the box's one button
    });
}

void PostWhileWaiting(HWND window, UINT message)
{
    portable::SetInputSource([window, message] {
        portable::SetInputSource(nullptr);
        PostMessageA(window, message, 0, 0);
        return true;
    });
}

int GdiObjectCount()
{
    return portable::LiveGdiObjectCount();
}

void StartTest()
{
    portable::ResetWindowSystem();
}

void EndTest()
{
    portable::SetInputSource(nullptr);
    portable::SetMessageBoxHandler(nullptr);
}

}  // namespace conformance
