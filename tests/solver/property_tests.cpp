// Properties over many generated boards: Solver's deductions are sound, a
// Solve! run always ends, passes 4 and 5 change the real board only by their
// one move, and a given generator state always plays the same game.
#include <memory>

#include "model/mines.h"
#include "model/neighbours.h"
#include "model/reveal.h"
#include "platform/random.h"
#include "solver_support.h"

namespace {
// A board of 3 to 18 columns, 3 to 14 rows and 8% to 30% mines, laid by
// PlaceMines from the seed.
std::unique_ptr<ScopedBoard> LaidBoard(uint32_t seed, int32_t width = 0, int32_t height = 0, int32_t mines = 0)
{
    if (width == 0) {
        width = 3 + static_cast<int32_t>(seed % 16);
        height = 3 + static_cast<int32_t>((seed / 16) % 12);
        mines = 1 + width * height * static_cast<int32_t>(8 + seed % 23) / 100;
    }
    std::unique_ptr<ScopedBoard> board(new ScopedBoard(std::vector<std::string>(height, std::string(width, '.'))));
    SeedRandom(seed);
    PlaceMines(width, height, board->board, mines);
    return board;
}

int32_t Count(ScopedBoard& board, bool (*test)(const Cell&))
{
    int32_t count = 0;
    for (int32_t x = 0; x < board.width; ++x)
        for (int32_t y = 0; y < board.height; ++y)
            count += test(board.at(x, y));
    return count;
}

bool UncoveredMine(const Cell& cell) { return cell.isMine && cell.state == Revealed; }
bool MarkedSafe(const Cell& cell) { return !cell.isMine && cell.state == Marked; }
bool IsCovered(const Cell& cell) { return cell.state == Covered; }
bool UnmarkedMine(const Cell& cell) { return cell.isMine && cell.state != Marked; }

bool NothingWrongDone(ScopedBoard& board)
{
    return Count(board, UncoveredMine) == 0 && Count(board, MarkedSafe) == 0;
}

// Plays from pass 0 as Solve! does; every step's result, in order.
std::string PlaySolve(ScopedBoard& board, int32_t& outcome)
{
    std::string results;
    outcome = PassStart;
    for (int32_t steps = 0; outcome < OutcomeStop && steps <= 2 * board.width * board.height + 2; ++steps) {
        outcome = Step(board, outcome, noPassLimit);
        results += std::to_string(outcome) + " ";
    }
    return results;
}
}  // namespace

TEST(SolverProperties, DeductionNeverUncoversAMineNorMarksASafeSquare)
{
    // Passes 2 to 5 (Hint's limit) after an opening square, with every third
    // mine marked beforehand, so no step starts with PassStart.
    for (uint32_t seed = 1; seed <= 1200; ++seed) {
        auto board = LaidBoard(seed);
        for (int32_t x = 0, opened = 0, mines = 0; x < board->width; ++x)
            for (int32_t y = 0; y < board->height; ++y) {
                if (board->at(x, y).isMine && ++mines % 3 == 0)
                    MarkCell(x, y, board->width, board->height, board->board);
                if (!board->at(x, y).isMine && !opened &&
                    CountMineNeighbours(x, y, board->width, board->height, board->board) == 0)
                    opened = !RevealCell(x, y, board->width, board->height, board->board, 0);
            }
        int32_t pass = PassRevealSolved;
        for (int32_t steps = 0; pass == PassRevealSolved && steps <= board->width * board->height; ++steps) {
            pass = Step(*board, pass, PassGuess);
            ASSERT_TRUE(NothingWrongDone(*board)) << "seed " << seed << " step " << steps;
        }
        EXPECT_TRUE(pass == PassGuess || pass == OutcomeFinished) << "seed " << seed << " ended with " << pass;
        EXPECT_TRUE(portable::MessageBoxLog().empty()) << "seed " << seed;
    }
}

TEST(SolverProperties, ASolveRunEndsWithinBoundedStepsAndLosesOnlyOnAGuess)
{
    for (uint32_t seed = 1; seed <= 1200; ++seed) {
        auto board = LaidBoard(seed);
        int32_t outcome = 0;
        const std::string results = PlaySolve(*board, outcome);
        ASSERT_TRUE(outcome >= OutcomeStop && outcome <= OutcomeFinished) << "seed " << seed << ": " << results;
        const auto& log = portable::MessageBoxLog();
        if (outcome == OutcomeFailed) {
            ASSERT_EQ(log.size(), 1u) << "seed " << seed;
            EXPECT_EQ(log[0].text, "Ooops!  Solver accidentally chose a square that contained a mine.") << seed;
        } else {
            EXPECT_TRUE(log.empty() && NothingWrongDone(*board)) << "seed " << seed;
        }
        if (outcome == OutcomeFinished) {
            EXPECT_TRUE(Count(*board, IsCovered) == 0 && Count(*board, UnmarkedMine) == 0) << "seed " << seed;
        }
        portable::ClearMessageBoxLog();
    }
}

