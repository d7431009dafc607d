// The trial that looks only at the numbers that can act must leave its copy
// exactly as the trial of repeated SolverStep calls does.
#include "model/mines.h"
#include "model/reveal.h"
#include "platform/random.h"
#include "solver/exclusion.h"
#include "solver/quiet_trial.h"
#include "solver_support.h"

namespace {
// The copy after one trial of each kind, with the verdict appended.
std::vector<Cell> TrialCopy(const StepArguments& step, int32_t x, int32_t y, bool assumeMine, TrialScratch* scratch)
{
    Board trial = CopyBoard(step.width, step.height, step.board);
    if (assumeMine)
        MarkCell(x, y, step.width, step.height, trial);
    else
        RevealCell(x, y, step.width, step.height, trial, 1);
    Truth contradiction = 0;
    if (scratch != nullptr) {
        contradiction = RunQuietTrial(step, trial, x, y, *scratch);
    } else {
        RunTrial(step, trial);
        contradiction = HasContradiction(step.width, step.height, trial);
    }
    std::vector<Cell> cells = Snapshot(step.width, step.height, trial);
    cells.push_back(Cell{Covered, contradiction, 0, 0, 0.0f, 0, 0});
    FreeBoard(step.width, step.height, trial);
    return cells;
}
}  // namespace

TEST(SolverQuietTrial, LeavesTheCopyAsTheStepByStepTrialDoes)
{
    // At every quiet board met during Solve! runs, every covered square is
    // tried both ways by both trials. On every other board some safe squares
    // are first uncovered at random and some mines marked, so that the boards
    // are not only those that Solver's own play leaves.
    int32_t quietBoards = 0, contradictions = 0;
    TrialScratch scratch = {};
    for (uint32_t seed = 1; seed <= 150; ++seed) {
        const int32_t width = 5 + static_cast<int32_t>(seed % 12), height = 4 + static_cast<int32_t>(seed % 7);
        const int32_t mines = width * height * static_cast<int32_t>(10 + seed % 15) / 100;
        ScopedBoard game(std::vector<std::string>(height, std::string(width, '.')));
        SeedRandom(seed);
        PlaceMines(width, height, game.board, mines);
        for (int32_t x = 0; x < width && seed % 2 == 1; ++x)
            for (int32_t y = 0; y < height; ++y) {
                const int32_t draw = NextRandom() % 4;
                if (!game.at(x, y).isMine && draw == 0)
                    RevealCell(x, y, width, height, game.board, 0);
                if (game.at(x, y).isMine && draw == 1)
                    MarkCell(x, y, width, height, game.board);
            }
        const StepArguments step = {width, height, mines, game.board, nullptr, 0};
        for (int32_t pass = PassRevealSolved; pass < OutcomeStop; pass = Step(game, pass, noPassLimit)) {
            if (!IsQuietBoard(step))
                continue;
            ++quietBoards;
            for (int32_t x = 0; x < width; ++x)
                for (int32_t y = 0; y < height; ++y)
                    for (bool assumeMine : {true, false}) {
                        if (game.at(x, y).state != Covered)
                            continue;
                        const std::vector<Cell> full = TrialCopy(step, x, y, assumeMine, nullptr);
                        ASSERT_TRUE(SameSnapshot(TrialCopy(step, x, y, assumeMine, &scratch), full))
                            << "seed " << seed << " at " << x << "," << y;
                        contradictions += full.back().adjacentMines;
                    }
        }
        portable::ClearMessageBoxLog();
    }
    EXPECT_GT(quietBoards, 500);
    EXPECT_GT(contradictions, 500);
}

TEST(SolverQuietTrial, ABoardWithWorkForTheForcedMovesOrAContradictionIsNotQuiet)
{
    const std::pair<Rows, bool> cases[] = {
        {{"*.*", "121"}, true}, {{"F1."}, false}, {{"*1"}, false}, {{"F0."}, false}};
    for (const auto& c : cases) {
        ScopedBoard board(c.first);
        EXPECT_EQ(IsQuietBoard({board.width, board.height, 0, board.board, nullptr, 0}), c.second) << c.first[0];
    }
}
