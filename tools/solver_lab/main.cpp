// solver-lab: plays Solver on generated boards as Solve! mode does and
// prints how often it wins and how long its steps, games and Hints take.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/portable/testing.h"
#include "tools/solver_lab/lab_figures.h"
#include "tools/solver_lab/lab_options.h"
#include "tools/solver_lab/lab_play.h"

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

    // Solver's message boxes are answered at once and not kept.
    portable::SetMessageBoxHandler([](const portable::MessageBoxCall&) { return IDOK; });

    uint64_t games = 0, won = 0, lost = 0, stopped = 0;
    std::vector<double> stepTimes, gameTimes, hintTimes;
    for (uint64_t seed = options.firstSeed; seed <= options.lastSeed; ++seed) {
        GameRecord record = PlayGame(options, static_cast<uint32_t>(seed));
        ++games;
        won += record.end == GameWon;
        lost += record.end == GameLost;
        stopped += record.end == GameStopped;
        stepTimes.insert(stepTimes.end(), record.stepMilliseconds.begin(), record.stepMilliseconds.end());
        hintTimes.insert(hintTimes.end(), record.hintMilliseconds.begin(), record.hintMilliseconds.end());
        gameTimes.push_back(record.gameMilliseconds);
    }

    std::printf("board %dx%d, %d mines, seeds %u-%u\n", options.width, options.height, options.mines,
                options.firstSeed, options.lastSeed);
    std::printf("games %llu   won %llu   lost %llu   stopped %llu   win rate %.1f%%\n",
                static_cast<unsigned long long>(games), static_cast<unsigned long long>(won),
                static_cast<unsigned long long>(lost), static_cast<unsigned long long>(stopped),
                games == 0 ? 0.0 : 100.0 * static_cast<double>(won) / static_cast<double>(games));
    PrintTimes("solver step", stepTimes, true);
    PrintTimes("whole game", gameTimes, false);
    if (options.hints)
        PrintTimes("hint", hintTimes, true);
    return 0;
}
