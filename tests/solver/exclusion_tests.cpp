// Passes 4 and 5 and the contradiction test.
#include "model/memory.h"
#include "solver/exclusion.h"
#include "solver_support.h"

namespace {
// Only pass 4 decides it: the top middle cannot be a mine. (Pass 5 would
// already prove the top left a mine at its first trial, but pass 4 tries
// every square first.)
const Rows topMiddleSafe = {"*.*", "121"};
// Only pass 5 decides it: the top left cannot be safe.
const Rows topLeftMine = {"*.1", "2*1"};
}  // namespace

TEST(SolverContradiction, FindsNumbersThatTheMarksOrTheUnrevealedSquaresCannotMeet)
{
    const std::pair<Rows, bool> cases[] = {
        {{"F2F", "121"}, false}, {{"F1F"}, true},  // too many marks
        {{"2.1"}, true},                           // the 2 has one unrevealed neighbour
        {{"0F"}, true},                            // a 0 counts too
        {{"aF", "Fa"}, false},                     // assumptions are skipped
    };
    for (const auto& c : cases) {
        ScopedBoard board(c.first);
        EXPECT_EQ(HasContradiction(board.width, board.height, board.board), c.second) << c.first[0];
        EXPECT_EQ(board.text(), c.first);
    }
}

TEST(SolverExclusion, StepsOnPictures)
{
    ExpectSteps({
        {"pass 4 uncovers", topMiddleSafe, PassRevealSolved, noPassLimit, 0, PassRevealSolved, {"*2*", "121"}},
        {"pass 4 entered directly", topMiddleSafe, PassExcludeMine, noPassLimit, 0, PassRevealSolved, {"*2*", "121"}},
        {"pass 5 marks", topLeftMine, PassRevealSolved, noPassLimit, 0, PassRevealSolved, {"F.1", "2*1"}},
        {"pass 5 entered directly", topLeftMine, PassExcludeSafe, noPassLimit, 0, PassRevealSolved, {"F.1", "2*1"}},
        {"pass 5 within Hint's limit", topLeftMine, PassRevealSolved, PassGuess, 0, PassRevealSolved, {"F.1", "2*1"}},
        // Left covered by a mark during a flood fill, the mark since cleared.
        {"covered beside a 0", {"0.*"}, PassRevealSolved, noPassLimit, 0, PassRevealSolved, {"01*"}},
        {"nothing provable", {"*1."}, PassRevealSolved, noPassLimit, 0, PassGuess, {"*1."}},
        {"nothing covered", {"1F"}, PassRevealSolved, noPassLimit, 1, PassGuess, {"1F"}},
        // Uncovered for real on the trial copy, the mine's own number would
        // tell which of the two top squares holds it.
        {"a trial never learns the assumed square's number", {".*", "11"}, PassRevealSolved, noPassLimit, 0, PassGuess,
         {".*", "11"}},
    });
}

TEST(SolverExclusion, NothingProvableLeavesEveryFieldOfTheBoardAsItWas)
{
    ScopedBoard board({"*1."});
    board.at(0, 0).mineOdds = 0.25f;
    board.at(2, 0).oddsVotes = 3;
    board.at(2, 0).dirty = 1;
    const std::vector<Cell> before = Snapshot(3, 1, board.board);
    EXPECT_EQ(Step(board, PassRevealSolved, noPassLimit), PassGuess);
    EXPECT_TRUE(SameSnapshot(before, Snapshot(3, 1, board.board)));
}

TEST(SolverExclusion, AProofThatHitsAMineIsALogicalMistake)
{
    // The numbers lie about the top middle, which holds a mine.
    ScopedMainWindow owner;
    ScopedBoard board({"**.", "121"});
    EXPECT_EQ(Step(board, PassRevealSolved, noPassLimit), OutcomeFailed);
    ExpectSolverMessage("Ooops!  Solver made a logical mistake and failed to solve the puzzle.", 16);
    EXPECT_EQ(board.text(), (Rows{"*M.", "121"}));
}

TEST(SolverExclusion, ATrialCopyThatCannotBeMadeStopsTheStepAndChangesNothing)
{
    // Each copy of a 3-column board takes four allocations (the table and
    // three columns); pass 4's second trial is the one that proves. A failure
    // at any of them stops the step with CopyBoard's message alone.
    ScopedMainWindow owner;
    for (int32_t failing = 0; failing <= 8; ++failing) {
        ScopedBoard board(topMiddleSafe);
        const std::vector<Cell> before = Snapshot(3, 2, board.board);
        FailAllocationAfter(failing);
        const int32_t result = Step(board, PassRevealSolved, noPassLimit);
        FailAllocationAfter(-1);
        if (failing == 8) {
            EXPECT_EQ(result, PassRevealSolved);
            EXPECT_TRUE(portable::MessageBoxLog().empty());
            break;
        }
        EXPECT_EQ(result, OutcomeStop) << failing;
        EXPECT_TRUE(SameSnapshot(before, Snapshot(3, 2, board.board))) << failing;
        ASSERT_EQ(portable::MessageBoxLog().size(), 1u) << failing;
        EXPECT_EQ(portable::MessageBoxLog()[0].title, "No Memory");
        portable::ClearMessageBoxLog();
    }

    // Pass 5's first copy, after pass 4's three trials.
    ScopedBoard passFive(topLeftMine);
    FailAllocationAfter(12);
    EXPECT_EQ(Step(passFive, PassRevealSolved, noPassLimit), OutcomeStop);
    FailAllocationAfter(-1);
    EXPECT_EQ(passFive.text(), topLeftMine);
    EXPECT_EQ(portable::MessageBoxLog().size(), 1u);
}
