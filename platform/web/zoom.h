// The web page's whole-number zoom and its one mapping between the page and
// the window system's screen.
//
// The zoom counts device pixels (the display's own, devicePixelRatio to a
// CSS pixel) per pixel of the program, so every program pixel is a square
// of whole device pixels and the bitmaps stay crisp. The main window is
// centred on the page; every other window keeps its place relative to it,
// so one translation and one scale map the whole page both ways.
#pragma once

#include "platform/win32.h"

namespace web {

constexpr int maxZoom = 8;

// The zoom to use: `requested` when it is a whole number from 1 to maxZoom
// (the page's "?zoom=N"), else the largest at which a window of `window`
// program pixels fits a page of `pageWidth` by `pageHeight` CSS pixels,
// but no more than twice the device pixels of a CSS pixel (so a small board
// on a large page stays a game, not a poster), and never less than 1.
int ChooseZoom(int requested, SIZE window, double pageWidth, double pageHeight, double devicePixelRatio);

// A zoom given as text ("2"); 0 when the text is not a zoom from 1 to maxZoom.
int ParseZoom(const char* text);

struct PageMap {
    int zoom = 1;                  // device pixels per program pixel
    double devicePixelRatio = 1;   // device pixels per CSS pixel
    POINT anchor = {0, 0};         // a screen point of the window system ...
    long anchorDeviceX = 0;        // ... and where it is on the page, in whole device pixels
    long anchorDeviceY = 0;
};

// The map that centres `mainFrame` (screen coordinates) on a page of
// `pageWidth` by `pageHeight` CSS pixels, or puts it at the page's left or
// top edge where it is wider or taller than the page.
PageMap CentreOnPage(RECT mainFrame, int zoom, double devicePixelRatio, double pageWidth, double pageHeight);

// A screen point's place on the page, in CSS pixels: exact, the device
// pixel at its top-left corner.
double PageX(const PageMap& map, LONG screenX);
double PageY(const PageMap& map, LONG screenY);
// A length of the program's pixels in CSS pixels.
double PageLength(const PageMap& map, LONG programPixels);

// The screen pixel under a point of the page (CSS pixels, as pointer events
// give them), rounding towards the top-left: a point just outside a window
// stays outside.
POINT ScreenPointAt(const PageMap& map, double pageX, double pageY);

// The window system's screen: the page's size in program pixels.
SIZE ScreenSizeOf(int zoom, double devicePixelRatio, double pageWidth, double pageHeight);

}  // namespace web
