// Where the squares of each kind lie on a step's board, and how many Marked
// and unrevealed neighbours every square has: one word per column, one bit
// per row, the counts as four words of binary digits. With it the passes go
// straight to the few squares where a pattern holds instead of counting
// around every square of the board.
#pragma once

#include <cstdint>

#include "model/cell.h"
#include "solver/solver.h"

static_assert(maxBoardSide <= 63, "a column's rows fit in one word with a bit to spare");

// A count for every row of a column: bit y of digit[k] is bit k of row y's count.
struct ColumnCounts {
    uint64_t digit[4];
};

struct BoardMap {
    int32_t width;
    int32_t height;
    uint64_t allRows;                   // a bit for every row of the board
    uint64_t allColumns;                // a bit for every column
    uint64_t covered[maxBoardSide];     // Covered
    uint64_t candidates[maxBoardSide];  // Covered and not an assumption: what passes 4 and 5 try
    uint64_t marked[maxBoardSide];      // Marked
    uint64_t unrevealed[maxBoardSide];  // anything but Revealed
    uint64_t seen[maxBoardSide];        // Revealed and not an assumption: the numbers a player sees, 0 included
    uint64_t mines[maxBoardSide];       // holding a mine, whatever the state (read only by the audit)
    uint64_t numbers[maxBoardSide];     // seen, with a number other than 0: the constraint squares
    uint64_t oddNumbers[maxBoardSide];  // seen, with a number outside 0 to 15, which `number` cannot hold
    ColumnCounts number[maxBoardSide];  // the number of every other seen square
    // The neighbour counts of every square, worked out for a column when
    // first asked for (KnowCounts): bit x of countsKnown.
    ColumnCounts markedAround[maxBoardSide];
    ColumnCounts unrevealedAround[maxBoardSide];
    uint64_t countsKnown;
    // Whether the forced moves have nothing to do and no number is
    // contradicted: -1 until asked, then 0 or 1 while the board stays as it is.
    int32_t quiet;
};

// Reads the whole board (PassStart's clearing of marks done).
void MapBoard(BoardMap& map, int32_t width, int32_t height, Board board);

// Reads the 3 by 3 window of (x, y) again after it has changed.
void MapWindow(BoardMap& map, int32_t x, int32_t y, Board board);

// Reads the `rows` of column x again after they have changed.
void MapRows(BoardMap& map, int32_t x, uint64_t rows, Board board);

// The squares of `marked` (three columns from x - 1, a word each), all of
// them Covered in the map, have been marked.
void MapMarks(BoardMap& map, int32_t x, const uint64_t* marked);

// Works out the neighbour counts of column x, or of every column, unless
// they are known.
void CountColumn(BoardMap& map, int32_t x);
inline void KnowCounts(BoardMap& map, int32_t x)
{
    if (!((map.countsKnown >> x) & 1))
        CountColumn(map, x);
}
inline void KnowAllCounts(BoardMap& map)
{
    for (int32_t x = 0; x < map.width && map.countsKnown != map.allColumns; ++x)
        KnowCounts(map, x);
}

// The step's map, or `local` read from the step's board when the step has
// none.
BoardMap& MapOfStep(const StepArguments& step, BoardMap& local);

// The rows of column x whose 3 by 3 window, the square itself included,
// holds a square of the kind that `kind` maps.
inline uint64_t RowsNear(const BoardMap& map, const uint64_t* kind, int32_t x)
{
    uint64_t column = kind[x];
    if (x > 0)
        column |= kind[x - 1];
    if (x + 1 < map.width)
        column |= kind[x + 1];
    return (column | column << 1 | column >> 1) & map.allRows;
}

// The rows where two counts are equal, and where the first is greater.
inline uint64_t SameCount(const ColumnCounts& a, const ColumnCounts& b)
{
    return ~((a.digit[0] ^ b.digit[0]) | (a.digit[1] ^ b.digit[1]) | (a.digit[2] ^ b.digit[2]) |
             (a.digit[3] ^ b.digit[3]));
}

inline uint64_t GreaterCount(const ColumnCounts& a, const ColumnCounts& b)
{
    uint64_t greater = 0;
    for (int32_t k = 0; k < 4; ++k)
        greater = (a.digit[k] & ~b.digit[k]) | (~(a.digit[k] ^ b.digit[k]) & greater);
    return greater;
}

// How many rows `rows` holds.
inline int32_t RowCount(uint64_t rows)
{
    rows = rows - ((rows >> 1) & 0x5555555555555555ull);
    rows = (rows & 0x3333333333333333ull) + ((rows >> 2) & 0x3333333333333333ull);
    rows = (rows + (rows >> 4)) & 0x0f0f0f0f0f0f0f0full;
    return static_cast<int32_t>((rows * 0x0101010101010101ull) >> 56);
}

// Row y's count, as a number.
inline int32_t CountOf(const ColumnCounts& counts, int32_t y)
{
    return static_cast<int32_t>(((counts.digit[0] >> y) & 1) | ((counts.digit[1] >> y) & 1) << 1 |
                                ((counts.digit[2] >> y) & 1) << 2 | ((counts.digit[3] >> y) & 1) << 3);
}

// The lowest row in `rows`, which must not be empty.
inline int32_t LowestRow(uint64_t rows)
{
    return __builtin_ctzll(rows);
}

// `rows` without row y and the rows above it.
inline uint64_t RowsBelow(uint64_t rows, int32_t y)
{
    return rows & ~((2ull << y) - 1);
}
