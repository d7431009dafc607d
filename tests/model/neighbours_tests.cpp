#include <gtest/gtest.h>

#include "model/neighbours.h"
#include "support/boards.h"

TEST(Neighbours, CornersEdgesAndInteriorLookAtThreeFiveAndEight)
{
    ScopedBoard full({"***", "***", "***"});
    EXPECT_EQ(CountMineNeighbours(0, 0, 3, 3, full.board), 3);
    EXPECT_EQ(CountMineNeighbours(2, 2, 3, 3, full.board), 3);
    EXPECT_EQ(CountMineNeighbours(1, 0, 3, 3, full.board), 5);
    EXPECT_EQ(CountMineNeighbours(0, 1, 3, 3, full.board), 5);
    EXPECT_EQ(CountMineNeighbours(1, 1, 3, 3, full.board), 8);
    EXPECT_EQ(CountUnrevealedNeighbours(1, 1, 3, 3, full.board), 8);
    EXPECT_EQ(CountMarkedNeighbours(1, 1, 3, 3, full.board), 0);
}

TEST(Neighbours, OneByOneAndSingleRowsOrColumns)
{
    ScopedBoard one({"*"});
    EXPECT_EQ(CountMineNeighbours(0, 0, 1, 1, one.board), 0);
    EXPECT_EQ(CountUnrevealedNeighbours(0, 0, 1, 1, one.board), 0);
    EXPECT_EQ(CountMarkedNeighbours(0, 0, 1, 1, one.board), 0);

    ScopedBoard row({"*F.*"});
    EXPECT_EQ(CountMineNeighbours(0, 0, 4, 1, row.board), 1);
    EXPECT_EQ(CountMineNeighbours(2, 0, 4, 1, row.board), 2);
    EXPECT_EQ(CountUnrevealedNeighbours(2, 0, 4, 1, row.board), 2);
    EXPECT_EQ(CountMarkedNeighbours(2, 0, 4, 1, row.board), 1);

    ScopedBoard column({"*", "1", "*"});
    EXPECT_EQ(CountMineNeighbours(0, 1, 1, 3, column.board), 2);
    EXPECT_EQ(CountUnrevealedNeighbours(0, 0, 1, 3, column.board), 0);
}

TEST(Neighbours, EachStateCountsAsItShould)
{
    // Around the centre: Covered, Marked, Revealed, Exploded, FalseMark,
    // a revealed mine, and two marked squares (one on a mine).
    ScopedBoard board({".f1",
                       "X.B",
                       "MF*"});
    EXPECT_EQ(CountUnrevealedNeighbours(1, 1, 3, 3, board.board), 6);  // all but the 1 and M
    EXPECT_EQ(CountMarkedNeighbours(1, 1, 3, 3, board.board), 2);      // f and F only
    EXPECT_EQ(CountMineNeighbours(1, 1, 3, 3, board.board), 4);        // X, M, F, *
}

TEST(Neighbours, TheSquareItselfNeverCounts)
{
    ScopedBoard board({"...", ".F.", "..."});
    EXPECT_EQ(CountMineNeighbours(1, 1, 3, 3, board.board), 0);
    EXPECT_EQ(CountMarkedNeighbours(1, 1, 3, 3, board.board), 0);
    EXPECT_EQ(CountMarkedNeighbours(0, 0, 3, 3, board.board), 1);
}
