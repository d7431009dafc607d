// The pass machine: entry limit, PassStart, the board audit, dispatch and
// the limits inside the chain of passes.
#include <climits>

#include "solver/messages.h"
#include "solver_support.h"

namespace {
const Rows wrongMark = {"f1*", "F.."};
// Every mine marked, safe squares still covered: the audit fills it out.
const Rows everyMineMarked = {"F...", "....", "...."};
const Rows filledOut = {"F100", "1100", "0000"};
// Every covered square holds a mine, none marked: the audit finishes it.
const Rows onlyMinesCovered = {"*2*", "121"};
const Rows finished = {"F2F", "121"};
// Only pass 4 can decide it; nothing can decide the second.
const Rows onlyPassFour = {"*.*", "121"};
const Rows undecidable = {"*1."};
}  // namespace

TEST(SolverPassMachine, StepsOnPictures)
{
    ExpectSteps({
        {"entry limit of Hint", wrongMark, PassGuess, PassGuess, 0, OutcomeStop, wrongMark},
        {"entry limit at 0", wrongMark, PassStart, 0, 0, OutcomeStop, wrongMark},
        {"entry limit below 0", wrongMark, PassRevealSolved, -3, 0, OutcomeStop, wrongMark},
        {"PassStart clears every mark, then pass 3 marks", {"F1.f", "11.."}, PassStart, noPassLimit, 0, PassRevealSolved,
         {"F1..", "11.."}},
        {"PassStart on a trial copy", {"F.", "f."}, PassStart, PassExcludeMine, 1, OutcomeStop, {"*.", ".."}},
        {"fill-out, then nothing to deduce", everyMineMarked, PassRevealSolved, noPassLimit, 0, PassGuess, filledOut},
        {"after the fill-out", filledOut, PassGuess, noPassLimit, 0, OutcomeFinished, filledOut},
        {"fill-out, then no candidate", everyMineMarked, PassGuess, noPassLimit, 0, OutcomeStop, filledOut},
        {"only mines covered", onlyMinesCovered, PassRevealSolved, noPassLimit, 0, OutcomeFinished, finished},
        {"nothing covered, nothing unmarked", {"F1", "11"}, PassRevealSolved, noPassLimit, 0, OutcomeFinished, {"F1", "11"}},
        {"trial: no wrong-mark test", {"..", "f."}, PassRevealSolved, PassExcludeMine, 1, OutcomeStop, {"..", "f."}},
        {"trial: no fill-out", everyMineMarked, PassRevealSolved, PassExcludeMine, 1, OutcomeStop, everyMineMarked},
        {"trial: no finish, pass 3 marks", onlyMinesCovered, PassRevealSolved, PassExcludeMine, 1, PassRevealSolved, finished},
        {"limit 4 stops before pass 4", onlyPassFour, PassRevealSolved, PassExcludeMine, 0, OutcomeStop, onlyPassFour},
        {"limit 5 lets pass 4 act", onlyPassFour, PassRevealSolved, PassExcludeSafe, 0, PassRevealSolved, {"*2*", "121"}},
        {"limit 5 stops before pass 5", undecidable, PassRevealSolved, PassExcludeSafe, 0, OutcomeStop, undecidable},
        {"limit 6 runs passes 2 to 5", undecidable, PassRevealSolved, PassGuess, 0, PassGuess, undecidable},
    });
    // Pass numbers without a pass stop, after the audit has had its effects.
    for (int32_t pass : {1, 7, 8, 9, 10, 11, -1, INT32_MIN, 1000}) {
        ExpectSteps({
            {"no pass, fill-out", everyMineMarked, pass, INT32_MAX, 0, OutcomeStop, filledOut},
            {"no pass, finish", onlyMinesCovered, pass, INT32_MAX, 0, OutcomeFinished, finished},
            {"no pass, trial", onlyMinesCovered, pass, INT32_MAX, 1, OutcomeStop, onlyMinesCovered},
        });
    }
    EXPECT_EQ(SolverStep(PassStart, 9, 9, 10, nullptr, nullptr, noPassLimit, 0), OutcomeStop);  // no board at all
}

TEST(SolverPassMachine, OnlyTheModelsOperationsFlagSquaresForRedrawing)
{
    ScopedBoard cleared({"F1.f", "11.."});
    Step(cleared, PassStart, noPassLimit);
    EXPECT_EQ(cleared.at(3, 0).dirty, 0);  // cleared by writing the state
    EXPECT_EQ(cleared.at(0, 0).dirty, 1);  // marked again through MarkCell
    ScopedBoard filled(everyMineMarked);
    Step(filled, PassRevealSolved, noPassLimit);
    EXPECT_EQ(filled.at(3, 2).dirty, 1);
    ScopedBoard marked(onlyMinesCovered);
    Step(marked, PassRevealSolved, noPassLimit);
    EXPECT_EQ(marked.at(2, 0).dirty, 1);
}

TEST(SolverPassMachine, AWrongMarkStopsTheAuditWithItsMessageAndChangesNothing)
{
    ScopedMainWindow owner;
    // No mine at all: had the scan gone on, the fill-out would uncover it all.
    ScopedBoard board({"..", "f."});
    const std::vector<Cell> before = Snapshot(board.width, board.height, board.board);
    EXPECT_EQ(Step(board, PassRevealSolved, noPassLimit), OutcomeStop);
    ExpectSolverMessage(
        "Solver cannot work on a board with incorrectly marked mines.\n"
        "Please remove these marks and retry Solver.",
        48);
    EXPECT_TRUE(SameSnapshot(before, Snapshot(board.width, board.height, board.board)));
}

TEST(SolverPassMachine, TheFillOutMessageHasItsTextTitleTypeAndOwner)
{
    // The fill-out can meet a mine only on a broken board, which cannot be
    // built from a picture, so its message is checked on its own; the other
    // three are checked where they are shown.
    ScopedMainWindow owner;
    ReportFillOutHitMine();
    ExpectSolverMessage("Hit a mine while filling out board.\nA mine was incorrectly placed.", 48);
}
