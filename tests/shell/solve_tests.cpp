// Solve! mode: Solver playing the live game, one step per turn.
#include <gtest/gtest.h>

#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "solver/solver.h"
#include "support/game_harness.h"
#include "view/counters.h"

using portable::MouseButton;

namespace {
const char* const guessHitMine = "Ooops!  Solver accidentally chose a square that contained a mine.";
}

TEST(Solve, PlaysWholeGamesToTheirEndAndLeavesSolveMode)
{
    int won = 0, lost = 0;
    for (uint32_t ticks = 100; ticks < 100 + 30 * 997; ticks += 997) {
        Script script;
        script.Turn().Key(VK_F3).WaitUntil([] { return !solving; }).Turn().Exit();
        ASSERT_EQ(RunProgram(script, ticks), 0);
        // The state when Solve! mode ended was kept by the run's end.
        if (solvePass == OutcomeFailed) {
            ++lost;
            EXPECT_EQ(gameState, Lost) << ticks;
            ASSERT_EQ(portable::MessageBoxLog().size(), 1u) << ticks;
            EXPECT_EQ(portable::MessageBoxLog()[0].text, guessHitMine);
            EXPECT_EQ(portable::MessageBoxLog()[0].title, "Solver");
            EXPECT_EQ(portable::MessageBoxLog()[0].type, 48u);
        } else {
            ++won;
            EXPECT_EQ(gameState, Won) << ticks << " ended with " << solvePass;
            EXPECT_TRUE(portable::MessageBoxLog().empty());
        }
    }
    EXPECT_GT(won, 0);
    EXPECT_GT(lost, 0);
}

TEST(Solve, AWonGameShowsItsEndAndALostOneItsMine)
{
    // The pictures at the end, while the windows are still up.
    for (uint32_t ticks = 100; ticks < 100 + 12 * 997; ticks += 997) {
        Script script;
        script.Turn().Key(VK_F3).WaitUntil([] { return !solving; }).Turn().Do([ticks] {
            if (gameState == Won) {
                EXPECT_EQ(FaceName(), "csmile") << ticks;
                EXPECT_EQ(CounterText(), "000");
                for (POINT mine : MineSquares())
                    EXPECT_EQ(SquarePicture(mine.x, mine.y), "marked");
                EXPECT_EQ(CountSquares(Covered), 0);
            } else {
                EXPECT_EQ(gameState, Lost) << ticks;
                EXPECT_EQ(FaceName(), "dsmile");
                EXPECT_EQ(CountSquares(Exploded), 1);
            }
        });
        script.Exit();
        ASSERT_EQ(RunProgram(script, ticks), 0);
    }
}

