// Making, copying and releasing a board.
#pragma once

#include "model/cell.h"

// A new board with uninitialised squares, or nullptr after a message box:
// "A minefield must have positive width and height." or "The dimensions of
// that minefield are too large." (titled "Can't Start Puzzle"), or "Out of
// memory to allocate minefield!" (titled "No Memory").
Board CreateBoard(int32_t width, int32_t height);

// A new board whose every square equals the source's, all seven fields
// included, or nullptr when it cannot be made.
Board CopyBoard(int32_t width, int32_t height, Board source);

// Releases a board made with the same width. The height is not used.
void FreeBoard(int32_t width, int32_t height, Board board);
