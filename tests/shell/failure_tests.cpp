// A new game whose memory runs out: the program stays up without a game,
// touches nothing that is missing, and the next new game tries again.
#include <gtest/gtest.h>

#include "model/memory.h"
#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "support/game_harness.h"
#include "view/geometry.h"

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
            portable::ChooseMenuItem(mainWindow, CommandExpert);
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

// The custom-game window works while the "No Memory" box of a new game is
// up, so its OK can begin a later game inside the first. The later game wins:
// the first stops where it finds it, and nothing of either is lost.
namespace {
int PicturesOnScreen()
{
    return static_cast<int>(portable::ChildWindows(mainWindow).size());
}

// Answers the first box by entering a 16 by 16 game with 40 mines in the
// open custom-game window.
int EnterLaterGame(const portable::MessageBoxCall& call)
{
    if (call.title == "No Memory" && portable::MessageBoxLog().size() == 1) {
        EnterCustomGame("16", "16", "40");
        portable::PumpMessages();
    }
    return IDOK;
}

void ExpectOnlyTheLaterGame()
{
    EXPECT_EQ(boardColumns, 16);
    EXPECT_EQ(boardRows, 16);
    ASSERT_NE(liveBoard, nullptr);
    ASSERT_NE(cellViews, nullptr);
    EXPECT_EQ(MineSquares().size(), 40u);
    EXPECT_EQ(MainClientRect().right, ClientWidthFor(16));
    EXPECT_EQ(MainClientRect().bottom, ClientHeightFor(16));
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            ASSERT_EQ(SquarePicture(x, y), "nc");
    // Every square, the face and the six digits: no orphaned picture, and one
    // bitmap object for each picture.
    EXPECT_EQ(PicturesOnScreen(), 256 + 1 + 6);
    EXPECT_EQ(portable::LiveGdiObjectCount(), PicturesOnScreen());
}

// Plays `level` (when not 0), opens the custom-game window, then sends
// `command` with the next allocation failing: the box of that failure
// enters the later game.
void RunNestedNewGame(unsigned level, unsigned command)
{
    Script script;
    script.Turn();
    if (level != 0)
        script.Command(level);
    script.Command(CommandCustom)
        .Do([command] {
            FailAllocationAfter(0);
            SendMessageA(mainWindow, WM_COMMAND, command, 0);
            ExpectOnlyTheLaterGame();
        })
        .Turn()
        .Do([] { EXPECT_EQ(FaceName(), "smile"); })
        .Exit();
    ResetProgram(1000);  // releases what an earlier test may have left
    const int32_t blocksBefore = LiveMemoryBlocks();
    EXPECT_EQ(RunProgram(script, 1000, EnterLaterGame), 0);
    ASSERT_EQ(portable::MessageBoxLog().size(), 1u);
    EXPECT_EQ(LiveMemoryBlocks(), blocksBefore) << "every board and store was released";
}
}  // namespace

TEST(NestedNewGame, ALaterGameBegunWhileTheBoardCannotBeMadeIsKept)
{
    RunNestedNewGame(0, CommandNewGame);  // the failure: the 9 by 9 board's table
}

TEST(NestedNewGame, ALaterGameBegunWhileTheViewCannotBeMadeIsKept)
{
    RunNestedNewGame(CommandExpert, CommandBeginner);  // the failure: the 9 by 9 view store's table
}

TEST(OutOfMemory, TheTimerOfTheNewGameReadsZeroHoweverLongTheBoxWasUp)
{
    // The player takes a second and a half to dismiss the box.
    auto slowPlayer = [](const portable::MessageBoxCall&) {
        portable::AdvanceTickCount(1500);
        return IDOK;
    };
    Script script;
    script.Turn()
        .Do([] {
            FailAllocationAfter(0);  // the new board's table
            SendMessageA(mainWindow, WM_COMMAND, CommandNewGame, 0);
            EXPECT_EQ(TimerText(), "000");
        })
        .Exit();
    EXPECT_EQ(RunProgram(script, 1000, slowPlayer), 0);
    EXPECT_EQ(portable::MessageBoxLog().size(), 1u);
}
