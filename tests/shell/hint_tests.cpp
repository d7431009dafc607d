// The Hint command on the live game.
#include <gtest/gtest.h>

#include "model/board.h"
#include "model/memory.h"
#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "solver/solver.h"
#include "support/game_harness.h"

using portable::MouseButton;

namespace {
const char* const noHintText = "Solver has not identified any squares that can be safely uncovered without guessing.";

int CountRevealedSafe()
{
    int count = 0;
    for (POINT square : SafeSquares())
        count += liveBoard[square.x][square.y].state == Revealed;
    return count;
}

// Whether Solver's steps on a copy of the live board, from pass 0 with the
// given pass limit, prove a covered square of the live board safe.
bool ProvesASquareSafe(int32_t passLimit)
{
    Board copy = CopyBoard(boardColumns, boardRows, liveBoard);
    bool proved = false;
    for (int32_t pass = PassStart; !proved;) {
        pass = SolverStep(pass, boardColumns, boardRows, GetSettingMines(), copy, cellViews, passLimit, 0);
        if (pass >= OutcomeStop)
            break;
        for (int32_t x = 0; x < boardColumns; ++x)
            for (int32_t y = 0; y < boardRows; ++y)
                proved = proved || (copy[x][y].state == Revealed && liveBoard[x][y].state == Covered);
    }
    FreeBoard(boardColumns, boardRows, copy);
    return proved;
}

// Uncovers squares until one has a number and a covered neighbour: a board
// on which Solver has something to work with.
void OpenTheBoard()
{
    const std::vector<POINT> covered = CoveredSafeSquares();
    if (!covered.empty())
        ClickSquareNow(covered[0]);
}
}  // namespace

