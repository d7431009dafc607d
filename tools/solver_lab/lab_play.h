// Plays Solver on one generated board exactly as Solve! mode does, timing
// every step and, on request, a Hint before each step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/solver_lab/lab_options.h"

enum GameEnd { GameWon, GameLost, GameStopped };

struct GameRecord {
    GameEnd end;
    int32_t steps;
    double gameMilliseconds;               // every tally and step of the game
    std::vector<double> stepMilliseconds;  // one entry per Solver step
    std::vector<double> hintMilliseconds;  // one entry per Hint (with --hints)
    // The digest of the game's whole trace: each step's pass and result, the
    // messages it showed and the state and number of every square after it
    // (every field after a guess); with --hints, each Hint's results, its
    // square, its messages and its copy; the end, the step count, the
    // generator state and every field of every square.
    uint64_t digest;
    std::string trace;  // with options.trace, one line per step and one at the end
};

// Solver's message boxes are answered at once, as a player closing them would.
void AnswerMessagesAtOnce();

// Seeds the generator with `seed`, lays the board and plays it to its end.
GameRecord PlayGame(const LabOptions& options, uint32_t seed);

// A step or Hint that took longer than this is timed again: on a machine
// shared with other work, one slow reading is more often the machine than
// the step.
constexpr double retimeOverMilliseconds = 0.25;
constexpr int32_t retimeRepeats = 5;

// The game's times with every step and Hint over retimeOverMilliseconds
// timed again, the best of retimeRepeats runs of the very same step on the
// very same board (the game is played again up to it), and how many were.
struct Retimed {
    std::vector<double> stepMilliseconds;
    std::vector<double> hintMilliseconds;
    int32_t steps;
    int32_t hints;
};
Retimed RetimeSlowTurns(const LabOptions& options, uint32_t seed, const GameRecord& record);
