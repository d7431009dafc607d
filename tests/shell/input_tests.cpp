// The mouse and the keys on the main window, through the real main loop.
#include <gtest/gtest.h>

#include "model/neighbours.h"
#include "platform/app_handles.h"
#include "shell/game.h"
#include "shell/main_window.h"
#include "support/game_harness.h"
#include "view/geometry.h"

using portable::MouseButton;

namespace {
uint32_t StateOf(POINT square)
{
    return liveBoard[square.x][square.y].state;
}

// A safe square whose count is not 0 (no flood fill), and a covered
// neighbour of it that holds a mine.
bool FindNumberNextToMine(POINT* number, POINT* mine)
{
    for (POINT square : SafeSquares()) {
        if (CountMineNeighbours(square.x, square.y, boardColumns, boardRows, liveBoard) != 1)
            continue;
        for (POINT candidate : MineSquares()) {
            if (std::abs(candidate.x - square.x) <= 1 && std::abs(candidate.y - square.y) <= 1) {
                *number = square;
                *mine = candidate;
                return true;
            }
        }
    }
    return false;
}

// Uncovers such a number and marks its mine.
void OpenANumberAndMarkItsMine(POINT* number, POINT* mine)
{
    ASSERT_TRUE(FindNumberNextToMine(number, mine));
    ClickSquareNow(*number);
    ClickSquareNow(*mine, MouseButton::Right);
}

// Both buttons pressed over a square, left first, then released: the one
// named first comes up first.
void BothButtons(POINT square, MouseButton firstUp)
{
    const POINT centre = SquareCentre(square.x, square.y);
    const MouseButton secondUp = firstUp == MouseButton::Left ? MouseButton::Right : MouseButton::Left;
    portable::PressMouse(mainWindow, MouseButton::Left, centre.x, centre.y);
    portable::PressMouse(mainWindow, MouseButton::Right, centre.x, centre.y);
    portable::ReleaseMouse(mainWindow, firstUp, centre.x, centre.y);
    portable::ReleaseMouse(mainWindow, secondUp, centre.x, centre.y);
    portable::AdvanceTickCount(600);
}
}  // namespace

TEST(MouseInput, ReleasesInTheMarginsDoNothingAndTheFirstSquareStartsAtSixteenFortyEight)
{
    Script script;
    script.Turn()
        .Do([] {
            ClickNow({fieldLeft - 1, 100});
            ClickNow({100, fieldTop - 1});
            ClickNow({FieldRight(9), 100});
            ClickNow({100, FieldBottom(9)});
        })
        .Do([] {
            EXPECT_EQ(CountSquares(Revealed), 0);
            EXPECT_EQ(gameState, Fresh);
            EXPECT_FALSE(leftDown);
            ClickNow({fieldLeft, fieldTop});
        })
        .Do([] { EXPECT_NE(liveBoard[0][0].state, Covered) << "uncovered, or lost on it"; })
        .Exit();
    EXPECT_EQ(RunProgram(script, 2024), 0);
}

