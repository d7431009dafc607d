// The two LED counters above the field: the mine counter at the left and
// the seconds timer at the right, three digit pictures each.
#pragma once

#include <cstdint>

#include "platform/win32.h"
#include "view/geometry.h"

// The digit pictures, left to right; empty until first drawn.
extern HWND timerDigits[digitCount];
extern HWND counterDigits[digitCount];

// The tick count at which the game's clock started; the timer shows the
// whole seconds since then.
extern uint32_t startTick;

// Shows a value with "%03d" (999 at most; a minus sign as "dz"; of a longer
// negative text only the first three characters).
void DrawMineCounter(int32_t value);

// Shows the whole seconds since startTick (unsigned, so a wrap of the tick
// count does not disturb it), 999 at most.
void DrawTimer();

// The picture name of a counter character: "d0" to "d9", "dz" for '-'.
const char* DigitPictureName(char character);
