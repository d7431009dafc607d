// The whole-number zoom of the native program: every pixel of the program
// is shown as zoom × zoom pixels of the display, and the display's mouse
// positions are mapped back to the program's pixels.
#pragma once

#include "platform/win32.h"

namespace desktop {

constexpr int maxZoom = 8;

// The least screen a zoom may leave the program, in its own pixels: room
// for the Expert board's window and a message box beside it.
constexpr int minimumProgramWidth = 640;
constexpr int minimumProgramHeight = 400;

// The zoom to use: the player's choice (`requested`, from --zoom or
// BLASTGRID_ZOOM; 0 when none), else what the display asks for: its scale
// factor (GDK_SCALE; 0 when unset), else its dots per inch over 96, rounded
// down. Either way no larger than leaves the program its minimum screen;
// `reduced` tells when the player's choice was too large for the display.
int ChooseZoom(int requested, int displayScale, float displayDpi, int displayWidth, int displayHeight, bool* reduced);

// A zoom given as text ("2"); 0 when the text is not a zoom from 1 to maxZoom.
int ParseZoom(const char* text);

// The program's pixel under a display pixel, counted from the display
// pixel where the program's pixel (0, 0) is. Positions left of or above it
// map to negative pixels, rounding down, so a point just outside an area
// stays outside.
POINT ProgramPoint(int displayX, int displayY, int zoom);

}  // namespace desktop
