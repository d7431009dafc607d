// A board made from its picture (see tests/support/board_text.h) and released at the
// end of the test.
#pragma once

#include <string>
#include <vector>

#include "model/board.h"
#include "tests/support/board_text.h"

// Every field equal (the record has padding, so no byte comparison).
inline bool SameCell(const Cell& a, const Cell& b)
{
    return a.state == b.state && a.adjacentMines == b.adjacentMines && a.assumedSafe == b.assumedSafe &&
           a.isMine == b.isMine && a.mineOdds == b.mineOdds && a.oddsVotes == b.oddsVotes && a.dirty == b.dirty;
}

struct ScopedBoard {
    int32_t width = 0;
    int32_t height = 0;
    Board board = nullptr;

    explicit ScopedBoard(const std::vector<std::string>& rows)
    {
        const TextBoard made = BoardFromText(rows);
        width = made.width;
        height = made.height;
        board = made.board;
    }
    ScopedBoard(const ScopedBoard&) = delete;
    ScopedBoard& operator=(const ScopedBoard&) = delete;
    ~ScopedBoard() { FreeBoard(width, height, board); }

    Cell& at(int32_t x, int32_t y) { return board[x][y]; }
    std::vector<std::string> text() const { return BoardToText(width, height, board); }
};
