// The map of a step's board must say exactly what counting square by square
// says: the kinds of every square, the counts around it, where each forced
// move's pattern holds, and whether a number is contradicted; and it must
// stay so as windows of the board change.
#include <random>
#include <string>

#include "model/board.h"
#include "model/mines.h"
#include "model/neighbours.h"
#include "platform/random.h"
#include "solver/board_map.h"
#include "solver/exclusion.h"
#include "solver/forced_moves.h"
#include "solver_support.h"

namespace {
// A board laid with mines whose squares are in every state, with the
// numbers of the mines around them, some marks away from mines, some
// assumptions anywhere and some numbers a board could not hold (negative,
// above 15), so that some boards are contradicted and some are not.
void FillAnyBoard(std::mt19937& draw, int32_t width, int32_t height, Board board)
{
    const uint32_t oddness = draw() % 3;
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y)
            board[x][y] = Cell{Covered, 0, 0, draw() % 5 == 0, 0.0f, 0, 0};
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y) {
            Cell& cell = board[x][y];
            const uint32_t kind = draw() % 20;
            cell.state = cell.isMine ? (kind < 12 ? Marked : kind < 19 ? Covered : Exploded)
                                     : (kind < 13 ? Revealed : kind < 18 ? Covered : kind < 19 ? FalseMark : Marked);
            cell.adjacentMines = CountMineNeighbours(x, y, width, height, board);
            cell.assumedSafe = draw() % 12 == 0;
            if (oddness > 0 && draw() % 40 == 0) {
                static const int32_t odd[] = {16, -1, 40, 15, 9};
                cell.adjacentMines = odd[draw() % 5];
            }
        }
}

bool Has(uint64_t rows, int32_t y)
{
    return (rows >> y) & 1;
}

uint64_t Count(const ColumnCounts& counts, int32_t y)
{
    uint64_t value = 0;
    for (int32_t k = 0; k < 4; ++k)
        value |= ((counts.digit[k] >> y) & 1) << k;
    return value;
}

// Every bit and count of the map against the board, square by square.
// Returns where the first difference is, or "" when there is none.
std::string DifferenceFromBoard(BoardMap& map, int32_t width, int32_t height, Board board)
{
    KnowAllCounts(map);
    for (int32_t x = 0; x < width; ++x) {
        for (int32_t y = 0; y < height; ++y) {
            const Cell& cell = board[x][y];
            const bool seen = cell.state == Revealed && !cell.assumedSafe;
            const bool plain = cell.adjacentMines >= 0 && cell.adjacentMines <= 15;
            const NeighbourCounts counts = CountAround(x, y, width, height, board);
            const std::string at = " at " + std::to_string(x) + "," + std::to_string(y);
            if (Has(map.covered[x], y) != (cell.state == Covered) || Has(map.marked[x], y) != (cell.state == Marked) ||
                Has(map.unrevealed[x], y) != (cell.state != Revealed) || Has(map.seen[x], y) != seen ||
                Has(map.candidates[x], y) != IsCandidateSquare(cell) || Has(map.mines[x], y) != (cell.isMine != 0))
                return "kind" + at;
            if (Has(map.numbers[x], y) != IsConstraintSquare(cell) || Has(map.oddNumbers[x], y) != (seen && !plain) ||
                Count(map.number[x], y) != (seen && plain ? static_cast<uint64_t>(cell.adjacentMines) : 0u))
                return "number" + at;
            if (Count(map.markedAround[x], y) != static_cast<uint64_t>(counts.marked) ||
                Count(map.unrevealedAround[x], y) != static_cast<uint64_t>(counts.unrevealed))
                return "counts" + at;
            // The rows a sweep visits: every square where the move would
            // change something, and no other whose number the map holds.
            for (ForcedMove move : {UncoverAround, MarkAroundNumber}) {
                const bool acts = IsConstraintSquare(cell) && ForcedMoveApplies(move, x, y, width, height, board) &&
                                  WindowHasCovered(x, y, width, height, board);
                const bool visited = Has(ForcedMoveRows(map, move, x), y);
                if (acts != visited && (acts || plain))
                    return "move " + std::to_string(move) + at;
            }
        }
    }
    return "";
}

