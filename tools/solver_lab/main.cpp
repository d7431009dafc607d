// solver-lab: plays Solver on generated boards as Solve! mode does and
// prints how often it wins and how long its steps, games and Hints take.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/solver_lab/lab_csv.h"
#include "tools/solver_lab/lab_figures.h"
#include "tools/solver_lab/lab_machine.h"
#include "tools/solver_lab/lab_options.h"
#include "tools/solver_lab/lab_run.h"

namespace {
// A frame of a 60 Hz display: a step or a Hint longer than this is felt.
constexpr double frameMilliseconds = 16.0;

void PrintTimes(std::FILE* out, const char* what, std::vector<double>& times, bool countOverFrame)
{
    const double maximum = MaximumOf(times);
    size_t overFrame = 0;
    for (double time : times)
        overFrame += time > frameMilliseconds;
    const double median = MedianOf(times);
    std::fprintf(out, "%-12s median %10.4f ms   max %10.4f ms   (%zu timed", what, median, maximum, times.size());
    if (countOverFrame)
        std::fprintf(out, ", %zu over %.0f ms", overFrame, frameMilliseconds);
    std::fprintf(out, ")\n");
}

// The maximum once every reading over the line has been taken again.
void PrintAgain(std::FILE* out, double maximum, uint64_t again)
{
    std::fprintf(out, "%-12s %17s max %10.4f ms   (%llu over %.2f ms timed again, best of %d)\n", "", "", maximum,
                 static_cast<unsigned long long>(again), retimeOverMilliseconds, retimeRepeats);
}
}  // namespace

int main(int argc, char** argv)
{
    LabOptions options;
    std::string error;
    bool wantsHelp = false;
    if (!ParseLabOptions(argc, argv, options, error, wantsHelp)) {
        if (wantsHelp) {
            std::printf("%s\n", labUsage);
            return 0;
        }
        std::fprintf(stderr, "solver-lab: %s\n%s\n", error.c_str(), labUsage);
        return 2;
    }
    // A file for the lines must be writable before the games are played; it
    // is emptied only once they have been. With the lines on standard
    // output, the figures go to standard error.
    const bool csvToFile = !options.csv.empty() && options.csv != "-";
    if (csvToFile) {
        std::FILE* probe = std::fopen(options.csv.c_str(), "a");
        if (probe == nullptr) {
            std::fprintf(stderr, "solver-lab: cannot write '%s'\n", options.csv.c_str());
            return 1;
        }
        std::fclose(probe);
    }
    std::FILE* out = options.csv == "-" ? stderr : stdout;

    const std::string machine = DescribeMachine();
    LabTotals totals;
    if (!RunLab(options, totals, error)) {
        std::fprintf(stderr, "solver-lab: %s\n", error.c_str());
        return 1;
    }

    std::fprintf(out, "board %dx%d, %d mines, seeds %u-%u\n", options.width, options.height, options.mines,
                 options.firstSeed, options.lastSeed);
    std::fprintf(out, "games %llu   won %llu   lost %llu   stopped %llu   win rate %.1f%%\n",
                 static_cast<unsigned long long>(totals.games), static_cast<unsigned long long>(totals.won),
                 static_cast<unsigned long long>(totals.lost), static_cast<unsigned long long>(totals.stopped),
                 totals.games == 0 ? 0.0 : 100.0 * static_cast<double>(totals.won) / static_cast<double>(totals.games));
    PrintTimes(out, "solver step", totals.stepTimes, true);
    if (!options.once)
        PrintAgain(out, totals.stepMaxAgain, totals.stepsAgain);
    PrintTimes(out, "whole game", totals.gameTimes, false);
    if (options.hints) {
        PrintTimes(out, "hint", totals.hintTimes, true);
        if (!options.once)
            PrintAgain(out, totals.hintMaxAgain, totals.hintsAgain);
    }
    // The processor time tells what a core can do even when others share it.
    std::fprintf(out, "time %.2f s, %.0f games a second on %d %s; %.2f s of processor time, %.0f games a second of it\n",
                 totals.seconds, totals.seconds > 0.0 ? static_cast<double>(totals.games) / totals.seconds : 0.0,
                 totals.jobs, totals.jobs == 1 ? "job" : "jobs", totals.processorSeconds,
                 totals.processorSeconds > 0.0 ? static_cast<double>(totals.games) / totals.processorSeconds : 0.0);
    std::fprintf(out, "machine %s (before the run)\n", machine.c_str());
    std::fprintf(out, "trace digest %016llx\n", static_cast<unsigned long long>(totals.digest));

    if (options.csv == "-")
        WriteCsv(stdout, totals);
    if (csvToFile) {
        std::FILE* csv = std::fopen(options.csv.c_str(), "w");
        if (csv != nullptr)
            WriteCsv(csv, totals);
        if (csv == nullptr || std::fclose(csv) != 0) {
            std::fprintf(stderr, "solver-lab: cannot write '%s'\n", options.csv.c_str());
            return 1;
        }
    }
    return 0;
}
