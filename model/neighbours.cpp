#include "model/neighbours.h"

namespace {
// The walk the three counts share: columns x-1 to x+1 outer, rows inner.
template <typename Test>
int32_t CountNeighbours(int32_t x, int32_t y, int32_t width, int32_t height, Board board, Test counts)
{
    int32_t count = 0;
    for (int32_t column = x - 1; column <= x + 1; ++column) {
        for (int32_t row = y - 1; row <= y + 1; ++row) {
            if (column < 0 || column >= width || row < 0 || row >= height)
                continue;
            if (column == x && row == y)
                continue;
            if (counts(board[column][row]))
                ++count;
        }
    }
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
