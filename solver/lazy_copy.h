// A trial copy of the step's board that copies only what the trial changes.
// It is made with the same allocations as CopyBoard (a table and a column
// for each column of the board), so memory runs out exactly where a full
// copy's would; but until the trial first changes a column, the copy's
// table points at the step's own column, which the trial only reads.
#pragma once

#include <cstdint>

#include "model/cell.h"

struct LazyCopy {
    int32_t width;
    int32_t height;
    Board board;   // what the trial reads and changes
    Board source;  // the step's board, never changed through the copy
    void* ownColumns[maxBoardSide];  // the copy's columns, filled when first changed
    uint64_t ownedColumns;           // bit x: board[x] is the copy's own column
};

// False, after CopyBoard's message, when the copy cannot be made.
bool MakeLazyCopy(LazyCopy& copy, int32_t width, int32_t height, Board source);

// Columns firstColumn to lastColumn (clipped to the board) become the copy's
// own, as they stand on the step's board, before the trial changes them.
void OwnColumns(LazyCopy& copy, int32_t firstColumn, int32_t lastColumn);

void ReleaseLazyCopy(LazyCopy& copy);

// Asks for the memory of a copy and gives it back at once: a trial that can
// be judged without its copy still takes the memory the copy would, so that
// memory runs out exactly where it does for a trial on a copy. False, after
// CopyBoard's message, when the copy could not be made.
bool CopyCouldBeMade(int32_t width, int32_t height);
