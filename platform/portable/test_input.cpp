// Input for tests, in the terms a test thinks in: a point of a window's
// client area, a key with or without Shift, a menu item chosen by its id.
// Everything goes through the device input a presenter uses.
#include "platform/portable/window_system.h"

namespace portable {

namespace {
POINT ToScreen(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

bool HasCommand(HMENU menu, UINT id)
{
    const Menu* record = MenuRecord(menu);
    if (record == nullptr)
        return false;
    for (const MenuItem& item : record->items) {
        if (item.flags & MF_POPUP) {
            if (HasCommand(item.popup, id))
                return true;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
            return true;
        }
    }
    return false;
}
}  // namespace

void MoveMouse(HWND window, int x, int y)
{
    MovePointer(ToScreen(window, x, y));
}

void PressMouse(HWND window, MouseButton button, int x, int y)
{
    PressButton(button, ToScreen(window, x, y));
}

void ReleaseMouse(HWND window, MouseButton button, int x, int y)
{
    ReleaseButton(button, ToScreen(window, x, y));
}

void ClickMouse(HWND window, MouseButton button, int x, int y)
{
    PressMouse(window, button, x, y);
    ReleaseMouse(window, button, x, y);
}

void PressKey(int virtualKey, bool shift)
{
    if (shift)
        KeyDown(VK_SHIFT);
    KeyDown(virtualKey);
    KeyUp(virtualKey);
    if (shift)
        KeyUp(VK_SHIFT);
}

void TypeText(const std::string& text)
{
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            PressKey(c - 'a' + 'A', false);
        else if (c >= 'A' && c <= 'Z')
            PressKey(c, true);
        else if (c >= '0' && c <= '9')
            PressKey(c, false);
        else if (c == ' ')
            PressKey(VK_SPACE, false);
    }
}

bool ChooseMenuItem(HWND window, UINT id)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr || record->menu == nullptr || !IsEnabledForInput(window) || !HasCommand(record->menu, id))
        return false;
    PostQueued(window, WM_COMMAND, MAKEWPARAM(id, 0), 0, true);
    return true;
}

void ClickCloseBox(HWND window)
{
    RequestClose(window);
}

}  // namespace portable
