#include "solver/solver_passes.h"

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
