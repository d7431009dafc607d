// While a message box is up the player may start a new game, which replaces
// the board: after every box the step returns without touching it again.
#include "model/memory.h"
#include "solver_support.h"

namespace {
const Cell replaced = {Exploded, 77, 1, 1, 9.0f, 9, 0};

// Answers every box by overwriting the whole board, as a new game would.
void ReplaceBoardWhileABoxIsUp(ScopedBoard& board)
{
    portable::SetMessageBoxHandler([&board](const portable::MessageBoxCall&) {
        for (int32_t x = 0; x < board.width; ++x)
            for (int32_t y = 0; y < board.height; ++y)
                board.at(x, y) = replaced;
        return IDOK;
    });
}

bool StillReplaced(ScopedBoard& board)
{
    for (int32_t x = 0; x < board.width; ++x)
        for (int32_t y = 0; y < board.height; ++y)
            if (!SameCell(board.at(x, y), replaced))
                return false;
    return true;
}
}  // namespace

TEST(SolverMessageBoxes, TheStepReturnsAtOnceAfterEachOne)
{
    struct Case {
        Rows rows;
        int32_t pass;
        int32_t failingAllocation;
        int32_t result;
    };
    const Case cases[] = {
        {{"f.*", "..."}, PassRevealSolved, -1, OutcomeStop},  // wrong mark
        {{"**.", "121"}, PassRevealSolved, -1, OutcomeFailed},  // pass 4's mistake
        {{"*.", ".."}, PassGuess, -1, OutcomeFailed},            // the guess hits the mine
        {{"*.*", "121"}, PassRevealSolved, 5, OutcomeStop},     // a trial copy fails
    };
    for (const Case& c : cases) {
        ScopedBoard board(c.rows);
        ReplaceBoardWhileABoxIsUp(board);
        FailAllocationAfter(c.failingAllocation);
        EXPECT_EQ(Step(board, c.pass, noPassLimit), c.result) << c.rows[0];
        EXPECT_TRUE(StillReplaced(board)) << c.rows[0];
        EXPECT_EQ(portable::MessageBoxLog().size(), 1u) << c.rows[0];
        FailAllocationAfter(-1);
        portable::SetMessageBoxHandler(nullptr);
        portable::ClearMessageBoxLog();
    }
}
