#include <gtest/gtest.h>

#include <cstddef>

#include "model/board.h"
#include "model/memory.h"
#include "platform/app_handles.h"
#include "platform/portable/testing.h"
#include "support/boards.h"

namespace {
void ExpectOneRefusal(const char* text, const char* title)
{
    const auto& log = portable::MessageBoxLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, text);
    EXPECT_EQ(log[0].title, title);
    EXPECT_EQ(log[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(log[0].owner, mainWindow);
    portable::ClearMessageBoxLog();
}

void FillPattern(int32_t width, int32_t height, Board board)
{
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            board[x][y] = Cell{static_cast<CellState>((x + y) % 5), x * 3 + y, static_cast<Truth>(x & 1),
                               static_cast<Truth>(y & 1), 0.1f * x + y, x - y, static_cast<Truth>((x + y) & 1)};
}
}  // namespace

TEST(Board, CellFieldsKeepTheirOrderAndWidths)
{
    EXPECT_EQ(sizeof(Cell::state), 4u);
    EXPECT_EQ(sizeof(Cell::adjacentMines), 4u);
    EXPECT_EQ(sizeof(Cell::assumedSafe), 1u);
    EXPECT_EQ(sizeof(Cell::isMine), 1u);
    EXPECT_EQ(sizeof(Cell::mineOdds), 4u);
    EXPECT_EQ(sizeof(Cell::oddsVotes), 4u);
    EXPECT_EQ(sizeof(Cell::dirty), 1u);
    EXPECT_LT(offsetof(Cell, state), offsetof(Cell, adjacentMines));
    EXPECT_LT(offsetof(Cell, adjacentMines), offsetof(Cell, assumedSafe));
    EXPECT_LT(offsetof(Cell, assumedSafe), offsetof(Cell, isMine));
    EXPECT_LT(offsetof(Cell, isMine), offsetof(Cell, mineOdds));
    EXPECT_LT(offsetof(Cell, mineOdds), offsetof(Cell, oddsVotes));
    EXPECT_LT(offsetof(Cell, oddsVotes), offsetof(Cell, dirty));
}

TEST(Board, SizesFromOneToFortyNineAreMadeAndReleased)
{
    for (int32_t side : {1, 2, 48, 49}) {
        Board board = CreateBoard(side, 49 - side + 1);
        ASSERT_NE(board, nullptr) << side;
        FreeBoard(side, 49 - side + 1, board);
    }
    Board largest = CreateBoard(49, 49);
    ASSERT_NE(largest, nullptr);
    largest[48][48].state = Revealed;  // the last square is addressable
    FreeBoard(49, 0, largest);         // the height is not used
    EXPECT_TRUE(portable::MessageBoxLog().empty());
}

TEST(Board, SizeRefusalsShowTheirMessagesLowerBoundFirst)
{
    mainWindow = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(CreateBoard(0, 5), nullptr);
    ExpectOneRefusal("A minefield must have positive width and height.", "Can't Start Puzzle");
    EXPECT_EQ(CreateBoard(5, -1), nullptr);
    ExpectOneRefusal("A minefield must have positive width and height.", "Can't Start Puzzle");
    EXPECT_EQ(CreateBoard(0, 60), nullptr);
    ExpectOneRefusal("A minefield must have positive width and height.", "Can't Start Puzzle");
    EXPECT_EQ(CreateBoard(50, 1), nullptr);
    ExpectOneRefusal("The dimensions of that minefield are too large.", "Can't Start Puzzle");
    EXPECT_EQ(CreateBoard(1, 50), nullptr);
    ExpectOneRefusal("The dimensions of that minefield are too large.", "Can't Start Puzzle");
    mainWindow = nullptr;
}

TEST(Board, OutOfMemoryAtAnyAllocationIsReportedAndLeaksNothing)
{
    // The table is the first allocation, the columns follow; a failure at any
    // of them releases what was made (the sanitizer build checks for leaks).
    for (int32_t failing = 0; failing <= 7; ++failing) {
        FailAllocationAfter(failing);
        EXPECT_EQ(CreateBoard(7, 3), nullptr) << failing;
        ExpectOneRefusal("Out of memory to allocate minefield!", "No Memory");
    }
    FailAllocationAfter(8);
    Board board = CreateBoard(7, 3);
    EXPECT_NE(board, nullptr);
    FreeBoard(7, 3, board);
    FailAllocationAfter(-1);
}

TEST(Board, CopyCarriesEveryFieldAndStaysIndependent)
{
    const int32_t width = 6, height = 4;
    Board source = CreateBoard(width, height);
    FillPattern(width, height, source);
    Board copy = CopyBoard(width, height, source);
    ASSERT_NE(copy, nullptr);
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            EXPECT_TRUE(SameCell(copy[x][y], source[x][y])) << x << "," << y;

    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            copy[x][y] = Cell{Exploded, 99, 1, 1, 9.0f, 9, 1};
    Board expected = CreateBoard(width, height);
    FillPattern(width, height, expected);
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            EXPECT_TRUE(SameCell(expected[x][y], source[x][y]));
    FreeBoard(width, height, expected);
    FreeBoard(width, height, copy);
    FreeBoard(width, height, source);
}

TEST(Board, OneByOneIsCopiedAndACopyThatCannotBeMadeIsReported)
{
    ScopedBoard one({"F"});
    Board copy = CopyBoard(1, 1, one.board);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy[0][0].state, Marked);
    EXPECT_EQ(copy[0][0].isMine, 1);
    FreeBoard(1, 1, copy);

    FailAllocationAfter(1);  // the column of the copy
    EXPECT_EQ(CopyBoard(1, 1, one.board), nullptr);
    ExpectOneRefusal("Out of memory to allocate minefield!", "No Memory");
}
