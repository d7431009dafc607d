// Uncovering and marking squares. Each single-square operation ignores
// positions off the board, so callers pass a 3 by 3 window untested. Every
// square changed on a real board gets its `dirty` flag; the caller redraws.
#pragma once

#include "model/cell.h"

// Uncovers a Covered square and writes its neighbour count. Not hypothetical:
// sets `dirty`, returns true when the square holds a mine, and when its count
// is 0 uncovers its neighbours in turn (depth first). Hypothetical: uncovers
// this square alone as an assumption (`assumedSafe`), without `dirty`, flood
// fill or mine test, and returns false.
Truth RevealCell(int32_t x, int32_t y, int32_t width, int32_t height, Board board, Truth hypothetical);

// Marks a Covered square. The result is false in every case.
Truth MarkCell(int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// Takes the mark off a Marked square.
void UnmarkCell(int32_t x, int32_t y, int32_t width, int32_t height, Board board);

// RevealCell on all nine squares of the 3 by 3 window (columns outer); true
// when any of them uncovered a mine. All nine are tried in every case.
Truth RevealAround(int32_t x, int32_t y, int32_t width, int32_t height, Board board, Truth hypothetical);

// MarkCell on all nine squares of the 3 by 3 window (columns outer).
void MarkAround(int32_t x, int32_t y, int32_t width, int32_t height, Board board);
