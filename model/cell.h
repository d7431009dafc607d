// The square record and the board that holds them.
#pragma once

#include <cstdint>

// Truth values returned by operations and kept in records are 8 bits wide.
typedef uint8_t Truth;

// What the player sees of a square (the code in Cell::state).
enum CellState : uint32_t {
    Covered = 0,
    Marked = 1,
    Revealed = 2,
    Exploded = 3,
    FalseMark = 4,
};

// The state is stored in 32 bits, as the record's layout requires.
static_assert(sizeof(CellState) == 4, "a CellState is 32 bits wide");

// One square. The fields and their order are fixed.
struct Cell {
    CellState state;        // what the player sees
    int32_t adjacentMines;  // mines among the neighbours; written when uncovered
    Truth assumedSafe;      // uncovered only as a hypothesis on a trial copy
    Truth isMine;           // never changes once the mines are laid
    float mineOdds;         // Solver's scratch: sum of mine estimates
    int32_t oddsVotes;      // Solver's scratch: number of estimates summed
    Truth dirty;            // the picture must be rebuilt at the next refresh
};

// A table of `width` column pointers, each to its own array of `height`
// cells, addressed board[x][y]. The board does not know its size: its owner
// passes width and height to every operation.
typedef Cell** Board;

// Largest width or height of a board; 50 and above is refused.
constexpr int32_t maxBoardSide = 49;
