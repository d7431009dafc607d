// Whole games played on the model alone, by a player who knows the layout.
#include <gtest/gtest.h>

#include "model/board.h"
#include "model/mines.h"
#include "model/neighbours.h"
#include "model/reveal.h"
#include "platform/random.h"

namespace {
struct Game {
    int32_t width, height;
    Board board;
};

int32_t CountState(const Game& game, CellState state)
{
    int32_t count = 0;
    for (int32_t x = 0; x < game.width; ++x)
        for (int32_t y = 0; y < game.height; ++y)
            count += game.board[x][y].state == state;
    return count;
}

// Marks every mine, then uncovers by area reveals around satisfied numbers
// and, where those stall, one covered safe square directly. Returns whether
// any reveal hit a mine.
bool PlayToTheEnd(Game& game)
{
    bool hitMine = false;
    for (int32_t x = 0; x < game.width; ++x)
        for (int32_t y = 0; y < game.height; ++y)
            if (game.board[x][y].isMine)
                MarkCell(x, y, game.width, game.height, game.board);
    for (bool progress = true; progress;) {
        progress = false;
        for (int32_t x = 0; x < game.width; ++x) {
            for (int32_t y = 0; y < game.height; ++y) {
                const Cell& cell = game.board[x][y];
                const int32_t covered = CountUnrevealedNeighbours(x, y, game.width, game.height, game.board) -
                                        CountMarkedNeighbours(x, y, game.width, game.height, game.board);
                if (cell.state == Revealed && covered > 0 &&
                    CountMarkedNeighbours(x, y, game.width, game.height, game.board) == cell.adjacentMines) {
                    hitMine |= RevealAround(x, y, game.width, game.height, game.board, 0) != 0;
                    progress = true;
                }
            }
        }
        if (progress)
            continue;
        for (int32_t x = 0; x < game.width && !progress; ++x)
            for (int32_t y = 0; y < game.height && !progress; ++y)
                if (game.board[x][y].state == Covered) {
                    hitMine |= RevealCell(x, y, game.width, game.height, game.board, 0) != 0;
                    progress = true;
                }
    }
    return hitMine;
}
}  // namespace

TEST(ModelGame, AnInformedPlayerUncoversEverySafeSquareWithoutHittingAMine)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SeedRandom(seed);
        Game game = {16, 16, CreateBoard(16, 16)};
        PlaceMines(16, 16, game.board, 40);
        EXPECT_FALSE(PlayToTheEnd(game)) << seed;
        EXPECT_EQ(CountState(game, Marked), 40) << seed;
        EXPECT_EQ(CountState(game, Covered), 0) << seed;
        for (int32_t x = 0; x < 16; ++x)
            for (int32_t y = 0; y < 16; ++y)
                if (game.board[x][y].state == Revealed) {
                    ASSERT_FALSE(game.board[x][y].isMine);
                    ASSERT_EQ(game.board[x][y].adjacentMines, CountMineNeighbours(x, y, 16, 16, game.board));
                }
        FreeBoard(16, 16, game.board);
    }
}

TEST(ModelGame, AWrongMarkLetsAnAreaRevealHitAMine)
{
    SeedRandom(3);
    Game game = {9, 9, CreateBoard(9, 9)};
    PlaceMines(9, 9, game.board, 10);
    // Find a numbered safe square next to a mine, move one mark off a mine
    // onto a safe neighbour, and reveal around it.
    bool tested = false;
    for (int32_t x = 0; x < 9 && !tested; ++x) {
        for (int32_t y = 0; y < 9 && !tested; ++y) {
            if (game.board[x][y].isMine || CountMineNeighbours(x, y, 9, 9, game.board) != 1)
                continue;
            RevealCell(x, y, 9, 9, game.board, 0);
            for (int32_t dx = -1; dx <= 1 && !tested; ++dx)
                for (int32_t dy = -1; dy <= 1 && !tested; ++dy) {
                    const int32_t nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= 9 || ny >= 9 || game.board[nx][ny].isMine ||
                        game.board[nx][ny].state != Covered)
                        continue;
                    MarkCell(nx, ny, 9, 9, game.board);
                    EXPECT_TRUE(RevealAround(x, y, 9, 9, game.board, 0));
                    tested = true;
                }
        }
    }
    EXPECT_TRUE(tested);
    FreeBoard(9, 9, game.board);
}
