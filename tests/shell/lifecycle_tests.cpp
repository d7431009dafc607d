// Games begun, lost and won through the real main loop.
#include <gtest/gtest.h>

#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "support/game_harness.h"
#include "view/counters.h"
#include "view/geometry.h"

using portable::MouseButton;

namespace {
void UncoverEverySafeSquare()
{
    for (POINT square : CoveredSafeSquares())
        ClickSquareNow(square);
}
}  // namespace

TEST(Lifecycle, AMineOnTheFirstClickLosesWithoutStartingTheClock)
{
    POINT hit, markedMine, wrongMark, coveredSafe;
    uint32_t clockStart = 0;
    Script script;
    script.Turn()
        .Do([&] {
            hit = MineSquares()[0];
            markedMine = MineSquares()[1];
            wrongMark = SafeSquares()[0];
            ClickSquareNow(markedMine, MouseButton::Right);
            ClickSquareNow(wrongMark, MouseButton::Right);
        })
        .Do([&] {
            EXPECT_EQ(gameState, Fresh) << "marking does not start the clock";
            EXPECT_EQ(CounterText(), "008");
            clockStart = startTick;
            ClickSquareNow(hit);
        })
        .Pause(5000)
        .Turn()
        .Do([&] {
            EXPECT_EQ(gameState, Lost);
            EXPECT_EQ(startTick, clockStart);
            EXPECT_EQ(FaceName(), "dsmile");
            EXPECT_EQ(TimerText(), "000");
            EXPECT_EQ(SquarePicture(hit.x, hit.y), "rmine");
            EXPECT_EQ(SquarePicture(markedMine.x, markedMine.y), "marked");
            EXPECT_EQ(SquarePicture(wrongMark.x, wrongMark.y), "bmine");
            for (POINT mine : MineSquares()) {
                const bool hitOrMarked = (mine.x == hit.x && mine.y == hit.y) ||
                                         (mine.x == markedMine.x && mine.y == markedMine.y);
                if (!hitOrMarked) {
                    EXPECT_EQ(SquarePicture(mine.x, mine.y), "mine");
                }
            }
            coveredSafe = SafeSquares()[1];
            EXPECT_EQ(SquarePicture(coveredSafe.x, coveredSafe.y), "nc");
            // The board takes no more moves.
            ClickSquareNow(coveredSafe);
            ClickSquareNow(coveredSafe, MouseButton::Right);
        })
        .Do([&] { EXPECT_EQ(SquarePicture(coveredSafe.x, coveredSafe.y), "nc"); })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Lifecycle, UncoveringEverySafeSquareWinsAndMarksTheMines)
{
    Script script;
    script.Turn()
        .Do([] { UncoverEverySafeSquare(); })
        .Do([] {
            EXPECT_EQ(gameState, Won);
            EXPECT_EQ(FaceName(), "csmile");
            for (POINT mine : MineSquares())
                EXPECT_EQ(SquarePicture(mine.x, mine.y), "marked");
            // The tally that won counted the mines before marking them; the
            // counter catches up a turn later, the turn that painting the
            // marks' pictures brings before the program waits again.
            EXPECT_EQ(CounterText(), "000");
        })
        .Exit();
    EXPECT_EQ(RunProgram(script, 4242), 0);
}

TEST(Lifecycle, AWrongMarkKeepsTheGameFromBeingWon)
{
    POINT last;
    Script script;
    script.Turn()
        .Do([&] {
            // A mark stops flood fills: every other safe square is uncovered.
            last = SafeSquares()[0];
            ClickSquareNow(last, MouseButton::Right);
        })
        .Do([&] { UncoverEverySafeSquare(); })
        .Do([&] {
            EXPECT_EQ(gameState, Running);
            ClickSquareNow(last, MouseButton::Right);  // the mark comes off
        })
        .Do([&] {
            EXPECT_EQ(gameState, Running);
            ClickSquareNow(last);
        })
        .Do([] { EXPECT_EQ(gameState, Won); })
        .Exit();
    EXPECT_EQ(RunProgram(script, 777), 0);
}