TEST(Hint, OnAFreshBoardSaysItFoundNothingAndChangesNothing)
{
    Script script;
    script.Turn().Command(CommandHint).Do([] {
        EXPECT_EQ(CountSquares(Covered), 81);
        EXPECT_EQ(gameState, Fresh) << "a hint does not start the clock";
    });
    script.Exit();
    EXPECT_EQ(RunProgram(script), 0);
    ASSERT_EQ(portable::MessageBoxLog().size(), 1u);
    EXPECT_EQ(portable::MessageBoxLog()[0].text, noHintText);
    EXPECT_EQ(portable::MessageBoxLog()[0].title, "Hint");
    EXPECT_EQ(portable::MessageBoxLog()[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(portable::MessageBoxLog()[0].owner, mainWindow);
}

TEST(Hint, UncoversTheFirstProvenSquareWithTheColumnsOuter)
{
    // Solver's deductions on the copy may prove several squares safe at
    // once; the hint uncovers the first of them, columns outer, rows inner.
    bool tested = false;
    for (uint32_t ticks = 1000; ticks < 1000 + 60 * 997 && !tested; ticks += 997) {
        POINT first = {-1, -1}, firstByRows = {-1, -1};
        Script script;
        script.Turn().Do([] { OpenTheBoard(); }).Do([&] {
            Board copy = CopyBoard(boardColumns, boardRows, liveBoard);
            std::vector<POINT> proven;  // columns outer
            for (int32_t pass = PassStart; proven.empty() && pass < OutcomeStop;) {
                pass = SolverStep(pass, boardColumns, boardRows, GetSettingMines(), copy, nullptr, PassGuess, 0);
                for (int x = 0; x < boardColumns; ++x)
                    for (int y = 0; y < boardRows; ++y)
                        if (copy[x][y].state == Revealed && liveBoard[x][y].state == Covered)
                            proven.push_back({x, y});
            }
            if (proven.size() >= 2 && copy[proven[0].x][proven[0].y].adjacentMines != 0) {
                first = proven[0];
                firstByRows = first;
                for (POINT square : proven)
                    if (square.y < firstByRows.y || (square.y == firstByRows.y && square.x < firstByRows.x))
                        firstByRows = square;
                if (firstByRows.x == first.x && firstByRows.y == first.y)
                    first = {-1, -1};
            }
            FreeBoard(boardColumns, boardRows, copy);
        });
        script.Command(CommandHint).Do([&] {
            if (first.x < 0)
                return;
            tested = true;
            EXPECT_EQ(liveBoard[first.x][first.y].state, Revealed) << ticks;
            EXPECT_EQ(liveBoard[firstByRows.x][firstByRows.y].state, Covered) << ticks;
        });
        script.Exit();
        EXPECT_EQ(RunProgram(script, ticks), 0);
    }
    EXPECT_TRUE(tested) << "no board on which the two orders differ";
}

TEST(Hint, EachHintUncoversOneNewSafeSquareAndKeepsThePlayersMarks)
{
    // Several games: hints from an opened board, each uncovering a square
    // (with its flood fill) that was covered, never a mine, until Solver
    // finds nothing or the game is won.
    for (uint32_t ticks : {1000u, 2000u, 3000u, 4000u, 5000u}) {
        POINT wrongMark = {-1, -1};
        int revealed = 0;
        int hintsGiven = 0;
        Script script;
        script.Turn().Do([] { OpenTheBoard(); }).Do([&] {
            // A wrong mark and a right one, which the hints must leave alone.
            wrongMark = CoveredSafeSquares().at(0);
            ClickSquareNow(wrongMark, MouseButton::Right);
            revealed = CountRevealedSafe();
        });
        for (int hint = 0; hint < 6; ++hint) {
            script.Command(CommandHint).Do([&] {
                if (gameState == Won || !portable::MessageBoxLog().empty())
                    return;
                ++hintsGiven;
                EXPECT_GT(CountRevealedSafe(), revealed) << ticks << " hint " << hintsGiven;
                EXPECT_TRUE(SquaresNotAsShown().empty()) << "what the hint uncovered is drawn";
                revealed = CountRevealedSafe();
                EXPECT_EQ(CountSquares(Exploded), 0);
                EXPECT_EQ(liveBoard[wrongMark.x][wrongMark.y].state, Marked);
                EXPECT_NE(gameState, Lost);
            });
        }
        script.Exit();
        EXPECT_EQ(RunProgram(script, ticks), 0);
        for (const auto& call : portable::MessageBoxLog())
            EXPECT_EQ(call.text, noHintText);
        EXPECT_GT(hintsGiven, 0) << ticks;
    }
}

TEST(Hint, UsesTheExclusionOfSafeSquaresToo)
{
    // After thirteen clicks, each on the first covered safe square in column
    // order, this game's next safe square is proved only once pass 5 has
    // shown a square to be a mine; passes 2 to 4 alone prove none.
    int revealed = 0;
    Script script;
    script.Turn();
    for (int click = 0; click < 13; ++click)
        script.Do([] { ClickSquareNow(CoveredSafeSquares().at(0)); });
    script
        .Do([&] {
            ASSERT_EQ(gameState, Running);
            EXPECT_FALSE(ProvesASquareSafe(PassExcludeSafe)) << "the position needs pass 5";
            revealed = CountRevealedSafe();
        })
        .Command(CommandHint)
        .Do([&] {
            EXPECT_GT(CountRevealedSafe(), revealed);
            EXPECT_EQ(CountSquares(Exploded), 0);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script, 1000), 0);
    EXPECT_TRUE(portable::MessageBoxLog().empty());
}

TEST(Hint, PassesOverASquareThePlayerHasMarked)
{
    // First run: a game in which a hint after the opening click uncovers a
    // square, and which square that is.
    POINT hinted = {-1, -1};
    uint32_t ticks = 6000;
    for (; ticks < 6000 + 20 * 997 && hinted.x < 0; ticks += 997) {
        std::vector<POINT> coveredBefore;
        Script first;
        first.Turn()
            .Do([] { OpenTheBoard(); })
            .Do([&] {
                coveredBefore = CoveredSafeSquares();
            })
            .Command(CommandHint)
            .Do([&] {
                for (POINT square : coveredBefore)
                    if (liveBoard[square.x][square.y].state == Revealed && hinted.x < 0)
                        hinted = square;
            })
            .Exit();
        ASSERT_EQ(RunProgram(first, ticks), 0);
    }
    ticks -= 997;
    ASSERT_GE(hinted.x, 0) << "a hint uncovered a square in one of the games";

    // Second run, the same game: with that square marked, the hint must
    // uncover another one (or say it has none), not stop at the mark.
    int revealedBefore = 0;
    Script second;
    second.Turn()
        .Do([] { OpenTheBoard(); })
        .Do([&] { ClickSquareNow(hinted, MouseButton::Right); })
        .Do([&] { revealedBefore = CountRevealedSafe(); })
        .Command(CommandHint)
        .Do([&] {
            EXPECT_EQ(liveBoard[hinted.x][hinted.y].state, Marked);
            EXPECT_TRUE(CountRevealedSafe() > revealedBefore || !portable::MessageBoxLog().empty());
        })
        .Exit();
    ASSERT_EQ(RunProgram(second, ticks), 0);
}

TEST(Hint, AfterALossOrAWinDoesNothing)
{
    Script script;
    script.Turn()
        .Do([] { ClickSquareNow(MineSquares()[0]); })
        .Command(CommandHint)
        .Do([] { SetGameSettings(3, 3, 9); })
        .Turn()
        .Do([] { EXPECT_EQ(gameState, Won); })
        .Command(CommandHint)
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST(Hint, ANewGameBegunDuringAMessageIsLeftAlone)
{
    // The hint's copy cannot get its first trial copy (out of memory); while
    // that message is up, the custom-game window starts a 16 by 16 game.
    // The hint must release its 9 by 9 copy as such and stop.
    int messages = 0;
    auto handler = [&messages](const portable::MessageBoxCall& call) {
        ++messages;
        if (call.title == "No Memory") {
            EnterCustomGame("16", "16", "40");
            portable::PumpMessages();
        }
        return IDOK;
    };
    Script script;
    script.Turn()
        .Do([] { OpenTheBoard(); })
        .Command(CommandCustom)
        .Do([] {
            // The hint's copy: a table and nine columns; the tenth allocation
            // from now is the first trial copy's table.
            FailAllocationAfter(10);
            portable::ChooseMenuItem(mainWindow, CommandHint);
        })
        .Do([] {
            EXPECT_EQ(boardColumns, 16);
            EXPECT_EQ(boardRows, 16);
            EXPECT_EQ(CountSquares(Covered), 256) << "nothing of the hint reached the new game";
            EXPECT_EQ(gameState, Fresh);
        })
        .Exit();
    EXPECT_EQ(RunProgram(script, 1000, handler), 0);
    ASSERT_EQ(messages, 1) << "no hint message about a game that is gone";
    EXPECT_EQ(portable::MessageBoxLog()[0].text, "Out of memory to allocate minefield!");
}
