// The menu bar from the keyboard, on the program's own menu resource.
#include <gtest/gtest.h>

#include "platform/desktop/menu_tracker.h"
#include "shell/command_ids.h"
#include "tests/support/test_window.h"

using namespace desktop;

namespace {
class MenuKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        portable::ResetWindowSystem();
        bar = GetMenu(CreateTestMainWindow());
        ASSERT_NE(bar, nullptr);
    }
    MenuResult Keys(std::initializer_list<int> keys)
    {
        MenuResult result;
        for (int key : keys)
            result = MenuKey(tracking, bar, key);
        return result;
    }
    HMENU bar = nullptr;
    MenuTracking tracking;
};
}  // namespace

TEST(MenuMnemonics, TheLetterAfterTheAmpersand)
{
    EXPECT_EQ(MnemonicOf("&Game"), 'G');
    EXPECT_EQ(MnemonicOf("S&olver"), 'O');
    EXPECT_EQ(MnemonicOf("Fish && &chips"), 'C');
    EXPECT_EQ(MnemonicOf("Fish && chips"), 0);
    EXPECT_EQ(MnemonicOf("New Game\tF2"), 0);
    EXPECT_EQ(MnemonicOf("trailing&"), 0);
    EXPECT_EQ(MnemonicOf(""), 0);
}

TEST_F(MenuKeys, AltAloneSelectsTheFirstTitleAndTheArrowsWalkAndWrap)
{
    StartFromKeyboard(tracking);
    EXPECT_TRUE(tracking.active);
    EXPECT_EQ(tracking.title, 0);
    EXPECT_FALSE(tracking.open);
    Keys({VK_LEFT});
    EXPECT_EQ(tracking.title, 2);  // wraps to Help
    Keys({VK_RIGHT, VK_RIGHT});
    EXPECT_EQ(tracking.title, 1);
    Keys({VK_DOWN});
    EXPECT_TRUE(tracking.open);
    EXPECT_EQ(tracking.item, 0);  // Hint
    Keys({VK_DOWN});
    EXPECT_EQ(tracking.item, 2);  // over the separator to Solve!
    Keys({VK_DOWN});
    EXPECT_EQ(tracking.item, 0);  // wraps
    Keys({VK_UP});
    EXPECT_EQ(tracking.item, 2);
    // The open drop-down follows the title, its first item selected.
    Keys({VK_RIGHT});
    EXPECT_EQ(tracking.title, 2);
    EXPECT_TRUE(tracking.open);
    EXPECT_EQ(tracking.item, 0);
}

TEST_F(MenuKeys, EnterChoosesTheSelectedItemsCommand)
{
    StartFromKeyboard(tracking);
    MenuResult result = Keys({VK_RETURN});  // opens Game
    EXPECT_EQ(result.action, MenuAction::None);
    EXPECT_EQ(tracking.item, 0);
    result = Keys({VK_DOWN, VK_DOWN, VK_RETURN});  // New Game, Beginner, Intermediate
    EXPECT_EQ(result.action, MenuAction::Choose);
    EXPECT_EQ(result.command, static_cast<UINT>(CommandIntermediate));
    // Up from nothing selected takes the last item: Exit.
    OpenByMnemonic(tracking, bar, 'G');
    tracking.item = -1;
    result = Keys({VK_UP, VK_RETURN});
    EXPECT_EQ(result.command, static_cast<UINT>(CommandExit));
}

TEST_F(MenuKeys, EscapeClosesTheDropDownThenTheBarAndAltClosesAtOnce)
{
    ASSERT_TRUE(OpenByMnemonic(tracking, bar, 'S'));
    EXPECT_EQ(tracking.title, 1);
    EXPECT_TRUE(tracking.open);
    EXPECT_EQ(Keys({VK_ESCAPE}).action, MenuAction::None);
    EXPECT_TRUE(tracking.active);
    EXPECT_FALSE(tracking.open);
    EXPECT_EQ(tracking.title, 1);
    EXPECT_EQ(Keys({VK_ESCAPE}).action, MenuAction::Close);
    EXPECT_FALSE(tracking.active);

    ASSERT_TRUE(OpenByMnemonic(tracking, bar, 'H'));
    EXPECT_EQ(Keys({VK_MENU}).action, MenuAction::Close);
    EXPECT_FALSE(tracking.active);
    EXPECT_FALSE(OpenByMnemonic(tracking, bar, 'Q'));
    EXPECT_FALSE(tracking.active);
}

TEST_F(MenuKeys, LettersOpenTitlesAndPickItemsByTheirFirstLetter)
{
    StartFromKeyboard(tracking);
    Keys({'H'});  // with the drop-downs closed a letter opens a title
    EXPECT_EQ(tracking.title, 2);
    EXPECT_TRUE(tracking.open);
    // "How to Play" is the only item starting with H: chosen at once.
    MenuResult result = Keys({'H'});
    EXPECT_EQ(result.action, MenuAction::Choose);
    EXPECT_EQ(result.command, static_cast<UINT>(CommandHowToPlay));

    OpenByMnemonic(tracking, bar, 'G');
    result = Keys({'E'});  // Expert and Exit: the first is selected, nothing chosen
    EXPECT_EQ(result.action, MenuAction::None);
    EXPECT_EQ(tracking.item, 4);
    Keys({'E'});
    EXPECT_EQ(tracking.item, 7);
    EXPECT_EQ(Keys({'Q'}).action, MenuAction::None);  // no such item
    EXPECT_EQ(Keys({VK_RETURN}).command, static_cast<UINT>(CommandExit));
}

TEST_F(MenuKeys, SeparatorsAreNeverSelected)
{
    const HMENU game = GetSubMenu(bar, 0);
    OpenByMnemonic(tracking, bar, 'G');
    ASSERT_EQ(tracking.item, 0);
    // Walking the whole drop-down down, then up, visits every item but the
    // separators, in order.
    std::vector<int> visited;
    for (int step = 0; step < 12; ++step) {
        Keys({step < 6 ? VK_DOWN : VK_UP});
        visited.push_back(tracking.item);
        EXPECT_FALSE(GetMenuState(game, static_cast<UINT>(tracking.item), MF_BYPOSITION) & MF_SEPARATOR);
    }
    EXPECT_EQ(visited, (std::vector<int>{2, 3, 4, 5, 7, 0, 7, 5, 4, 3, 2, 0}));
}
