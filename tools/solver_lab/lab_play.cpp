#include "tools/solver_lab/lab_play.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "model/board.h"
#include "model/mines.h"
#include "model/reveal.h"
#include "platform/portable/testing.h"
#include "platform/random.h"
#include "solver/solver.h"
#include "tests/support/board_text.h"
#include "tools/solver_lab/trace_digest.h"

namespace {
typedef std::chrono::steady_clock Clock;

double MillisecondsBetween(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The squares of each kind, counted without mixing.
SquareTally CountSquares(int32_t width, int32_t height, Board board)
{
    SquareTally tally = {0, 0};
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y) {
            tally.covered += board[x][y].state == Covered;
            tally.marked += board[x][y].state == Marked;
        }
    return tally;
}

// The shell's tally and win test on the board as counted: won when the
// mines not yet marked equal the covered squares, and then every covered
// square is marked.
bool TallyWins(int32_t width, int32_t height, Board board, int32_t mines, const SquareTally& tally)
{
    if (mines - tally.marked != tally.covered)
        return false;
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            MarkCell(x, y, width, height, board);
    return true;
}

// The square a Hint would uncover, or -1, -1 when it finds none.
struct HintSquare {
    int32_t x, y;
};

// The messages shown since the log was last cleared go into the digest.
uint64_t MixMessages(uint64_t digest)
{
    for (const portable::MessageBoxCall& call : portable::MessageBoxLog()) {
        digest = MixText(MixText(digest, call.title), call.text);
        digest = MixValue(digest, call.type);
    }
    portable::ClearMessageBoxLog();
    return digest;
}

// What a Hint found and did: each step's result and the square, or -1, -1.
struct HintResult {
    HintSquare square;
    std::vector<int32_t> results;
};

// The Hint command's loop on a copy of the board, which is then thrown away,
// timed to the millisecond; `digest`, when given, takes each step's result
// and then the copy as the Hint leaves it, outside the time. The generator is put
// back so that timing a Hint cannot change the game.
double TimeHint(int32_t width, int32_t height, Board live, int32_t mines, HintResult& result, uint64_t* digest)
{
    const uint32_t savedState = randomState;
    result.square = {-1, -1};
    result.results.clear();
    const Clock::time_point start = Clock::now();
    Board copy = CopyBoard(width, height, live);
    double milliseconds = 0.0;
    if (copy != nullptr) {
        int32_t pass = PassStart;
        while (result.square.x < 0) {
            pass = SolverStep(pass, width, height, mines, copy, nullptr, PassGuess, 0);
            result.results.push_back(pass);
            if (pass >= OutcomeStop)
                break;
            for (int32_t x = 0; x < width && result.square.x < 0; ++x)
                for (int32_t y = 0; y < height && result.square.x < 0; ++y)
                    if (copy[x][y].state == Revealed && !copy[x][y].isMine && live[x][y].state != Revealed)
                        result.square = {x, y};
        }
        milliseconds = MillisecondsBetween(start, Clock::now());
        if (digest != nullptr) {
            for (int32_t pass : result.results)
                *digest = MixValue(*digest, static_cast<uint32_t>(pass));
            *digest = MixStates(*digest, width, height, copy);
        }
        const Clock::time_point release = Clock::now();
        FreeBoard(width, height, copy);
        milliseconds += MillisecondsBetween(release, Clock::now());
    } else {
        milliseconds = MillisecondsBetween(start, Clock::now());
    }
    randomState = savedState;
    return milliseconds;
}

// The Hint's square follows its results and its copy in the digest.
uint64_t MixHintSquare(uint64_t digest, const HintResult& result)
{
    return MixValue(MixValue(digest, static_cast<uint32_t>(result.square.x)), static_cast<uint32_t>(result.square.y));
}

// Which turns of a game to time again, and how.
struct Again {
    const std::vector<bool>* steps;  // by turn, from 0
    const std::vector<bool>* hints;
    Retimed* retimed;
};

bool Marked(const std::vector<bool>* turns, int32_t turn)
{
    return turns != nullptr && turn < static_cast<int32_t>(turns->size()) && (*turns)[turn];
}

const char* EndName(GameEnd end)
{
    return end == GameWon ? "won" : end == GameLost ? "lost" : "stopped";
}

template <typename... Values>
void AppendLine(std::string& text, const char* format, Values... values)
{
    char line[256];
    std::snprintf(line, sizeof line, format, values...);
    text += line;
}
}  // namespace

void AnswerMessagesAtOnce()
{
    portable::SetMessageBoxHandler([](const portable::MessageBoxCall&) { return IDOK; });
}

