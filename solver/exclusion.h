// Passes 4 and 5: recursive exclusion. Each covered square in turn is
// assumed to be a mine (pass 4) or safe (pass 5) on a private trial copy;
// the forced moves run on the copy until they stop, and a contradiction
// proves the opposite of the assumption on the real board.
#pragma once

#include <cstdint>

#include "solver/solver.h"

// A square the exclusion passes may make an assumption about.
inline bool IsCandidateSquare(const Cell& cell)
{
    return cell.state == Covered && !cell.assumedSafe;
}

// Passes 4 and 5 act on one square at most: passFoundNothing, or the step's
// result (2 after acting, 8 when a trial copy cannot be made, 9 when pass
// 4's reveal hit a mine).
int32_t ExcludeMineSquare(const StepArguments& step);
int32_t ExcludeSafeSquare(const StepArguments& step);

// The trial run: repeats SolverStep on the copy, from pass 2 with passLimit
// 4 and `hypothetical` set, while the result is below 8: passes 2 and 3
// only, without the audit.
void RunTrial(const StepArguments& step, Board trial);

// True when some Revealed square that is not an assumption has more Marked
// neighbours than its number, or fewer unrevealed neighbours than its number.
Truth HasContradiction(int32_t width, int32_t height, Board board);

// The same on a board whose map is up to date (it may work out counts).
struct BoardMap;
Truth HasContradiction(BoardMap& map, Board board);
