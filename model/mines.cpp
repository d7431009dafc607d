#include "model/mines.h"

#include "platform/random.h"

void PlaceMines(int32_t width, int32_t height, Board board, int32_t mines)
{
    const int32_t squares = width * height;
    if (mines >= squares)
        mines = squares;

    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) {
            Cell& cell = board[x][y];
            cell.assumedSafe = 0;
            cell.isMine = 0;
            cell.mineOdds = 0.0f;
            cell.adjacentMines = 0;
            cell.oddsVotes = 0;
            cell.state = Covered;
            cell.dirty = 1;
        }
    }

    for (int32_t laid = 0; laid < mines; ++laid) {
        for (;;) {
            const int32_t x = NextRandom() % width;
            const int32_t y = NextRandom() % height;
            if (!board[x][y].isMine) {
                board[x][y].isMine = 1;
                break;
            }
        }
    }
}
