// Passes 4 and 5: recursive exclusion on trial copies of the board.
#include "solver/exclusion.h"

#include "model/board.h"
#include "model/memory.h"
#include "model/reveal.h"
#include "solver/board_map.h"
#include "solver/forced_moves.h"
#include "solver/messages.h"
#include "solver/quiet_trial.h"

void RunTrial(const StepArguments& step, Board trial)
{
    int32_t pass = PassRevealSolved;
    while (pass < OutcomeStop)
        pass = SolverStep(pass, step.width, step.height, step.mineTotal, trial, step.views, PassExcludeMine, 1);
}

// Squares uncovered as assumptions are skipped: their numbers were never seen.
Truth HasContradiction(int32_t width, int32_t height, Board board)
{
    BoardMap map;
    MapBoard(map, width, height, board);
    return HasContradiction(map, board);
}

// The map's counts settle every square whose number it holds; the others
// are counted one by one.
Truth HasContradiction(BoardMap& map, Board board)
{
    for (int32_t x = 0; x < map.width; ++x) {
        if (map.seen[x] == 0)
            continue;
        KnowCounts(map, x);
        const ColumnCounts& number = map.number[x];
        const uint64_t contradicted =
            GreaterCount(map.markedAround[x], number) | GreaterCount(number, map.unrevealedAround[x]);
        if ((contradicted & map.seen[x] & ~map.oddNumbers[x]) != 0)
            return 1;
        for (uint64_t rows = map.oddNumbers[x]; rows != 0;) {
            const int32_t y = LowestRow(rows);
            rows = RowsBelow(rows, y);
            const int32_t value = board[x][y].adjacentMines;
            const NeighbourCounts counts = CountAround(x, y, map.width, map.height, board);
            if (counts.marked > value || counts.unrevealed < value)
                return 1;
        }
    }
    return 0;
}

