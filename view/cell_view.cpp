#include "view/cell_view.h"

#include "model/column_table.h"
#include "view/geometry.h"
#include "view/picture.h"

CellViewStore CreateCellViews(int32_t width, int32_t height)
{
    CellViewStore store = AllocateColumnTable<CellView>(width, height);
    if (store == nullptr)
        return nullptr;
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            store[x][y].window = nullptr;
    return store;
}

void FreeCellViews(int32_t width, int32_t height, CellViewStore store)
{
    if (store == nullptr)
        return;
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y)
            if (IsWindow(store[x][y].window))
                DestroyPicture(store[x][y].window);
        ReleaseMemory(store[x]);
        store[x] = nullptr;
    }
    ReleaseMemory(store);
}

const char* CellPictureName(const Cell& cell)
{
    static const char* const numbers[] = {"s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8"};
    switch (cell.state) {
    case Covered:
        return "nc";
    case Marked:
        return "marked";
    case Exploded:
        return "rmine";
    case FalseMark:
        return "bmine";
    default:
        if (cell.isMine)
            return "mine";
        // A count is 0 to 8 on any board the model made.
        return cell.adjacentMines >= 0 && cell.adjacentMines <= 8 ? numbers[cell.adjacentMines] : "s0";
    }
}

void DrawCell(int32_t x, int32_t y, Board board, CellViewStore store)
{
    CellView& view = store[x][y];
    if (view.window != nullptr)
        DestroyPicture(view.window);
    view.window = CreatePicture(CellPictureName(board[x][y]), ColumnToPixel(x), RowToPixel(y), squareSize,
                                squareSize);
    ShowWindow(view.window, SW_SHOW);
}

void RefreshCells(int32_t width, int32_t height, Board board, CellViewStore store)
{
    if (board == nullptr || store == nullptr)
        return;
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) {
            if (board[x][y].dirty) {
                DrawCell(x, y, board, store);
                board[x][y].dirty = 0;
            }
        }
    }
}

int32_t ColumnToPixel(int32_t column)
{
    return column * squareSize + fieldLeft;
}

int32_t RowToPixel(int32_t row)
{
    return row * squareSize + fieldTop;
}

// Arithmetic shifts: floor division, so the margins give -1, not 0.
int32_t PixelToColumn(int32_t x)
{
    return (x - fieldLeft) >> squareShift;
}

int32_t PixelToRow(int32_t y)
{
    return (y - fieldTop) >> squareShift;
}
