// Passes 2 and 3: the forced-move patterns around constraint squares.
#include "solver/forced_moves.h"

#include "model/reveal.h"
#include "solver/board_map.h"

// The window is clipped to the board once and counted whole; the square
// itself is then taken out again.
NeighbourCounts CountAround(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    const int32_t firstColumn = x > 0 ? x - 1 : 0, lastColumn = x + 1 < width ? x + 1 : width - 1;
    const int32_t firstRow = y > 0 ? y - 1 : 0, lastRow = y + 1 < height ? y + 1 : height - 1;
    int32_t marked = 0, revealed = 0;
    for (int32_t column = firstColumn; column <= lastColumn; ++column) {
        const Cell* cells = board[column];
        for (int32_t row = firstRow; row <= lastRow; ++row) {
            marked += cells[row].state == Marked;
            revealed += cells[row].state == Revealed;
        }
    }
    const CellState own = board[x][y].state;
    marked -= own == Marked;
    revealed -= own == Revealed;
    const int32_t neighbours = (lastColumn - firstColumn + 1) * (lastRow - firstRow + 1) - 1;
    return {marked, neighbours - revealed};
}

// On Solver's boards a pass that acts always finds a Covered square in the
// window; testing it keeps a board that breaks that rule (an Exploded or
// FalseMark neighbour counts as unrevealed but cannot change) from
// reporting progress forever.
bool WindowHasCovered(int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    for (int32_t column = x - 1; column <= x + 1; ++column)
        for (int32_t row = y - 1; row <= y + 1; ++row)
            if (column >= 0 && row >= 0 && column < width && row < height && board[column][row].state == Covered)
                return true;
    return false;
}

bool ForcedMoveApplies(ForcedMove move, int32_t x, int32_t y, int32_t width, int32_t height, Board board)
{
    const int32_t number = board[x][y].adjacentMines;
    const NeighbourCounts counts = CountAround(x, y, width, height, board);
    if (move == UncoverAround)
        return counts.marked == number && counts.unrevealed != counts.marked;
    return counts.unrevealed == number && counts.marked != number;
}

void ApplyForcedMove(ForcedMove move, int32_t x, int32_t y, int32_t width, int32_t height, Board board,
                     Truth hypothetical)
{
    // After the audit every mark is on a mine, so uncovering cannot hit one;
    // on a trial copy it uncovers only assumptions.
    if (move == UncoverAround)
        RevealAround(x, y, width, height, board, hypothetical);
    else
        MarkAround(x, y, width, height, board);
}

uint64_t ForcedMoveRows(BoardMap& map, ForcedMove move, int32_t x)
{
    const uint64_t numbers = map.numbers[x] & RowsNear(map, map.covered, x);
    if (numbers == 0)
        return 0;
    KnowCounts(map, x);
    const ColumnCounts& number = map.number[x];
    const ColumnCounts& marked = map.markedAround[x];
    const ColumnCounts& unrevealed = map.unrevealedAround[x];
    const uint64_t holds = move == UncoverAround ? SameCount(marked, number) & ~SameCount(unrevealed, marked)
                                                 : SameCount(unrevealed, number) & ~SameCount(marked, number);
    return (holds | map.oddNumbers[x]) & numbers;
}

namespace {
// The map after a move at (x, y) on a real board: the squares it uncovered
// are those Covered in the map and Revealed now, found from the window
// through the 0s among them, where the flood fill went on. Their rows are
// read again.
void MapAfterUncover(const StepArguments& step, BoardMap& map, int32_t x, int32_t y)
{
    uint64_t found[maxBoardSide] = {};
    int32_t reached[maxBoardSide * maxBoardSide];  // column * 64 + row
    int32_t waiting = 0;
    auto reach = [&](int32_t column, int32_t row) {
        if (column < 0 || row < 0 || column >= step.width || row >= step.height)
            return;
        const uint64_t bit = 1ull << row;
        if (!(map.covered[column] & bit) || (found[column] & bit) || step.board[column][row].state == Covered)
            return;
        found[column] |= bit;
        reached[waiting++] = column * 64 + row;
    };
    for (int32_t column = x - 1; column <= x + 1; ++column)
        for (int32_t row = y - 1; row <= y + 1; ++row)
            reach(column, row);
    while (waiting > 0) {
        const int32_t column = reached[waiting - 1] / 64, row = reached[waiting - 1] % 64;
        --waiting;
        const Cell& cell = step.board[column][row];
        if (cell.state != Revealed || cell.isMine || cell.adjacentMines != 0)
            continue;
        for (int32_t next = column - 1; next <= column + 1; ++next)
            for (int32_t nextRow = row - 1; nextRow <= row + 1; ++nextRow)
                reach(next, nextRow);
    }
    for (int32_t column = 0; column < step.width; ++column)
        if (found[column] != 0)
            MapRows(map, column, found[column], step.board);
}

// The map after a move at (x, y): only its window can have changed, unless
// the move uncovered squares on a real board, where a flood fill may have
// gone on. Marking turns exactly the window's Covered squares into Marked
// ones, which the map is told without reading them.
void MapAfterMove(const StepArguments& step, BoardMap& map, ForcedMove move, int32_t x, int32_t y, uint64_t* window)
{
    if (move == UncoverAround && !step.hypothetical)
        MapAfterUncover(step, map, x, y);
    else if (move == MarkAroundNumber)
        MapMarks(map, x, window);
    else
        MapWindow(map, x, y, step.board);
}

// The Covered squares of the window of (x, y), by column from x - 1.
void CoveredInWindow(const BoardMap& map, int32_t x, int32_t y, uint64_t* window)
{
    const uint64_t rows = ((7ull << y) >> 1) & map.allRows;
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t column = x - 1 + i;
        window[i] = column >= 0 && column < map.width ? map.covered[column] & rows : 0;
    }
}

// One sweep of a forced move over every constraint square, columns outer;
// squares uncovered earlier in the sweep can act later in the same sweep.
// True when it changed the board.
//
// Only squares where the map shows the pattern are looked at: elsewhere it
// does not hold, or the square has no Covered neighbour and the move's area
// operation would change nothing (which is why such a square is passed
// over rather than made to act). The map is read again around every move.
Truth SweepForcedMove(const StepArguments& step, ForcedMove move)
{
    BoardMap local;
    BoardMap& map = MapOfStep(step, local);
    Truth progress = 0;
    for (int32_t x = 0; x < step.width; ++x) {
        uint64_t rows = ForcedMoveRows(map, move, x);
        while (rows != 0) {
            const int32_t y = LowestRow(rows);
            rows = RowsBelow(rows, y);
            // The map's rows hold the pattern and a Covered neighbour, except
            // for the numbers it cannot hold, which are counted here.
            const bool odd = (map.oddNumbers[x] >> y) & 1;
            if (odd && !(ForcedMoveApplies(move, x, y, step.width, step.height, step.board) &&
                         WindowHasCovered(x, y, step.width, step.height, step.board)))
                continue;
            progress = 1;
            uint64_t window[3];
            CoveredInWindow(map, x, y, window);
            ApplyForcedMove(move, x, y, step.width, step.height, step.board, step.hypothetical);
            MapAfterMove(step, map, move, x, y, window);
            rows = RowsBelow(ForcedMoveRows(map, move, x), y);
        }
    }
    return progress;
}
}  // namespace

Truth RevealAroundSolvedSquares(const StepArguments& step)
{
    return SweepForcedMove(step, UncoverAround);
}

Truth MarkForcedMines(const StepArguments& step)
{
    return SweepForcedMove(step, MarkAroundNumber);
}
