#include <gtest/gtest.h>

#include "model/reveal.h"
#include "support/boards.h"

typedef std::vector<std::string> Rows;

TEST(RevealCell, OffTheBoardOrNotCoveredChangesNothing)
{
    ScopedBoard board({"f1X", "B.*"});
    const Rows before = board.text();
    for (auto position : {std::pair<int, int>{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {0, 0}, {1, 0}, {2, 0}, {0, 1}}) {
        EXPECT_FALSE(RevealCell(position.first, position.second, 3, 2, board.board, 0));
        EXPECT_FALSE(RevealCell(position.first, position.second, 3, 2, board.board, 1));
    }
    EXPECT_EQ(board.text(), before);
    EXPECT_EQ(board.at(0, 0).dirty, 0);
}

TEST(RevealCell, AMineIsUncoveredAloneAndReported)
{
    ScopedBoard board({"*..", "*.."});
    EXPECT_TRUE(RevealCell(0, 0, 3, 2, board.board, 0));
    EXPECT_EQ(board.text(), (Rows{"M..", "*.."}));
    EXPECT_EQ(board.at(0, 0).adjacentMines, 1);
    EXPECT_EQ(board.at(0, 0).dirty, 1);
    EXPECT_EQ(board.at(1, 0).dirty, 0);
}

TEST(RevealCell, FloodFillUncoversTheEmptyRegionAndItsBorder)
{
    ScopedBoard board({".....",
                       ".....",
                       "...*.",
                       "....."});
    EXPECT_FALSE(RevealCell(0, 0, 5, 4, board.board, 0));
    EXPECT_EQ(board.text(), (Rows{"00000",
                                  "00111",
                                  "001*.",
                                  "001.."}));
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 4; ++y)
            EXPECT_EQ(board.at(x, y).dirty, board.at(x, y).state == Revealed) << x << "," << y;
}

TEST(RevealCell, NoMinesAndNoMarksUncoversTheWholeLargestBoard)
{
    // The deepest flood fill there is: 2,401 squares in one call.
    std::vector<std::string> rows(49, std::string(49, '.'));
    ScopedBoard board(rows);
    EXPECT_FALSE(RevealCell(24, 24, 49, 49, board.board, 0));
    EXPECT_EQ(board.text(), std::vector<std::string>(49, std::string(49, '0')));
}

TEST(RevealCell, FloodFillStopsAtMarksAndAtSquaresUncoveredEarlier)
{
    ScopedBoard board({"..f..",
                       "..f..",
                       "..f.."});
    RevealCell(0, 0, 5, 3, board.board, 0);
    EXPECT_EQ(board.text(), (Rows{"00f..", "00f..", "00f.."}));

    // A 0 uncovered earlier does not carry a later fill through it: once the
    // mark is off, the square beside the old 0 is reached only directly.
    ScopedBoard row({".f.*"});
    RevealCell(0, 0, 4, 1, row.board, 0);
    EXPECT_EQ(row.text(), (Rows{"0f.*"}));
    UnmarkCell(1, 0, 4, 1, row.board);
    RevealCell(2, 0, 4, 1, row.board, 0);
    RevealCell(0, 0, 4, 1, row.board, 0);
    EXPECT_EQ(row.text(), (Rows{"0.1*"}));
    RevealCell(1, 0, 4, 1, row.board, 0);
    EXPECT_EQ(row.text(), (Rows{"001*"}));
}

TEST(RevealCell, HypotheticalUncoversOneSquareAsAnAssumption)
{
    ScopedBoard board({"...", "...", "..*"});
    EXPECT_FALSE(RevealCell(0, 0, 3, 3, board.board, 1));
    EXPECT_EQ(board.text(), (Rows{"a..", "...", "..*"}));
    EXPECT_EQ(board.at(0, 0).adjacentMines, 0);
    EXPECT_EQ(board.at(0, 0).dirty, 0);

    EXPECT_FALSE(RevealCell(2, 2, 3, 3, board.board, 1));  // a mine: still false
    EXPECT_EQ(board.at(2, 2).state, Revealed);
    EXPECT_EQ(board.at(2, 2).assumedSafe, 1);
    EXPECT_EQ(board.at(2, 2).dirty, 0);
    EXPECT_EQ(board.at(1, 1).adjacentMines, 0);  // untouched
    EXPECT_FALSE(RevealCell(1, 1, 3, 3, board.board, 255));  // any non-zero flag
    EXPECT_EQ(board.at(1, 1).adjacentMines, 1);
    EXPECT_EQ(board.at(1, 1).assumedSafe, 1);
}

TEST(MarkCell, MarksOnlyCoveredSquaresAndUnmarkOnlyMarkedOnes)
{
    ScopedBoard board({".1*", "F.."});
    EXPECT_FALSE(MarkCell(0, 0, 3, 2, board.board));
    EXPECT_FALSE(MarkCell(1, 0, 3, 2, board.board));
    EXPECT_FALSE(MarkCell(2, 0, 3, 2, board.board));
    EXPECT_FALSE(MarkCell(0, 1, 3, 2, board.board));
    EXPECT_FALSE(MarkCell(5, 5, 3, 2, board.board));
    EXPECT_EQ(board.text(), (Rows{"f1F", "F.."}));
    EXPECT_EQ(board.at(1, 0).dirty, 0);
    EXPECT_EQ(board.at(0, 1).dirty, 0);
    EXPECT_EQ(board.at(2, 0).dirty, 1);

    UnmarkCell(1, 1, 3, 2, board.board);  // Covered: unchanged
    UnmarkCell(1, 0, 3, 2, board.board);  // Revealed: unchanged
    UnmarkCell(-1, 0, 3, 2, board.board);
    UnmarkCell(0, 1, 3, 2, board.board);
    EXPECT_EQ(board.text(), (Rows{"f1F", "*.."}));
    EXPECT_EQ(board.at(1, 1).dirty, 0);
    EXPECT_EQ(board.at(0, 1).dirty, 1);
}

TEST(RevealAround, TriesAllNineEvenAfterTwoMines)
{
    ScopedBoard board({"*.*",
                       ".4.",
                       "F.*"});
    EXPECT_TRUE(RevealAround(1, 1, 3, 3, board.board, 0));
    EXPECT_EQ(board.text(), (Rows{"M2M", "242", "F2M"}));
}

TEST(RevealAround, HypotheticalUncoversEveryCoveredSquareAsAssumptions)
{
    ScopedBoard board({"*..", ".1.", "..F"});
    EXPECT_FALSE(RevealAround(1, 1, 3, 3, board.board, 1));
    EXPECT_EQ(board.text(), (Rows{"Aaa", "a1a", "aaF"}));
}

TEST(AreaOperations, InACornerTouchOnlyTheFourSquaresOnTheBoard)
{
    ScopedBoard board({"...", "...", "..."});
    MarkAround(0, 0, 3, 3, board.board);
    EXPECT_EQ(board.text(), (Rows{"ff.", "ff.", "..."}));
    ScopedBoard mines({"***", "***", "***"});
    EXPECT_TRUE(RevealAround(2, 2, 3, 3, mines.board, 0));
    EXPECT_EQ(mines.text(), (Rows{"***", "*MM", "*MM"}));
}
