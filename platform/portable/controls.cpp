// The system classes: "Static" (labels and pictures, transparent to the
// mouse; a picture answers STM_GETIMAGE with its bitmap object), "Edit" (a one-line text field) and "Button" (a push button).
#include <cctype>
#include <string>

#include "platform/portable/window_system.h"

namespace portable {

LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCHITTEST)
        return HTTRANSPARENT;
    if (message == STM_GETIMAGE && wParam == IMAGE_BITMAP)
        return reinterpret_cast<LRESULT>(FindWindowRecord(window)->bitmap);
    return DefWindowProcA(window, message, wParam, lParam);
}

// Takes the characters typed while it has the focus; with ES_NUMBER only
// digits are accepted. Backspace takes the last character off. Like the
// real edit control it tells its parent, with WM_COMMAND and its id, when
// it gets and loses the focus and when a character changes its text
// (EN_UPDATE, then EN_CHANGE).
LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* record = FindWindowRecord(window);
    const auto notify = [window, record](WORD code) {
        SendMessageA(record->parent, WM_COMMAND, MAKEWPARAM(record->controlId, code), reinterpret_cast<LPARAM>(window));
    };
    switch (message) {
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    case WM_SETFOCUS:
        notify(EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        notify(EN_KILLFOCUS);
        return 0;
    case WM_CHAR: {
        const char character = static_cast<char>(wParam & 0xFF);
        const std::string before = record->text;
        if (character == '\b') {
            if (!record->text.empty())
                record->text.pop_back();
        } else if (std::isprint(static_cast<unsigned char>(character))) {
            if (!(record->style & ES_NUMBER) || std::isdigit(static_cast<unsigned char>(character)))
                record->text.push_back(character);
        }
        if (record->text != before) {
            NoteWindowDamage(window);
            notify(EN_UPDATE);
            notify(EN_CHANGE);
        }
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A press takes the focus and the mouse; the button sends WM_COMMAND with
// its id to its parent when the press is released over it, or when the
// space bar comes up after going down on it. BM_GETSTATE tells whether it
// is held down and whether it has the focus.
LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* record = FindWindowRecord(window);
    const auto click = [window, record] {
        SendMessageA(record->parent, WM_COMMAND, MAKEWPARAM(record->controlId, 0), reinterpret_cast<LPARAM>(window));
    };
    const auto setPressed = [window, record](bool pressed) {
        if (record->buttonPressed != pressed) {
            record->buttonPressed = pressed;
            NoteWindowDamage(window);
        }
    };
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(window);
        SetCapture(window);
        setPressed(true);
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = record->buttonPressed;
        setPressed(false);
        if (GetCapture() == window)
            ReleaseCapture();
        RECT client;
        GetClientRect(window, &client);
        const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPressed && PtInRect(&client, point))
            click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        setPressed(false);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            setPressed(true);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && record->buttonPressed) {
            setPressed(false);
            click();
        }
        return 0;
    case BM_GETSTATE:
        return (record->buttonPressed ? BST_PUSHED : 0) | (GetFocus() == window ? BST_FOCUS : 0);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace portable
