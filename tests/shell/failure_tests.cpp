// A new game whose memory runs out: the program stays up without a game,
// touches nothing that is missing, and the next new game tries again.
#include <gtest/gtest.h>

#include "model/memory.h"
#include "platform/app_handles.h"
#include "shell/game.h"
#include "support/game_harness.h"

using portable::MouseButton;

namespace {
// Everything a player can do on the board.
void TryEverything()
{
    ClickSquareNow({3, 3});
    ClickSquareNow({4, 4}, MouseButton::Right);
    portable::PressKey('H');
    portable::PressKey(VK_F3);
}
}  // namespace

TEST(OutOfMemory, ANewBoardThatCannotBeMadeLeavesNoGameUntilTheNextNewGame)
{
    Script script;
    script.Turn()
        .Do([] {
            FailAllocationAfter(0);  // the new board's table
            portable::PressKey(VK_F2);
        })
        .Do([] {
            EXPECT_EQ(liveBoard, nullptr);
            EXPECT_NE(cellViews, nullptr);
            TryEverything();
        })
        .Turn()
        .Turn()
        .Do([] {
            EXPECT_FALSE(solving);
            EXPECT_EQ(liveBoard, nullptr);
        })
        .Key(VK_F2)
        .Turn()
        .Do([] {
            ASSERT_NE(liveBoard, nullptr);
            EXPECT_EQ(MineSquares().size(), 10u);
            EXPECT_EQ(CounterText(), "010");
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
    ASSERT_GE(portable::MessageBoxLog().size(), 1u);
    EXPECT_EQ(portable::MessageBoxLog()[0].text, "Out of memory to allocate minefield!");
    EXPECT_EQ(portable::MessageBoxLog()[0].title, "No Memory");
    EXPECT_EQ(portable::MessageBoxLog().size(), 1u) << "no hint ran on the missing board";
}

TEST(OutOfMemory, AViewStoreThatCannotBeMadeIsBuiltAgainByTheNextNewGame)
{
    Script script;
    script.Turn()
        .Do([] {
            FailAllocationAfter(0);  // the Expert view store's table
            portable::ChooseMenuItem(mainWindow, 10003);
        })
        .Do([] {
            EXPECT_EQ(cellViews, nullptr);
            EXPECT_EQ(boardColumns, 30);
            TryEverything();
        })
        .Turn()
        .Do([] {
            EXPECT_EQ(CountSquares(Covered), 30 * 16) << "no move reached the board without its view";
        })
        .Key(VK_F2)
        .Turn()
        .Do([] {
            ASSERT_NE(cellViews, nullptr);
            EXPECT_EQ(SquarePicture(29, 15), "nc");
            EXPECT_EQ(MainClientRect().right, 512);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
    ASSERT_EQ(portable::MessageBoxLog().size(), 1u);
    EXPECT_EQ(portable::MessageBoxLog()[0].title, "No Memory");
}
