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
// still has to look at and how the trial has changed the counts around it.
// Trials never nest, so one is enough per pass; it starts cleared (= {}) and
// every trial leaves it cleared.
struct TrialScratch {
    uint64_t pending[2][maxBoardSide];     // rows whose pass 2 (0) or pass 3 (1) check is due
    uint64_t changedAround[maxBoardSide];  // rows with a changed neighbour: test them for a contradiction
    uint64_t changed[maxBoardSide];        // rows the trial has marked or uncovered
    int16_t change[maxBoardSide][64];      // around each square: marks gained, plus 256 for each square uncovered
    int32_t firstColumn, lastColumn;       // the columns touched, when firstColumn <= lastColumn
};

// A trial of a quiet board, with the assumption already made at (x, y) on
// the copy `trial`, that gives exactly what RunTrial then HasContradiction
// give, and changes the copy as they would: on a quiet board a number can
// act, or be contradicted, only once one of its neighbours has changed, so
// only those numbers are looked at, in the same order as the passes'
// sweeps. The counts around each number are the step's, from its map, with
// what the trial changed added. Returns whether the copy shows a
// contradiction.
Truth RunQuietTrial(const StepArguments& step, Board trial, int32_t x, int32_t y, TrialScratch& scratch);

// The same verdict with no copy at all: nothing of the trial is read from a
// copy, and the verdict is all that passes 4 and 5 keep of it.
Truth RunQuietTrial(const StepArguments& step, int32_t x, int32_t y, bool assumeMine, TrialScratch& scratch);

// The verdict of a quiet trial whose assumption at (x, y) sets off no
// forced move, from the step's map alone: 1 for a contradiction, 0 for
// none; -1 when some number around (x, y) would act, and the whole trial
// must be run.
int32_t VerdictWithoutMoves(const StepArguments& step, int32_t x, int32_t y, bool assumeMine);
