// Whole Solve! games through the lab's play loop, with a Hint before every
// step, against digests of their full traces taken before Solver was made
// faster: every step's pass and result, every message, the state and number
// of every square after every step (every field after a guess and at the
// end), each Hint's steps, square and copy. A faster Solver must play
// exactly the same games.
#include <gtest/gtest.h>

#include "model/board.h"
#include "tests/support/board_text.h"
#include "tools/solver_lab/lab_run.h"
#include "tools/solver_lab/trace_digest.h"

namespace {
struct KnownRun {
    const char* what;
    int32_t width, height, mines;
    uint32_t firstSeed, lastSeed;
    uint64_t won, lost;
    uint64_t digest;
};

LabOptions OptionsFor(const KnownRun& run)
{
    LabOptions options;
    options.width = run.width;
    options.height = run.height;
    options.mines = run.mines;
    options.firstSeed = run.firstSeed;
    options.lastSeed = run.lastSeed;
    options.hints = true;
    options.jobs = 1;
    options.once = true;  // the traces are wanted here, not the times
    return options;
}

void ExpectKnownRun(const KnownRun& run)
{
    LabTotals totals;
    std::string error;
    ASSERT_TRUE(RunLab(OptionsFor(run), totals, error)) << error;
    EXPECT_EQ(totals.games, run.lastSeed - run.firstSeed + 1) << run.what;
    EXPECT_EQ(totals.won, run.won) << run.what;
    EXPECT_EQ(totals.lost, run.lost) << run.what;
    EXPECT_EQ(totals.digest, run.digest) << run.what << ": digest 0x" << std::hex << totals.digest;
}

const KnownRun shortRuns[] = {
    {"beginner", 9, 9, 10, 1, 150, 114, 36, 0x3516105d1e33ce12ull},
    {"intermediate", 16, 16, 40, 1, 100, 64, 36, 0x9f74618a5a48757dull},
    {"expert", 30, 16, 99, 1, 60, 6, 54, 0x33472408617e63adull},
    {"49x49", 49, 49, 480, 1, 8, 1, 7, 0x26650866ad76c866ull},
};
}  // namespace

TEST(LabTraces, ShortRunsOfEveryLevelPlayTheKnownGames)
{
    for (const KnownRun& run : shortRuns)
        ExpectKnownRun(run);
}

// The long runs, each its own test so that they can run side by side. The
// sanitizer build, many times slower, keeps to the short runs above.
#if defined(__SANITIZE_ADDRESS__)
#define SKIP_LONG_RUN() GTEST_SKIP() << "long runs are left to the plain build"
#else
#define SKIP_LONG_RUN() (void)0
#endif

TEST(LabTraces, TwoThousandBeginnerGames)
{
    SKIP_LONG_RUN();
    ExpectKnownRun({"beginner", 9, 9, 10, 1, 2000, 1540, 460, 0x8eda1109ab887788ull});
}

TEST(LabTraces, TwoThousandIntermediateGames)
{
    SKIP_LONG_RUN();
    ExpectKnownRun({"intermediate", 16, 16, 40, 1, 2000, 1187, 813, 0xb3aad5e94ec9819cull});
}

TEST(LabTraces, TwoThousandExpertGames)
{
    SKIP_LONG_RUN();
    ExpectKnownRun({"expert", 30, 16, 99, 1, 2000, 418, 1582, 0xfbcffc6910bc7241ull});
}

TEST(LabTraces, TwoThousandGamesOn49x49With480Mines)
{
    SKIP_LONG_RUN();
    ExpectKnownRun({"49x49", 49, 49, 480, 1, 2000, 260, 1740, 0xe66a1a9c4b7a44acull});
}

TEST(TraceDigest, EveryFieldOfEverySquareCounts)
{
    // MixBoard sees every field; MixStates the state and the number.
    const TextBoard made = BoardFromText({"1*.", "a2F", "..f"});
    ASSERT_NE(made.board, nullptr);
    const uint64_t original = MixBoard(emptyDigest, made.width, made.height, made.board);
    const uint64_t originalStates = MixStates(emptyDigest, made.width, made.height, made.board);
    for (int32_t x = 0; x < made.width; ++x)
        for (int32_t y = 0; y < made.height; ++y)
            for (int32_t field = 0; field < 7; ++field) {
                Cell& cell = made.board[x][y];
                const Cell saved = cell;
                switch (field) {
                case 0: cell.state = static_cast<CellState>((cell.state + 1) % 5); break;
                case 1: cell.adjacentMines += 1; break;
                case 2: cell.assumedSafe ^= 1; break;
                case 3: cell.isMine ^= 1; break;
                case 4: cell.mineOdds += 0.125f; break;
                case 5: cell.oddsVotes += 1; break;
                default: cell.dirty ^= 1; break;
                }
                EXPECT_NE(MixBoard(emptyDigest, made.width, made.height, made.board), original)
                    << "field " << field << " of " << x << "," << y;
                if (field <= 1) {
                    EXPECT_NE(MixStates(emptyDigest, made.width, made.height, made.board), originalStates)
                        << "field " << field << " of " << x << "," << y;
                }
                cell = saved;
            }
    EXPECT_EQ(MixBoard(emptyDigest, made.width, made.height, made.board), original);
    FreeBoard(made.width, made.height, made.board);
}
