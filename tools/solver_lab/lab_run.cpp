#include "tools/solver_lab/lab_run.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstring>
#include <thread>

#include "tools/solver_lab/lab_figures.h"
#include "tools/solver_lab/lab_wire.h"
#include "tools/solver_lab/trace_digest.h"

namespace {
// Adds a game, the next in seed order, to the totals.
void AddGame(LabTotals& totals, const GameResult& game)
{
    ++totals.games;
    totals.won += game.end == GameWon;
    totals.lost += game.end == GameLost;
    totals.stopped += game.end == GameStopped;
    totals.stepTimes.insert(totals.stepTimes.end(), game.stepMilliseconds.begin(), game.stepMilliseconds.end());
    totals.hintTimes.insert(totals.hintTimes.end(), game.hintMilliseconds.begin(), game.hintMilliseconds.end());
    totals.gameTimes.push_back(game.gameMilliseconds);
    totals.stepMaxAgain = std::max(totals.stepMaxAgain, game.stepMaxAgain);
    totals.hintMaxAgain = std::max(totals.hintMaxAgain, game.hintMaxAgain);
    totals.stepsAgain += static_cast<uint64_t>(game.stepsAgain);
    totals.hintsAgain += static_cast<uint64_t>(game.hintsAgain);
    totals.digest = MixValue(totals.digest, game.digest);
    totals.rows.push_back(
        {game.seed, game.end, game.steps, game.gameMilliseconds, game.stepMaxAgain, game.hintMaxAgain, game.digest});
    if (!game.trace.empty())
        std::fputs(game.trace.c_str(), stdout);
}

// The seeds of job `job` out of `jobs`: consecutive parts of the range, in
// order, as even as they can be.
void JobSeeds(const LabOptions& options, int32_t job, int32_t jobs, uint64_t& first, uint64_t& last)
{
    const uint64_t count = static_cast<uint64_t>(options.lastSeed) - options.firstSeed + 1;
    first = options.firstSeed + count * static_cast<uint64_t>(job) / static_cast<uint64_t>(jobs);
    last = options.firstSeed + count * static_cast<uint64_t>(job + 1) / static_cast<uint64_t>(jobs) - 1;
}

bool WriteAll(int descriptor, const std::string& bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t now = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (now < 0 && errno == EINTR)
            continue;
        if (now <= 0)
            return false;
        written += static_cast<size_t>(now);
    }
    return true;
}

bool ReadAll(int descriptor, std::string& bytes)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t now = read(descriptor, buffer, sizeof buffer);
        if (now < 0 && errno == EINTR)
            continue;
        if (now < 0)
            return false;
        if (now == 0)
            return true;
        bytes.append(buffer, static_cast<size_t>(now));
    }
}

// Plays the seeds from `first` to `last`, then times the slow steps and
// Hints of each game again; `played` is when the last game ended and
// `processor` the processor time the playing took, in seconds.
std::vector<GameResult> PlaySeeds(const LabOptions& options, uint64_t first, uint64_t last, int64_t& played,
                                  double& processor)
{
    std::vector<GameResult> games;
    const std::clock_t processorStart = std::clock();
    for (uint64_t seed = first; seed <= last; ++seed)
        games.push_back(PlayOne(options, static_cast<uint32_t>(seed)));
    processor = static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
    played = std::chrono::steady_clock::now().time_since_epoch().count();
    for (GameResult& game : games)
        if (!options.once)
            RetimeOne(options, game);
    return games;
}

// A job's process: plays its seeds, writes them to `descriptor` once all
// are played (so that jobs never wait on each other while they play) and
// ends without running anything of its parent's.
[[noreturn]] void RunJob(const LabOptions& options, uint64_t first, uint64_t last, int descriptor)
{
    int64_t played = 0;
    double processor = 0.0;
    const std::vector<GameResult> games = PlaySeeds(options, first, last, played, processor);
    std::string bytes(reinterpret_cast<const char*>(&played), sizeof played);
    bytes.append(reinterpret_cast<const char*>(&processor), sizeof processor);
    for (const GameResult& game : games)
        WriteGame(bytes, game);
    const bool written = WriteAll(descriptor, bytes);
    close(descriptor);
    _exit(written ? 0 : 1);
}

struct Job {
    pid_t process;
    int descriptor;
};

