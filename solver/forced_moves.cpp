// Passes 2 and 3: the forced-move patterns around constraint squares.
#include "solver/forced_moves.h"

#include "model/reveal.h"

// The window is clipped to the board once, instead of testing each position.
NeighbourCounts CountAround(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    NeighbourCounts counts = {0, 0};
    const int32_t firstColumn = x > 0 ? x - 1 : 0, lastColumn = x + 1 < width ? x + 1 : width - 1;
    const int32_t firstRow = y > 0 ? y - 1 : 0, lastRow = y + 1 < height ? y + 1 : height - 1;
    for (int32_t column = firstColumn; column <= lastColumn; ++column) {
        const Cell* cells = board[column];
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            if (column == x && row == y)
                continue;
            counts.marked += cells[row].state == Marked;
            counts.unrevealed += cells[row].state != Revealed;
        }
    }
    return counts;
}

// On Solver's boards a pass that acts always finds a Covered square in the
// window; testing it keeps a board that breaks that rule (an Exploded or
// FalseMark neighbour counts as unrevealed but cannot change) from
// reporting progress forever.
bool WindowHasCovered(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    for (int32_t column = x - 1; column <= x + 1; ++column)
        for (int32_t row = y - 1; row <= y + 1; ++row)
            if (column >= 0 && row >= 0 && column < width && row < height && board[column][row].state == Covered)
                return true;
    return false;
}

bool ForcedMoveApplies(ForcedMove move, int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    const int32_t number = board[x][y].adjacentMines;
    const NeighbourCounts counts = CountAround(x, y, width, height, board);
    if (move == UncoverAround)
        return counts.marked == number && counts.unrevealed != counts.marked;
    return counts.unrevealed == number && counts.marked != number;
}

void ApplyForcedMove(ForcedMove move, int32_t x, int32_t y, int32_t width, int32_t height, Board board,
                     Truth hypothetical)
{
    // After the audit every mark is on a mine, so uncovering cannot hit one;
    // on a trial copy it uncovers only assumptions.
    if (move == UncoverAround)
        RevealAround(x, y, width, height, board, hypothetical);
    else
        MarkAround(x, y, width, height, board);
}

namespace {
// One sweep of a forced move over every constraint square, columns outer;
// squares uncovered earlier in the sweep can act later in the same sweep.
// True when it changed the board.
Truth SweepForcedMove(const StepArguments& step, ForcedMove move)
{
    Truth progress = 0;
    for (int32_t x = 0; x < step.width; ++x) {
        for (int32_t y = 0; y < step.height; ++y) {
            if (!IsConstraintSquare(step.board[x][y]) ||
                !ForcedMoveApplies(move, x, y, step.width, step.height, step.board))
                continue;
            if (WindowHasCovered(x, y, step.width, step.height, step.board))
                progress = 1;
            ApplyForcedMove(move, x, y, step.width, step.height, step.board, step.hypothetical);
        }
    }
    return progress;
}
}  // namespace

Truth RevealAroundSolvedSquares(const StepArguments& step)
{
    return SweepForcedMove(step, UncoverAround);
}

Truth MarkForcedMines(const StepArguments& step)
{
    return SweepForcedMove(step, MarkAroundNumber);
}
