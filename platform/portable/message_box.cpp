// Message boxes: a window of the system's dialog class with the text, the
// icon of its type and one OK button, centred on its owner, modal: the
// owner is disabled while the box's own loop runs, every other window still
// works, and boxes nest when such a window shows one. Enter, Escape and
// Space close it, as do its button and Alt+F4; the answer is IDOK. Tests
// answer boxes instead (scripted boxes, testing.h).
#include <algorithm>

#include "platform/portable/window_system.h"

namespace portable {

const char* const messageBoxClass = "#32770";

namespace {
constexpr int margin = 12;
constexpr int iconSize = 32;
constexpr int iconMargin = 14;
constexpr int iconTextGap = 14;
constexpr int textMargin = 16;  // left of the text when there is no icon, and right of it
constexpr int maxLineWidth = 420;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 23;
constexpr UINT iconMask = 0xF0;
constexpr DWORD boxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (char letter : text) {
        if (letter == '\n') {
            if (!lines.back().empty() && lines.back().back() == '\r')
                lines.back().pop_back();
            lines.emplace_back();
        } else {
            lines.back().push_back(letter);
        }
    }
    return lines;
}

// A word wider than a line is broken between letters.
void AddLongWord(const std::string& word, std::vector<std::string>& lines)
{
    std::string piece;
    for (char letter : word) {
        if (!piece.empty() && TextWidth(piece + letter) > maxLineWidth) {
            lines.push_back(piece);
            piece.clear();
        }
        piece.push_back(letter);
    }
    lines.push_back(piece);
}

// Fills each line with as many words as fit, breaking at spaces. A line's
// leading spaces stay at the start of its first piece, as an indent.
void WrapLine(const std::string& line, std::vector<std::string>& lines)
{
    if (TextWidth(line) <= maxLineWidth) {
        lines.push_back(line);
        return;
    }
    const size_t indentEnd = line.find_first_not_of(' ');
    std::string current = line.substr(0, indentEnd == std::string::npos ? line.size() : indentEnd);
    bool currentHasWord = false;
    size_t start = indentEnd == std::string::npos ? line.size() : indentEnd;
    while (start < line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        const std::string word = line.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const std::string joined = currentHasWord ? current + " " + word : current + word;
        if (TextWidth(joined) <= maxLineWidth) {
            current = joined;
            currentHasWord = true;
            continue;
        }
        if (currentHasWord)
            lines.push_back(current);
        current.clear();
        currentHasWord = false;
        if (TextWidth(word) <= maxLineWidth) {
            current = word;
            currentHasWord = true;
        } else {
            AddLongWord(word, lines);
            current = lines.back();
            lines.pop_back();
            currentHasWord = true;
        }
    }
    if (currentHasWord || lines.empty())
        lines.push_back(current);
}

BoxIcon IconOf(UINT type)
{
    switch (type & iconMask) {
    case MB_ICONHAND:
        return BoxIcon::Stop;
    case MB_ICONQUESTION:
        return BoxIcon::Question;
    case MB_ICONEXCLAMATION:
        return BoxIcon::Exclamation;
    case MB_ICONINFORMATION:
        return BoxIcon::Information;
    default:
        return BoxIcon::None;
    }
}

struct BoxLayout {
    SIZE client = {0, 0};
    RECT icon = {0, 0, 0, 0};
    std::vector<TextLine> lines;
    RECT button = {0, 0, 0, 0};
};

BoxLayout LayOut(const std::string& text, UINT type)
{
    BoxLayout layout;
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(text))
        WrapLine(line, lines);
    int textWidth = 0;
    for (const std::string& line : lines)
        textWidth = std::max(textWidth, TextWidth(line));
    const int textHeight = static_cast<int>(lines.size()) * textLineHeight;

    int textLeft = textMargin;
    int textTop = margin;
    int contentBottom = textTop + textHeight;
    if (IconOf(type) != BoxIcon::None) {
        layout.icon = {iconMargin, iconMargin, iconMargin + iconSize, iconMargin + iconSize};
        textLeft = layout.icon.right + iconTextGap;
        // A short text is centred beside the icon; a long one starts level with it.
        textTop = textHeight < iconSize ? layout.icon.top + (iconSize - textHeight) / 2 : layout.icon.top;
        contentBottom = std::max<int>(layout.icon.bottom, textTop + textHeight);
    }
    for (size_t i = 0; i < lines.size(); ++i)
        layout.lines.push_back({lines[i], {textLeft, textTop + static_cast<LONG>(i) * textLineHeight}});

    const LONG width = std::max(textLeft + textWidth + textMargin, buttonWidth + 2 * margin);
    const LONG buttonTop = contentBottom + margin;
    layout.client = {width, buttonTop + buttonHeight + margin};
    const LONG buttonLeft = (width - buttonWidth) / 2;
    layout.button = {buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + buttonHeight};
    return layout;
}

OpenBox* BoxOf(HWND window)
{
    for (OpenBox& box : TheSystem().boxes)
        if (box.window == window)
            return &box;
    return nullptr;
}

// Centred on the owner's window (on the screen without one), kept on the screen.
POINT BoxPosition(HWND owner, SIZE size)
{
    RECT around = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner != nullptr)
        GetWindowRect(owner, &around);
    LONG x = around.left + (around.right - around.left - size.cx) / 2;
    LONG y = around.top + (around.bottom - around.top - size.cy) / 2;
    x = std::max<LONG>(0, std::min<LONG>(x, GetSystemMetrics(SM_CXSCREEN) - size.cx));
    y = std::max<LONG>(0, std::min<LONG>(y, GetSystemMetrics(SM_CYSCREEN) - size.cy));
    return {x, y};
}

