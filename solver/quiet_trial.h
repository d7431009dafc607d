// The quiet-trial shortcut of passes 4 and 5: on a board where the forced
// moves have nothing left to do, a trial looks only at the numbers around
// what changed.
#pragma once

#include <cstdint>

#include "solver/solver.h"

// Whether passes 2 and 3 would change nothing on the step's board and no
// number on it is contradicted. That is the case whenever pass 4 or 5 is
// reached by falling through, on any sound board.
bool IsQuietBoard(const StepArguments& step);

// Room to note, for every square of the largest board, what a quiet trial
// still has to look at. Trials never nest, so one is enough per pass.
constexpr int32_t maxSquares = maxBoardSide * maxBoardSide;
struct TrialScratch {
    uint8_t flags[maxSquares];
    int16_t flagged[maxSquares];  // the squares whose flags are set
    int32_t flaggedCount;
};
void ClearTrialScratch(TrialScratch& scratch);

struct LazyCopy;

// A trial on a copy of a quiet board, with the assumption already made at
// (x, y), that gives exactly what RunTrial then HasContradiction give: on a
// quiet board a number can act, or be contradicted, only once one of its
// neighbours has changed, so only those numbers are looked at, in the same
// order as the passes' sweeps. Returns whether the copy shows a
// contradiction. When `trial` is the board of `copy`, the columns that the
// trial changes are made the copy's own first.
Truth RunQuietTrial(const StepArguments& step, Board trial, int32_t x, int32_t y, TrialScratch& scratch,
                    LazyCopy* copy = nullptr);
