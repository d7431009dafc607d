#include "solver/board_map.h"

#include <cstring>


namespace {
// What the map keeps of the rows of one column.
struct ColumnMap {
    uint64_t covered, candidates, marked, unrevealed, seen, mines, numbers, oddNumbers;
    ColumnCounts number;
};

constexpr uint64_t lowBitOfEachByte = 0x0101010101010101ull;

// Bit i of the result is the lowest bit of byte i of `bytes`.
uint64_t LowBits(uint64_t bytes)
{
    return ((bytes & lowBitOfEachByte) * 0x0102040810204080ull) >> 56;
}

// What the map keeps of the rows, worked out from the squares' own kinds.
ColumnMap KeptOf(uint64_t rows, uint64_t covered, uint64_t marked, uint64_t revealed, uint64_t assumed,
                 uint64_t mines, uint64_t odd, const ColumnCounts& number)
{
    ColumnMap column;
    column.covered = covered & rows;
    column.candidates = column.covered & ~assumed;
    column.marked = marked & rows;
    column.unrevealed = ~revealed & rows;
    column.seen = revealed & rows & ~assumed;
    column.mines = mines & rows;
    column.oddNumbers = column.seen & odd;
    column.numbers = column.oddNumbers;
    for (int32_t k = 0; k < 4; ++k) {
        column.number.digit[k] = number.digit[k] & column.seen & ~odd;
        column.numbers |= column.number.digit[k];
    }
    return column;
}

// A few rows, as after a move: square by square.
ColumnMap ReadFewRows(const Cell* cells, int32_t first, int32_t last)
{
    uint64_t covered = 0, marked = 0, revealed = 0, assumed = 0, mines = 0, odd = 0;
    ColumnCounts number = {};
    for (int32_t y = first; y <= last; ++y) {
        const Cell& cell = cells[y];
        const uint64_t bit = 1ull << y;
        const uint32_t value = static_cast<uint32_t>(cell.adjacentMines);
        covered |= cell.state == Covered ? bit : 0;
        marked |= cell.state == Marked ? bit : 0;
        revealed |= cell.state == Revealed ? bit : 0;
        assumed |= cell.assumedSafe ? bit : 0;
        mines |= cell.isMine ? bit : 0;
        odd |= value > 15 ? bit : 0;
        for (int32_t k = 0; k < 4; ++k)
            number.digit[k] |= (value >> k) & 1 ? bit : 0;
    }
    return KeptOf(((2ull << (last - first)) - 1) << first, covered, marked, revealed, assumed, mines, odd, number);
}

// Rows `first` to `last` of a column, each at its own bit. The squares'
// fields are first laid out a byte a row, then turned into bits eight rows
// at a time.
ColumnMap ReadRows(const Cell* cells, int32_t first, int32_t last)
{
    if (last - first < 4)
        return ReadFewRows(cells, first, last);
    // Only the words at either end can hold bytes outside the rows read,
    // which are cleared.
    uint8_t states[64], values[64], assumptions[64], mineFlags[64];
    uint8_t* const laidOut[] = {states, values, assumptions, mineFlags};
    const int32_t before = first & 7, after = 7 - (last & 7);
    for (uint8_t* bytes : laidOut) {
        if (before != 0)
            std::memset(bytes + (first - before), 0, static_cast<size_t>(before));
        if (after != 0)
            std::memset(bytes + last + 1, 0, static_cast<size_t>(after));
    }
    // Every field as it is, its bits gathered on the way: a state above 7 is
    // no state at all and a number above 15 is more than the counts hold,
    // and then the column is laid out again with such values held down.
    uint32_t allStates = 0, allValues = 0;
    for (int32_t y = first; y <= last; ++y) {
        const Cell& cell = cells[y];
        const uint32_t state = cell.state, value = static_cast<uint32_t>(cell.adjacentMines);
        allStates |= state;
        allValues |= value;
        states[y] = static_cast<uint8_t>(state);
        values[y] = static_cast<uint8_t>(value);
        assumptions[y] = cell.assumedSafe != 0;
        mineFlags[y] = cell.isMine != 0;
    }
    if (allStates > 7 || allValues > 15) {
        for (int32_t y = first; y <= last; ++y) {
            const uint32_t state = cells[y].state, value = static_cast<uint32_t>(cells[y].adjacentMines);
            states[y] = static_cast<uint8_t>(state < 8 ? state : 7);
            values[y] = static_cast<uint8_t>(value < 16 ? value : 16);
        }
    }
    uint64_t covered = 0, marked = 0, revealed = 0, assumed = 0, mines = 0, odd = 0;
    ColumnCounts number = {};
    for (int32_t base = first & ~7; base <= last; base += 8) {
        uint64_t state = 0, value = 0, assumption = 0, mine = 0;
        std::memcpy(&state, states + base, sizeof state);
        std::memcpy(&value, values + base, sizeof value);
        std::memcpy(&assumption, assumptions + base, sizeof assumption);
        std::memcpy(&mine, mineFlags + base, sizeof mine);
        // The states' three bits: Covered 000, Marked 001, Revealed 010.
        const uint64_t state0 = LowBits(state), state1 = LowBits(state >> 1), state2 = LowBits(state >> 2);
        covered |= (~(state0 | state1 | state2) & 0xff) << base;
        marked |= (state0 & ~(state1 | state2)) << base;
        revealed |= (state1 & ~(state0 | state2)) << base;
        assumed |= LowBits(assumption) << base;
        mines |= LowBits(mine) << base;
        odd |= LowBits(value >> 4) << base;
        number.digit[0] |= LowBits(value) << base;
        number.digit[1] |= LowBits(value >> 1) << base;
        number.digit[2] |= LowBits(value >> 2) << base;
        number.digit[3] |= LowBits(value >> 3) << base;
    }
    // Bytes outside the rows read are 0, which reads as Covered.
    return KeptOf(((2ull << (last - first)) - 1) << first, covered, marked, revealed, assumed, mines, odd, number);
}

// Puts the `rows` of a column read with ReadRows into the map.
void StoreRows(BoardMap& map, int32_t x, const ColumnMap& column, uint64_t rows)
{
    auto merge = [rows](uint64_t& kept, uint64_t read) { kept = (kept & ~rows) | (read & rows); };
    merge(map.covered[x], column.covered);
    merge(map.candidates[x], column.candidates);
    merge(map.marked[x], column.marked);
    merge(map.unrevealed[x], column.unrevealed);
    merge(map.seen[x], column.seen);
    merge(map.mines[x], column.mines);
    merge(map.numbers[x], column.numbers);
    merge(map.oddNumbers[x], column.oddNumbers);
    for (int32_t k = 0; k < 4; ++k)
        merge(map.number[x].digit[k], column.number.digit[k]);
}

// How many of the eight neighbours of each row of column x are of `kind`:
// three from each side column, two from the column itself, added as binary
// digits a whole column at a time.
ColumnCounts CountNeighbours(const BoardMap& map, const uint64_t* kind, int32_t x)
{
    const uint64_t left = x > 0 ? kind[x - 1] : 0, middle = kind[x], right = x + 1 < map.width ? kind[x + 1] : 0;
    const uint64_t allRows = map.allRows;
    // Row y's neighbours one row up and one down, moved to bit y.
    const uint64_t leftUp = (left << 1) & allRows, leftDown = left >> 1;
    const uint64_t rightUp = (right << 1) & allRows, rightDown = right >> 1;
    const uint64_t middleUp = (middle << 1) & allRows, middleDown = middle >> 1;
    // Each side column: 0 to 3, two digits; the middle: 0 to 2.
    const uint64_t left0 = leftUp ^ left ^ leftDown, left1 = (leftUp & left) | (leftDown & (leftUp ^ left));
    const uint64_t right0 = rightUp ^ right ^ rightDown, right1 = (rightUp & right) | (rightDown & (rightUp ^ right));
    const uint64_t middle0 = middleUp ^ middleDown, middle1 = middleUp & middleDown;
    // The three added digit by digit.
    const uint64_t carry0 = (left0 & right0) | (middle0 & (left0 ^ right0));
    const uint64_t twos = left1 ^ right1 ^ middle1, fours = (left1 & right1) | (middle1 & (left1 ^ right1));
    const uint64_t moreFours = twos & carry0;
    ColumnCounts counts;
    counts.digit[0] = left0 ^ right0 ^ middle0;
    counts.digit[1] = twos ^ carry0;
    counts.digit[2] = fours ^ moreFours;
    counts.digit[3] = fours & moreFours;
    return counts;
}

}  // namespace