TEST(SolverProperties, ExclusionChangesTheRealBoardOnlyByItsOneMove)
{
    // Midway through Solve! runs, passes 4 and 5 are entered directly, so
    // that their trials also start from boards on which the forced moves
    // have work. Each either changes no field of the board, or makes one
    // sound move and nothing else: an uncover of a safe square (with its
    // flood fill) or, by pass 5, a mark on a mine.
    int32_t moves[2] = {0, 0};
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        auto game = LaidBoard(seed);
        int32_t pass = PassStart;
        for (uint32_t steps = 0; steps <= seed % 5 && pass < OutcomeStop; ++steps)
            pass = Step(*game, pass, noPassLimit);
        const int32_t unmarked = Count(*game, UnmarkedMine);
        if (pass >= OutcomeStop || unmarked == 0 || unmarked == Count(*game, IsCovered))
            continue;  // the audit would act first
        const std::vector<Cell> before = Snapshot(game->width, game->height, game->board);
        for (int32_t exclusion : {PassExcludeMine, PassExcludeSafe}) {
            auto board = LaidBoard(seed);
            for (size_t i = 0; i < before.size(); ++i)
                board->board[i / board->height][i % board->height] = before[i];
            const int32_t result = Step(*board, exclusion, PassGuess);
            const std::vector<Cell> after = Snapshot(board->width, board->height, board->board);
            if (result == PassGuess) {
                EXPECT_TRUE(SameSnapshot(before, after)) << "seed " << seed;
                continue;
            }
            ASSERT_EQ(result, PassRevealSolved) << "seed " << seed;
            ASSERT_TRUE(NothingWrongDone(*board)) << "seed " << seed;
            // Replay the move on each changed square in turn (a flood fill
            // also changes squares before its start): one must explain it all.
            bool explained = false, marked = false;
            for (size_t i = 0; i < before.size() && !explained; ++i) {
                if (SameCell(before[i], after[i]))
                    continue;
                for (size_t j = 0; j < before.size(); ++j)
                    board->board[j / board->height][j % board->height] = before[j];
                const int32_t x = static_cast<int32_t>(i) / board->height, y = i % board->height;
                marked = after[i].state == Marked;
                if (marked)
                    MarkCell(x, y, board->width, board->height, board->board);
                else
                    RevealCell(x, y, board->width, board->height, board->board, 0);
                explained = SameSnapshot(after, Snapshot(board->width, board->height, board->board));
            }
            EXPECT_TRUE(explained) << "seed " << seed;
            if (exclusion == PassExcludeSafe) {
                EXPECT_TRUE(marked) << "seed " << seed;
            }
            ++moves[marked];
        }
    }
    EXPECT_GT(moves[0], 50);  // both passes are exercised
    EXPECT_GT(moves[1], 50);
}

TEST(SolverProperties, TheSameGeneratorStateAlwaysPlaysTheSameGame)
{
    for (uint32_t seed = 7919; seed <= 7919 * 60; seed += 7919) {
        int32_t outcome = 0;
        auto first = LaidBoard(seed);
        const std::string firstResults = PlaySolve(*first, outcome);
        const uint32_t firstState = randomState;
        auto second = LaidBoard(seed);
        EXPECT_EQ(PlaySolve(*second, outcome), firstResults) << "seed " << seed;
        EXPECT_EQ(randomState, firstState) << "seed " << seed;
        EXPECT_TRUE(SameSnapshot(Snapshot(first->width, first->height, first->board),
                                 Snapshot(second->width, second->height, second->board)))
            << "seed " << seed;
        portable::ClearMessageBoxLog();
    }
}

TEST(SolverProperties, KnownSeedsPlayTheKnownGamesOnEveryBuild)
{
    // A fingerprint of whole Solve! games on the three levels: every step's
    // result, the final board and the generator state. It was taken from the
    // native build; the 32-bit build must play the very same games, float
    // rounding and tie draws included.
    uint64_t fingerprint = 14695981039346656037ull;
    auto mix = [&fingerprint](const std::string& text) {
        for (unsigned char c : text)
            fingerprint = (fingerprint ^ c) * 1099511628211ull;
    };
    const int32_t levels[3][3] = {{9, 9, 10}, {16, 16, 40}, {30, 16, 99}};
    for (const auto& level : levels) {
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            auto board = LaidBoard(seed, level[0], level[1], level[2]);
            int32_t outcome = 0;
            mix(PlaySolve(*board, outcome));
            mix(BoardToLine(board->width, board->height, board->board));
            mix(std::to_string(randomState));
            portable::ClearMessageBoxLog();
        }
    }
    EXPECT_EQ(fingerprint, 519432051196803482ull);
}
