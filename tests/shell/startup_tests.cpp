#include <gtest/gtest.h>

#include "platform/app_handles.h"
#include "shell/game.h"
#include "support/game_harness.h"

TEST(StartUp, ABeginnerGameIsReadyAndExitReturnsZero)
{
    Script script;
    script.Turn().Do([] {
        char text[32];
        EXPECT_EQ(GetClassNameA(mainWindow, text, sizeof text), 7);
        EXPECT_STREQ(text, "_bgwndw");
        GetWindowTextA(mainWindow, text, sizeof text);
        EXPECT_STREQ(text, "Blastgrid");
        EXPECT_EQ(FaceName(), "smile");
        EXPECT_EQ(CounterText(), "010");
        EXPECT_EQ(TimerText(), "000");
        EXPECT_EQ(MainClientRect().right, 176);
        EXPECT_EQ(MainClientRect().bottom, 208);
        EXPECT_EQ(boardColumns, 9);
        EXPECT_EQ(boardRows, 9);
        EXPECT_EQ(MineSquares().size(), 10u);
        EXPECT_EQ(gameState, Fresh);
        EXPECT_TRUE(DifficultyChecked(2));
        for (int position : {3, 4, 5})
            EXPECT_FALSE(DifficultyChecked(position));
        for (int column = 0; column < 9; ++column)
            for (int row = 0; row < 9; ++row)
                EXPECT_EQ(SquarePicture(column, row), "nc");
    });
    script.Exit();
    EXPECT_EQ(RunProgram(script), 0);
    EXPECT_TRUE(script.steps.empty());
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(liveBoard, nullptr);
    EXPECT_EQ(portable::WindowCount(), 0);
}