TEST(Lifecycle, ALostGameStaysLostWhenItsCoveredSquaresEqualTheMinesLeft)
{
    // After the loss the mines are uncovered, the right marks stay and a few
    // safe squares are still covered, as many as the mines not marked: the
    // tally's win test must not take that for a win.
    size_t covered = 0;
    Script script;
    script.Turn();
    // One square per step, until at most ten safe ones are covered.
    for (int square = 0; square < 81; ++square)
        script.Do([] {
            if (CoveredSafeSquares().size() > 10)
                ClickSquareNow(CoveredSafeSquares()[0]);
        });
    script
        .Do([&] {
            covered = CoveredSafeSquares().size();
            ASSERT_GE(covered, 1u);
            for (size_t i = 0; i < 10 - covered; ++i)
                ClickSquareNow(MineSquares()[i], MouseButton::Right);
        })
        .Do([&] {
            ASSERT_EQ(gameState, Running);
            ClickSquareNow(MineSquares()[9]);
        })
        .Turn()
        .Do([&] {
            EXPECT_EQ(gameState, Lost);
            EXPECT_EQ(FaceName(), "dsmile");
            EXPECT_EQ(static_cast<size_t>(CountSquares(Covered)), covered);
            EXPECT_EQ(static_cast<size_t>(CountSquares(Marked)), 10 - covered);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script, 4242), 0);
}

TEST(Lifecycle, AsManyMinesAsSquaresIsWonBeforeAnyClick)
{
    Script script;
    script.Turn()
        .Do([] { SetGameSettings(4, 3, 12); })
        .Turn()
        .Turn()
        .Turn()
        .Do([] {
            EXPECT_EQ(gameState, Won);
            EXPECT_EQ(FaceName(), "csmile");
            EXPECT_EQ(CountSquares(Marked), 12);
            EXPECT_EQ(CounterText(), "000");
            EXPECT_EQ(TimerText(), "000");
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Lifecycle, ANewGameOfTheSameSizeKeepsTheWindowAndAnotherSizeRecentresIt)
{
    RECT before, same, other;
    Script script;
    script.Turn()
        .Do([&] { GetWindowRect(mainWindow, &before); })
        .Key(VK_F2)
        .Do([&] { GetWindowRect(mainWindow, &same); })
        .Command(CommandIntermediate)
        .Do([&] { GetWindowRect(mainWindow, &other); })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
    EXPECT_EQ(same.left, before.left);
    EXPECT_EQ(same.top, before.top);
    EXPECT_EQ(same.right, before.right);
    EXPECT_EQ(other.right - other.left - (before.right - before.left), (16 - 9) * squareSize);
    EXPECT_LT(other.left, before.left);
}

TEST(Timer, MovesOnlyWhileRunningOncePerSecondAndStopsAtTheCap)
{
    Script script;
    script.Turn()
        .Pause(3000)
        .Turn()
        .Do([] { EXPECT_EQ(TimerText(), "000") << "a fresh game's clock stands still"; })
        .Do([] {
            POINT safe = SafeSquares()[0];
            portable::ClickMouse(mainWindow, MouseButton::Left, SquareCentre(safe.x, safe.y).x,
                                 SquareCentre(safe.x, safe.y).y);
        })
        .Pause(2500)
        .Do([] { EXPECT_EQ(TimerText(), "000") << "no turn, no redraw"; })
        .Turn()
        .Do([] { EXPECT_EQ(TimerText(), "002"); })
        .Pause(1000000)
        .Turn()
        .Do([] { EXPECT_EQ(TimerText(), "999"); })
        .Do([] { ClickSquareNow(MineSquares()[0]); })
        .Pause(5000)
        .Turn()
        .Do([] { EXPECT_EQ(TimerText(), "999"); })
        .Key(VK_F2)
        .Turn()
        .Do([] { EXPECT_EQ(TimerText(), "000"); })
        .Exit();
    EXPECT_EQ(RunProgram(script, 5500), 0);
}
