// Message boxes of the window system as it shows them: their lines and
// layout, their text in UTF-8 for presenters, boxes nesting, and the end
// of the session closing them. (Their keys are in the conformance table.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/portable/testing.h"
#include "platform/win32.h"
#include "support/shown_views.h"

namespace {
constexpr int lineLimit = 420;
const UINT iconTypes[] = {MB_ICONHAND, MB_ICONEXCLAMATION, MB_ICONINFORMATION, MB_ICONQUESTION};

// Widths in the window system's own measure, which no presenter replaces here.
int Width(const std::string& text)
{
    return static_cast<int>(text.size()) * portable::defaultCharacterWidth;
}

std::string Words(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i == 0 ? "" : " ") + std::string(i % 3 == 0 ? "uncovered" : "mine") + std::to_string(i);
    return text;
}

std::vector<std::string> Lines(const portable::MessageBoxView& box)
{
    std::vector<std::string> lines;
    for (const portable::TextLine& line : box.lines)
        lines.push_back(line.text);
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, const char* separator)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : separator) + lines[i];
    return text;
}
}  // namespace

TEST(MessageBoxLayout, LinesBreakWhereTheTextSaysAndEmptyLinesKeepTheirHeight)
{
    EXPECT_EQ(Lines(ShownBox("a\nb", MB_OK)), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Lines(ShownBox("a\r\nb", MB_OK)), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Lines(ShownBox("one line", MB_OK)), (std::vector<std::string>{"one line"}));
    const portable::MessageBoxView box = ShownBox("a\n\nb", MB_ICONINFORMATION);
    EXPECT_EQ(Lines(box), (std::vector<std::string>{"a", "", "b"}));
    ASSERT_EQ(box.lines.size(), 3u);
    EXPECT_EQ(box.lines[1].at.y - box.lines[0].at.y, portable::textLineHeight);
    EXPECT_EQ(box.lines[2].at.y - box.lines[0].at.y, 2 * portable::textLineHeight);
    EXPECT_EQ(box.lines[0].at.x, box.lines[2].at.x);
}

TEST(MessageBoxLayout, LongLinesWrapBetweenWordsWithinTheLimitKeepingTheirIndent)
{
    const std::string sentence = Words(60);
    const std::vector<std::string> lines = Lines(ShownBox("Title\n" + sentence, MB_ICONQUESTION));
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Title");
    const std::vector<std::string> wrapped(lines.begin() + 1, lines.end());
    EXPECT_EQ(Joined(wrapped, " "), sentence) << "every word kept, in order";
    for (size_t i = 0; i < wrapped.size(); ++i) {
        EXPECT_LE(Width(wrapped[i]), lineLimit) << wrapped[i];
        if (i + 1 < wrapped.size()) {
            EXPECT_GT(Width(wrapped[i]), lineLimit - 100) << "lines are filled: " << wrapped[i];
        }
    }

    // An indented line that wraps keeps its indent on its first line, as
    // the bullets of a list do; the lines after it start at the margin.
    const std::vector<std::string> bullet = Lines(ShownBox("  - " + Words(30), MB_OK));
    ASSERT_GT(bullet.size(), 1u);
    EXPECT_EQ(bullet[0].substr(0, 4), "  - ");
    EXPECT_NE(bullet[1][0], ' ');
    EXPECT_EQ(Joined(bullet, " "), "  - " + Words(30));

    // A word longer than a line is broken between letters.
    const std::string word(300, 'W');
    const std::vector<std::string> broken = Lines(ShownBox(word, MB_OK));
    ASSERT_GT(broken.size(), 1u);
    EXPECT_EQ(Joined(broken, ""), word);
    for (const std::string& line : broken)
        EXPECT_LE(Width(line), lineLimit);
}

TEST(MessageBoxLayout, TheButtonIsCentredBelowTheTextAndTheIconInsideTheBox)
{
    const std::string texts[] = {"x", "Invalid minefield specifications.", "a\n\n\n\nb", Words(40)};
    for (const std::string& text : texts) {
        for (UINT type : {static_cast<UINT>(MB_OK), iconTypes[0], iconTypes[1], iconTypes[2], iconTypes[3]}) {
            SCOPED_TRACE(text + " type " + std::to_string(type));
            const portable::MessageBoxView box = ShownBox(text, type);
            const RECT& ok = box.button;
            EXPECT_EQ(box.buttonText, "OK");
            EXPECT_TRUE(box.buttonFocused) << "the button has the keyboard";
            EXPECT_EQ(ok.right - ok.left, 75);
            EXPECT_EQ(ok.bottom - ok.top, 23);
            EXPECT_GE(ok.left, 8);
            EXPECT_LE(ok.right, box.client.cx - 8);
            EXPECT_NEAR(ok.left + ok.right, box.client.cx, 1) << "centred";
            EXPECT_LE(ok.bottom, box.client.cy - 8);
            const bool hasIcon = type != MB_OK;
            EXPECT_EQ(box.icon != portable::BoxIcon::None, hasIcon);
            if (hasIcon) {
                EXPECT_EQ(box.iconRect.right - box.iconRect.left, 32);
                EXPECT_EQ(box.iconRect.bottom - box.iconRect.top, 32);
                EXPECT_GE(box.iconRect.left, 8);
                EXPECT_GT(ok.top, box.iconRect.bottom);
            }
            for (const portable::TextLine& line : box.lines) {
                EXPECT_GE(line.at.x, hasIcon ? box.iconRect.right + 8 : 8) << "right of the icon";
                EXPECT_GE(line.at.y, 8);
                EXPECT_LE(line.at.x + Width(line.text), box.client.cx - 8);
                EXPECT_GT(ok.top, line.at.y + portable::textLineHeight) << "below the text";
            }
        }
    }
}

