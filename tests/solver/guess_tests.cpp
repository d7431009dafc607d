// Pass 6: the estimates, their 32-bit storage, the choice and its draws.
#include "platform/random.h"
#include "solver_support.h"

namespace {
// The generator's state after `draws` draws from `state`.
uint32_t StateAfterDraws(uint32_t state, int draws)
{
    const uint32_t saved = randomState;
    randomState = state;
    for (int i = 0; i < draws; ++i)
        NextRandom();
    const uint32_t after = randomState;
    randomState = saved;
    return after;
}
}  // namespace

TEST(SolverGuess, EstimatesAreSummedAsStored32BitValuesWithOneVoteEach)
{
    // One unmarked mine among three covered squares; stale scratch values
    // are reset first. The first square hears nothing and takes the density.
    ScopedBoard density({"..1*"});
    for (int32_t x = 0; x < 4; ++x)
        density.at(x, 0) = Cell{density.at(x, 0).state, density.at(x, 0).adjacentMines, 0, x == 3, 7.0f, 5, 0};
    EXPECT_EQ(Step(density, PassGuess, noPassLimit), PassRevealSolved);
    EXPECT_EQ(density.at(0, 0).mineOdds, static_cast<float>(1.0 / 3.0));
    EXPECT_EQ(density.at(0, 0).oddsVotes, 1);
    EXPECT_EQ(density.at(3, 0).mineOdds, 0.5f);
    EXPECT_EQ(density.at(2, 0).oddsVotes, 0);  // uncovered: reset only
    EXPECT_EQ(density.at(2, 0).mineOdds, 0.0f);

    // The second square of the top row hears 1/2 from the 2 below left and
    // 1/4 from the 2 below right: odds 0.375.
    ScopedBoard spread({".*..", "2F2."});
    Step(spread, PassGuess, noPassLimit);
    EXPECT_EQ(spread.at(1, 0).mineOdds, 0.75f);
    EXPECT_EQ(spread.at(1, 0).oddsVotes, 2);
    EXPECT_EQ(spread.at(3, 1).mineOdds, 0.25f);

    // 1/2, then 1/3 worked out in double and added to the stored 0.5: a
    // third taken as a float first would store a different sum.
    ScopedBoard thirds({".*..", "2F21"});
    Step(thirds, PassGuess, noPassLimit);
    EXPECT_EQ(thirds.at(1, 0).mineOdds, static_cast<float>(static_cast<double>(0.5f) + 1.0 / 3.0));
    EXPECT_EQ(thirds.at(1, 0).oddsVotes, 2);

    ScopedBoard zero({"0.*"});  // a 0 gives an estimate of nothing
    Step(zero, PassGuess, noPassLimit);
    EXPECT_EQ(zero.at(1, 0).mineOdds, 0.0f);
    EXPECT_EQ(zero.at(1, 0).oddsVotes, 1);

    ScopedBoard trial({"......"});  // the density is 1.0 on a trial copy
    Step(trial, PassGuess, noPassLimit, 1);
    EXPECT_EQ(trial.at(5, 0).mineOdds, 1.0f);
}

TEST(SolverGuess, TheLowestOddsAreUncoveredAndExactTiesDrawOneValueEach)
{
    struct Case {
        const char* what;
        Rows before;
        Truth hypothetical;
        int startDraws;  // draws made from state 1 before the step
        int32_t result;
        Rows after;
        int draws;  // draws the step makes
    };
    const Case cases[] = {
        {"the lowest, with its flood fill", {"..1*"}, 0, 0, PassRevealSolved, {"001*"}, 0},
        {"the lowest beside a 0", {"0.*"}, 0, 0, PassRevealSolved, {"01*"}, 0},
        // 0.5, then 0.375, then 0.25; the last two squares tie at 0.25 and
        // draw 41 and 18467, neither a multiple of 3.
        {"0.375 beaten by 0.25", {".*..", "2F2."}, 0, 0, PassRevealSolved, {".*2.", "2F2."}, 2},
        // All at 0.1: the first is taken, the nine after it draw 41, 18467,
        // 6334, ...; the seventh and eighth (11478, 29358) take over.
        {"ties", {"*........."}, 0, 0, PassRevealSolved, {"*100000000"}, 9},
        // The second square has float(2/3) over two votes, a little above
        // 1/3 in double precision; the fourth has exactly 1/3 from three
        // votes, equal once stored, so it ties (after the left column's two
        // squares have tied at 2/3).
        {"stored ties, not taken", {"..1.2", "*3F1."}, 0, 0, PassRevealSolved, {".21.2", "*3F1."}, 2},
        {"stored ties, taken by 11478", {"..1.2", "*3F1."}, 0, 5, PassRevealSolved, {"..112", "*3F1."}, 2},
        // On a trial copy every square ties with the starting best of 1.0.
        {"odds of one, none taken", {"......"}, 1, 0, OutcomeStop, {"......"}, 6},
        {"odds of one, the seventh taken", {"......."}, 1, 0, PassRevealSolved, {"......a"}, 7},
        {"nothing covered", {"1F"}, 1, 0, OutcomeStop, {"1F"}, 0},
    };
    for (const Case& c : cases) {
        const uint32_t start = StateAfterDraws(1, c.startDraws);
        randomState = start;
        ScopedBoard board(c.before);
        EXPECT_EQ(Step(board, PassGuess, noPassLimit, c.hypothetical), c.result) << c.what;
        EXPECT_EQ(board.text(), c.after) << c.what;
        EXPECT_EQ(randomState, StateAfterDraws(start, c.draws)) << c.what;
    }
}

TEST(SolverGuess, AGuessThatHitsAMineFailsWithItsMessage)
{
    ScopedMainWindow owner;
    ScopedBoard board({"*."});  // both at 0.5; the tie's draw (41) keeps the first
    EXPECT_EQ(Step(board, PassGuess, noPassLimit), OutcomeFailed);
    ExpectSolverMessage("Ooops!  Solver accidentally chose a square that contained a mine.", 48);
    EXPECT_EQ(board.text(), (Rows{"M."}));
}