void CountColumn(BoardMap& map, int32_t x)
{
    map.markedAround[x] = CountNeighbours(map, map.marked, x);
    map.unrevealedAround[x] = CountNeighbours(map, map.unrevealed, x);
    map.countsKnown |= 1ull << x;
}

void MapBoard(BoardMap& map, int32_t width, int32_t height, Board board)
{
    map.width = width;
    map.height = height;
    map.allRows = (1ull << height) - 1;
    map.allColumns = (1ull << width) - 1;
    map.quiet = -1;
    for (int32_t x = 0; x < width; ++x) {
        const ColumnMap column = ReadRows(board[x], 0, height - 1);
        map.covered[x] = column.covered;
        map.candidates[x] = column.candidates;
        map.marked[x] = column.marked;
        map.unrevealed[x] = column.unrevealed;
        map.seen[x] = column.seen;
        map.mines[x] = column.mines;
        map.numbers[x] = column.numbers;
        map.oddNumbers[x] = column.oddNumbers;
        map.number[x] = column.number;
    }
    map.countsKnown = 0;
}

void MapRows(BoardMap& map, int32_t x, uint64_t rows, Board board)
{
    const int32_t first = LowestRow(rows), last = 63 - __builtin_clzll(rows);
    StoreRows(map, x, ReadRows(board[x], first, last), ((2ull << (last - first)) - 1) << first);
    // The counts of columns x - 1 to x + 1 see these rows.
    for (int32_t column = x - 1; column <= x + 1; ++column)
        if (column >= 0 && column < map.width)
            map.countsKnown &= ~(1ull << column);
    map.quiet = -1;
}

void MapMarks(BoardMap& map, int32_t x, const uint64_t* marked)
{
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t column = x - 1 + i;
        if (marked[i] == 0)
            continue;
        map.covered[column] &= ~marked[i];
        map.candidates[column] &= ~marked[i];
        map.marked[column] |= marked[i];
        // The counts of columns column - 1 to column + 1 see these squares.
        for (int32_t seeing = column - 1; seeing <= column + 1; ++seeing)
            if (seeing >= 0 && seeing < map.width)
                map.countsKnown &= ~(1ull << seeing);
    }
    map.quiet = -1;
}

void MapWindow(BoardMap& map, int32_t x, int32_t y, Board board)
{
    const int32_t first = y > 0 ? y - 1 : 0, last = y + 1 < map.height ? y + 1 : map.height - 1;
    const uint64_t rows = ((2ull << (last - first)) - 1) << first;
    for (int32_t column = x - 1; column <= x + 1; ++column)
        if (column >= 0 && column < map.width)
            MapRows(map, column, rows, board);
}

BoardMap& MapOfStep(const StepArguments& step, BoardMap& local)
{
    if (step.map != nullptr)
        return *step.map;
    MapBoard(local, step.width, step.height, step.board);
    return local;
}
