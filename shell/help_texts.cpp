#include "shell/help_texts.h"

// "\xB7" is the middle dot of the Windows-1252 code page.
#define BULLET "  \xB7" " "

const char* const howToPlayText =
    "How To Play Blastgrid\n\n"
    "Your goal is to mark all of the mines without revealing any of them.\n\n"
    "Left-click to reveal a square, right-click to mark it as a mine.\n\n"
    "Squares with numbers in them indicate that that many mines are in adjacent squares (including "
    "diagonals).\n\n"
    "Press H to have Solver give you a hint (if possible) or F3 to have Solver take over.";

const char* const aboutSolverText =
    "About Solver\n"
    "\n"
    "Solver is an algorithm designed to play Blastgrid and other mine-field puzzle games like it.  "
    "It uses a combination of logical tests and forced-move patterns to quickly reveal and mark appropriate "
    "squares.  Solver DOES NOT have advance knowledge of the board.  As a result, it sometimes runs into "
    "situations where it will have to guess.  Unfortunately, sometimes these guesses cause Solver to uncover "
    "mines.\n"
    "\n"
    "Solver's algorithm works as follows:\n"
    BULLET "Automatically reveal squares around \"solved\" squares.\n"
    BULLET "Mark mines around squares where only one mine configuration exists.\n"
    BULLET "Logically check for squares that can or cannot be mines using recursive exclusion.\n"
    BULLET "Analyze probabilities of hitting mines on various squares and guess randomly (if needed).\n"
    "\n"
    "Solver can give hints to gameplay.  Pressing H will have Solver analyze the board and automatically "
    "reveal a safe square (if they exist).";

const char* const aboutBlastgridText =
    "Blastgrid\n"
    "\n"
    "A mine-field puzzle game with Solver, its own automatic player.\n"
    "Written by the Blastgrid developers.\n"
    "\n"
    "With thanks to the classic mine-field puzzle games of the early desktop computers, which inspired it.";