// The program's texts are in Windows-1252; presenters draw UTF-8.
TEST(MessageBoxText, TheProgramsCodePageReachesPresentersAsUtf8)
{
    const portable::MessageBoxView box = ShownBox("  \xB7 reveal\n\x93quoted\x94 \x80 caf\xE9", MB_OK);
    ASSERT_EQ(box.lines.size(), 2u);
    EXPECT_EQ(box.lines[0].text, "  \xC2\xB7 reveal");
    EXPECT_EQ(box.lines[1].text, "\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC caf\xC3\xA9");
}

namespace {
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeOwner(const char* title, HWND owner = nullptr)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.lpszClassName = "boxowner";
    RegisterClassExA(&windowClass);
    return CreateWindowExA(0, "boxowner", title, WS_VISIBLE | WS_BORDER | WS_SYSMENU, 100, 100, 300, 200, owner,
                           nullptr, nullptr, nullptr);
}
}  // namespace

// A window that still works under a box (the custom-game window) shows a
// box of its own: it goes over the first, and the main window stays
// disabled until the outer box is gone.
TEST(MessageBoxModality, BoxesNestAndTheOwnerIsEnabledOnlyWhenTheLastGoes)
{
    portable::ShowMessageBoxes();
    HWND main = MakeOwner("main");
    HWND custom = MakeOwner("custom", main);
    std::vector<std::string> seen;
    int step = 0;
    portable::SetInputSource([&] {
        const std::vector<portable::MessageBoxView> boxes = portable::OpenMessageBoxes();
        ++step;
        if (step == 1) {
            seen.push_back("outer up, main " + std::string(IsWindowEnabled(main) ? "enabled" : "disabled") +
                           ", custom " + (IsWindowEnabled(custom) ? "enabled" : "disabled"));
            MessageBoxA(main, "inner", "Inner", MB_OK);
            seen.push_back("inner answered, main " + std::string(IsWindowEnabled(main) ? "enabled" : "disabled"));
            portable::PressKey(VK_RETURN);
            return true;
        }
        if (step == 2) {
            seen.push_back(std::to_string(boxes.size()) + " boxes");
            portable::PressKey(VK_RETURN);
            return true;
        }
        return false;
    });
    // The inner box's own loop asks the source: step 2 answers it.
    MessageBoxA(main, "outer", "Outer", MB_OK);
    seen.push_back("outer answered, main " + std::string(IsWindowEnabled(main) ? "enabled" : "disabled"));
    portable::SetInputSource(nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"outer up, main disabled, custom enabled", "2 boxes",
                                              "inner answered, main disabled", "outer answered, main enabled"}));
    EXPECT_TRUE(portable::OpenMessageBoxes().empty());
    EXPECT_EQ(GetActiveWindow(), main) << "the owner is active again";
}

// The display's close request for a window under a box (its close box, a
// window manager's) does nothing: the window is disabled.
TEST(MessageBoxModality, TheOwnersCloseBoxDoesNothingWhileItsBoxIsUp)
{
    portable::ShowMessageBoxes();
    HWND main = MakeOwner("main");
    int step = 0;
    portable::SetInputSource([&] {
        switch (step++) {
        case 0:
            portable::ClickCloseBox(main);
            return true;
        case 1:
            EXPECT_EQ(portable::OpenMessageBoxes().size(), 1u) << "the box is still up";
            portable::PressKey(VK_RETURN);
            return true;
        default:
            return false;
        }
    });
    EXPECT_EQ(MessageBoxA(main, "text", "Box", MB_OK), IDOK);
    portable::SetInputSource(nullptr);
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(IsWindowEnabled(main));
}

// The session's end (a signal) ends every modal loop; the quit message is
// left for the program's own loop.
TEST(MessageBoxModality, TheEndOfTheSessionClosesTheBox)
{
    portable::ShowMessageBoxes();
    HWND main = MakeOwner("main");
    portable::SetInputSource([] {
        portable::EndSession(0);
        return true;
    });
    EXPECT_EQ(MessageBoxA(main, "text", "Box", MB_OK), 0);
    portable::SetInputSource(nullptr);
    EXPECT_TRUE(portable::OpenMessageBoxes().empty());
    EXPECT_TRUE(IsWindowEnabled(main));
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 0u);
}
