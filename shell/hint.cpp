#include "shell/hint.h"

#include "model/board.h"
#include "model/reveal.h"
#include "platform/app_handles.h"
#include "shell/game.h"
#include "solver/solver.h"

namespace {
constexpr int32_t hintPassLimit = PassGuess;  // deductions only: never a guess

// The first square, columns outer, that Solver uncovered on the copy, that
// holds no mine and that is still covered on the live board. A square the
// player has marked is passed over: uncovering it would do nothing, and the
// hint would find the same square every time.
bool FindHintSquare(int32_t width, int32_t height, Board copy, int32_t* column, int32_t* row)
{
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) {
            if (copy[x][y].state == Revealed && !copy[x][y].isMine && liveBoard[x][y].state == Covered) {
                *column = x;
                *row = y;
                return true;
            }
        }
    }
    return false;
}
}  // namespace

void GiveHint()
{
    if (gameState == Lost || gameState == Won || !GameReady())
        return;
    // The copy is released with the size it was made with, whatever
    // happens to the live game while a message box is up.
    const int32_t width = boardColumns;
    const int32_t height = boardRows;
    const uint32_t game = gamesStarted;
    Board copy = CopyBoard(width, height, liveBoard);
    if (copy == nullptr)
        return;

    int32_t pass = PassStart;
    for (;;) {
        pass = SolverStep(pass, width, height, GetSettingMines(), copy, cellViews, hintPassLimit, 0);
        if (gamesStarted != game)
            break;  // a new game began during one of Solver's messages: the copy is not of it
        if (pass >= OutcomeStop) {
            MessageBoxA(mainWindow,
                        "Solver has not identified any squares that can be safely uncovered without guessing.",
                        "Hint", MB_OK | MB_ICONINFORMATION);
            break;
        }
        int32_t column = 0;
        int32_t row = 0;
        if (FindHintSquare(width, height, copy, &column, &row)) {
            RevealCell(column, row, boardColumns, boardRows, liveBoard, 0);
            RefreshCells(boardColumns, boardRows, liveBoard, cellViews);
            break;
        }
    }
    FreeBoard(width, height, copy);
}
