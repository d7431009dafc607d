// Resetting a board for a new game and laying its mines.
#pragma once

#include "model/cell.h"

// Resets every square (Covered, dirty, no mine, no scratch values) and lays
// `mines` mines (capped at width * height; none for 0 or less) at random:
// each attempt draws a column, then a row, from the program's generator and
// is drawn anew when it falls on a mine.
void PlaceMines(int32_t width, int32_t height, Board board, int32_t mines);
