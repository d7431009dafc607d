// The whole-number zoom of the native program: every pixel of the program
// is shown as zoom × zoom pixels of the display, and the display's mouse
// positions are mapped back to the program's pixels.
#pragma once

#include "platform/win32.h"

namespace desktop {

constexpr int maxZoom = 8;

// The zoom to use: the player's choice (`requested`, from --zoom or
// BLASTGRID_ZOOM; 0 when none) when it is a whole number from 1 to maxZoom,
// else what the display asks for: its scale factor (GDK_SCALE; 0 when
// unset), else its dots per inch over 96, rounded down. An automatic zoom
// never leaves less than 400 of the program's pixels of screen height.
int ChooseZoom(int requested, int displayScale, float displayDpi, int displayHeight);

// A zoom given as text ("2"); 0 when the text is not a zoom from 1 to maxZoom.
int ParseZoom(const char* text);

// The program's pixel under a display pixel of a window whose program
// pixel (0, 0) is `topOffset` program pixels below the window's top (the
// menu bar above the main window's client area). Positions left of or
// above that origin map to negative pixels, rounding down, so a point just
// outside the client area stays outside.
POINT ProgramPoint(int windowX, int windowY, int zoom, int topOffset);

}  // namespace desktop
