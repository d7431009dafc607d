// The pass machine: entry limit, PassStart, audit, dispatch and the
// fall-through from each pass to the next.
#include "solver/solver_passes.h"

void ClearMarks(int32_t width, int32_t height, Board board)
{
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            if (board[x][y].state == Marked)
                board[x][y].state = Covered;
}

int32_t SolverStep(int32_t pass, int32_t width, int32_t height, int32_t mineTotal, Board board, CellView** views,
                   int32_t passLimit, Truth hypothetical)
{
    if (pass >= passLimit)
        return OutcomeStop;
    // A board that was never made (its allocation failed upstream) has
    // nothing to solve.
    if (board == nullptr)
        return OutcomeStop;

    if (pass == PassStart) {
        ClearMarks(width, height, board);
        pass = PassRevealSolved;
    }

    float mineDensity = 1.0f;
    if (!hypothetical) {
        const BoardAudit audit = AuditBoard(width, height, board);
        if (audit.outcome != passFoundNothing)
            return audit.outcome;
        mineDensity = audit.mineDensity;
    }

    const StepArguments step = {width, height, mineTotal, board, views, hypothetical};
    int32_t result = passFoundNothing;
    switch (pass) {
    case PassRevealSolved:
        if (RevealAroundSolvedSquares(step))
            return PassRevealSolved;
        [[fallthrough]];
    case PassMarkForced:
        if (MarkForcedMines(step))
            return PassRevealSolved;
        [[fallthrough]];
    case PassExcludeMine:
        if (passLimit == PassExcludeMine)
            return OutcomeStop;
        result = ExcludeMineSquare(step);
        if (result != passFoundNothing)
            return result;
        [[fallthrough]];
    case PassExcludeSafe:
        if (passLimit == PassExcludeSafe)
            return OutcomeStop;
        result = ExcludeSafeSquare(step);
        if (result != passFoundNothing)
            return result;
        return PassGuess;
    case PassGuess:
        return GuessSquare(step, mineDensity);
    default:
        return OutcomeStop;
    }
}
