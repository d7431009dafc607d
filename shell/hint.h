// The hint: Solver works on a copy of the live board, without guessing, and
// the first square it proves safe is uncovered on the live board.
#pragma once

// Uncovers one square of the live board that Solver proves safe on a copy,
// or says that it found none. Nothing happens once the game is over.
void GiveHint();
