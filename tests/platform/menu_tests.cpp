// The menu bar as the window system lays it out and shows it: titles that
// wrap onto more lines in a narrow window, a drop-down kept on the screen,
// and the views a presenter draws while the menu is in use. (The messages
// of the menu's modal loop are in the conformance table.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/portable/testing.h"
#include "platform/win32.h"
#include "support/shown_views.h"

namespace {
int Lines(const std::vector<portable::MenuTitleView>& titles)
{
    int lines = 0;
    for (const portable::MenuTitleView& title : titles)
        lines = std::max<int>(lines, (title.rect.bottom - titles.front().rect.top) / GetSystemMetrics(SM_CYMENU));
    return lines;
}

LONG ClientHeight(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    return client.bottom;
}
}  // namespace

TEST(MenuBarLayout, TitlesFollowOneAnotherAndWrapOntoMoreLinesInANarrowWindow)
{
    HWND window = MakeMenuWindow(100, 100, 400, 300);
    std::vector<portable::MenuTitleView> titles = portable::MenuBarOf(window);
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[0].text, "&Game");
    EXPECT_EQ(titles[0].rect.right - titles[0].rect.left,
              4 * portable::defaultCharacterWidth + 2 * portable::menuTitlePadding)
        << "the mnemonic's mark takes no room";
    EXPECT_EQ(Lines(titles), 1);
    for (size_t i = 1; i < titles.size(); ++i)
        EXPECT_EQ(titles[i].rect.left, titles[i - 1].rect.right) << "side by side";
    const LONG wide = ClientHeight(window);

    // As narrow as a window with a title bar gets: two titles fit a line.
    MoveWindow(window, 100, 100, 10, 300, TRUE);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, GetSystemMetrics(SM_CXMINTRACK)) << "no narrower than the system allows";
    titles = portable::MenuBarOf(window);
    EXPECT_EQ(Lines(titles), 2);
    EXPECT_EQ(titles[1].rect.top, titles[0].rect.top);
    EXPECT_EQ(titles[2].rect.top, titles[0].rect.bottom) << "the last title goes under the first";
    EXPECT_EQ(titles[2].rect.left, titles[0].rect.left);
    EXPECT_EQ(wide - ClientHeight(window), GetSystemMetrics(SM_CYMENU)) << "the client area gives way";
    RECT title;
    ASSERT_TRUE(GetMenuItemRect(window, GetMenu(window), 2, &title));
    EXPECT_EQ(title.top, titles[2].rect.top);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.y, titles[2].rect.bottom) << "the client area starts under the last line";
}

// A drop-down that would pass the screen's right edge moves left; one that
// would pass its bottom opens above its title.
TEST(MenuBarLayout, ADropDownStaysOnTheScreen)
{
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    HWND window = MakeMenuWindow(screenWidth - 60, screenHeight - 80, 300, 200);
    const portable::DropDownView view = ShownDropDown(window, 'G');
    ASSERT_FALSE(view.items.empty());
    EXPECT_LE(view.rect.right, screenWidth);
    EXPECT_LE(view.rect.bottom, screenHeight);
    RECT game;
    GetMenuItemRect(window, GetMenu(window), 0, &game);
    EXPECT_EQ(view.rect.bottom, game.top) << "above the title";

    HWND inView = MakeMenuWindow(100, 100, 300, 200);
    const portable::DropDownView below = ShownDropDown(inView, 'G');
    GetMenuItemRect(inView, GetMenu(inView), 0, &game);
    EXPECT_EQ(below.rect.left, game.left);
    EXPECT_EQ(below.rect.top, game.bottom) << "under its title where it fits";
}

