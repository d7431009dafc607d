#include <gtest/gtest.h>

#include "model/memory.h"
#include "support/boards.h"
#include "support/test_window.h"
#include "view/cell_view.h"
#include "view/geometry.h"

TEST(PixelMapping, SquaresAndTheirPixelsBothWaysWithFloorAtTheMargins)
{
    EXPECT_EQ(ColumnToPixel(0), fieldLeft);
    EXPECT_EQ(RowToPixel(0), fieldTop);
    EXPECT_EQ(ColumnToPixel(48), fieldLeft + 48 * squareSize);
    EXPECT_EQ(RowToPixel(48), fieldTop + 48 * squareSize);
    for (int x = fieldLeft; x < fieldLeft + squareSize; ++x)
        EXPECT_EQ(PixelToColumn(x), 0) << x;
    EXPECT_EQ(PixelToColumn(fieldLeft + squareSize), 1);
    EXPECT_EQ(PixelToColumn(fieldLeft - 1), -1);
    EXPECT_EQ(PixelToColumn(fieldLeft - squareSize), -1);
    EXPECT_EQ(PixelToColumn(fieldLeft - squareSize - 1), -2);
    EXPECT_EQ(PixelToRow(fieldTop - 1), -1);
    EXPECT_EQ(PixelToRow(fieldTop), 0);
    EXPECT_EQ(PixelToRow(fieldTop + squareSize - 1), 0);
    EXPECT_EQ(PixelToRow(fieldTop + squareSize), 1);
    for (int column = 0; column < 49; ++column)
        EXPECT_EQ(PixelToColumn(ColumnToPixel(column) + squareSize - 1), column);
}

TEST(CellPicture, EveryStateHasItsPictureStateBeforeMine)
{
    ScopedBoard board({".*fF0123", "45678MXB"});
    const char* const expected[2][8] = {{"nc", "nc", "marked", "marked", "s0", "s1", "s2", "s3"},
                                        {"s4", "s5", "s6", "s7", "s8", "mine", "rmine", "bmine"}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_STREQ(CellPictureName(board.at(x, y)), expected[y][x]) << x << "," << y;
}

TEST(CellViews, SizeAndMemoryRefusalsAreTheBoardsOwn)
{
    struct Case {
        int32_t width, height;
        const char* text;
    } cases[] = {
        {0, 5, "A minefield must have positive width and height."},
        {5, -1, "A minefield must have positive width and height."},
        {0, 50, "A minefield must have positive width and height."},
        {50, 1, "The dimensions of that minefield are too large."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CreateCellViews(c.width, c.height), nullptr);
        ASSERT_EQ(portable::MessageBoxLog().size(), 1u);
        EXPECT_EQ(portable::MessageBoxLog()[0].text, c.text);
        EXPECT_EQ(portable::MessageBoxLog()[0].title, "Can't Start Puzzle");
        EXPECT_EQ(portable::MessageBoxLog()[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        portable::ClearMessageBoxLog();
    }
    FailAllocationAfter(3);
    EXPECT_EQ(CreateCellViews(9, 9), nullptr);
    ASSERT_EQ(portable::MessageBoxLog().size(), 1u);
    EXPECT_EQ(portable::MessageBoxLog()[0].title, "No Memory");

    CellViewStore largest = CreateCellViews(49, 49);
    ASSERT_NE(largest, nullptr);
    EXPECT_EQ(largest[48][48].window, nullptr);
    FreeCellViews(49, 49, largest);  // never drawn: nothing to destroy
    EXPECT_EQ(portable::WindowsCreated(), 0u);
}

TEST(CellViews, RefreshRebuildsOnlyDirtySquaresAndClearsTheirFlags)
{
    CreateTestMainWindow();
    ScopedBoard board({"..*", "1f."});
    CellViewStore store = CreateCellViews(3, 2);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y)
            board.at(x, y).dirty = 1;
    RefreshCells(3, 2, board.board, store);
    EXPECT_EQ(portable::WindowCount(), 1 + 6);
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 2; ++y) {
            EXPECT_EQ(board.at(x, y).dirty, 0);
            EXPECT_EQ(PicturesAt(ColumnToPixel(x), RowToPixel(y)), std::vector<HWND>{store[x][y].window});
        }
    EXPECT_EQ(WindowText(store[0][1].window), "s1");
    EXPECT_EQ(WindowText(store[1][1].window), "marked");

    const uint64_t created = portable::WindowsCreated();
    RefreshCells(3, 2, board.board, store);
    EXPECT_EQ(portable::WindowsCreated(), created);

    // A redraw always replaces the window, even with the same picture.
    const HWND before = store[2][0].window;
    board.at(2, 0).dirty = 1;
    board.at(1, 1).state = Covered;
    RefreshCells(3, 2, board.board, store);
    EXPECT_EQ(portable::WindowsCreated(), created + 1);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(WindowText(store[2][0].window), "nc");
    EXPECT_EQ(WindowText(store[1][1].window), "marked");  // not dirty: not redrawn

    RECT rect;
    GetWindowRect(store[2][0].window, &rect);
    EXPECT_EQ(rect.right - rect.left, squareSize);
    EXPECT_EQ(rect.bottom - rect.top, squareSize);

    FreeCellViews(3, 2, store);
    EXPECT_EQ(portable::WindowCount(), 1);
    RefreshCells(3, 2, board.board, nullptr);  // no store: nothing happens
    DestroyWindow(mainWindow);
}
