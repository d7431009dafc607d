// The message queue, default processing, and the input that tests inject.
#include <cstdlib>

#include "platform/portable/window_system.h"

namespace portable {

namespace {
constexpr DWORD doubleClickMilliseconds = 500;

bool lastTakenShift = false;

bool HasPendingPaint(HWND* window)
{
    for (auto& entry : TheSystem().windows) {
        Window& record = entry.second;
        if (record.needsPaint && IsWindowVisible(HandleOf(entry.first))) {
            if (window != nullptr)
                *window = HandleOf(entry.first);
            return true;
        }
    }
    return false;
}

bool IsEnabledForInput(HWND window)
{
    for (const Window* record = FindWindowRecord(window); record != nullptr;) {
        if (!record->enabled)
            return false;
        const HWND next = (record->style & WS_CHILD) ? record->parent : nullptr;
        record = FindWindowRecord(next);
    }
    return FindWindowRecord(window) != nullptr;
}

bool IsButtonPress(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
           message == WM_RBUTTONDBLCLK;
}

// Takes the next message in the real system's order: posted messages, then
// the quit message, then the player's input, then painting, then whatever
// the test's input source injects.
bool TakeMessage(MSG* message, bool remove, bool consultInputSource)
{
    System& system = TheSystem();
    for (;;) {
        auto next = system.queue.begin();
        while (next != system.queue.end() && next->input)
            ++next;
        if (next == system.queue.end() && system.quitPosted) {
            *message = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(system.quitCode), 0, system.ticks, system.cursor};
            if (remove)
                system.quitPosted = false;
            return true;
        }
        if (next == system.queue.end())
            next = system.queue.begin();
        if (next != system.queue.end()) {
            if (next->toFocus) {
                // Keys are given to the window that has the focus by now,
                // as clicks before them may have moved it.
                if (system.focus == nullptr || !IsEnabledForInput(system.focus)) {
                    system.queue.erase(next);
                    continue;
                }
                next->msg.hwnd = system.focus;
            }
            *message = next->msg;
            if (remove) {
                lastTakenShift = next->shift;
                system.queue.erase(next);
                // A press in a window that is not active activates it
                // (DefWindowProc's answer to WM_MOUSEACTIVATE), before the
                // window gets the press.
                const HWND root = RootOf(message->hwnd);
                if (IsButtonPress(message->message) && root != nullptr && root != system.active)
                    ActivateWindow(root);
            }
            return true;
        }
        HWND paintWindow = nullptr;
        if (HasPendingPaint(&paintWindow)) {
            *message = MSG{paintWindow, WM_PAINT, 0, 0, system.ticks, system.cursor};
            if (remove)
                FindWindowRecord(paintWindow)->needsPaint = false;
            return true;
        }
        if (!consultInputSource || !system.inputSource)
            return false;
        InputSource source = system.inputSource;
        if (!source())
            return false;
    }
}

bool ContainsScreenPoint(HWND window, POINT point)
{
    RECT rect;
    return GetWindowRect(window, &rect) && PtInRect(&rect, point);
}

// The window that receives mouse input at a screen point, or none (outside
// every window or on a frame). Pictures and labels are transparent.
HWND TargetAt(POINT point)
{
    const std::vector<HWND> topLevel = TheSystem().zOrder;  // topmost first
    for (auto top = topLevel.begin(); top != topLevel.end(); ++top) {
        if (!IsWindowVisible(*top) || !ContainsScreenPoint(*top, point))
            continue;
        POINT client = point;
        ScreenToClient(*top, &client);
        RECT clientRect;
        GetClientRect(*top, &clientRect);
        if (!PtInRect(&clientRect, client))
            return nullptr;
        HWND target = *top;
        for (bool descended = true; descended;) {
            descended = false;
            const std::vector<HWND> children = ChildWindows(target);
            for (auto child = children.rbegin(); child != children.rend(); ++child) {
                if (!IsWindowVisible(*child) || !ContainsScreenPoint(*child, point))
                    continue;
                if (SendMessageA(*child, WM_NCHITTEST, 0, 0) == HTTRANSPARENT)
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

WPARAM ButtonFlags()
{
    const System& system = TheSystem();
    return (system.leftButtonDown ? MK_LBUTTON : 0) | (system.rightButtonDown ? MK_RBUTTON : 0);
}

POINT ToScreen(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

LPARAM ClientPointParam(HWND target, POINT screen)
{
    ScreenToClient(target, &screen);
    return MAKELPARAM(screen.x, screen.y);
}

void DeliverMouse(POINT screen, UINT message)
{
    System& system = TheSystem();
    system.cursor = screen;
    const HWND target = TargetAt(screen);
    if (target == nullptr || !IsEnabledForInput(target))
        return;

    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
        const Window* record = FindWindowRecord(target);
        const PressRecord& last = system.lastPress;
        // As the real system tests it: the same button and buttons held,
        // the same window, less than the double-click time and less than
        // half the double-click rectangle away on each axis.
        const bool quickSecondPress = (record->windowClass->record.style & CS_DBLCLKS) && last.valid &&
                                      last.downMessage == message && last.window == target &&
                                      last.buttons == ButtonFlags() &&
                                      GetTickCount() - last.time < doubleClickMilliseconds &&
                                      std::abs(last.point.x - screen.x) < GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                                      std::abs(last.point.y - screen.y) < GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        if (quickSecondPress) {
            system.lastPress.valid = false;
            message = message == WM_LBUTTONDOWN ? WM_LBUTTONDBLCLK : WM_RBUTTONDBLCLK;
        } else {
            system.lastPress = {message, target, GetTickCount(), screen, true, ButtonFlags()};
        }
    }
    PostQueued(target, message, ButtonFlags(), ClientPointParam(target, screen), true);
}

int CharacterOf(WPARAM key, bool shift)
{
    if (key >= 'A' && key <= 'Z')
        return shift ? static_cast<int>(key) : static_cast<int>(key - 'A' + 'a');
    if (key >= '0' && key <= '9')
        return static_cast<int>(key);
    switch (key) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return '\b';
    case VK_ESCAPE:
        return 0x1b;
    default:
        return -1;
    }
}

HMENU FindMenuCommand(HMENU menu, UINT id)
{
    const Menu* record = reinterpret_cast<const Menu*>(menu);
    if (record == nullptr)
        return nullptr;
    for (const MenuItem& item : record->items) {
        if (item.flags & MF_POPUP) {
            if (FindMenuCommand(item.popup, id) != nullptr)
                return item.popup;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == id) {
            return menu;
        }
    }
    return nullptr;
}
}  // namespace

void PostQueued(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool input)
{
    System& system = TheSystem();
    system.queue.push_back({{window, message, wParam, lParam, GetTickCount(), system.cursor}, false, false, input});
}

void MoveMouse(HWND window, int x, int y)
{
    DeliverMouse(ToScreen(window, x, y), WM_MOUSEMOVE);
}

void PressMouse(HWND window, MouseButton button, int x, int y)
{
    System& system = TheSystem();
    (button == MouseButton::Left ? system.leftButtonDown : system.rightButtonDown) = true;
    DeliverMouse(ToScreen(window, x, y), button == MouseButton::Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
}

void ReleaseMouse(HWND window, MouseButton button, int x, int y)
{
    System& system = TheSystem();
    (button == MouseButton::Left ? system.leftButtonDown : system.rightButtonDown) = false;
    DeliverMouse(ToScreen(window, x, y), button == MouseButton::Left ? WM_LBUTTONUP : WM_RBUTTONUP);
}

void ClickMouse(HWND window, MouseButton button, int x, int y)
{
    PressMouse(window, button, x, y);
    ReleaseMouse(window, button, x, y);
}

void KeyDown(int virtualKey, bool shift, bool repeat)
{
    System& system = TheSystem();
    // lParam: a repeat count of 1, and bit 30 when the key was down already.
    const LPARAM flags = repeat ? static_cast<LPARAM>(0x40000001) : 1;
    system.queue.push_back(
        {{nullptr, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), flags, GetTickCount(), system.cursor}, shift, true, true});
}

void KeyUp(int virtualKey)
{
    System& system = TheSystem();
    system.queue.push_back({{nullptr, WM_KEYUP, static_cast<WPARAM>(virtualKey), static_cast<LPARAM>(0xC0000001u),
                             GetTickCount(), system.cursor},
                            false, true, true});
}

void PressKey(int virtualKey, bool shift)
{
    KeyDown(virtualKey, shift);
    KeyUp(virtualKey);
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
    if (record == nullptr || record->menu == nullptr || !IsEnabledForInput(window))
        return false;
    if (FindMenuCommand(record->menu, id) == nullptr)
        return false;
    PostQueued(window, WM_COMMAND, MAKEWPARAM(id, 0), 0, true);
    return true;
}

void ClickCloseBox(HWND window)
{
    if (IsEnabledForInput(window))
        PostQueued(window, WM_SYSCOMMAND, SC_CLOSE, 0, true);
}

void SetInputSource(InputSource source)
{
    TheSystem().inputSource = std::move(source);
}

bool InputExhausted()
{
    return TheSystem().inputExhausted;
}

bool WaitingForInput()
{
    return TheSystem().waiting;
}

void PumpMessages()
{
    MSG message;
    while (TheSystem().queue.size() > 0 || HasPendingPaint(nullptr)) {
        if (!TakeMessage(&message, true, false))
            break;
        if (message.message == WM_QUIT) {
            // A modal loop leaves the quit message for the main loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace portable

using namespace portable;

// The input source is asked from here only when the previous call found
// nothing either and the program has not waited since: a program that never
// waits (Solve! mode) has then gone through a whole turn, while one that
// waits is asked in WaitMessage, after its turn.
BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage)
{
    (void)window;
    (void)filterMin;
    (void)filterMax;
    if (message == nullptr)
        return FALSE;
    System& system = TheSystem();
    const bool found = TakeMessage(message, (removeMessage & PM_REMOVE) != 0, system.askInputOnNextPeek);
    system.askInputOnNextPeek = !found;
    return found ? TRUE : FALSE;
}

BOOL WINAPI WaitMessage(void)
{
    System& system = TheSystem();
    system.askInputOnNextPeek = false;
    for (;;) {
        if (!system.queue.empty() || system.quitPosted || HasPendingPaint(nullptr))
            return TRUE;
        InputSource source = system.inputSource;
        system.waiting = true;
        const bool injected = source && source();
        system.waiting = false;
        if (!injected) {
            system.inputExhausted = true;
            PostQuitMessage(inputExhaustedExitCode);
            return TRUE;
        }
    }
}

BOOL WINAPI TranslateMessage(const MSG* message)
{
    if (message == nullptr || message->message != WM_KEYDOWN)
        return FALSE;
    const int character = CharacterOf(message->wParam, lastTakenShift);
    if (character < 0)
        return FALSE;
    // The character is posted: it comes before any input still queued.
    System& system = TheSystem();
    system.queue.push_back(
        {{message->hwnd, WM_CHAR, static_cast<WPARAM>(character), message->lParam, system.ticks, system.cursor},
         lastTakenShift, false, false});
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* message)
{
    if (message == nullptr || message->hwnd == nullptr || !IsWindow(message->hwnd))
        return 0;
    return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return 0;
    return record->windowClass->record.lpfnWndProc(window, message, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window != nullptr && !IsWindow(window))
        return FALSE;
    PostQueued(window, message, wParam, lParam, false);
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode)
{
    TheSystem().quitPosted = true;
    TheSystem().quitCode = exitCode;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return 0;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_PAINT:
        record->needsPaint = false;
        return 0;
    case WM_SETTEXT:
        record->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return TRUE;
    case WM_GETTEXT:
        return GetWindowTextA(window, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(record->text.size());
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_ERASEBKGND:
        return 1;
    default:
        return 0;
    }
}
