#include "solver/solver_passes.h"

// Squares uncovered as assumptions are skipped: their numbers were never seen.
Truth HasContradiction(int32_t width, int32_t height, Board board)
{
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) {
            const Cell& cell = board[x][y];
            if (cell.state != Revealed || cell.assumedSafe)
                continue;
            const NeighbourCounts counts = CountAround(x, y, width, height, board);
            if (counts.marked > cell.adjacentMines || counts.unrevealed < cell.adjacentMines)
                return 1;
        }
    }
    return 0;
}
