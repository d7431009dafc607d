// The forced moves of a trial, looking only at the numbers that can act.
#include "solver/quiet_trial.h"

#include <cstring>

#include "model/reveal.h"
#include "solver/board_map.h"
#include "solver/exclusion.h"
#include "solver/forced_moves.h"

namespace {
// A trial on the step's board as it would be on a copy: the step's map,
// with what the trial changed kept in the scratch. The copy itself, when
// one is given, is changed as the trial changes it.
struct QuietTrial {
    const StepArguments& step;
    const BoardMap& map;  // of the step's board, which the trial does not change
    Board copy;           // or nullptr
    TrialScratch& scratch;
};

// The neighbour counts of (x, y) as the trial has them.
NeighbourCounts TrialCounts(const QuietTrial& trial, int32_t x, int32_t y)
{
    const int32_t change = trial.scratch.change[x][y];
    return {CountOf(trial.map.markedAround[x], y) + (change & 0xff),
            CountOf(trial.map.unrevealedAround[x], y) - (change >> 8)};
}

// The square (x, y), Covered on the step's board, has been marked or
// uncovered as an assumption: its neighbours' counts change, and every
// neighbour that is a number a player sees must be looked at again.
void NoteChange(QuietTrial& trial, int32_t x, int32_t y, bool marked)
{
    const int32_t width = trial.step.width, height = trial.step.height;
    TrialScratch& scratch = trial.scratch;
    scratch.changed[x] |= 1ull << y;
    const int16_t change = marked ? 1 : 1 << 8;
    const int32_t firstColumn = x > 0 ? x - 1 : 0, lastColumn = x + 1 < width ? x + 1 : width - 1;
    const int32_t firstRow = y > 0 ? y - 1 : 0, lastRow = y + 1 < height ? y + 1 : height - 1;
    const uint64_t window = ((2ull << (lastRow - firstRow)) - 1) << firstRow;
    for (int32_t column = firstColumn; column <= lastColumn; ++column) {
        // The square's own entry changes too; it is never read, being no number.
        for (int32_t row = firstRow; row <= lastRow; ++row)
            scratch.change[column][row] = static_cast<int16_t>(scratch.change[column][row] + change);
        const uint64_t seen = trial.map.seen[column] & window;
        scratch.changedAround[column] |= seen;
        scratch.pending[0][column] |= seen & trial.map.numbers[column];
        scratch.pending[1][column] |= seen & trial.map.numbers[column];
    }
    if (firstColumn < scratch.firstColumn || scratch.firstColumn > scratch.lastColumn)
        scratch.firstColumn = firstColumn;
    if (lastColumn > scratch.lastColumn)
        scratch.lastColumn = lastColumn;
}

// Whether the move's pattern holds at number (x, y) in the trial. A number
// the player sees is the same on the copy as on the step's board.
bool TrialMoveApplies(const QuietTrial& trial, ForcedMove move, int32_t x, int32_t y)
{
    const int32_t number = trial.step.board[x][y].adjacentMines;
    const NeighbourCounts counts = TrialCounts(trial, x, y);
    if (move == UncoverAround)
        return counts.marked == number && counts.unrevealed != counts.marked;
    return counts.unrevealed == number && counts.marked != number;
}

// One sweep of pass 2 or pass 3 over the numbers due, in scan order; a
// square that falls due further on while the sweep runs is reached in the
// same sweep, as in the full sweep. Returns whether it changed anything.
bool Sweep(QuietTrial& trial, int32_t pass)
{
    const int32_t width = trial.step.width, height = trial.step.height;
    const ForcedMove move = pass == 0 ? UncoverAround : MarkAroundNumber;
    TrialScratch& scratch = trial.scratch;
    uint64_t* pending = scratch.pending[pass];
    bool progress = false;
    for (int32_t x = scratch.firstColumn; x <= scratch.lastColumn; ++x) {
        for (uint64_t rows = pending[x]; rows != 0; rows = RowsBelow(pending[x], LowestRow(rows))) {
            const int32_t y = LowestRow(rows);
            pending[x] &= ~(1ull << y);
            if (!TrialMoveApplies(trial, move, x, y))
                continue;
            // The squares that the area operation changes: those of its
            // window still Covered in the trial.
            const uint64_t around = ((7ull << y) >> 1) & trial.map.allRows;
            uint64_t changes[3] = {0, 0, 0};
            for (int32_t i = 0; i < 3; ++i) {
                const int32_t column = x - 1 + i;
                if (column >= 0 && column < width)
                    changes[i] = trial.map.covered[column] & ~scratch.changed[column] & around;
            }
            if ((changes[0] | changes[1] | changes[2]) == 0)
                continue;
            progress = true;
            if (trial.copy != nullptr)
                ApplyForcedMove(move, x, y, width, height, trial.copy, 1);
            for (int32_t i = 0; i < 3; ++i)
                for (uint64_t changed = changes[i]; changed != 0; changed &= changed - 1)
                    NoteChange(trial, x - 1 + i, LowestRow(changed), move == MarkAroundNumber);
        }
    }
    return progress;
}

// Leaves the scratch cleared, columns touched only.
void ClearTrialScratch(TrialScratch& scratch, int32_t height)
{
    for (int32_t x = scratch.firstColumn; x <= scratch.lastColumn; ++x) {
        scratch.pending[0][x] = scratch.pending[1][x] = scratch.changedAround[x] = scratch.changed[x] = 0;
        std::memset(scratch.change[x], 0, sizeof(int16_t) * static_cast<size_t>(height));
    }
    scratch.firstColumn = 0;
    scratch.lastColumn = -1;
}

// The trial from the assumption at (x, y) to its verdict.
Truth RunTrialOnMap(const StepArguments& step, Board copy, int32_t x, int32_t y, bool assumeMine,
                    TrialScratch& scratch)
{
    BoardMap local;
    BoardMap& map = MapOfStep(step, local);
    KnowAllCounts(map);
    QuietTrial trial = {step, map, copy, scratch};
    scratch.firstColumn = 0;
    scratch.lastColumn = -1;
    NoteChange(trial, x, y, assumeMine);

    // The trial's steps: pass 2 while it makes progress, then pass 3; after
    // progress by pass 3 the next step begins again with pass 2.
    while (Sweep(trial, 0) || Sweep(trial, 1)) {
    }

    Truth contradiction = 0;
    for (int32_t column = scratch.firstColumn; column <= scratch.lastColumn && !contradiction; ++column) {
        for (uint64_t rows = scratch.changedAround[column]; rows != 0 && !contradiction;) {
            const int32_t row = LowestRow(rows);
            rows = RowsBelow(rows, row);
            const int32_t number = step.board[column][row].adjacentMines;
            const NeighbourCounts counts = TrialCounts(trial, column, row);
            contradiction = counts.marked > number || counts.unrevealed < number;
        }
    }
    ClearTrialScratch(scratch, step.height);
    return contradiction;
}
}  // namespace