// Runs the jobs; `played` becomes when the last of them had played its games.
bool RunJobs(const LabOptions& options, int32_t jobs, LabTotals& totals, int64_t& played, std::string& error)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::vector<Job> started;
    for (int32_t job = 0; job < jobs && error.empty(); ++job) {
        uint64_t first = 0, last = 0;
        JobSeeds(options, job, jobs, first, last);
        int ends[2];
        if (pipe(ends) != 0) {
            error = std::string("cannot make a pipe for a job: ") + std::strerror(errno);
            break;
        }
        const pid_t process = fork();
        if (process == 0) {
            close(ends[0]);
            for (const Job& other : started)
                close(other.descriptor);
            RunJob(options, first, last, ends[1]);
        }
        close(ends[1]);
        if (process < 0) {
            close(ends[0]);
            error = std::string("cannot start a job: ") + std::strerror(errno);
            break;
        }
        started.push_back({process, ends[0]});
    }
    // Every job started is waited for, even after a failure.
    for (size_t job = 0; job < started.size(); ++job) {
        std::string bytes;
        const bool read = ReadAll(started[job].descriptor, bytes);
        close(started[job].descriptor);
        int status = 0;
        while (waitpid(started[job].process, &status, 0) < 0 && errno == EINTR) {
        }
        if (!error.empty())
            continue;
        if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            error = "job " + std::to_string(job + 1) + " ended without bringing back its games";
            continue;
        }
        int64_t jobPlayed = 0;
        double jobProcessor = 0.0;
        if (bytes.size() < sizeof jobPlayed + sizeof jobProcessor) {
            error = "job " + std::to_string(job + 1) + " brought back nothing";
            continue;
        }
        std::memcpy(&jobPlayed, bytes.data(), sizeof jobPlayed);
        std::memcpy(&jobProcessor, bytes.data() + sizeof jobPlayed, sizeof jobProcessor);
        played = std::max(played, jobPlayed);
        totals.processorSeconds += jobProcessor;
        size_t offset = sizeof jobPlayed + sizeof jobProcessor;
        GameResult game;
        while (offset < bytes.size()) {
            if (!ReadGame(bytes, offset, game)) {
                error = "job " + std::to_string(job + 1) + " brought back a game cut short";
                break;
            }
            AddGame(totals, game);
        }
    }
    return error.empty();
}
}  // namespace

GameResult PlayOne(const LabOptions& options, uint32_t seed)
{
    GameRecord record = PlayGame(options, seed);
    GameResult game;
    game.seed = seed;
    game.end = record.end;
    game.steps = record.steps;
    game.gameMilliseconds = record.gameMilliseconds;
    game.digest = record.digest;
    game.stepMilliseconds = std::move(record.stepMilliseconds);
    game.hintMilliseconds = std::move(record.hintMilliseconds);
    game.stepMaxAgain = MaximumOf(game.stepMilliseconds);
    game.hintMaxAgain = MaximumOf(game.hintMilliseconds);
    game.stepsAgain = game.hintsAgain = 0;
    game.trace = std::move(record.trace);
    return game;
}

void RetimeOne(const LabOptions& options, GameResult& game)
{
    GameRecord record;
    record.stepMilliseconds = game.stepMilliseconds;
    record.hintMilliseconds = game.hintMilliseconds;
    const Retimed retimed = RetimeSlowTurns(options, game.seed, record);
    game.stepMaxAgain = MaximumOf(retimed.stepMilliseconds);
    game.hintMaxAgain = MaximumOf(retimed.hintMilliseconds);
    game.stepsAgain = retimed.steps;
    game.hintsAgain = retimed.hints;
}

bool RunLab(const LabOptions& options, LabTotals& totals, std::string& error)
{
    totals = LabTotals();
    totals.digest = emptyDigest;
    error.clear();
    AnswerMessagesAtOnce();
    const uint64_t games = static_cast<uint64_t>(options.lastSeed) - options.firstSeed + 1;
    int32_t jobs = options.jobs > 0 ? options.jobs : static_cast<int32_t>(std::thread::hardware_concurrency());
    jobs = std::max<int32_t>(1, std::min<int32_t>(jobs, maxJobs));
    if (static_cast<uint64_t>(jobs) > games)
        jobs = static_cast<int32_t>(games);
    totals.jobs = jobs;

    const auto start = std::chrono::steady_clock::now();
    int64_t played = 0;
    bool done = true;
    if (jobs == 1) {
        for (const GameResult& game :
             PlaySeeds(options, options.firstSeed, options.lastSeed, played, totals.processorSeconds))
            AddGame(totals, game);
    } else {
        done = RunJobs(options, jobs, totals, played, error);
    }
    const std::chrono::steady_clock::duration playing(played - start.time_since_epoch().count());
    totals.seconds = std::chrono::duration<double>(playing).count();
    return done;
}
