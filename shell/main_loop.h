// Start-up, the main loop and its idle turn, and the release at exit.
#pragma once

#include <cstdint>

// The tick count at the loop's last timer redraw.
extern uint32_t lastTimerTick;
// The face window's text as last read back.
extern char faceName[20];

// After each batch of messages: the face press, the timer on a new second,
// the tally, and in Solve! mode one Solver step.
void IdleTurn();

// Frees the view store and the live board once the windows are gone.
void ReleaseGame();
