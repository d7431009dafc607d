// The solver lab's command line.
#pragma once

#include <cstdint>
#include <string>

struct LabOptions {
    int32_t width = 9;
    int32_t height = 9;
    int32_t mines = 10;
    uint32_t firstSeed = 1;
    uint32_t lastSeed = 100;
    bool trace = false;
    bool hints = false;
    bool once = false;  // each step and Hint timed once, slow ones not again (as under a profiler)
    int32_t jobs = 0;  // processes to play on; 0: one for each core
    std::string csv;   // where one line per game goes: a file, "-" for standard output, "" for nowhere
};

// The most processes a run is split into.
constexpr int32_t maxJobs = 256;

// The usage line, printed after every complaint about the arguments.
extern const char* const labUsage;

// Reads the arguments into `options`. On failure returns false with a
// message naming the problem in `error`; `wantsHelp` is set for --help.
bool ParseLabOptions(int argc, char** argv, LabOptions& options, std::string& error, bool& wantsHelp);
