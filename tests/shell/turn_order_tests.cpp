// The order of the idle turn's steps, as the player sees it turn by turn: a
// turn that changes the face does nothing else, the timer is drawn before
// the tally can end the game, and Solver steps after the tally, so the win
// that Solver's last square makes shows one turn later and its counter one
// turn after that.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "shell/main_loop.h"
#include "support/game_harness.h"
#include "view/counters.h"

using portable::MouseButton;

namespace {
std::string ElapsedText()
{
    char text[8];
    std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>((GetTickCount() - startTick) / 1000u));
    return text;
}

int MinesAround(int column, int row)
{
    int mines = 0;
    for (int x = column - 1; x <= column + 1; ++x)
        for (int y = row - 1; y <= row + 1; ++y)
            if (x >= 0 && y >= 0 && x < boardColumns && y < boardRows)
                mines += liveBoard[x][y].isMine != 0;
    return mines;
}

// A covered safe square that no other square's flood fill can uncover: it
// has a number, and so has every safe square around it.
bool FindSquareOutOfEveryFill(POINT* found)
{
    for (POINT square : CoveredSafeSquares()) {
        bool outOfReach = true;
        for (int x = square.x - 1; x <= square.x + 1 && outOfReach; ++x)
            for (int y = square.y - 1; y <= square.y + 1 && outOfReach; ++y)
                if (x >= 0 && y >= 0 && x < boardColumns && y < boardRows && !liveBoard[x][y].isMine)
                    outOfReach = MinesAround(x, y) > 0;
        if (outOfReach) {
            *found = square;
            return true;
        }
    }
    return false;
}

// What the player sees at the start of a turn of the main loop.
struct Seen {
    std::string face;
    std::string counter;
    bool solving;
    size_t coveredSafe;
};

Seen Look()
{
    return {FaceName(), CounterText(), solving != 0, CoveredSafeSquares().size()};
}

// Handles the input given so far, as the main loop does before its turn.
void DispatchPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
}  // namespace

