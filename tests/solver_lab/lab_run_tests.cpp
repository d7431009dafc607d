// A run split over several processes plays the same games as one process:
// the same counts, the same lines in the same order and the same digest.
// And what the command line and the per-game lines look like.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/solver_lab/lab_csv.h"
#include "tools/solver_lab/lab_options.h"
#include "tools/solver_lab/lab_run.h"

namespace {
LabTotals RunOn(LabOptions options, int32_t jobs)
{
    options.jobs = jobs;
    LabTotals totals;
    std::string error;
    EXPECT_TRUE(RunLab(options, totals, error)) << error;
    return totals;
}

bool Parse(std::vector<std::string> arguments, LabOptions& options, std::string& error)
{
    arguments.insert(arguments.begin(), "solver-lab");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(&argument[0]);
    bool wantsHelp = false;
    return ParseLabOptions(static_cast<int>(argv.size()), argv.data(), options, error, wantsHelp);
}
}  // namespace

TEST(LabJobs, TheFiguresAndTheDigestDoNotDependOnTheJobs)
{
    LabOptions options;
    options.width = 16, options.height = 16, options.mines = 40;
    options.firstSeed = 11, options.lastSeed = 39;  // 29 seeds: parts of unequal length
    options.hints = true;
    options.once = true;  // the games are wanted here, not the times
    const LabTotals one = RunOn(options, 1);
    ASSERT_EQ(one.games, 29u);
    EXPECT_EQ(one.jobs, 1);
    for (int32_t jobs : {2, 3, 5}) {
        const LabTotals split = RunOn(options, jobs);
        EXPECT_EQ(split.jobs, jobs);
        EXPECT_EQ(split.digest, one.digest) << jobs << " jobs";
        EXPECT_EQ(split.won, one.won);
        EXPECT_EQ(split.lost, one.lost);
        EXPECT_EQ(split.stopped, one.stopped);
        EXPECT_EQ(split.stepTimes.size(), one.stepTimes.size());
        EXPECT_EQ(split.hintTimes.size(), one.hintTimes.size());
        ASSERT_EQ(split.rows.size(), one.rows.size());
        for (size_t i = 0; i < one.rows.size(); ++i) {
            EXPECT_EQ(split.rows[i].seed, one.rows[i].seed) << jobs << " jobs, line " << i;
            EXPECT_EQ(split.rows[i].end, one.rows[i].end) << jobs << " jobs, line " << i;
            EXPECT_EQ(split.rows[i].steps, one.rows[i].steps) << jobs << " jobs, line " << i;
            EXPECT_EQ(split.rows[i].digest, one.rows[i].digest) << jobs << " jobs, line " << i;
        }
    }
    // Never more jobs than games.
    options.lastSeed = 13;
    EXPECT_EQ(RunOn(options, 8).jobs, 3);
}

TEST(LabOptions, JobsAndLinesAreReadAndBadOnesRefused)
{
    LabOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--level", "expert", "--jobs", "4", "--csv", "games.csv", "--once"}, options, error)) << error;
    EXPECT_EQ(options.jobs, 4);
    EXPECT_TRUE(options.once);
    EXPECT_EQ(options.csv, "games.csv");
    EXPECT_EQ(LabOptions().jobs, 0);  // one for each core unless told

    const std::vector<std::vector<std::string>> refused = {
        {"--jobs", "0"}, {"--jobs", "257"}, {"--jobs", "two"}, {"--jobs"}, {"--csv", ""}, {"--csv", "-", "--trace"}};
    for (const std::vector<std::string>& arguments : refused) {
        LabOptions ignored;
        error.clear();
        EXPECT_FALSE(Parse(arguments, ignored, error)) << arguments[0];
        EXPECT_FALSE(error.empty()) << arguments[0];
    }
}

TEST(LabCsv, OneLinePerGameUnderAHeader)
{
    LabTotals totals;
    totals.rows = {{7, GameWon, 12, 0.5, 0.25, 0.125, 0xabcull}, {8, GameLost, 1, 0.0625, 0.0625, 0.0, 1}};
    char* text = nullptr;
    size_t size = 0;
    std::FILE* file = open_memstream(&text, &size);
    ASSERT_NE(file, nullptr);
    WriteCsv(file, totals);
    std::fclose(file);
    EXPECT_EQ(std::string(text, size),
              "seed,result,steps,game_ms,step_max_ms,hint_max_ms,digest\n"
              "7,won,12,0.5000,0.2500,0.1250,0000000000000abc\n"
              "8,lost,1,0.0625,0.0625,0.0000,0000000000000001\n");
    std::free(text);
}
