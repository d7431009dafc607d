// Passes 2 and 3: the forced-move patterns around constraint squares.
#include "model/reveal.h"
#include "solver/solver_passes.h"

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

// Pass 2: where the marks account for the number, every other covered
// neighbour is safe. Squares uncovered earlier in the sweep can act later in
// the same sweep.
Truth RevealAroundSolvedSquares(const StepArguments& step)
{
    Truth progress = 0;
    for (int32_t x = 0; x < step.width; ++x) {
        for (int32_t y = 0; y < step.height; ++y) {
            const Cell& cell = step.board[x][y];
            if (!IsConstraintSquare(cell))
                continue;
            const NeighbourCounts counts = CountAround(x, y, step.width, step.height, step.board);
            if (!MarksAccountForNumber(cell.adjacentMines, counts.marked, counts.unrevealed))
                continue;
            if (WindowHasCovered(x, y, step.width, step.height, step.board))
                progress = 1;
            // The audit has checked every mark, so this cannot hit a mine;
            // on a trial copy it uncovers only assumptions.
            RevealAround(x, y, step.width, step.height, step.board, step.hypothetical);
        }
    }
    return progress;
}

// Pass 3: where the unrevealed neighbours are exactly as many as the number,
// they are all mines.
Truth MarkForcedMines(const StepArguments& step)
{
    Truth progress = 0;
    for (int32_t x = 0; x < step.width; ++x) {
        for (int32_t y = 0; y < step.height; ++y) {
            const Cell& cell = step.board[x][y];
            if (!IsConstraintSquare(cell))
                continue;
            const NeighbourCounts counts = CountAround(x, y, step.width, step.height, step.board);
            if (!OnlyMinesUnrevealed(cell.adjacentMines, counts.marked, counts.unrevealed))
                continue;
            if (WindowHasCovered(x, y, step.width, step.height, step.board))
                progress = 1;
            MarkAround(x, y, step.width, step.height, step.board);
        }
    }
    return progress;
}
