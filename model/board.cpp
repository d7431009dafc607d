#include "model/board.h"

#include "model/column_table.h"

Board CreateBoard(int32_t width, int32_t height)
{
    return AllocateColumnTable<Cell>(width, height);
}

Board CopyBoard(int32_t width, int32_t height, Board source)
{
    Board copy = CreateBoard(width, height);
    if (copy == nullptr)
        return nullptr;
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            copy[x][y] = source[x][y];
    return copy;
}

void FreeBoard(int32_t width, int32_t height, Board board)
{
    (void)height;
    ReleaseColumnTable(width, board);
}
