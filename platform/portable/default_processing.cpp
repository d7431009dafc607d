// DefWindowProcA: what the system does with the messages a window passes
// on. Besides text, painting and closing, it carries the system keys: Alt
// or F10 pressed and released alone, and Alt with a letter, open the menu
// bar (WM_SYSCOMMAND SC_KEYMENU); Alt+F4 closes the top-level window
// (SC_CLOSE, posted); a press on the menu bar tracks the menu with the
// mouse (SC_MOUSEMENU).
#include "platform/portable/window_system.h"

namespace portable {

namespace {
bool AltInFlags(LPARAM lParam)
{
    return (HIWORD(lParam) & KF_ALTDOWN) != 0;
}

// The frame's parts as WM_NCHITTEST names them: the client area, the menu
// bar, the caption with its close box at the right, the border.
LRESULT HitTest(const Window& window, POINT screen)
{
    RECT rect = window.rect;
    if (!PtInRect(&rect, screen))
        return HTNOWHERE;
    if (window.style & WS_CHILD)
        return HTCLIENT;
    const RECT client = ClientRectOf(window);
    const POINT origin = ClientOriginOnScreen(window);
    RECT clientOnScreen = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    if (PtInRect(&clientOnScreen, screen))
        return HTCLIENT;
    const RECT bar = MenuBarRectOf(window);
    if (PtInRect(&bar, screen))
        return HTMENU;
    const RECT frame = FrameOf(window);
    const LONG captionBottom = bar.bottom > bar.top ? bar.top : clientOnScreen.top;
    if (screen.y < captionBottom && screen.y >= window.rect.top + frame.left && screen.x >= window.rect.left + frame.left &&
        screen.x < window.rect.right - frame.right) {
        const int closeSize = GetSystemMetrics(SM_CYCAPTION);
        return (window.style & WS_SYSMENU) && screen.x >= window.rect.right - frame.right - closeSize ? HTCLOSE
                                                                                                    : HTCAPTION;
    }
    return HTBORDER;
}

HWND TopLevelOf(HWND window)
{
    const HWND root = RootOf(window);
    return root != nullptr ? root : window;
}

LRESULT SystemCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {
    case SC_CLOSE:
        SendMessageA(window, WM_CLOSE, 0, 0);
        break;
    case SC_KEYMENU:
        TrackMenuByKeyboard(window, static_cast<int>(lParam));
        break;
    case SC_MOUSEMENU:
        TrackMenuByMouse(window, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        break;
    default:
        break;
    }
    return 0;
}
}  // namespace

}  // namespace portable

using namespace portable;

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return 0;
    System& system = TheSystem();
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSCOMMAND:
        return SystemCommand(window, wParam, lParam);
    case WM_SYSKEYDOWN:
        if (AltInFlags(lParam)) {
            // A key held down repeats without changing what Alt's release does.
            if (!(HIWORD(lParam) & KF_REPEAT))
                system.menuKeyAlone = wParam == VK_MENU && !system.menuKeyAlone;
            system.f10Pressed = false;
            if (wParam == VK_F4)
                PostMessageA(TopLevelOf(window), WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (wParam == VK_F10) {
            system.f10Pressed = true;
        }
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if ((wParam == VK_MENU && system.menuKeyAlone) || (wParam == VK_F10 && system.f10Pressed))
            SendMessageA(TopLevelOf(window), WM_SYSCOMMAND, SC_KEYMENU, 0);
        system.menuKeyAlone = false;
        system.f10Pressed = false;
        return 0;
    case WM_SYSCHAR:
        system.menuKeyAlone = false;
        if (AltInFlags(lParam) && wParam != 0 && wParam != '\t' && wParam != 0x1b) {
            if (wParam == ' ' && (record->style & WS_CHILD))
                SendMessageA(record->parent, message, wParam, lParam);
            else
                SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
        }
        return 0;
    case WM_NCHITTEST:
        return HitTest(*record, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    case WM_NCLBUTTONDOWN:
        if (wParam == HTMENU)
            SendMessageA(window, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lParam);
        return 0;
    case WM_PAINT:
        record->needsPaint = false;
        return 0;
    case WM_SETTEXT:
        record->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        NoteChange();
        return TRUE;
    case WM_GETTEXT:
        return GetWindowTextA(window, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(record->text.size());
    case WM_ERASEBKGND:
        return 1;
    default:
        return 0;
    }
}
