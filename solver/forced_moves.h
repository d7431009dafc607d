// Passes 2 and 3: the forced moves around the numbers a player sees, and the
// neighbour counts they and the exclusion trials are built on.
#pragma once

#include <cstdint>

#include "solver/solver.h"

// A square whose number drives the forced moves: uncovered for real (not as
// an assumption on a trial copy) and with at least one neighbouring mine.
inline bool IsConstraintSquare(const Cell& cell)
{
    return cell.state == Revealed && !cell.assumedSafe && cell.adjacentMines != 0;
}

// The neighbours of (x, y) that are Marked and those that are not Revealed,
// counted in one walk: the numbers that CountMarkedNeighbours and
// CountUnrevealedNeighbours give, which the passes need together.
struct NeighbourCounts {
    int32_t marked;
    int32_t unrevealed;
};
NeighbourCounts CountAround(int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// The two forced moves at a constraint square: pass 2 uncovers around it
// where the marks account for its number and other unrevealed neighbours
// remain; pass 3 marks around it where the unrevealed neighbours are
// exactly as many as the number and not all of them are marked.
enum ForcedMove { UncoverAround, MarkAroundNumber };

// Whether the move's pattern holds at constraint square (x, y).
bool ForcedMoveApplies(ForcedMove move, int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// The move's area operation on the 3 by 3 window of (x, y).
void ApplyForcedMove(ForcedMove move, int32_t x, int32_t y, int32_t width, int32_t height, Board board,
                     Truth hypothetical);

// Whether the 3 by 3 window holds a Covered square, that is whether an area
// operation on it changes anything.
bool WindowHasCovered(int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// The rows of column x where the map shows the move's pattern at a
// constraint square with a Covered neighbour (and those whose number the
// map cannot hold, to be counted one by one).
struct BoardMap;
uint64_t ForcedMoveRows(BoardMap& map, ForcedMove move, int32_t x);

// Passes 2 and 3 sweep the whole board; true when they changed it.
Truth RevealAroundSolvedSquares(const StepArguments& step);
Truth MarkForcedMines(const StepArguments& step);