// Enter answers with the default button and Escape cancels, for keys meant
// for the box; everything else goes on as usual (Space reaches the button).
bool DialogKey(HWND box, const MSG& message)
{
    if (message.message != WM_KEYDOWN || RootOf(message.hwnd) != box)
        return false;
    if (message.wParam == VK_RETURN) {
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
        return true;
    }
    if (message.wParam == VK_ESCAPE) {
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        return true;
    }
    return false;
}

int ShowBox(const MessageBoxCall& call)
{
    System& system = TheSystem();
    const HWND owner = RootOf(call.owner);
    const BoxLayout layout = LayOut(call.text, call.type);
    const HWND box = CreateWindowExA(WS_EX_DLGMODALFRAME, messageBoxClass, call.title.c_str(), boxStyle, 0, 0, 0, 0,
                                     owner, nullptr, nullptr, nullptr);
    if (box == nullptr)
        return 0;
    const RECT frame = FrameOf(*FindWindowRecord(box));
    const SIZE size = {layout.client.cx + frame.left + frame.right, layout.client.cy + frame.top + frame.bottom};
    const POINT at = BoxPosition(owner, size);
    MoveWindow(box, at.x, at.y, size.cx, size.cy, FALSE);
    const HWND button =
        CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, layout.button.left,
                        layout.button.top, layout.button.right - layout.button.left,
                        layout.button.bottom - layout.button.top, box, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    OpenBox record;
    record.window = box;
    record.button = button;
    record.type = call.type;
    record.lines = layout.lines;
    record.iconRect = layout.icon;
    system.boxes.push_back(record);
    NoteChange();

    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    ShowWindow(box, SW_SHOW);
    SetFocus(button);
    const bool answered = RunModalLoop(
        owner, MSGF_DIALOGBOX, [box](MSG& message) { return DialogKey(box, message); },
        [box] {
            const OpenBox* open = BoxOf(box);
            return open == nullptr || open->done || !IsWindow(box);
        });

    // The owner is enabled first, so that it is the window activated when
    // the box goes.
    if (ownerWasEnabled && IsWindow(owner))
        EnableWindow(owner, TRUE);
    DestroyWindow(box);
    auto& boxes = system.boxes;
    boxes.erase(std::remove_if(boxes.begin(), boxes.end(), [box](const OpenBox& open) { return open.window == box; }),
                boxes.end());
    NoteChange();
    return answered ? IDOK : 0;
}

// Tests answer boxes: the call is recorded, the owner takes no input while
// the test's handler answers (IDOK when none), then it is active again.
int ScriptedBox(const MessageBoxCall& call)
{
    System& system = TheSystem();
    system.messageBoxLog.push_back(call);
    Window* ownerWindow = FindWindowRecord(call.owner);
    const bool wasEnabled = ownerWindow != nullptr && ownerWindow->enabled;
    if (ownerWindow != nullptr)
        ownerWindow->enabled = false;
    // The box is active and has the focus: keys typed meanwhile go to it.
    const HWND previouslyActive = system.active;
    system.active = nullptr;
    SetFocusWindow(nullptr);

    // Copy the handler: it may replace itself while it runs.
    MessageBoxHandler handler = system.messageBoxHandler;
    const int answer = handler ? handler(call) : IDOK;

    ownerWindow = FindWindowRecord(call.owner);
    if (ownerWindow != nullptr && wasEnabled)
        ownerWindow->enabled = true;
    // The box, a pop-up, passes activation to its owner when it goes; one
    // without an owner to the window that was active before it.
    if (system.active == nullptr) {
        const HWND next = ownerWindow != nullptr ? RootOf(call.owner) : previouslyActive;
        const Window* record = FindWindowRecord(next);
        if (record != nullptr && record->visible && record->enabled && !record->destroying)
            ActivateWindow(next);
    }
    return answer;
}
}  // namespace

// The box's own procedure: its button, Escape and its close box end it.
LRESULT CALLBACK MessageBoxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    OpenBox* box = BoxOf(window);
    switch (message) {
    case WM_COMMAND:
        if (box != nullptr && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
            box->done = true;
        return 0;
    case WM_CLOSE:
        if (box != nullptr)
            box->done = true;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

std::vector<MessageBoxView> OpenMessageBoxes()
{
    std::vector<MessageBoxView> views;
    for (const OpenBox& box : TheSystem().boxes) {
        MessageBoxView view;
        view.window = box.window;
        RECT client;
        GetClientRect(box.window, &client);
        view.client = {client.right, client.bottom};
        view.icon = IconOf(box.type);
        view.iconRect = box.iconRect;
        for (const TextLine& line : box.lines)
            view.lines.push_back({Utf8FromAnsi(line.text), line.at});
        const Window* button = FindWindowRecord(box.button);
        if (button != nullptr) {
            view.button = button->rect;
            view.buttonText = Utf8FromAnsi(button->text);
            view.buttonPressed = button->buttonPressed;
            view.buttonFocused = GetFocus() == box.button;
        }
        views.push_back(view);
    }
    return views;
}

}  // namespace portable

using namespace portable;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    const MessageBoxCall call = {owner, text ? text : "", caption ? caption : "Error", type};
    return TheSystem().scriptedBoxes ? ScriptedBox(call) : ShowBox(call);
}
