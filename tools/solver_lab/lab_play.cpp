#include "tools/solver_lab/lab_play.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "model/board.h"
#include "model/mines.h"
#include "model/reveal.h"
#include "platform/portable/testing.h"
#include "platform/random.h"
#include "solver/solver.h"
#include "tools/board_text.h"
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

// The Hint command's loop on a copy of the board, which is then thrown away.
// The generator is put back so that timing a Hint cannot change the game.
// Each step's result and the copy as the Hint leaves it go into `digest`.
HintSquare RunHint(int32_t width, int32_t height, Board live, int32_t mines, uint64_t& digest)
{
    const uint32_t savedState = randomState;
    HintSquare found = {-1, -1};
    Board copy = CopyBoard(width, height, live);
    if (copy != nullptr) {
        int32_t pass = PassStart;
        while (found.x < 0) {
            pass = SolverStep(pass, width, height, mines, copy, nullptr, PassGuess, 0);
            digest = MixValue(digest, static_cast<uint32_t>(pass));
            if (pass >= OutcomeStop)
                break;
            for (int32_t x = 0; x < width && found.x < 0; ++x)
                for (int32_t y = 0; y < height && found.x < 0; ++y)
                    if (copy[x][y].state == Revealed && !copy[x][y].isMine && live[x][y].state != Revealed)
                        found = {x, y};
        }
        digest = MixStates(digest, width, height, copy);
        FreeBoard(width, height, copy);
    }
    randomState = savedState;
    digest = MixValue(MixValue(digest, static_cast<uint32_t>(found.x)), static_cast<uint32_t>(found.y));
    return found;
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

GameRecord PlayGame(const LabOptions& options, uint32_t seed)
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

    // The tally of each turn is counted while the last step's board is mixed
    // into the digest; the board does not change in between.
    SquareTally tally = CountSquares(width, height, board);
    int32_t pass = PassStart;
    for (;;) {
        const Clock::time_point tallyStart = Clock::now();
        const bool won = TallyWins(width, height, board, mines, tally);
        record.gameMilliseconds += MillisecondsBetween(tallyStart, Clock::now());
        if (won) {
            record.end = GameWon;
            break;
        }

        HintSquare hint = {-1, -1};
        if (options.hints) {
            const Clock::time_point hintStart = Clock::now();
            hint = RunHint(width, height, board, mines, digest);
            record.hintMilliseconds.push_back(MillisecondsBetween(hintStart, Clock::now()));
            digest = MixMessages(digest);
        }

        const int32_t given = pass;
        const Clock::time_point stepStart = Clock::now();
        pass = SolverStep(pass, width, height, mines, board, nullptr, noPassLimit, 0);
        const double stepTime = MillisecondsBetween(stepStart, Clock::now());
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
            AppendLine(record.trace, "seed %u step %d: hint %d,%d pass %d -> %d ", seed, record.steps, hint.x, hint.y,
                       given, pass);
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
