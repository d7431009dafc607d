// Plays Solver on one generated board exactly as Solve! mode does, timing
// every step and, on request, a Hint before each step.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/solver_lab/lab_options.h"

enum GameEnd { GameWon, GameLost, GameStopped };

struct GameRecord {
    GameEnd end;
    int32_t steps;
    double gameMilliseconds;               // every tally and step of the game
    std::vector<double> stepMilliseconds;  // one entry per Solver step
    std::vector<double> hintMilliseconds;  // one entry per Hint (with --hints)
};

// Seeds the generator with `seed`, lays the board and plays it to its end.
// With options.trace, prints one line per step to stdout (with the square a
// Hint would have uncovered first, when Hints are timed).
GameRecord PlayGame(const LabOptions& options, uint32_t seed);
