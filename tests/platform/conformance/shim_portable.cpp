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

void KeyDown(int virtualKey)
{
    portable::KeyDown(virtualKey);
}

void KeyUp(int virtualKey)
{
    portable::KeyUp(virtualKey);
}

namespace {
POINT pointer = {0, 0};
}

void MovePointer(POINT screen)
{
    pointer = screen;
    portable::MovePointer(screen);
}

void ButtonDown(bool rightButton)
{
    portable::PressButton(rightButton ? portable::MouseButton::Right : portable::MouseButton::Left, pointer);
}

void ButtonUp(bool rightButton)
{
    portable::ReleaseButton(rightButton ? portable::MouseButton::Right : portable::MouseButton::Left, pointer);
}

// The window system asks its input source whenever it waits, in its own
// modal loops too: each call runs the next step.
bool RunInputSteps(const std::vector<std::function<void()>>& steps)
{
    size_t next = 0;
    const auto runNext = [&steps, &next] {
        if (next >= steps.size())
            return false;
        steps[next++]();
        return true;
    };
    runNext();
    portable::SetInputSource(runNext);
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (!runNext()) {
            break;
        }
    }
    portable::SetInputSource(nullptr);
    return next == steps.size();
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

// The box's modal loop asks for input once it has dispatched what was
// waiting: the action runs then, and Enter is pressed on the box.
void DuringNextMessageBox(std::function<void()> whileUp)
{
    portable::SetInputSource([whileUp] {
        if (portable::OpenMessageBoxes().empty())
            return false;
        portable::SetInputSource(nullptr);
        whileUp();
        portable::KeyDown(VK_RETURN);
        return true;
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

// Message boxes are shown and run their own loop, as in the program.
void StartTest()
{
    portable::ResetWindowSystem();
    portable::ShowMessageBoxes();
}

void EndTest()
{
    portable::SetInputSource(nullptr);
    portable::SetMessageBoxHandler(nullptr);
}

}  // namespace conformance
