// The pieces of one Solver step, shared by the files of the pass machine.
#pragma once

#include <cstdint>

#include "solver/solver.h"

// What every pass is given: the step's own arguments, handed on unchanged to
// the trial calls.
struct StepArguments {
    int32_t width;
    int32_t height;
    int32_t mineTotal;
    Board board;
    CellView** views;
    Truth hypothetical;
};

// A pass that found nothing returns this, and the step goes on to the next.
constexpr int32_t passFoundNothing = -1;

// A square whose number drives the forced moves: uncovered for real (not as
// an assumption on a trial copy) and with at least one neighbouring mine.
inline bool IsConstraintSquare(const Cell& cell)
{
    return cell.state == Revealed && !cell.assumedSafe && cell.adjacentMines != 0;
}

// A square the exclusion passes may make an assumption about.
inline bool IsCandidateSquare(const Cell& cell)
{
    return cell.state == Covered && !cell.assumedSafe;
}

// The two forced moves at a constraint square: pass 2 uncovers around it
// where the marks account for its number and other unrevealed neighbours
// remain; pass 3 marks around it where the unrevealed neighbours are
// exactly as many as the number and not all of them are marked.
enum ForcedMove { UncoverAround, MarkAroundNumber };

// Whether the move's pattern holds at constraint square (x, y).
bool ForcedMoveApplies(ForcedMove move, int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// The move's area operation on the 3 by 3 window of (x, y).
void ApplyForcedMove(ForcedMove move, int32_t x, int32_t y, int32_t width, int32_t height, Board board,
                     Truth hypothetical);

// The neighbours of (x, y) that are Marked and those that are not Revealed,
// counted in one walk: the numbers that CountMarkedNeighbours and
// CountUnrevealedNeighbours give, which the passes need together.
struct NeighbourCounts {
    int32_t marked;
    int32_t unrevealed;
};
NeighbourCounts CountAround(int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// Whether the 3 by 3 window holds a Covered square, that is whether an area
// operation on it changes anything.
bool WindowHasCovered(int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// PassStart: every Marked square becomes Covered, written directly, so the
// cleared marks are not flagged for redrawing.
void ClearMarks(int32_t width, int32_t height, Board board);

// The board audit of an ordinary (not hypothetical) step. `outcome` is
// passFoundNothing when the step goes on to its pass, with `mineDensity` set;
// otherwise it is the step's result (8 after a wrong mark, 9 after the
// fill-out hit a mine, 10 after the all-mines finish).
struct BoardAudit {
    int32_t outcome;
    float mineDensity;
};
BoardAudit AuditBoard(int32_t width, int32_t height, Board board);

// Passes 2 and 3 sweep the whole board; true when they changed it.
Truth RevealAroundSolvedSquares(const StepArguments& step);
Truth MarkForcedMines(const StepArguments& step);

// Passes 4 and 5 act on one square at most: passFoundNothing, or the step's
// result (2 after acting, 8 when a trial copy cannot be made, 9 when pass
// 4's reveal hit a mine).
int32_t ExcludeMineSquare(const StepArguments& step);
int32_t ExcludeSafeSquare(const StepArguments& step);

// Pass 6: 2 after a safe guess, 8 with no candidate, 9 after hitting a mine.
int32_t GuessSquare(const StepArguments& step, float mineDensity);

// Solver's messages, each in a box owned by the main window titled "Solver".
void ReportWrongMark();
void ReportFillOutHitMine();
void ReportLogicalMistake();
void ReportGuessHitMine();