// Whether some seen square is contradicted, counted square by square.
bool CountedContradiction(int32_t width, int32_t height, Board board)
{
    for (int32_t x = 0; x < width; ++x)
        for (int32_t y = 0; y < height; ++y) {
            const Cell& cell = board[x][y];
            if (cell.state != Revealed || cell.assumedSafe)
                continue;
            const NeighbourCounts counts = CountAround(x, y, width, height, board);
            if (counts.marked > cell.adjacentMines || counts.unrevealed < cell.adjacentMines)
                return true;
        }
    return false;
}
}  // namespace

TEST(SolverBoardMap, SaysWhatCountingSquareBySquareSays)
{
    std::mt19937 draw(20240611);
    int32_t contradicted = 0, boards = 0;
    for (int32_t round = 0; round < 200; ++round) {
        // Sizes from 1 by 1 to the largest, tall and wide.
        const int32_t width = round % 7 == 0 ? maxBoardSide : 1 + static_cast<int32_t>(draw() % 12);
        const int32_t height = round % 5 == 0 ? maxBoardSide : 1 + static_cast<int32_t>(draw() % 12);
        Board board = CreateBoard(width, height);
        ASSERT_NE(board, nullptr);
        FillAnyBoard(draw, width, height, board);
        BoardMap map;
        MapBoard(map, width, height, board);
        ASSERT_EQ(DifferenceFromBoard(map, width, height, board), "") << "round " << round;
        ASSERT_EQ(HasContradiction(map, board) != 0, CountedContradiction(width, height, board)) << round;
        contradicted += CountedContradiction(width, height, board);
        ++boards;

        // Windows changed one after another, each read again.
        for (int32_t change = 0; change < 6; ++change) {
            const int32_t x = static_cast<int32_t>(draw() % width), y = static_cast<int32_t>(draw() % height);
            for (int32_t column = x - 1; column <= x + 1; ++column)
                for (int32_t row = y - 1; row <= y + 1; ++row)
                    if (column >= 0 && row >= 0 && column < width && row < height && draw() % 2 == 0) {
                        Cell& cell = board[column][row];
                        cell.state = static_cast<CellState>(draw() % 3);
                        cell.assumedSafe = draw() % 4 == 0;
                    }
            MapWindow(map, x, y, board);
            ASSERT_EQ(DifferenceFromBoard(map, width, height, board), "") << "round " << round << " change " << change;
            ASSERT_EQ(HasContradiction(map, board) != 0, CountedContradiction(width, height, board)) << round;
        }
        FreeBoard(width, height, board);
    }
    EXPECT_GT(contradicted, boards / 10);
    EXPECT_LT(contradicted, boards - boards / 10);
}

TEST(SolverBoardMap, StaysTrueThroughTheForcedMovesSweeps)
{
    // On boards from real games, after each forced-move sweep (flood fills
    // included) the map the sweep kept equals a fresh reading of the board.
    int32_t sweepsWithMoves = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        const int32_t width = 8 + static_cast<int32_t>(seed % 20), height = 6 + static_cast<int32_t>(seed % 13);
        ScopedBoard game(std::vector<std::string>(height, std::string(width, '.')));
        SeedRandom(seed);
        PlaceMines(width, height, game.board, width * height * static_cast<int32_t>(10 + seed % 12) / 100);
        int32_t pass = PassStart;
        for (int32_t steps = 0; pass < OutcomeStop && steps < 400; ++steps) {
            for (Truth hypothetical : {Truth{0}, Truth{1}}) {
                ScopedBoard copy(game.text());
                for (int32_t x = 0; x < width; ++x)
                    for (int32_t y = 0; y < height; ++y)
                        copy.at(x, y) = game.at(x, y);
                BoardMap map;
                MapBoard(map, width, height, copy.board);
                const StepArguments step = {width, height, 0, copy.board, nullptr, hypothetical, &map};
                const bool moved = RevealAroundSolvedSquares(step) || MarkForcedMines(step);
                sweepsWithMoves += moved;
                ASSERT_EQ(DifferenceFromBoard(map, width, height, copy.board), "") << "seed " << seed;
            }
            pass = Step(game, pass, noPassLimit);
        }
        portable::ClearMessageBoxLog();
    }
    EXPECT_GT(sweepsWithMoves, 500);
}
