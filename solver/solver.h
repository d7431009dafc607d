// Solver: the automatic player and hint engine. One call runs one step of a
// small pass machine over a board and returns the pass that the next step
// should run, or a final outcome (8 or more). Solver keeps nothing between
// steps: the caller hands the returned code back on the next call.
//
// The pass machine is here and in solver.cpp; each pass has a file of its
// own: forced_moves (passes 2 and 3), exclusion and quiet_trial (passes 4
// and 5), guess (pass 6), and messages for what Solver tells the player;
// board_map is the step's reading of the board that the passes share.
#pragma once

#include <cstdint>

#include "model/cell.h"

// The view's per-square picture record. Solver only hands the store on to
// its trial calls and never reads it.
struct CellView;

// Where the squares of each kind lie on the step's board (board_map.h).
struct BoardMap;

// The pass to run (as argument) and what the step found (as result).
enum SolverPass : int32_t {
    PassStart = 0,         // clear every mark, then run as pass 2
    PassRevealSolved = 2,  // uncover around solved squares; as result: progress
    PassMarkForced = 3,    // mark where only mines can lie
    PassExcludeMine = 4,   // try each covered square as a mine on a trial copy
    PassExcludeSafe = 5,   // try each covered square as safe on a trial copy
    PassGuess = 6,         // estimate the odds and uncover the lowest; as result: guess next
    OutcomeStop = 8,       // Solver stops; nothing more to do
    OutcomeFailed = 9,     // Solver uncovered a mine (a message has been shown)
    OutcomeFinished = 10,  // every covered square held a mine and is now marked
};

// Runs one step: the entry limit (pass >= passLimit stops at once), the mark
// clearing of PassStart, the board audit (skipped when `hypothetical`), then
// the pass with its fall-through to the following passes. Passes 4 and 5 do
// not run when passLimit is 4 or 5 respectively. `mineTotal` and `views` are
// only handed on to the trial calls. The board must hold only Covered,
// Marked and Revealed squares. Messages are shown in boxes owned by
// mainWindow, titled "Solver"; after one the step returns at once.
int32_t SolverStep(int32_t pass, int32_t width, int32_t height, int32_t mineTotal, Board board, CellView** views,
                   int32_t passLimit, Truth hypothetical);

// The passLimit that lets every pass run, the guess included.
constexpr int32_t noPassLimit = OutcomeFinished + 1;

// What every pass is given: the step's own arguments, handed on unchanged to
// the trial calls.
struct StepArguments {
    int32_t width;
    int32_t height;
    int32_t mineTotal;
    Board board;
    CellView** views;
    Truth hypothetical;
    // Read once by the step and kept up to date by the forced moves; a pass
    // called on its own without one reads the board itself.
    BoardMap* map = nullptr;
};

// A pass that found nothing returns this, and the step goes on to the next.
constexpr int32_t passFoundNothing = -1;
