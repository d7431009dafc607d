#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "model/mines.h"
#include "platform/random.h"
#include "support/boards.h"

namespace {
typedef std::set<std::pair<int32_t, int32_t>> Squares;

Squares MinesOf(int32_t width, int32_t height, Board board)
{
    Squares mines;
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            if (board[x][y].isMine)
                mines.insert({x, y});
    return mines;
}

struct FreshBoard {
    int32_t width, height;
    Board board;
    FreshBoard(int32_t w, int32_t h) : width(w), height(h), board(CreateBoard(w, h)) {}
    ~FreshBoard() { FreeBoard(width, height, board); }
};

const std::vector<std::pair<int32_t, int32_t>> beginnerMinesFromStateOne = {
    {5, 8}, {7, 4}, {8, 1}, {3, 0}, {7, 2}, {8, 2}, {7, 6}, {7, 5}, {7, 8}, {0, 6}};
}  // namespace

TEST(PlaceMines, FromStateOneLaysTheKnownBeginnerFieldInOrder)
{
    FreshBoard field(9, 9);
    for (size_t count = 1; count <= beginnerMinesFromStateOne.size(); ++count) {
        randomState = 1;
        PlaceMines(9, 9, field.board, static_cast<int32_t>(count));
        const Squares expected(beginnerMinesFromStateOne.begin(), beginnerMinesFromStateOne.begin() + count);
        EXPECT_EQ(MinesOf(9, 9, field.board), expected) << count << " mines";
    }
    // Ten mines took eleven attempts, two draws each: the tenth attempt fell
    // on (3, 0) again.
    randomState = 1;
    for (int draw = 0; draw < 22; ++draw)
        NextRandom();
    const uint32_t afterElevenAttempts = randomState;
    randomState = 1;
    PlaceMines(9, 9, field.board, 10);
    EXPECT_EQ(randomState, afterElevenAttempts);
}

TEST(PlaceMines, DrawsTheColumnFirstAndTheRowSecond)
{
    // On a 1-column board every column draw is 0, so the rows follow the
    // second, fourth, ... draws of the generator.
    FreshBoard column(1, 49);
    SeedRandom(777);
    PlaceMines(1, 49, column.board, 1);
    SeedRandom(777);
    NextRandom();
    const int32_t row = NextRandom() % 49;
    EXPECT_EQ(MinesOf(1, 49, column.board), (Squares{{0, row}}));
}

TEST(PlaceMines, SameStateSameFieldAndEveryFieldReset)
{
    FreshBoard first(30, 16), second(30, 16);
    for (int32_t x = 0; x < 30; ++x)
        for (int32_t y = 0; y < 16; ++y)
            second.board[x][y] = Cell{FalseMark, 7, 1, 1, 0.5f, 3, 0};
    SeedRandom(4242);
    PlaceMines(30, 16, first.board, 99);
    SeedRandom(4242);
    PlaceMines(30, 16, second.board, 99);
    EXPECT_EQ(MinesOf(30, 16, first.board), MinesOf(30, 16, second.board));
    EXPECT_EQ(MinesOf(30, 16, first.board).size(), 99u);
    for (int32_t x = 0; x < 30; ++x) {
        for (int32_t y = 0; y < 16; ++y) {
            const Cell& cell = second.board[x][y];
            EXPECT_EQ(cell.state, Covered);
            EXPECT_EQ(cell.adjacentMines, 0);
            EXPECT_EQ(cell.assumedSafe, 0);
            EXPECT_EQ(cell.mineOdds, 0.0f);
            EXPECT_EQ(cell.oddsVotes, 0);
            EXPECT_EQ(cell.dirty, 1);
        }
    }
}

TEST(PlaceMines, CountIsCappedAtTheSquaresAndNoneForZeroOrLess)
{
    FreshBoard field(4, 3);
    PlaceMines(4, 3, field.board, 12);
    EXPECT_EQ(MinesOf(4, 3, field.board).size(), 12u);
    PlaceMines(4, 3, field.board, 1000);
    EXPECT_EQ(MinesOf(4, 3, field.board).size(), 12u);
    PlaceMines(4, 3, field.board, 0);
    EXPECT_TRUE(MinesOf(4, 3, field.board).empty());
    const uint32_t before = randomState;
    PlaceMines(4, 3, field.board, -5);
    EXPECT_TRUE(MinesOf(4, 3, field.board).empty());
    EXPECT_EQ(randomState, before);
}

TEST(PlaceMines, EveryMineOnTheLargestBoard)
{
    FreshBoard field(49, 49);
    SeedRandom(9);
    PlaceMines(49, 49, field.board, 49 * 49);
    EXPECT_EQ(MinesOf(49, 49, field.board).size(), 2401u);
}
