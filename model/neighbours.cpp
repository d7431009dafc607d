#include "model/neighbours.h"

namespace {
// The walk the three counts share: columns x-1 to x+1 outer, rows inner,
// clipped to the board once; the square itself is not counted.
template <typename Test>
int32_t CountNeighbours(int32_t x, int32_t y, int32_t width, int32_t height, Board board, Test counts)
{
    const int32_t firstColumn = x > 0 ? x - 1 : 0, lastColumn = x + 1 < width ? x + 1 : width - 1;
    const int32_t firstRow = y > 0 ? y - 1 : 0, lastRow = y + 1 < height ? y + 1 : height - 1;
    int32_t count = 0;
    for (int32_t column = firstColumn; column <= lastColumn; ++column) {
        const Cell* cells = board[column];
        for (int32_t row = firstRow; row <= lastRow; ++row)
            count += counts(cells[row]) ? 1 : 0;
    }
    if (x >= 0 && x < width && y >= 0 && y < height && counts(board[x][y]))
        --count;
    return count;
}
}  // namespace

int32_t CountUnrevealedNeighbours(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    return CountNeighbours(x, y, width, height, board, [](const Cell& cell) { return cell.state != Revealed; });
}

int32_t CountMarkedNeighbours(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    return CountNeighbours(x, y, width, height, board, [](const Cell& cell) { return cell.state == Marked; });
}

int32_t CountMineNeighbours(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    return CountNeighbours(x, y, width, height, board, [](const Cell& cell) { return cell.isMine != 0; });
}
