#include "model/reveal.h"

#include "model/neighbours.h"

namespace {
bool OnBoard(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return x >= 0 && y >= 0 && x < width && y < height;
}
}  // namespace

// The flood fill recurses once per square it uncovers, so its depth is at
// most the number of squares plus one (2,402 small frames on 49 by 49).
Truth RevealCell(int32_t x, int32_t y, int32_t width, int32_t height, Board board, Truth hypothetical)
{
    if (!OnBoard(x, y, width, height))
        return 0;
    Cell& cell = board[x][y];
    if (cell.state != Covered)
        return 0;

    const int32_t mines = CountMineNeighbours(x, y, width, height, board);
    cell.state = Revealed;
    cell.adjacentMines = mines;
    if (hypothetical) {
        cell.assumedSafe = 1;
        return 0;
    }
    cell.dirty = 1;
    if (cell.isMine)
        return 1;
    if (mines != 0)
        return 0;

    for (int32_t column = x - 1; column <= x + 1; ++column)
        for (int32_t row = y - 1; row <= y + 1; ++row)
            RevealCell(column, row, width, height, board, hypothetical);
    return 0;
}

Truth MarkCell(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    if (!OnBoard(x, y, width, height))
        return 0;
    Cell& cell = board[x][y];
    if (cell.state == Covered) {
        cell.state = Marked;
        cell.dirty = 1;
    }
    return 0;
}

void UnmarkCell(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    if (!OnBoard(x, y, width, height))
        return;
    Cell& cell = board[x][y];
    if (cell.state == Marked) {
        cell.state = Covered;
        cell.dirty = 1;
    }
}

Truth RevealAround(int32_t x, int32_t y, int32_t width, int32_t height, Board board, Truth hypothetical)
{
    Truth hitMine = 0;
    for (int32_t column = x - 1; column <= x + 1; ++column)
        for (int32_t row = y - 1; row <= y + 1; ++row)
            if (RevealCell(column, row, width, height, board, hypothetical))
                hitMine = 1;
    return hitMine;
}

void MarkAround(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    for (int32_t column = x - 1; column <= x + 1; ++column)
        for (int32_t row = y - 1; row <= y + 1; ++row)
            MarkCell(column, row, width, height, board);
}
