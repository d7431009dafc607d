// The pass machine: entry limit, PassStart, the board audit, dispatch and
// the fall-through from each pass to the next.
#include "solver/solver.h"

#include <algorithm>

#include "model/reveal.h"
#include "solver/board_map.h"
#include "solver/exclusion.h"
#include "solver/forced_moves.h"
#include "solver/guess.h"
#include "solver/messages.h"

namespace {
// PassStart: every Marked square becomes Covered, written directly, so the
// cleared marks are not flagged for redrawing.
void ClearMarks(int32_t width, int32_t height, Board board)
{
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            if (board[x][y].state == Marked)
                board[x][y].state = Covered;
}

// The board audit of an ordinary (not hypothetical) step, and the only
// place besides the model's uncovering that reads where the mines are.
// `outcome` is passFoundNothing when the step goes on to its pass, with
// `mineDensity` set; otherwise it is the step's result (8 after a wrong
// mark, 9 after the fill-out hit a mine, 10 after the all-mines finish).
struct BoardAudit {
    int32_t outcome;
    float mineDensity;
    bool filledOut;  // the fill-out uncovered what was still covered
};

// The counts come from the step's map of the board.
BoardAudit AuditBoard(int32_t width, int32_t height, Board board, const BoardMap& map)
{
    int32_t unmarkedMines = 0;
    int32_t coveredSquares = 0;
    for (int32_t x = 0; x < width; ++x) {
        if ((map.marked[x] & ~map.mines[x]) != 0) {
            ReportWrongMark();
            return {OutcomeStop, 0.0f, false};
        }
        unmarkedMines += RowCount(map.mines[x] & ~map.marked[x]);
        coveredSquares += RowCount(map.covered[x]);
    }

    // Every mine is marked: whatever is still covered is safe.
    if (unmarkedMines == 0) {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t y = 0; y < height; ++y) {
                if (board[x][y].state != Covered)
                    continue;
                if (RevealCell(x, y, width, height, board, 0)) {
                    ReportFillOutHitMine();
                    return {OutcomeFailed, 0.0f, true};
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
        return {OutcomeFinished, 0.0f, unmarkedMines == 0};
    }

    const double density = static_cast<double>(unmarkedMines) / static_cast<double>(std::max(coveredSquares, 1));
    return {passFoundNothing, static_cast<float>(density), unmarkedMines == 0};
}
}  // namespace

int32_t SolverStep(int32_t pass, int32_t width, int32_t height, int32_t mineTotal, Board board, CellView** views,
                   int32_t passLimit, Truth hypothetical)
{
    if (pass >= passLimit)
        return OutcomeStop;
    // A board that was never made (its allocation failed upstream) has
    // nothing to solve.
    if (board == nullptr)
        return OutcomeStop;

    if (pass == PassStart) {
        ClearMarks(width, height, board);
        pass = PassRevealSolved;
    }

    BoardMap map;
    MapBoard(map, width, height, board);
    float mineDensity = 1.0f;
    if (!hypothetical) {
        const BoardAudit audit = AuditBoard(width, height, board, map);
        if (audit.outcome != passFoundNothing)
            return audit.outcome;
        mineDensity = audit.mineDensity;
        // After a fill-out the board is read again.
        if (audit.filledOut)
            MapBoard(map, width, height, board);
    }

    // A pass number without a pass stops here, after the audit.
    if (pass < PassRevealSolved || pass > PassGuess)
        return OutcomeStop;
    const StepArguments step = {width, height, mineTotal, board, views, hypothetical, &map};
    int32_t result = passFoundNothing;
    switch (pass) {
    case PassRevealSolved:
        if (RevealAroundSolvedSquares(step))
            return PassRevealSolved;
        [[fallthrough]];
    case PassMarkForced:
        if (MarkForcedMines(step))
            return PassRevealSolved;
        [[fallthrough]];
    case PassExcludeMine:
        if (passLimit == PassExcludeMine)
            return OutcomeStop;
        result = ExcludeMineSquare(step);
        if (result != passFoundNothing)
            return result;
        [[fallthrough]];
    case PassExcludeSafe:
        if (passLimit == PassExcludeSafe)
            return OutcomeStop;
        result = ExcludeSafeSquare(step);
        if (result != passFoundNothing)
            return result;
        return PassGuess;
    case PassGuess:
        return GuessSquare(step, mineDensity);
    default:
        return OutcomeStop;
    }
}
