// The conformance tests' shim for the Windows build: real input through
// SetCursorPos and SendInput, real time, pixels read with GetPixel, and a
// message box dismissed from its own modal loop by pressing Enter on it.
#include <cstring>
#include <vector>
#include <memory>
#include <thread>

#include "shim.h"

namespace conformance {

namespace {
std::function<void()> messageBoxAction;
UINT_PTR messageBoxTimer = 0;
std::unique_ptr<std::thread> poster;

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs from the message box's modal loop, which dispatches WM_TIMER: once
// the box is on screen, the test's action runs, then Enter is pressed on
// the box. (A posted IDOK would close the box, but Wine's modal loop
// returns only at the next message; Enter is what a player presses.)
void CALLBACK MessageBoxTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr || !messageBoxAction)
        return;
    KillTimer(nullptr, messageBoxTimer);
    messageBoxTimer = 0;
    const std::function<void()> action = messageBoxAction;
    messageBoxAction = nullptr;
    action();
    PostMessageA(box, WM_KEYDOWN, VK_RETURN, 1);
}

void StopPoster()
{
    if (poster) {
        poster->join();
        poster.reset();
    }
}

// The tests' own top-level windows (their classes' names begin with
// "conformance"); their children and owned windows go with them.
BOOL CALLBACK DestroyLeftover(HWND window, LPARAM)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::strncmp(className, "conformance", 11) == 0)
        DestroyWindow(window);
    return TRUE;
}
}  // namespace

HINSTANCE ModuleInstance()
{
    return GetModuleHandleA(nullptr);
}

bool RealSystem()
{
    return true;
}

bool OnWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void Click(HWND window, int x, int y, bool rightButton)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void PressKey(int virtualKey, bool shift)
{
    INPUT inputs[4] = {};
    UINT count = 0;
    const auto key = [&inputs, &count](int vk, bool up) {
        INPUT& input = inputs[count++];
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(vk);
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    };
    if (shift)
        key(VK_SHIFT, false);
    key(virtualKey, false);
    key(virtualKey, true);
    if (shift)
        key(VK_SHIFT, true);
    SendInput(count, inputs, sizeof(INPUT));
}

void KeyDown(int virtualKey)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    SendInput(1, &input, sizeof(INPUT));
}

void KeyUp(int virtualKey)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(INPUT));
}

// Absolute positions are given in 65536ths of the screen; half a pixel in,
// so that the system's conversion lands on the pixel meant.
void MovePointer(POINT screen)
{
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(screen.x) * 65536 + 32768) / width);
    input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(screen.y) * 65536 + 32768) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

void ButtonDown(bool rightButton)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof(INPUT));
}

void ButtonUp(bool rightButton)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(INPUT));
}

namespace {
const std::vector<std::function<void()>>* pendingSteps = nullptr;
size_t nextStep = 0;
DWORD lastStepTime = 0;
UINT_PTR stepTimer = 0;

// Runs from whichever loop is dispatching, a menu's or a box's included:
// the next step goes once the step before has left no input in the queue.
void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (pendingSteps == nullptr || nextStep >= pendingSteps->size())
        return;
    if (HIWORD(GetQueueStatus(QS_INPUT)) != 0 || GetTickCount() - lastStepTime < 150)
        return;
    lastStepTime = GetTickCount();
    (*pendingSteps)[nextStep++]();
}
}  // namespace

bool RunInputSteps(const std::vector<std::function<void()>>& steps)
{
    pendingSteps = &steps;
    nextStep = 1;
    lastStepTime = GetTickCount();
    steps.front()();
    stepTimer = SetTimer(nullptr, 0, 30, StepTimer);
    MSG message;
    const DWORD start = GetTickCount();
    for (;;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const bool allRun = nextStep >= steps.size();
        if ((allRun && GetTickCount() - lastStepTime > 400) || GetTickCount() - start > 10000)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    KillTimer(nullptr, stepTimer);
    stepTimer = 0;
    pendingSteps = nullptr;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return nextStep >= steps.size();
}

bool DispatchUntil(const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    MSG message;
    for (;;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done() || GetTickCount() - start > 2000)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return done();
}

void LetTimePass(DWORD milliseconds)
{
    Sleep(milliseconds);
}

void PaintNow(HWND window)
{
    UpdateWindow(window);
    GdiFlush();
}

Pixel ClientPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    if (colour == CLR_INVALID)
        return {-1, -1, -1};
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

void DuringNextMessageBox(std::function<void()> whileUp)
{
    messageBoxAction = std::move(whileUp);
    messageBoxTimer = SetTimer(nullptr, 0, 50, MessageBoxTimer);
}

void PostWhileWaiting(HWND window, UINT message)
{
    StopPoster();
    poster = std::make_unique<std::thread>([window, message] {
        Sleep(200);
        PostMessageA(window, message, 0, 0);
    });
}

int GdiObjectCount()
{
    return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

void StartTest()
{
    EnumThreadWindows(GetCurrentThreadId(), DestroyLeftover, 0);
}

void EndTest()
{
    StopPoster();
    if (messageBoxTimer != 0) {
        KillTimer(nullptr, messageBoxTimer);
        messageBoxTimer = 0;
    }
    messageBoxAction = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), DestroyLeftover, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

}  // namespace conformance
