// Passes 2 and 3: which squares drive them and what they change. Calls use
// passLimit 4 where only these two passes should run.
#include "model/neighbours.h"
#include "solver/forced_moves.h"
#include "solver_support.h"

TEST(SolverForcedMoves, StepsOnPictures)
{
    ExpectSteps({
        {"a 0 is no constraint", {"0.*"}, PassRevealSolved, PassExcludeMine, 0, OutcomeStop, {"0.*"}},
        {"a 2 with a mark and two covered", {"F2*", "0.0"}, PassRevealSolved, PassExcludeMine, 0, OutcomeStop, {"F2*", "0.0"}},
        {"marks account, nothing else left", {"F1", "11"}, PassRevealSolved, PassExcludeMine, 1, OutcomeStop, {"F1", "11"}},
        {"pass 3 marks the last unrevealed", {"F2*.."}, PassRevealSolved, PassExcludeMine, 0, PassRevealSolved, {"F2F.."}},
        {"pass 2 acts first", {"F1.*10."}, PassRevealSolved, PassExcludeMine, 0, PassRevealSolved, {"F11*10."}},
        {"pass 3 in the next step", {"F11*10."}, PassRevealSolved, PassExcludeMine, 0, PassRevealSolved, {"F11F10."}},
        // The top 2 uncovers the third column, whose top square, uncovered
        // earlier in the same sweep, then uncovers the 2 below right.
        {"one sweep, several squares", {"F2.F.", "F2..*"}, PassRevealSolved, PassExcludeMine, 0, PassRevealSolved,
         {"F21F.", "F212*"}},
        {"trial: assumptions, no flood fill", {"F1..", "...."}, PassRevealSolved, PassExcludeMine, 1, PassRevealSolved,
         {"F1a.", "aaa."}},
        {"trial: marks for real", {"*2*"}, PassRevealSolved, PassExcludeMine, 1, PassRevealSolved, {"F2F"}},
    });

    // An assumption whose mark accounts for its number would, as a
    // constraint, uncover the square to its right.
    ScopedBoard assumption({"Fa.*"});
    assumption.at(1, 0).adjacentMines = 1;
    EXPECT_EQ(Step(assumption, PassRevealSolved, PassExcludeMine), OutcomeStop);
    EXPECT_EQ(assumption.text(), (Rows{"Fa.*"}));

    ScopedBoard trial({"F1..", "...."});
    Step(trial, PassRevealSolved, PassExcludeMine, 1);
    EXPECT_EQ(trial.at(2, 0).dirty, 0);
}

TEST(SolverForcedMoves, AnExplodedNeighbourIsNotProgress)
{
    // Outside Solver's precondition: the 1 below the exploded mine sees one
    // unrevealed neighbour that no area operation can change. Counting that
    // as progress would repeat forever, in a trial's loop as in a Solve! run.
    ScopedBoard board({"X1.", "110"});
    EXPECT_EQ(Step(board, PassRevealSolved, PassExcludeMine, 1), OutcomeStop);
    int32_t pass = PassRevealSolved;
    for (int steps = 0; pass == PassRevealSolved && steps < 10; ++steps)
        pass = Step(board, pass, PassGuess, 1);
    EXPECT_EQ(pass, PassGuess);
    EXPECT_EQ(board.text(), (Rows{"X1a", "110"}));  // the 0 proved it safe
}

TEST(SolverForcedMoves, NeighbourCountsAgreeWithTheModelsOnEverySquare)
{
    for (const Rows& rows : std::vector<Rows>{{"f"}, {"1F.X"}, {"B", "2", "a", "."}, {"F.1*", "XBa2", "..F.", "3f*A"}}) {
        ScopedBoard board(rows);
        for (int32_t x = 0; x < board.width; ++x)
            for (int32_t y = 0; y < board.height; ++y) {
                const NeighbourCounts counts = CountAround(x, y, board.width, board.height, board.board);
                EXPECT_EQ(counts.marked, CountMarkedNeighbours(x, y, board.width, board.height, board.board));
                EXPECT_EQ(counts.unrevealed, CountUnrevealedNeighbours(x, y, board.width, board.height, board.board));
            }
    }
}
