// A trial judged from the step's map, with no copy, must give the verdict of
// the trial on a copy: the whole trial, and the short judgement from the
// numbers around the assumption whenever it says it can judge. (On a quiet board a single
// assumption that sets off nothing never contradicts a number: any such
// number would have had a forced move already. The contradictions come
// from the trials it leaves to the copy.)
#include "model/mines.h"
#include "model/reveal.h"
#include "platform/random.h"
#include "solver/exclusion.h"
#include "solver/quiet_trial.h"
#include "solver_support.h"

TEST(SolverQuietVerdict, MatchesTheTrialOnACopyWheneverItJudges)
{
    int32_t judged = 0, runOnACopy = 0, contradictions = 0;
    TrialScratch scratch = {};
    for (uint32_t seed = 1; seed <= 120; ++seed) {
        const int32_t width = 5 + static_cast<int32_t>(seed % 14), height = 4 + static_cast<int32_t>(seed % 9);
        const int32_t mines = width * height * static_cast<int32_t>(10 + seed % 14) / 100;
        ScopedBoard game(std::vector<std::string>(height, std::string(width, '.')));
        SeedRandom(seed);
        PlaceMines(width, height, game.board, mines);
        const StepArguments step = {width, height, mines, game.board, nullptr, 0};
        for (int32_t pass = PassStart; pass < OutcomeStop; pass = Step(game, pass, noPassLimit)) {
            if (!IsQuietBoard(step))
                continue;
            for (int32_t x = 0; x < width; ++x)
                for (int32_t y = 0; y < height; ++y)
                    for (bool assumeMine : {true, false}) {
                        if (game.at(x, y).state != Covered)
                            continue;
                        // The trial of the pass machine itself, on a copy.
                        Board trial = CopyBoard(width, height, game.board);
                        if (assumeMine)
                            MarkCell(x, y, width, height, trial);
                        else
                            RevealCell(x, y, width, height, trial, 1);
                        RunTrial(step, trial);
                        const Truth onACopy = HasContradiction(width, height, trial);
                        FreeBoard(width, height, trial);
                        ASSERT_EQ(RunQuietTrial(step, x, y, assumeMine, scratch), onACopy)
                            << "seed " << seed << " at " << x << "," << y;
                        contradictions += onACopy;
                        const int32_t verdict = VerdictWithoutMoves(step, x, y, assumeMine);
                        if (verdict < 0) {
                            ++runOnACopy;
                            continue;
                        }
                        ASSERT_EQ(verdict, onACopy) << "seed " << seed << " at " << x << "," << y;
                        ++judged;
                    }
        }
        portable::ClearMessageBoxLog();
    }
    EXPECT_GT(judged, 2000);
    EXPECT_GT(runOnACopy, 200);
    EXPECT_GT(contradictions, 200);
}