bool IsQuietBoard(const StepArguments& step)
{
    BoardMap local;
    BoardMap& map = MapOfStep(step, local);
    if (map.quiet >= 0)
        return map.quiet == 1;
    map.quiet = 0;
    // Only where the map shows a pattern (see ForcedMoveRows); the numbers it
    // cannot hold are counted.
    for (int32_t x = 0; x < step.width; ++x) {
        for (uint64_t rows = ForcedMoveRows(map, UncoverAround, x) | ForcedMoveRows(map, MarkAroundNumber, x);
             rows != 0;) {
            const int32_t y = LowestRow(rows);
            rows = RowsBelow(rows, y);
            const bool odd = (map.oddNumbers[x] >> y) & 1;
            if (!odd || ((ForcedMoveApplies(UncoverAround, x, y, step.width, step.height, step.board) ||
                          ForcedMoveApplies(MarkAroundNumber, x, y, step.width, step.height, step.board)) &&
                         WindowHasCovered(x, y, step.width, step.height, step.board)))
                return false;
        }
    }
    map.quiet = !HasContradiction(map, step.board);
    return map.quiet == 1;
}

Truth RunQuietTrial(const StepArguments& step, Board trial, int32_t x, int32_t y, TrialScratch& scratch)
{
    return RunTrialOnMap(step, trial, x, y, trial[x][y].state == Marked, scratch);
}

Truth RunQuietTrial(const StepArguments& step, int32_t x, int32_t y, bool assumeMine, TrialScratch& scratch)
{
    return RunTrialOnMap(step, nullptr, x, y, assumeMine, scratch);
}

int32_t VerdictWithoutMoves(const StepArguments& step, int32_t x, int32_t y, bool assumeMine)
{
    BoardMap local;
    BoardMap& map = MapOfStep(step, local);
    KnowAllCounts(map);
    const int32_t firstColumn = x > 0 ? x - 1 : 0, lastColumn = x + 1 < step.width ? x + 1 : step.width - 1;
    const uint64_t window = ((7ull << y) >> 1) & map.allRows;
    bool contradiction = false;
    for (int32_t column = firstColumn; column <= lastColumn; ++column) {
        const uint64_t own = column == x ? 1ull << y : 0;
        for (uint64_t rows = map.seen[column] & window & ~own; rows != 0;) {
            const int32_t row = LowestRow(rows);
            rows = RowsBelow(rows, row);
            const int32_t number = step.board[column][row].adjacentMines;
            const int32_t marked = CountOf(map.markedAround[column], row) + (assumeMine ? 1 : 0);
            const int32_t unrevealed = CountOf(map.unrevealedAround[column], row) - (assumeMine ? 0 : 1);
            if ((map.numbers[column] >> row) & 1) {
                const bool acts = (marked == number && unrevealed != marked) ||
                                  (unrevealed == number && marked != number);
                // It changes the copy only where its window still holds a
                // Covered square, the assumption's own square apart.
                if (acts) {
                    const uint64_t around = ((7ull << row) >> 1) & map.allRows;
                    for (int32_t near = column - 1; near <= column + 1; ++near)
                        if (near >= 0 && near < step.width &&
                            (map.covered[near] & around & ~(near == x ? 1ull << y : 0)) != 0)
                            return -1;
                }
            }
            contradiction = contradiction || marked > number || unrevealed < number;
        }
    }
    return contradiction ? 1 : 0;
}
