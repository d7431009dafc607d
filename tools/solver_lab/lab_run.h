// A run of the solver lab over a range of seeds, on one process or several:
// the counts, the times, one line per game and the digest of every game's
// trace, all in seed order whatever the number of processes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/solver_lab/lab_options.h"
#include "tools/solver_lab/lab_play.h"

// What one game gives: its line, its times, and its trace when asked for.
struct GameResult {
    uint32_t seed;
    GameEnd end;
    int32_t steps;
    double gameMilliseconds;
    uint64_t digest;
    std::vector<double> stepMilliseconds, hintMilliseconds;
    double stepMaxAgain, hintMaxAgain;  // the maxima with the slow ones timed again
    int32_t stepsAgain, hintsAgain;     // how many were
    std::string trace;
};

// One game's line of the results, for --csv; its slowest step and Hint are
// as timed again when they were slow.
struct GameRow {
    uint32_t seed;
    GameEnd end;
    int32_t steps;
    double gameMilliseconds, stepMax, hintMax;
    uint64_t digest;
};

struct LabTotals {
    uint64_t games = 0, won = 0, lost = 0, stopped = 0;
    std::vector<double> stepTimes, gameTimes, hintTimes;  // milliseconds
    double stepMaxAgain = 0.0, hintMaxAgain = 0.0;
    uint64_t stepsAgain = 0, hintsAgain = 0;
    uint64_t digest;  // every game's trace digest, mixed in seed order
    std::vector<GameRow> rows;
    int32_t jobs = 1;
    double seconds = 0.0;  // from the first game's start to the last one's end, timing again apart
    double processorSeconds = 0.0;  // the processor time of the playing, every job's added
};

// Plays one game; then, apart, times its slow steps and Hints again.
GameResult PlayOne(const LabOptions& options, uint32_t seed);
void RetimeOne(const LabOptions& options, GameResult& game);

// Plays every seed of the options' range: on options.jobs processes (one
// for each core when 0, never more than there are games), each taking a
// part of the range in turn. Traces are written to standard output in seed
// order. False, with the reason in `error`, when a job could not be started
// or did not bring back its games.
bool RunLab(const LabOptions& options, LabTotals& totals, std::string& error);
