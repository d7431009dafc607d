#include "solver/lazy_copy.h"

#include <cstring>

#include "model/board.h"
#include "model/memory.h"

bool MakeLazyCopy(LazyCopy& copy, int32_t width, int32_t height, Board source)
{
    copy.width = width;
    copy.height = height;
    copy.source = source;
    copy.board = CreateBoard(width, height);
    if (copy.board == nullptr)
        return false;
    for (int32_t x = 0; x < width; ++x) {
        copy.ownColumns[x] = copy.board[x];
        copy.board[x] = source[x];
    }
    copy.ownedColumns = 0;
    return true;
}

void OwnColumns(LazyCopy& copy, int32_t firstColumn, int32_t lastColumn)
{
    if (firstColumn < 0)
        firstColumn = 0;
    if (lastColumn >= copy.width)
        lastColumn = copy.width - 1;
    for (int32_t x = firstColumn; x <= lastColumn; ++x) {
        const uint64_t bit = 1ull << x;
        if (copy.ownedColumns & bit)
            continue;
        std::memcpy(copy.ownColumns[x], copy.source[x], sizeof(Cell) * static_cast<size_t>(copy.height));
        copy.board[x] = static_cast<Cell*>(copy.ownColumns[x]);
        copy.ownedColumns |= bit;
    }
}

// As FreeBoard releases a board: the columns, then the table.
void ReleaseLazyCopy(LazyCopy& copy)
{
    ReleaseBlocksOfSize(copy.width, copy.ownColumns, sizeof(Cell) * static_cast<size_t>(copy.height));
    ReleaseMemory(copy.board);
    copy.board = nullptr;
}

bool CopyCouldBeMade(int32_t width, int32_t height)
{
    Board table = CreateBoard(width, height);
    if (table == nullptr)
        return false;
    void* columns[maxBoardSide];
    for (int32_t x = 0; x < width; ++x)
        columns[x] = table[x];
    ReleaseBlocksOfSize(width, columns, sizeof(Cell) * static_cast<size_t>(height));
    ReleaseMemory(table);
    return true;
}
