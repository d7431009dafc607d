// Boards written as text, one string per row from top to bottom, one
// character per square, for tests, traces and the solver lab:
//   .  Covered, no mine        *  Covered, mine
//   f  Marked, no mine         F  Marked, mine
//   0-8  Revealed, no mine, with that neighbour count
//   M  Revealed mine           X  Exploded mine          B  FalseMark
//   a  Revealed as an assumption on a trial copy (assumedSafe), no mine
//   A  Revealed as an assumption, mine
#pragma once

#include <string>
#include <vector>

#include "model/cell.h"

struct TextBoard {
    int32_t width;
    int32_t height;
    Board board;  // nullptr when the text could not be read
};

// Makes a board from its picture: every row the same length, at least one
// row. Revealed squares get the count written; every square is clean
// (not dirty, no scratch values). Release it with FreeBoard.
TextBoard BoardFromText(const std::vector<std::string>& rows);

// The picture of a board, in the same letters.
std::vector<std::string> BoardToText(int32_t width, int32_t height, Board board);

// The picture on one line, rows separated by '/'.
std::string BoardToLine(int32_t width, int32_t height, Board board);
