// A run of the solver lab over a range of seeds: the counts, the times and
// the digest of every game's trace.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/solver_lab/lab_options.h"

struct LabTotals {
    uint64_t games = 0, won = 0, lost = 0, stopped = 0;
    std::vector<double> stepTimes, gameTimes, hintTimes;  // milliseconds
    uint64_t digest;  // every game's trace digest, mixed in seed order
};

// Plays every seed of the options' range, in order.
LabTotals RunLab(const LabOptions& options);
