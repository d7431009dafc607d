// Device input: the mouse and the keyboard as a presenter (or a test)
// delivers them, turned into the messages the real system makes. The mouse
// goes to the window that has captured it, else to the window under the
// pointer, client or non-client; a quick second press is a double click
// for classes that ask for them. A key goes to the window with the focus
// when it is taken; with Alt (or F10) it is a system key.
#include <cstdlib>

#include "platform/portable/window_system.h"

namespace portable {

namespace {
constexpr DWORD doubleClickMilliseconds = 500;
constexpr int doubleClickSize = 4;

bool IsChildWindow(const Window& window)
{
    return (window.style & WS_CHILD) != 0;
}

WPARAM ButtonFlags()
{
    const System& system = TheSystem();
    return ((system.keyState[VK_LBUTTON] & 0x80) ? MK_LBUTTON : 0) |
           ((system.keyState[VK_RBUTTON] & 0x80) ? MK_RBUTTON : 0);
}

bool ContainsScreenPoint(HWND window, POINT point)
{
    RECT rect;
    return GetWindowRect(window, &rect) && PtInRect(&rect, point);
}

LPARAM ClientPointParam(HWND target, POINT screen)
{
    ScreenToClient(target, &screen);
    return MAKELPARAM(screen.x, screen.y);
}

enum class Pointer { Move, LeftDown, LeftUp, RightDown, RightUp };

UINT ClientMessageOf(Pointer what)
{
    switch (what) {
    case Pointer::LeftDown:
        return WM_LBUTTONDOWN;
    case Pointer::LeftUp:
        return WM_LBUTTONUP;
    case Pointer::RightDown:
        return WM_RBUTTONDOWN;
    case Pointer::RightUp:
        return WM_RBUTTONUP;
    default:
        return WM_MOUSEMOVE;
    }
}

// Non-client messages come WM_MOUSEMOVE - WM_NCMOUSEMOVE below their
// client counterparts.
UINT NonClientMessageOf(UINT clientMessage)
{
    return clientMessage - (WM_MOUSEMOVE - WM_NCMOUSEMOVE);
}

// As the real system tests it: the same button and buttons held, the same
// window, less than the double-click time and less than half the
// double-click rectangle away on each axis.
UINT WithDoubleClick(UINT message, HWND target, POINT screen, bool classAsks)
{
    System& system = TheSystem();
    if (message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN)
        return message;
    const PressRecord& last = system.lastPress;
    const bool quickSecondPress = classAsks && last.valid && last.downMessage == message && last.window == target &&
                                  last.buttons == ButtonFlags() &&
                                  GetTickCount() - last.time < doubleClickMilliseconds &&
                                  std::abs(last.point.x - screen.x) < GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                                  std::abs(last.point.y - screen.y) < GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (quickSecondPress) {
        system.lastPress.valid = false;
        return message == WM_LBUTTONDOWN ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
    }
    system.lastPress = {message, target, GetTickCount(), screen, true, ButtonFlags()};
    return message;
}

void DeliverPointer(POINT screen, Pointer what)
{
    System& system = TheSystem();
    system.cursor = screen;
    LRESULT hitTest = HTCLIENT;
    const HWND target = system.capture != nullptr ? system.capture : WindowAt(screen, &hitTest);
    if (target == nullptr || !IsEnabledForInput(target))
        return;
    UINT message = ClientMessageOf(what);
    if (hitTest != HTCLIENT) {
        PostQueued(target, NonClientMessageOf(message), static_cast<WPARAM>(hitTest),
                   MAKELPARAM(screen.x, screen.y), true);
        return;
    }
    const bool classAsks = (FindWindowRecord(target)->windowClass->record.style & CS_DBLCLKS) != 0;
    message = WithDoubleClick(message, target, screen, classAsks);
    PostQueued(target, message, ButtonFlags(), ClientPointParam(target, screen), true);
}

// A device reports where the pointer went before a button changes there.
void MoveFirst(POINT screen)
{
    const POINT cursor = TheSystem().cursor;
    if (cursor.x != screen.x || cursor.y != screen.y)
        DeliverPointer(screen, Pointer::Move);
}

void QueueKey(UINT message, int virtualKey, LPARAM flags)
{
    System& system = TheSystem();
    system.queue.push_back(
        {{nullptr, message, static_cast<WPARAM>(virtualKey), flags, GetTickCount(), system.cursor}, true, true});
}
}  // namespace

bool IsEnabledForInput(HWND window)
{
    for (const Window* record = FindWindowRecord(window); record != nullptr;) {
        if (!record->enabled)
            return false;
        const HWND next = IsChildWindow(*record) ? record->parent : nullptr;
        record = FindWindowRecord(next);
    }
    return FindWindowRecord(window) != nullptr;
}

HWND WindowAt(POINT point, LRESULT* hitTest)
{
    *hitTest = HTNOWHERE;
    const std::vector<HWND> topLevel = TheSystem().zOrder;  // topmost first
    for (HWND top : topLevel) {
        if (!IsWindowVisible(top) || !ContainsScreenPoint(top, point))
            continue;
        const LRESULT code = SendMessageA(top, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
        if (code != HTCLIENT) {
            *hitTest = code;
            return top;
        }
        *hitTest = HTCLIENT;
        HWND target = top;
        for (bool descended = true; descended;) {
            descended = false;
            const std::vector<HWND> children = ChildWindows(target);
            for (auto child = children.rbegin(); child != children.rend(); ++child) {
                if (!IsWindowVisible(*child) || !ContainsScreenPoint(*child, point))
                    continue;
                if (SendMessageA(*child, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y)) == HTTRANSPARENT)
                    continue;
                target = *child;
                descended = true;
                break;
            }
        }
        return target;
    }
    return nullptr;
}

void MovePointer(POINT screen)
{
    DeliverPointer(screen, Pointer::Move);
}

void PressButton(MouseButton button, POINT screen)
{
    MoveFirst(screen);
    TheSystem().keyState[button == MouseButton::Left ? VK_LBUTTON : VK_RBUTTON] |= 0x80;
    DeliverPointer(screen, button == MouseButton::Left ? Pointer::LeftDown : Pointer::RightDown);
}

void ReleaseButton(MouseButton button, POINT screen)
{
    MoveFirst(screen);
    TheSystem().keyState[button == MouseButton::Left ? VK_LBUTTON : VK_RBUTTON] &= ~0x80;
    DeliverPointer(screen, button == MouseButton::Left ? Pointer::LeftUp : Pointer::RightUp);
}

// Alt on its own is a system key; so is any key while Alt is down and
// Control is not, and F10. Alt's release is one too when no other system
// key came since it went down: that is the release that opens the menu.
void KeyDown(int virtualKey, bool repeat)
{
    System& system = TheSystem();
    virtualKey &= 0xFF;
    uint8_t* keys = system.keyState;
    const bool wasDown = (keys[virtualKey] & 0x80) != 0;
    keys[virtualKey] |= 0x80;
    const bool control = (keys[VK_CONTROL] & 0x80) != 0;
    UINT message = WM_KEYDOWN;
    if (virtualKey == VK_MENU) {
        if (!control) {
            message = WM_SYSKEYDOWN;
            keys[VK_MENU] |= 0x02;
        }
    } else if (virtualKey == VK_F10 || ((keys[VK_MENU] & 0x80) && !control)) {
        message = WM_SYSKEYDOWN;
        keys[VK_MENU] &= ~0x02;
    }
    LPARAM flags = 1;
    if (repeat || wasDown)
        flags |= static_cast<LPARAM>(KF_REPEAT) << 16;
    if (keys[VK_MENU] & 0x80)
        flags |= static_cast<LPARAM>(KF_ALTDOWN) << 16;
    QueueKey(message, virtualKey, flags);
}

void KeyUp(int virtualKey)
{
    System& system = TheSystem();
    virtualKey &= 0xFF;
    uint8_t* keys = system.keyState;
    const bool control = (keys[VK_CONTROL] & 0x80) != 0;
    UINT message = WM_KEYUP;
    if (virtualKey == VK_MENU) {
        if ((keys[VK_MENU] & 0x02) && !control)
            message = WM_SYSKEYUP;
        keys[VK_MENU] &= ~0x02;
    } else if (virtualKey == VK_F10 || ((keys[VK_MENU] & 0x80) && !control)) {
        message = WM_SYSKEYUP;
        keys[VK_MENU] &= ~0x02;
    }
    keys[virtualKey] &= ~0x80;
    LPARAM flags = 1 | (static_cast<LPARAM>(KF_REPEAT | KF_UP) << 16);
    if (keys[VK_MENU] & 0x80)
        flags |= static_cast<LPARAM>(KF_ALTDOWN) << 16;
    QueueKey(message, virtualKey, static_cast<LPARAM>(static_cast<DWORD>(flags)));
}

void RequestClose(HWND window)
{
    if (IsEnabledForInput(window))
        PostQueued(window, WM_SYSCOMMAND, SC_CLOSE, 0, true);
}

void ActivateTopLevel(HWND window)
{
    const Window* record = FindWindowRecord(window);
    if (record != nullptr && !IsChildWindow(*record) && record->visible && record->enabled && !record->destroying &&
        TheSystem().active != window)
        ActivateWindow(window);
}

}  // namespace portable

using namespace portable;

HWND WINAPI SetCapture(HWND window)
{
    System& system = TheSystem();
    const HWND previous = system.capture;
    if (window != nullptr && !IsWindow(window))
        return previous;
    system.capture = window;
    if (previous != nullptr && previous != window)
        SendMessageA(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    return previous;
}

BOOL WINAPI ReleaseCapture(void)
{
    System& system = TheSystem();
    const HWND previous = system.capture;
    system.capture = nullptr;
    if (previous != nullptr)
        SendMessageA(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void)
{
    return TheSystem().capture;
}
