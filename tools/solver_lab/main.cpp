// solver-lab: plays Solver on generated boards as Solve! mode does and
// prints how often it wins and how long its steps, games and Hints take.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/solver_lab/lab_figures.h"
#include "tools/solver_lab/lab_options.h"
#include "tools/solver_lab/lab_run.h"

namespace {
// A frame of a 60 Hz display: a step or a Hint longer than this is felt.
constexpr double frameMilliseconds = 16.0;

void PrintTimes(const char* what, std::vector<double>& times, bool countOverFrame)
{
    const double maximum = MaximumOf(times);
    size_t overFrame = 0;
    for (double time : times)
        overFrame += time > frameMilliseconds;
    const double median = MedianOf(times);
    std::printf("%-12s median %10.4f ms   max %10.4f ms   (%zu timed", what, median, maximum, times.size());
    if (countOverFrame)
        std::printf(", %zu over %.0f ms", overFrame, frameMilliseconds);
    std::printf(")\n");
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

    LabTotals totals = RunLab(options);

    std::printf("board %dx%d, %d mines, seeds %u-%u\n", options.width, options.height, options.mines,
                options.firstSeed, options.lastSeed);
    std::printf("games %llu   won %llu   lost %llu   stopped %llu   win rate %.1f%%\n",
                static_cast<unsigned long long>(totals.games), static_cast<unsigned long long>(totals.won),
                static_cast<unsigned long long>(totals.lost), static_cast<unsigned long long>(totals.stopped),
                totals.games == 0 ? 0.0 : 100.0 * static_cast<double>(totals.won) / static_cast<double>(totals.games));
    PrintTimes("solver step", totals.stepTimes, true);
    PrintTimes("whole game", totals.gameTimes, false);
    if (options.hints)
        PrintTimes("hint", totals.hintTimes, true);
    std::printf("trace digest %016llx\n", static_cast<unsigned long long>(totals.digest));
    return 0;
}