TEST(MouseInput, TheFirstReleaseOnAMarkedSquareStartsTheClockWithoutUncovering)
{
    POINT square;
    Script script;
    script.Turn()
        .Do([&] {
            square = SafeSquares()[0];
            ClickSquareNow(square, MouseButton::Right);
        })
        .Do([&] {
            EXPECT_EQ(StateOf(square), static_cast<uint32_t>(Marked));
            EXPECT_EQ(gameState, Fresh);
            ClickSquareNow(square);
        })
        .Do([&] {
            EXPECT_EQ(StateOf(square), static_cast<uint32_t>(Marked));
            EXPECT_EQ(gameState, Running);
            ClickSquareNow(square, MouseButton::Right);
        })
        .Do([&] { EXPECT_EQ(StateOf(square), static_cast<uint32_t>(Covered)); })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(MouseInput, AQuickSecondClickActsOnceAndASlowOneActsAgain)
{
    POINT square;
    uint32_t games = 0;
    Script script;
    script.Turn()
        .Do([&] {
            square = SafeSquares()[0];
            const POINT centre = SquareCentre(square.x, square.y);
            portable::ClickMouse(mainWindow, MouseButton::Right, centre.x, centre.y);
            portable::AdvanceTickCount(200);
            portable::ClickMouse(mainWindow, MouseButton::Right, centre.x + 1, centre.y);
        })
        .Do([&] {
            EXPECT_EQ(StateOf(square), static_cast<uint32_t>(Marked)) << "the double click's release does nothing";
            portable::AdvanceTickCount(600);
            ClickSquareNow(square, MouseButton::Right);
        })
        .Do([&] {
            EXPECT_EQ(StateOf(square), static_cast<uint32_t>(Covered));
            games = gamesStarted;
            const POINT face = FaceCentre();
            portable::ClickMouse(mainWindow, MouseButton::Left, face.x, face.y);
            portable::AdvanceTickCount(100);
            portable::ClickMouse(mainWindow, MouseButton::Left, face.x, face.y);
        })
        .Do([&] { EXPECT_EQ(gamesStarted, games + 1) << "a double click on the face starts one game"; })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(MouseInput, BothButtonsRevealAroundASatisfiedNumberInEitherOrder)
{
    POINT number, mine;
    Script script;
    script.Turn()
        .Do([&] {
            OpenANumberAndMarkItsMine(&number, &mine);
        })
        .Do([&] {
            // Right button held, left released over the number: the left
            // release acts, then the area reveal.
            BothButtons(number, MouseButton::Left);
        })
        .Do([&] {
            EXPECT_EQ(CountUnrevealedNeighbours(number.x, number.y, boardColumns, boardRows, liveBoard), 1)
                << "only the marked mine is left around the number";
            EXPECT_EQ(StateOf(mine), static_cast<uint32_t>(Marked)) << "the later right release changed nothing";
            EXPECT_NE(gameState, Lost);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script, 31337), 0);
}

TEST(MouseInput, TheAreaRevealNeedsBothButtonsAndExactlyTheNumbersMarks)
{
    POINT number, mine;
    int unrevealed = 0;
    Script script;
    script.Turn()
        .Do([&] {
            OpenANumberAndMarkItsMine(&number, &mine);
        })
        .Do([&] {
            unrevealed = CountUnrevealedNeighbours(number.x, number.y, boardColumns, boardRows, liveBoard);
            ASSERT_GE(unrevealed, 3) << "the mine, a square to mark wrongly and one more";
            // Its mark matches the number, but each button alone does nothing.
            ClickSquareNow(number);
            ClickSquareNow(number, MouseButton::Right);
        })
        .Do([&] {
            EXPECT_EQ(CountUnrevealedNeighbours(number.x, number.y, boardColumns, boardRows, liveBoard), unrevealed);
            // A second mark: more marks than the number, and both buttons.
            bool marked = false;
            for (int dx = -1; dx <= 1 && !marked; ++dx)
                for (int dy = -1; dy <= 1 && !marked; ++dy) {
                    const POINT other = {number.x + dx, number.y + dy};
                    if (other.x >= 0 && other.y >= 0 && other.x < boardColumns && other.y < boardRows &&
                        StateOf(other) == Covered) {
                        ClickSquareNow(other, MouseButton::Right);
                        marked = true;
                    }
                }
        })
        .Do([&] {
            ASSERT_EQ(CountMarkedNeighbours(number.x, number.y, boardColumns, boardRows, liveBoard), 2);
            BothButtons(number, MouseButton::Left);
        })
        .Do([&] {
            EXPECT_EQ(CountUnrevealedNeighbours(number.x, number.y, boardColumns, boardRows, liveBoard), unrevealed)
                << "too many marks: nothing is uncovered";
            EXPECT_EQ(gameState, Running);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script, 31337), 0);
}

TEST(MouseInput, RightReleasedFirstOverACoveredSquareMarksItAndRevealsNothing)
{
    POINT square;
    Script script;
    script.Turn()
        .Do([&] {
            square = SafeSquares()[0];
            BothButtons(square, MouseButton::Right);
        })
        .Do([&] {
            EXPECT_EQ(StateOf(square), static_cast<uint32_t>(Marked));
            EXPECT_EQ(CountSquares(Revealed), 0) << "the later left release finds a marked square";
            EXPECT_EQ(gameState, Running);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(MouseInput, AnAreaRevealAroundAWrongMarkLoses)
{
    POINT number, mine;
    Script script;
    script.Turn()
        .Do([&] {
            ASSERT_TRUE(FindNumberNextToMine(&number, &mine));
            ClickSquareNow(number);
        })
        .Do([&] {
            // Mark a covered safe neighbour instead of the mine.
            bool marked = false;
            for (int dx = -1; dx <= 1 && !marked; ++dx)
                for (int dy = -1; dy <= 1 && !marked; ++dy) {
                    const POINT other = {number.x + dx, number.y + dy};
                    if (other.x < 0 || other.y < 0 || other.x >= boardColumns || other.y >= boardRows)
                        continue;
                    if (!liveBoard[other.x][other.y].isMine && StateOf(other) == Covered) {
                        ClickSquareNow(other, MouseButton::Right);
                        marked = true;
                    }
                }
            ASSERT_TRUE(marked);
        })
        .Do([&] {
            ASSERT_EQ(CountMarkedNeighbours(number.x, number.y, boardColumns, boardRows, liveBoard), 1);
            BothButtons(number, MouseButton::Right);
        })
        .Do([&] {
            EXPECT_EQ(gameState, Lost);
            EXPECT_EQ(StateOf(mine), static_cast<uint32_t>(Exploded));
            EXPECT_EQ(SquarePicture(mine.x, mine.y), "rmine");
            EXPECT_EQ(FaceName(), "dsmile");
        })
        .Exit();
    EXPECT_EQ(RunProgram(script, 31337), 0);
}

TEST(MouseInput, APressOnASquareReleasedOverTheFaceStartsANewGameOnly)
{
    uint32_t games = 0;
    Script script;
    script.Turn()
        .Do([&] {
            games = gamesStarted;
            const POINT square = SquareCentre(4, 4);
            const POINT face = FaceCentre();
            portable::PressMouse(mainWindow, MouseButton::Left, square.x, square.y);
            portable::MoveMouse(mainWindow, face.x, face.y);
        })
        .Do([] { EXPECT_EQ(FaceName(), "psmile") << "the pressed face follows the held button"; })
        .Move(5, 150)
        .Do([] { EXPECT_EQ(FaceName(), "smile"); })
        .Do([] {
            const POINT face = FaceCentre();
            portable::ReleaseMouse(mainWindow, MouseButton::Left, face.x, face.y);
        })
        .Do([&] {
            EXPECT_EQ(gamesStarted, games + 1);
            EXPECT_EQ(CountSquares(Revealed), 0);
            EXPECT_EQ(FaceName(), "smile") << "the turn after the new game puts the face back";
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(MouseInput, ALeftReleaseOutsideTheWindowLeavesTheButtonDown)
{
    Script script;
    script.Turn()
        .Do([] {
            const POINT square = SquareCentre(2, 2);
            portable::PressMouse(mainWindow, MouseButton::Left, square.x, square.y);
            portable::ReleaseMouse(mainWindow, MouseButton::Left, -100, -100);
        })
        .Do([] {
            EXPECT_TRUE(leftDown);
            EXPECT_EQ(CountSquares(Revealed), 0);
            const POINT face = FaceCentre();
            portable::MoveMouse(mainWindow, face.x, face.y);
        })
        .Do([] {
            EXPECT_EQ(FaceName(), "psmile");
            ClickNow({5, 150});
        })
        .Do([] {
            EXPECT_FALSE(leftDown);
            EXPECT_EQ(FaceName(), "smile");
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(FacePress, AfterALossThePressedFaceGivesWayToTheLostFace)
{
    Script script;
    script.Turn()
        .Do([] { ClickSquareNow(MineSquares()[0]); })
        .Do([] {
            const POINT face = FaceCentre();
            portable::PressMouse(mainWindow, MouseButton::Left, face.x, face.y);
        })
        .Do([] { EXPECT_EQ(FaceName(), "psmile"); })
        .Move(5, 150)
        .Do([] {
            EXPECT_EQ(FaceName(), "dsmile");
            EXPECT_EQ(gameState, Lost);
        })
        .Do([] {
            const POINT face = FaceCentre();
            portable::MoveMouse(mainWindow, face.x, face.y);
            portable::ReleaseMouse(mainWindow, MouseButton::Left, face.x, face.y);
        })
        .Do([] { EXPECT_EQ(gameState, Fresh) << "the face starts a new game after a loss"; })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Keys, F2StartsAGameF3SolvesAndEitherCaseOfHAsksForAHint)
{
    uint32_t games = 0;
    Script script;
    script.Turn()
        .Do([&] { games = gamesStarted; })
        .Key(VK_F2)
        .Do([&] { EXPECT_EQ(gamesStarted, games + 1); })
        .Key('H', false)
        .Key('H', true)
        .Key('J')
        .Do([] {
            // A fresh board offers no safe square: each hint says so.
            EXPECT_EQ(MessageBoxes().size(), 2u);
            EXPECT_FALSE(solving);
        })
        .Key(VK_F3)
        .Do([] { EXPECT_TRUE(solving || gameState != Fresh); })
        .WaitUntil([] { return !solving; })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}