TEST(Solve, AWrongMarkDuringSolveStopsSolverButNotTheGame)
{
    Script script;
    script.Turn()
        .Key(VK_F3)
        .Do([] {
            // Solver has taken its first step; mark a covered safe square.
            ASSERT_TRUE(solving);
            ClickSquareNow(CoveredSafeSquares().at(0), MouseButton::Right);
        })
        .WaitUntil([] { return !solving; })
        .Pause(3000)
        .Turn()
        .Do([] {
            EXPECT_EQ(solvePass, OutcomeStop);
            EXPECT_EQ(gameState, Running);
            EXPECT_NE(TimerText(), "000") << "the clock goes on";
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
    ASSERT_EQ(portable::MessageBoxLog().size(), 1u);
    EXPECT_EQ(portable::MessageBoxLog()[0].text,
              "Solver cannot work on a board with incorrectly marked mines.\nPlease remove these marks and retry "
              "Solver.");
    EXPECT_EQ(portable::MessageBoxLog()[0].type, 48u);
}

TEST(Solve, StartsTheClockOnAFreshGameAndKeepsARunningOne)
{
    uint32_t started = 0;
    Script script;
    script.Turn()
        .Pause(2000)
        .Key(VK_F3)
        .Do([&] {
            EXPECT_EQ(startTick, 3000u);
            solving = 0;  // stop Solver here; the clock keeps its start
        })
        .Do([&] {
            started = startTick;
            ClickSquareNow(SafeSquares()[0]);
        })
        .Pause(2000)
        .Key(VK_F3)
        .Do([&] {
            EXPECT_EQ(startTick, started);
            EXPECT_EQ(gameState, Running);
        })
        .WaitUntil([] { return !solving; })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Solve, AfterTheEndOfAGameSolveModeEndsWithoutAStep)
{
    Script script;
    script.Turn()
        .Do([] { ClickSquareNow(MineSquares()[0]); })
        .Key(VK_F3)
        .Do([] {
            EXPECT_FALSE(solving);
            EXPECT_EQ(solvePass, PassStart) << "no step was taken";
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Solve, AfterAWonGameSolveModeEndsWithoutAStepAndTheTimerStaysStill)
{
    std::string timer;
    Script script;
    script.Turn()
        .Do([] {
            for (POINT square : CoveredSafeSquares())
                ClickSquareNow(square);
        })
        .Pause(1500)
        .Turn()
        .Do([&] {
            ASSERT_EQ(gameState, Won);
            timer = TimerText();
        })
        .Pause(3000)
        .Key(VK_F3)
        .Turn()
        .Do([&] {
            EXPECT_FALSE(solving);
            EXPECT_EQ(solvePass, PassStart) << "no step was taken";
            EXPECT_EQ(TimerText(), timer);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Solve, TheTimerCountsTheTimeSolversLastMessageWasUp)
{
    // Solver loses with a message box that is up for five seconds: the
    // timer, stopped by the loss, shows them.
    bool tested = false;
    for (uint32_t ticks = 100; ticks < 100 + 40 * 997 && !tested; ticks += 997) {
        Script script;
        script.Turn().Key(VK_F3).WaitUntil([] { return !solving; }).Turn().Do([&] {
            if (gameState != Lost)
                return;
            tested = true;
            EXPECT_EQ(TimerText(), "005");
        });
        script.Exit();
        const auto slowAnswer = [](const portable::MessageBoxCall&) {
            portable::AdvanceTickCount(5000);
            return IDOK;
        };
        ASSERT_EQ(RunProgram(script, ticks, slowAnswer), 0);
    }
    EXPECT_TRUE(tested);
}

TEST(Solve, ANewGameDuringSolveModeIsPlayedOn)
{
    uint32_t games = 0;
    Script script;
    script.Turn()
        .Key(VK_F3)
        .Do([&] {
            ASSERT_TRUE(solving);
            games = gamesStarted;
        })
        .Key(VK_F2)
        .Do([&] {
            EXPECT_EQ(gamesStarted, games + 1);
            EXPECT_TRUE(solving);
            EXPECT_EQ(gameState, Fresh) << "the clock waits for the player";
        })
        .WaitUntil([] { return !solving; })
        .Do([] { EXPECT_NE(gameState, Fresh); })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Solve, AnOutcomeThatArrivesAfterANewGameIsNotAppliedToIt)
{
    // Find a game that Solver loses; while its message is up, the custom
    // game window starts another game, which must stay fresh.
    bool tested = false;
    for (uint32_t ticks = 100; ticks < 100 + 40 * 997 && !tested; ticks += 997) {
        bool interrupted = false;
        auto handler = [&interrupted](const portable::MessageBoxCall& call) {
            if (call.text == guessHitMine) {
                EnterCustomGame("5", "6", "3");
                portable::PumpMessages();
                interrupted = true;
            }
            return IDOK;
        };
        Script script;
        script.Turn().Command(CommandCustom).Command(CommandSolve).WaitUntil([] { return !solving; }).Turn().Do([&] {
            if (!interrupted)
                return;
            tested = true;
            EXPECT_EQ(boardColumns, 6);
            EXPECT_EQ(boardRows, 5);
            EXPECT_EQ(gameState, Fresh);
            EXPECT_EQ(FaceName(), "smile");
            EXPECT_EQ(CountSquares(Exploded) + CountSquares(Revealed), 0);
        });
        script.Exit();
        ASSERT_EQ(RunProgram(script, ticks, handler), 0);
    }
    EXPECT_TRUE(tested);
}