TEST(MenuBarLayout, ADropDownsItemsStackInsideItsFrameWithTheirTextsAndMarks)
{
    HWND window = MakeMenuWindow();
    const portable::DropDownView view = ShownDropDown(window, 'G');
    ASSERT_EQ(view.items.size(), 8u);
    EXPECT_EQ(view.owner, window);
    EXPECT_EQ(view.items[0].text, "New Game");
    EXPECT_EQ(view.items[0].keyText, "F2");
    EXPECT_TRUE(view.items[0].selected) << "Alt with the letter selects the first item";
    EXPECT_TRUE(view.items[1].separator);
    EXPECT_TRUE(view.items[2].checked) << "the resource checks Beginner";
    for (size_t i = 0; i < view.items.size(); ++i) {
        const RECT& rect = view.items[i].rect;
        EXPECT_GT(rect.left, view.rect.left);
        EXPECT_LT(rect.right, view.rect.right);
        if (i == 0)
            EXPECT_GT(rect.top, view.rect.top) << "inside the frame";
        else
            EXPECT_EQ(rect.top, view.items[i - 1].rect.bottom) << "item " << i;
        EXPECT_GT(rect.bottom - rect.top, view.items[i].separator ? 4 : portable::textLineHeight);
    }
    EXPECT_LT(view.items.back().rect.bottom, view.rect.bottom);
    EXPECT_GE(view.items[0].rect.right - view.items[0].rect.left,
              portable::menuGutterWidth + 8 * portable::defaultCharacterWidth + portable::menuKeyMargin)
        << "room for the longest text and the key text";
}

// While the menu is in use a presenter sees which title is selected and
// whether it is open; once it ends, nothing.
TEST(MenuBarViews, TheSelectedTitleAndTheOpenDropDownFollowTheKeys)
{
    HWND window = MakeMenuWindow();
    std::vector<std::string> seen;
    const auto describe = [window] {
        std::string state;
        for (const portable::MenuTitleView& title : portable::MenuBarOf(window))
            state += title.open ? "O" : title.selected ? "S" : "-";
        portable::DropDownView view;
        if (portable::OpenDropDown(&view))
            for (const portable::MenuItemView& item : view.items)
                state += item.selected ? " " + item.text : "";
        return state;
    };
    const std::vector<int> keys = {VK_RIGHT, VK_DOWN, VK_DOWN, VK_ESCAPE, VK_ESCAPE};
    size_t next = 0;
    portable::SetInputSource([&] {
        seen.push_back(describe());
        if (next >= keys.size())
            return false;
        portable::PressKey(keys[next++]);
        return true;
    });
    portable::PressKey(VK_MENU);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    portable::SetInputSource(nullptr);
    seen.push_back(describe());
    EXPECT_EQ(seen, (std::vector<std::string>{"S--", "-S-", "-O- Hint", "-O- Solve!", "-S-", "---"}));
}

// Clicked open, a title's drop-down stays open; a click on the open title
// ends the menu at once.
TEST(MenuBarViews, ASecondClickOnTheOpenTitleEndsTheMenu)
{
    HWND window = MakeMenuWindow();
    std::vector<std::string> seen;
    const auto describe = [window] {
        std::string state;
        for (const portable::MenuTitleView& title : portable::MenuBarOf(window))
            state += title.open ? "O" : title.selected ? "S" : "-";
        return state;
    };
    const RECT solver = portable::MenuBarOf(window)[1].rect;
    const POINT title = {(solver.left + solver.right) / 2, (solver.top + solver.bottom) / 2};
    int step = 0;
    portable::SetInputSource([&] {
        seen.push_back(describe());
        switch (step++) {
        case 0:
            portable::ReleaseButton(portable::MouseButton::Left, title);
            return true;
        case 1:
            portable::PressButton(portable::MouseButton::Left, title);
            portable::ReleaseButton(portable::MouseButton::Left, title);
            return true;
        default:
            return false;
        }
    });
    portable::PressButton(portable::MouseButton::Left, title);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    portable::SetInputSource(nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"-O-", "-O-"})) << "the second click ended the menu";
    EXPECT_FALSE(portable::InputExhausted());
    EXPECT_EQ(describe(), "---");
}

// The session's end ends an open menu; the quit message is left for the
// program's own loop.
TEST(MenuBarViews, TheEndOfTheSessionClosesTheMenu)
{
    HWND window = MakeMenuWindow();
    portable::SetInputSource([] {
        portable::EndSession(0);
        return true;
    });
    SetFocus(window);
    portable::KeyDown(VK_MENU);
    portable::PressKey('G');
    portable::KeyUp(VK_MENU);
    MSG message;
    bool quit = false;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        quit = quit || message.message == WM_QUIT;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    portable::SetInputSource(nullptr);
    EXPECT_TRUE(quit);
    portable::DropDownView view;
    EXPECT_FALSE(portable::OpenDropDown(&view));
    EXPECT_EQ(portable::MenuBarOf(window)[0].selected, false);
}