// The idle turns are run here one at a time: the face's repaint wakes the
// loop for a turn of its own, so the loop itself would run both turns
// before the test could look.
TEST(TurnOrder, ATurnThatChangesTheFaceLeavesTheTimerToTheNextTurn)
{
    std::string timer;
    Script script;
    script.Turn()
        .Do([] { ClickSquareNow(SafeSquares()[0]); })
        .Do([&] {
            ASSERT_EQ(gameState, Running);
            timer = TimerText();
            portable::AdvanceTickCount(2000);
            const POINT face = FaceCentre();
            portable::PressMouse(mainWindow, MouseButton::Left, face.x, face.y);
            DispatchPending();
            IdleTurn();
            EXPECT_EQ(FaceName(), "psmile");
            EXPECT_EQ(TimerText(), timer) << "the turn that presses the face ends there";
            IdleTurn();
            EXPECT_NE(TimerText(), timer) << "the next turn draws the timer";

            timer = TimerText();
            portable::AdvanceTickCount(1000);
            portable::MoveMouse(mainWindow, 1, 1);
            DispatchPending();
            IdleTurn();
            EXPECT_EQ(FaceName(), "smile");
            EXPECT_EQ(TimerText(), timer) << "the turn that puts the face back ends there";
            IdleTurn();
            EXPECT_NE(TimerText(), timer) << "the next turn draws the timer";
        })
        .Release(1, 1)
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(TurnOrder, TheTurnThatWinsDrawsTheTimerOfItsSecondBeforeTheTallyStopsIt)
{
    // Expert boards are crowded enough to have such a square.
    bool tested = false;
    for (uint32_t ticks = 1000; ticks < 1000 + 10 * 997 && !tested; ticks += 997) {
        POINT last = {-1, -1};
        std::string shownBefore;
        Script script;
        script.Turn()
            .Command(CommandExpert)
            .Do([&] {
                tested = FindSquareOutOfEveryFill(&last);
                if (!tested)
                    return;
                for (POINT square : CoveredSafeSquares())
                    if (square.x != last.x || square.y != last.y)
                        ClickSquareNow(square);
            })
            .Do([&] {
                if (!tested)
                    return;
                ASSERT_EQ(gameState, Running);
                ASSERT_EQ(CoveredSafeSquares().size(), 1u);
                shownBefore = TimerText();
                // A new second begins before the last square is uncovered.
                portable::AdvanceTickCount(1000);
                ClickSquareNow(last);
            })
            .Do([&] {
                if (!tested)
                    return;
                ASSERT_EQ(gameState, Won);
                EXPECT_NE(TimerText(), shownBefore);
                EXPECT_EQ(TimerText(), ElapsedText()) << "the winning turn's second is the last one drawn";
            })
            .Exit();
        ASSERT_EQ(RunProgram(script, ticks), 0);
    }
    EXPECT_TRUE(tested);
}

TEST(TurnOrder, SolversLastSquareWinsOneTurnLaterAndTheCounterShowsNoneLeftBeforeTheNextInput)
{
    // Each turn of Solve! mode asks for input once, after the turn before:
    // the condition below sees the screen between every two turns.
    int wins = 0;
    for (uint32_t ticks = 100; ticks < 100 + 12 * 997; ticks += 997) {
        std::vector<Seen> turns;
        Seen after = {};
        Script script;
        script.Turn()
            .Key(VK_F3)
            .WaitUntil([&] {
                turns.push_back(Look());
                return !solving;
            })
            .Turn()
            .Do([&] { after = Look(); })
            .Exit();
        ASSERT_EQ(RunProgram(script, ticks), 0);
        if (gameState != Won)
            continue;
        size_t first = 0;
        while (first < turns.size() && turns[first].coveredSafe > 0)
            ++first;
        ASSERT_LT(first, turns.size()) << ticks;
        ++wins;
        // The step that uncovered the last safe square came after that
        // turn's tally; the next turn's tally wins, with the count it made
        // before marking the rest; Solve! mode ends in the same turn. The
        // new face's repaint wakes the loop for one more turn before it
        // waits for input, and that turn's tally shows none left.
        EXPECT_TRUE(turns[first].solving) << ticks;
        EXPECT_EQ(turns[first].face, "smile") << ticks;
        ASSERT_EQ(first + 2, turns.size()) << ticks;
        EXPECT_EQ(turns[first + 1].face, "csmile") << ticks;
        EXPECT_FALSE(turns[first + 1].solving) << ticks;
        EXPECT_EQ(turns[first + 1].counter, "000") << ticks;
        EXPECT_EQ(after.counter, "000") << ticks;
    }
    EXPECT_GT(wins, 0);
}

TEST(TurnOrder, EachSolveStepIsDrawnInItsOwnTurn)
{
    int turns = 0;
    int undrawn = 0;
    for (uint32_t ticks = 100; ticks < 100 + 4 * 997; ticks += 997) {
        Script script;
        script.Turn()
            .Key(VK_F3)
            .WaitUntil([&] {
                ++turns;
                undrawn += !SquaresNotAsShown().empty();
                return !solving;
            })
            .Exit();
        ASSERT_EQ(RunProgram(script, ticks), 0);
    }
    EXPECT_GT(turns, 20);
    EXPECT_EQ(undrawn, 0) << "turns that began with squares not drawn";
}

TEST(TurnOrder, InSolveModeTheTimerIsRedrawnOnlyWhenItsSecondChanges)
{
    // Every picture drawn holds a GDI object of its own until the program
    // ends, so a timer redrawn on every turn of Solve! mode, which turns as
    // fast as the machine allows, would use up the system's objects.
    int turns = 0;
    int redraws = 0;
    for (uint32_t ticks = 100; ticks < 100 + 12 * 997 && turns < 20; ticks += 997) {
        turns = 0;
        redraws = 0;
        HWND shown = nullptr;
        Script script;
        script.Turn()
            .Key(VK_F3)
            .WaitUntil([&] {
                if (timerDigits[2] != shown) {
                    shown = timerDigits[2];
                    ++redraws;
                }
                ++turns;
                portable::AdvanceTickCount(100);  // ten turns a second
                return !solving;
            })
            .Exit();
        ASSERT_EQ(RunProgram(script, ticks), 0);
    }
    ASSERT_GE(turns, 20);
    EXPECT_LE(redraws, turns / 10 + 2);
}
