// The picture window of every square, and the mapping between squares and
// client pixels of the main window.
#pragma once

#include "model/cell.h"
#include "platform/win32.h"

// One square's view: its picture window, or nullptr while it has none.
struct CellView {
    HWND window;
};

// Shaped like the board: a table of columns of CellView records, [x][y].
typedef CellView** CellViewStore;

// A new store with every handle empty, or nullptr after the same messages
// that CreateBoard shows for a bad size or exhausted memory.
CellViewStore CreateCellViews(int32_t width, int32_t height);

// Destroys every picture window of the store and releases it.
void FreeCellViews(int32_t width, int32_t height, CellViewStore store);

// The bitmap name that a square shows ("nc", "marked", "rmine", "bmine",
// "mine", "s0" to "s8"); the state is tested before isMine.
const char* CellPictureName(const Cell& cell);

// Rebuilds the picture of square (x, y) from the board.
void DrawCell(int32_t x, int32_t y, Board board, CellViewStore store);

// Rebuilds every dirty square and clears its flag. A missing store or board
// is left alone (a new game whose allocation failed has none).
void RefreshCells(int32_t width, int32_t height, Board board, CellViewStore store);

// The top-left pixel of a square's column and row (see view/geometry.h).
int32_t ColumnToPixel(int32_t column);
int32_t RowToPixel(int32_t row);
// The square under a pixel, rounding down; no bounds test.
int32_t PixelToColumn(int32_t x);
int32_t PixelToRow(int32_t y);
