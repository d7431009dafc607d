// Questions about a square's in-bounds neighbours (the 3 by 3 window less
// the square itself and less positions off the board).
#pragma once

#include "model/cell.h"

// Neighbours whose state is anything but Revealed (marked ones included).
int32_t CountUnrevealedNeighbours(int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// Neighbours whose state is Marked.
int32_t CountMarkedNeighbours(int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// Neighbours that hold a mine, whatever their state.
int32_t CountMineNeighbours(int32_t x, int32_t y, int32_t width, int32_t height, Board board);
