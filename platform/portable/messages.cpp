// The message queue, the loop calls, characters from keys, and the modal
// loop that menus and message boxes run.
#include "platform/portable/window_system.h"

namespace portable {

namespace {
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

bool IsButtonPress(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDOWN ||
           message == WM_RBUTTONDBLCLK || message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK ||
           message == WM_NCRBUTTONDOWN;
}

bool IsKeyMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// The thread's view of the keyboard follows the key messages it takes, as
// GetKeyState does on the real system.
void NoteKeyTaken(const MSG& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN && message.message != WM_KEYUP &&
        message.message != WM_SYSKEYUP)
        return;
    uint8_t& state = TheSystem().threadKeyState[message.wParam & 0xFF];
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        if (!(state & 0x80))
            state ^= 0x01;
        state |= 0x80;
    } else {
        state &= ~0x80;
    }
}

const char shiftedDigits[] = ")!@#$%^&*(";

int CharacterOf(WPARAM key, bool shift)
{
    if (key >= 'A' && key <= 'Z')
        return shift ? static_cast<int>(key) : static_cast<int>(key - 'A' + 'a');
    if (key >= '0' && key <= '9')
        return shift ? shiftedDigits[key - '0'] : static_cast<int>(key);
    switch (key) {
    case VK_SPACE:
        return ' ';
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return '\b';
    case VK_TAB:
        return '\t';
    case VK_ESCAPE:
        return 0x1b;
    default:
        return -1;
    }
}
}  // namespace

void PostQueued(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool input)
{
    System& system = TheSystem();
    system.queue.push_back({{window, message, wParam, lParam, GetTickCount(), system.cursor}, false, input});
}

// Takes the next message in the real system's order: posted messages, then
// the quit message, then the player's input, then painting, then whatever
// the input source gives.
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
                system.queue.erase(next);
                NoteKeyTaken(*message);
                // A press in a window that is not active activates it
                // (DefWindowProc's answer to WM_MOUSEACTIVATE), before the
                // window gets the press.
                const HWND root = RootOf(message->hwnd);
                if (IsButtonPress(message->message) && root != nullptr && root != system.active &&
                    system.capture == nullptr)
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

void WaitForInput()
{
    System& system = TheSystem();
    InputSource source = system.inputSource;
    const bool wasWaiting = system.waiting;
    system.waiting = true;
    const bool given = source && source();
    system.waiting = wasWaiting;
    if (!given) {
        system.inputExhausted = true;
        PostQuitMessage(inputExhaustedExitCode);
    }
}

bool RunModalLoop(HWND owner, WPARAM idleKind, const std::function<bool(MSG&)>& filter,
                  const std::function<bool()>& done)
{
    System& system = TheSystem();
    bool idleSent = false;
    while (!done()) {
        MSG message;
        if (!TakeMessage(&message, true, false)) {
            if (!idleSent && IsWindow(owner)) {
                idleSent = true;
                SendMessageA(owner, WM_ENTERIDLE, idleKind, 0);
                continue;
            }
            WaitForInput();
            continue;
        }
        idleSent = false;
        if (message.message == WM_QUIT) {
            // The quit message is left for the loops outside.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (filter(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    (void)system;
    return true;
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
    while (!TheSystem().queue.empty() || HasPendingPaint(nullptr)) {
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

void EndSession(int exitCode)
{
    PostQuitMessage(exitCode);
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
    while (system.queue.empty() && !system.quitPosted && !HasPendingPaint(nullptr))
        WaitForInput();
    return TRUE;
}

// Key presses become characters: WM_CHAR from WM_KEYDOWN, WM_SYSCHAR from
// WM_SYSKEYDOWN (a key with Alt), with Shift as the thread last saw it and
// a US keyboard's layout. The character is posted: it comes before any
// input still queued.
BOOL WINAPI TranslateMessage(const MSG* message)
{
    if (message == nullptr || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN))
        return FALSE;
    const bool shift = (TheSystem().threadKeyState[VK_SHIFT] & 0x80) != 0;
    const int character = CharacterOf(message->wParam, shift);
    if (character < 0)
        return FALSE;
    const UINT charMessage = message->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    PostQueued(message->hwnd, charMessage, static_cast<WPARAM>(character), message->lParam, false);
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

short WINAPI GetKeyState(int virtualKey)
{
    const uint8_t state = TheSystem().threadKeyState[virtualKey & 0xFF];
    return static_cast<short>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}