namespace {
// The game, turn by turn as Solve! plays it: the tally and win test, a Hint
// when asked for, one Solver step. With `again`, the marked turns' Hints and
// steps are timed retimeRepeats more times, on the board as it was.
GameRecord PlayTurns(const LabOptions& options, uint32_t seed, const Again* again)
{
    const int32_t width = options.width, height = options.height, mines = options.mines;
    GameRecord record = {GameStopped, 0, 0.0, {}, {}, MixValue(emptyDigest, seed), {}};
    uint64_t& digest = record.digest;
    SeedRandom(seed);
    Board board = CreateBoard(width, height);
    if (board == nullptr)
        return record;
    PlaceMines(width, height, board, mines);
    portable::ClearMessageBoxLog();
    std::vector<Cell> before;  // the board before a step timed again

    // The tally of each turn is counted while the last step's board is mixed
    // into the digest; the board does not change in between.
    SquareTally tally = CountSquares(width, height, board);
    int32_t pass = PassStart;
    for (int32_t turn = 0;; ++turn) {
        const Clock::time_point tallyStart = Clock::now();
        const bool won = TallyWins(width, height, board, mines, tally);
        record.gameMilliseconds += MillisecondsBetween(tallyStart, Clock::now());
        if (won) {
            record.end = GameWon;
            break;
        }

        HintResult hint;
        if (options.hints) {
            record.hintMilliseconds.push_back(TimeHint(width, height, board, mines, hint, &digest));
            digest = MixMessages(MixHintSquare(digest, hint));
            if (again != nullptr && Marked(again->hints, turn)) {
                double best = record.hintMilliseconds.back();
                for (int32_t repeat = 0; repeat < retimeRepeats; ++repeat) {
                    HintResult same;
                    const double milliseconds = TimeHint(width, height, board, mines, same, nullptr);
                    best = milliseconds < best ? milliseconds : best;
                }
                portable::ClearMessageBoxLog();
                again->retimed->hintMilliseconds[turn] = best;
                ++again->retimed->hints;
            }
        }

        const bool stepAgain = again != nullptr && Marked(again->steps, turn);
        const uint32_t stateBefore = randomState;
        if (stepAgain) {
            before.clear();
            for (int32_t x = 0; x < width; ++x)
                before.insert(before.end(), board[x], board[x] + height);
        }
        const int32_t given = pass;
        const Clock::time_point stepStart = Clock::now();
        pass = SolverStep(given, width, height, mines, board, nullptr, noPassLimit, 0);
        const double stepTime = MillisecondsBetween(stepStart, Clock::now());
        if (stepAgain) {
            // The same step again on the board as it was: the same result.
            double best = stepTime;
            for (int32_t repeat = 0; repeat < retimeRepeats; ++repeat) {
                for (int32_t x = 0; x < width; ++x)
                    std::copy(before.begin() + x * height, before.begin() + (x + 1) * height, board[x]);
                randomState = stateBefore;
                portable::ClearMessageBoxLog();
                const Clock::time_point repeatStart = Clock::now();
                SolverStep(given, width, height, mines, board, nullptr, noPassLimit, 0);
                const double milliseconds = MillisecondsBetween(repeatStart, Clock::now());
                best = milliseconds < best ? milliseconds : best;
            }
            again->retimed->stepMilliseconds[turn] = best;
            ++again->retimed->steps;
        }
        record.stepMilliseconds.push_back(stepTime);
        record.gameMilliseconds += stepTime;
        ++record.steps;
        digest = MixValue(MixValue(digest, static_cast<uint32_t>(given)), static_cast<uint32_t>(pass));
        digest = MixMessages(digest);
        // Every field after a guess, which writes Solver's scratch values.
        if (given == PassGuess) {
            digest = MixBoard(digest, width, height, board);
            tally = CountSquares(width, height, board);
        } else {
            digest = MixStates(digest, width, height, board, tally);
        }
        if (options.trace && options.hints)
            AppendLine(record.trace, "seed %u step %d: hint %d,%d pass %d -> %d ", seed, record.steps,
                       hint.square.x, hint.square.y, given, pass);
        else if (options.trace)
            AppendLine(record.trace, "seed %u step %d: pass %d -> %d ", seed, record.steps, given, pass);
        if (options.trace)
            record.trace += BoardToLine(width, height, board) + "\n";

        if (pass >= OutcomeStop) {
            record.end = pass == OutcomeFinished ? GameWon : pass == OutcomeFailed ? GameLost : GameStopped;
            break;
        }
    }
    digest = MixValue(MixValue(digest, record.end), static_cast<uint32_t>(record.steps));
    digest = MixValue(digest, randomState);
    digest = MixBoard(digest, width, height, board);
    if (options.trace)
        AppendLine(record.trace, "seed %u end: %s after %d steps, generator state %u\n", seed, EndName(record.end),
                   record.steps, randomState);
    FreeBoard(width, height, board);
    return record;
}

// The turns whose time is over the line.
std::vector<bool> SlowTurns(const std::vector<double>& milliseconds, int32_t& count)
{
    std::vector<bool> slow(milliseconds.size(), false);
    for (size_t turn = 0; turn < milliseconds.size(); ++turn)
        if (milliseconds[turn] > retimeOverMilliseconds) {
            slow[turn] = true;
            ++count;
        }
    return slow;
}
}  // namespace

GameRecord PlayGame(const LabOptions& options, uint32_t seed)
{
    return PlayTurns(options, seed, nullptr);
}

Retimed RetimeSlowTurns(const LabOptions& options, uint32_t seed, const GameRecord& record)
{
    Retimed retimed = {record.stepMilliseconds, record.hintMilliseconds, 0, 0};
    int32_t slow = 0;
    const std::vector<bool> steps = SlowTurns(record.stepMilliseconds, slow);
    const std::vector<bool> hints = SlowTurns(record.hintMilliseconds, slow);
    if (slow == 0)
        return retimed;
    LabOptions quiet = options;
    quiet.trace = false;
    const Again again = {&steps, &hints, &retimed};
    PlayTurns(quiet, seed, &again);
    return retimed;
}
