// The board audit: the only place besides the model's uncovering that reads
// where the mines are.
#include <algorithm>

#include "model/reveal.h"
#include "solver/solver_passes.h"

BoardAudit AuditBoard(int32_t width, int32_t height, Board board)
{
    int32_t unmarkedMines = 0;
    int32_t coveredSquares = 0;
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) {
            const Cell& cell = board[x][y];
            if (cell.state == Marked && !cell.isMine) {
                ReportWrongMark();
                return {OutcomeStop, 0.0f};
            }
            if (cell.isMine && cell.state != Marked)
                ++unmarkedMines;
            if (cell.state == Covered)
                ++coveredSquares;
        }
    }

    // Every mine is marked: whatever is still covered is safe.
    if (unmarkedMines == 0) {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t y = 0; y < height; ++y) {
                if (board[x][y].state != Covered)
                    continue;
                if (RevealCell(x, y, width, height, board, 0)) {
                    ReportFillOutHitMine();
                    return {OutcomeFailed, 0.0f};
                }
            }
        }
    }

    // Every covered square (as counted before the fill-out) holds a mine.
    if (unmarkedMines == coveredSquares) {
        for (int32_t x = 0; x < width; ++x)
            for (int32_t y = 0; y < height; ++y)
                if (board[x][y].state == Covered)
                    MarkCell(x, y, width, height, board);
        return {OutcomeFinished, 0.0f};
    }

    const double density = static_cast<double>(unmarkedMines) / static_cast<double>(std::max(coveredSquares, 1));
    return {passFoundNothing, static_cast<float>(density)};
}
