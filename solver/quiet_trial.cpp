// The forced moves of a trial, looking only at the numbers that can act.
#include "solver/quiet_trial.h"

#include "model/reveal.h"
#include "solver/board_map.h"
#include "solver/exclusion.h"
#include "solver/forced_moves.h"
#include "solver/lazy_copy.h"

namespace {
// Flags of a square in a quiet trial.
constexpr uint8_t pendingPassTwo = 1;    // pass 2 has not seen its neighbours as they are now
constexpr uint8_t pendingPassThree = 2;  // the same for pass 3
constexpr uint8_t changedAround = 4;     // a neighbour changed: test it for a contradiction

struct QuietTrial {
    const StepArguments& step;
    Board board;
    TrialScratch& scratch;
    LazyCopy* copy;  // columns are made the copy's own before they change
    int32_t lowest;   // the first and last squares, in scan order, ever flagged
    int32_t highest;
};

void Flag(QuietTrial& trial, int32_t index, uint8_t flags)
{
    TrialScratch& scratch = trial.scratch;
    if (scratch.flags[index] == 0)
        scratch.flagged[scratch.flaggedCount++] = static_cast<int16_t>(index);
    scratch.flags[index] |= flags;
    if (index < trial.lowest)
        trial.lowest = index;
    if (index > trial.highest)
        trial.highest = index;
}

// The square (x, y) has changed: every uncovered neighbour that is not an
// assumption must be looked at again.
void NoteChange(QuietTrial& trial, int32_t x, int32_t y)
{
    const int32_t width = trial.step.width, height = trial.step.height;
    for (int32_t column = x - 1; column <= x + 1; ++column) {
        for (int32_t row = y - 1; row <= y + 1; ++row) {
            if (column < 0 || row < 0 || column >= width || row >= height || (column == x && row == y))
                continue;
            const Cell& cell = trial.board[column][row];
            if (cell.state != Revealed || cell.assumedSafe)
                continue;
            uint8_t flags = changedAround;
            if (cell.adjacentMines != 0)
                flags |= pendingPassTwo | pendingPassThree;
            Flag(trial, column * height + row, flags);
        }
    }
}

// One sweep of pass 2 or pass 3 over the flagged numbers, in scan order; a
// square flagged further on while the sweep runs is reached in the same
// sweep, as in the full sweep. Returns whether it changed the copy.
bool Sweep(QuietTrial& trial, uint8_t pass)
{
    const int32_t width = trial.step.width, height = trial.step.height;
    const ForcedMove move = pass == pendingPassTwo ? UncoverAround : MarkAroundNumber;
    bool progress = false;
    for (int32_t index = trial.lowest; index <= trial.highest; ++index) {
        if (!(trial.scratch.flags[index] & pass))
            continue;
        trial.scratch.flags[index] &= static_cast<uint8_t>(~pass);
        const int32_t x = index / height, y = index % height;
        if (!ForcedMoveApplies(move, x, y, width, height, trial.board))
            continue;
        // The squares that the area operation will change.
        int32_t changedX[9], changedY[9], changes = 0;
        for (int32_t column = x - 1; column <= x + 1; ++column)
            for (int32_t row = y - 1; row <= y + 1; ++row)
                if (column >= 0 && row >= 0 && column < width && row < height &&
                    trial.board[column][row].state == Covered) {
                    changedX[changes] = column;
                    changedY[changes] = row;
                    ++changes;
                }
        if (changes == 0)
            continue;
        progress = true;
        if (trial.copy != nullptr)
            OwnColumns(*trial.copy, x - 1, x + 1);
        ApplyForcedMove(move, x, y, width, height, trial.board, 1);
        for (int32_t i = 0; i < changes; ++i)
            NoteChange(trial, changedX[i], changedY[i]);
    }
    return progress;
}
}  // namespace

bool IsQuietBoard(const StepArguments& step)
{
    BoardMap local;
    BoardMap& map = MapOfStep(step, local);
    if (map.quiet >= 0)
        return map.quiet == 1;
    map.quiet = 0;
    // Only where the map shows a pattern (see ForcedMoveRows).
    for (int32_t x = 0; x < step.width; ++x) {
        for (uint64_t rows = ForcedMoveRows(map, UncoverAround, x) | ForcedMoveRows(map, MarkAroundNumber, x);
             rows != 0;) {
            const int32_t y = LowestRow(rows);
            rows = RowsBelow(rows, y);
            if ((ForcedMoveApplies(UncoverAround, x, y, step.width, step.height, step.board) ||
                 ForcedMoveApplies(MarkAroundNumber, x, y, step.width, step.height, step.board)) &&
                WindowHasCovered(x, y, step.width, step.height, step.board))
                return false;
        }
    }
    map.quiet = !HasContradiction(map, step.board);
    return map.quiet == 1;
}

void ClearTrialScratch(TrialScratch& scratch)
{
    for (int32_t i = 0; i < scratch.flaggedCount; ++i)
        scratch.flags[scratch.flagged[i]] = 0;
    scratch.flaggedCount = 0;
}

Truth RunQuietTrial(const StepArguments& step, Board board, int32_t x, int32_t y, TrialScratch& scratch,
                    LazyCopy* copy)
{
    const int32_t width = step.width, height = step.height;
    QuietTrial trial = {step, board, scratch, copy, width * height, -1};
    NoteChange(trial, x, y);

    // The trial's steps: pass 2 while it makes progress, then pass 3; after
    // progress by pass 3 the next step begins again with pass 2.
    while (Sweep(trial, pendingPassTwo) || Sweep(trial, pendingPassThree)) {
    }

    Truth contradiction = 0;
    for (int32_t i = 0; i < scratch.flaggedCount && !contradiction; ++i) {
        const int32_t index = scratch.flagged[i];
        if (!(scratch.flags[index] & changedAround))
            continue;
        const int32_t column = index / height, row = index % height;
        const int32_t number = board[column][row].adjacentMines;
        const NeighbourCounts counts = CountAround(column, row, width, height, board);
        contradiction = counts.marked > number || counts.unrevealed < number;
    }
    ClearTrialScratch(scratch);
    return contradiction;
}