namespace {
enum Assumption { AssumeMine, AssumeSafe };

// A trial's verdict: no contradiction, a contradiction, or no copy to be
// had (CopyBoard has already said so).
enum Verdict { Consistent, Contradicted, NoCopy };

// Whether a Revealed square that is not an assumption borders the square:
// only such squares can feel an assumption made there.
bool BordersUncoveredSquare(const StepArguments& step, int32_t x, int32_t y)
{
    for (int32_t column = x - 1; column <= x + 1; ++column)
        for (int32_t row = y - 1; row <= y + 1; ++row) {
            if (column < 0 || row < 0 || column >= step.width || row >= step.height)
                continue;
            const Cell& cell = step.board[column][row];
            if (cell.state == Revealed && !cell.assumedSafe)
                return true;
        }
    return false;
}

// A trial copy of the step's board, with the assumption made at (x, y)
// unless x is -1; the forced moves are run on it, it is tested and it is
// released.
Verdict RunTrialCopy(const StepArguments& step, Assumption assumption, int32_t x, int32_t y)
{
    Board trial = CopyBoard(step.width, step.height, step.board);
    if (trial == nullptr)
        return NoCopy;
    if (x >= 0 && assumption == AssumeMine)
        MarkCell(x, y, step.width, step.height, trial);
    else if (x >= 0)
        RevealCell(x, y, step.width, step.height, trial, 1);
    RunTrial(step, trial);
    const Truth contradiction = HasContradiction(step.width, step.height, trial);
    FreeBoard(step.width, step.height, trial);
    return contradiction ? Contradicted : Consistent;
}

// Asks for the memory of a trial copy and gives it back at once. A trial on
// a quiet board reads nothing of its copy (see RunQuietTrial), but it still
// takes the memory the copy would, so that memory runs out exactly where it
// does for a trial on a copy. False, after CopyBoard's message, when the
// copy could not be made.
bool CopyCouldBeMade(int32_t width, int32_t height)
{
    Board table = CreateBoard(width, height);
    if (table == nullptr)
        return false;
    void* columns[maxBoardSide];
    for (int32_t x = 0; x < width; ++x)
        columns[x] = table[x];
    ReleaseBlocksOfSize(width, columns, sizeof(Cell) * static_cast<size_t>(height));
    ReleaseMemory(table);
    return true;
}

// The same on a quiet board, looking only at what the assumption at (x, y)
// sets off: most assumptions set off nothing, and the numbers around them
// tell the verdict at once.
Verdict RunQuietTrialCopy(const StepArguments& step, Assumption assumption, int32_t x, int32_t y,
                          TrialScratch& scratch)
{
    if (!CopyCouldBeMade(step.width, step.height))
        return NoCopy;
    const bool assumeMine = assumption == AssumeMine;
    const int32_t alone = VerdictWithoutMoves(step, x, y, assumeMine);
    const Truth contradiction = alone >= 0 ? static_cast<Truth>(alone) : RunQuietTrial(step, x, y, assumeMine, scratch);
    return contradiction ? Contradicted : Consistent;
}

// Finds the first candidate, in scan order, whose assumption leads to a
// contradiction. The copy is released before the caller acts on the real
// board. Returns NoCopy as soon as a copy cannot be made.
//
// Work that cannot change the answer is skipped. A candidate that borders
// no uncovered square cannot change how any number sees its neighbours, so
// its trial runs exactly as a trial without an assumption: on a quiet board
// that one finds nothing; otherwise it is run once, when first needed, and
// stands for all such candidates. On a quiet board the map says which
// candidates border an uncovered square, and the trials look only at the
// numbers that can act (see RunQuietTrial), with no copy to fill.
Verdict FindContradiction(const StepArguments& step, Assumption assumption, int32_t& foundX, int32_t& foundY)
{
    if (IsQuietBoard(step)) {
        BoardMap local;
        BoardMap& map = MapOfStep(step, local);
        KnowAllCounts(map);
        TrialScratch scratch = {};
        for (int32_t x = 0; x < step.width; ++x) {
            for (uint64_t rows = map.candidates[x] & RowsNear(map, map.seen, x); rows != 0;) {
                const int32_t y = LowestRow(rows);
                rows = RowsBelow(rows, y);
                const Verdict verdict = RunQuietTrialCopy(step, assumption, x, y, scratch);
                if (verdict == Contradicted) {
                    foundX = x;
                    foundY = y;
                }
                if (verdict != Consistent)
                    return verdict;
            }
        }
        return Consistent;
    }

    Verdict withoutAssumption = NoCopy;
    bool withoutAssumptionKnown = false;
    for (int32_t x = 0; x < step.width; ++x) {
        for (int32_t y = 0; y < step.height; ++y) {
            if (!IsCandidateSquare(step.board[x][y]))
                continue;
            Verdict verdict = Consistent;
            if (BordersUncoveredSquare(step, x, y)) {
                verdict = RunTrialCopy(step, assumption, x, y);
            } else {
                if (!withoutAssumptionKnown) {
                    withoutAssumption = RunTrialCopy(step, assumption, -1, -1);
                    withoutAssumptionKnown = true;
                }
                verdict = withoutAssumption;
            }
            if (verdict == Contradicted) {
                foundX = x;
                foundY = y;
            }
            if (verdict != Consistent)
                return verdict;
        }
    }
    return Consistent;
}
}  // namespace

int32_t ExcludeMineSquare(const StepArguments& step)
{
    int32_t x = -1, y = -1;
    const Verdict verdict = FindContradiction(step, AssumeMine, x, y);
    if (verdict == NoCopy)
        return OutcomeStop;
    if (verdict == Consistent)
        return passFoundNothing;
    if (RevealCell(x, y, step.width, step.height, step.board, step.hypothetical)) {
        ReportLogicalMistake();
        return OutcomeFailed;
    }
    return PassRevealSolved;
}

int32_t ExcludeSafeSquare(const StepArguments& step)
{
    int32_t x = -1, y = -1;
    const Verdict verdict = FindContradiction(step, AssumeSafe, x, y);
    if (verdict == NoCopy)
        return OutcomeStop;
    if (verdict == Consistent)
        return passFoundNothing;
    // MarkCell's result is not tested: it is false in every case, and the
    // square was a candidate, so it is Covered and the mark always goes down.
    MarkCell(x, y, step.width, step.height, step.board);
    return PassRevealSolved;
}
