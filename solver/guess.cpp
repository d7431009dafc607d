// Pass 6: estimate each covered square's chance of holding a mine and
// uncover the lowest. Values are stored as 32-bit floats, worked out in
// double precision between load and store, and compared as stored.
#include "solver/guess.h"

#include "model/reveal.h"
#include "platform/random.h"
#include "solver/board_map.h"
#include "solver/messages.h"

namespace {
void ResetOdds(const StepArguments& step)
{
    for (int32_t x = 0; x < step.width; ++x)
        for (int32_t y = 0; y < step.height; ++y) {
            step.board[x][y].mineOdds = 0.0f;
            step.board[x][y].oddsVotes = 0;
        }
}

// Every uncovered square (a 0 included) spreads its unmarked mines evenly
// over its covered neighbours. Only squares with a Covered neighbour have
// any to spread over; the map says which, with their counts, and the sums
// are made in the same order as a scan of every square would make them.
void CollectEstimates(const StepArguments& step)
{
    BoardMap local;
    BoardMap& map = MapOfStep(step, local);
    for (int32_t x = 0; x < step.width; ++x) {
        for (uint64_t rows = map.seen[x] & RowsNear(map, map.covered, x); rows != 0;) {
            const int32_t y = LowestRow(rows);
            rows = RowsBelow(rows, y);
            KnowCounts(map, x);
            const Cell& cell = step.board[x][y];
            const int32_t marked = CountOf(map.markedAround[x], y);
            const int32_t covered = CountOf(map.unrevealedAround[x], y) - marked;
            if (covered == 0)
                continue;
            const double estimate = static_cast<double>(cell.adjacentMines - marked) / static_cast<double>(covered);
            for (int32_t column = x - 1; column <= x + 1; ++column) {
                for (int32_t row = y - 1; row <= y + 1; ++row) {
                    if (column < 0 || row < 0 || column >= step.width || row >= step.height)
                        continue;
                    Cell& neighbour = step.board[column][row];
                    if (neighbour.state != Covered)
                        continue;
                    neighbour.mineOdds = static_cast<float>(static_cast<double>(neighbour.mineOdds) + estimate);
                    ++neighbour.oddsVotes;
                }
            }
        }
    }
}
}  // namespace

int32_t GuessSquare(const StepArguments& step, float mineDensity)
{
    ResetOdds(step);
    CollectEstimates(step);

    // The Covered squares, from the map: the estimates changed no state.
    BoardMap local;
    const BoardMap& map = MapOfStep(step, local);
    float bestOdds = 1.0f;
    int32_t bestX = -1, bestY = -1;
    for (int32_t x = 0; x < step.width; ++x) {
        for (uint64_t rows = map.covered[x]; rows != 0;) {
            const int32_t y = LowestRow(rows);
            rows = RowsBelow(rows, y);
            Cell& cell = step.board[x][y];
            if (cell.oddsVotes == 0) {
                cell.oddsVotes = 1;
                cell.mineOdds = mineDensity;
            }
            // A sum of one estimate divided by 1 is that estimate, exactly.
            const float odds = cell.oddsVotes == 1 ? cell.mineOdds
                                                   : static_cast<float>(static_cast<double>(cell.mineOdds) /
                                                                        static_cast<double>(cell.oddsVotes));
            // Exact ties are settled one at a time: each later square takes
            // over with chance 1/3, one draw per tie.
            const bool take = odds < bestOdds || (odds == bestOdds && NextRandom() % 3 == 0);
            if (take) {
                bestOdds = odds;
                bestX = x;
                bestY = y;
            }
        }
    }
    if (bestX == -1)
        return OutcomeStop;

    if (RevealCell(bestX, bestY, step.width, step.height, step.board, step.hypothetical)) {
        ReportGuessHitMine();
        return OutcomeFailed;
    }
    return PassRevealSolved;
}
