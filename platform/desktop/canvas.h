// Drawing for the desktop presenter: a canvas over an SDL surface that takes
// coordinates in the program's pixels and draws them at the zoom.
#pragma once

#include <SDL.h>

#include "platform/portable/driver.h"

namespace desktop {

// A surface that shows the program's pixels, each drawn as zoom × zoom
// screen pixels. Coordinates given to the drawing calls are in the
// program's pixels, relative to the canvas's origin.
struct Canvas {
    SDL_Surface* surface = nullptr;
    int zoom = 1;
    int originX = 0;  // screen pixels of the surface where the program's (0, 0) falls
    int originY = 0;
};

// The surface's pixels that a rectangle of program pixels covers.
SDL_Rect SurfaceRect(const Canvas& canvas, const RECT& rect);
// Fills surface pixels, within the surface's clip rectangle.
void FillSurfaceRect(Canvas& canvas, SDL_Rect area, portable::Rgb colour);

void FillArea(Canvas& canvas, const RECT& rect, portable::Rgb colour);
// Raised (buttons, menus, boxes) or sunken (edit fields) 3-D edges, two
// pixels wide, inside `rect`.
void DrawRaisedEdge(Canvas& canvas, const RECT& rect);
void DrawSunkenEdge(Canvas& canvas, const RECT& rect);
// One-pixel edges: a raised or pressed menu title.
void DrawThinRaisedEdge(Canvas& canvas, const RECT& rect);
void DrawThinSunkenEdge(Canvas& canvas, const RECT& rect);
// A dotted rectangle, as around the control that has the focus.
void DrawFocusRectangle(Canvas& canvas, const RECT& rect);
// An image in the program's pixels, each pixel drawn zoom × zoom.
void DrawImage(Canvas& canvas, const portable::Image& image, int x, int y);

// Shapes for icons, drawn at the screen's resolution so that they stay
// smooth at any zoom. Coordinates are in the program's pixels.
void FillEllipse(Canvas& canvas, const RECT& bounds, portable::Rgb colour);
void FillTriangle(Canvas& canvas, POINT a, POINT b, POINT c, portable::Rgb colour);
// A straight stroke `width` program pixels thick with round ends.
void DrawThickLine(Canvas& canvas, double x0, double y0, double x1, double y1, double width,
                   portable::Rgb colour);

// Limits drawing to `area` (within the current limit) and returns the limit
// it replaced, for RestoreClip.
SDL_Rect ClipToArea(Canvas& canvas, const RECT& area);
void RestoreClip(Canvas& canvas, const SDL_Rect& previous);

// The surface's pixels as an image: for screenshots (portable::WritePng)
// and for checking what was drawn.
portable::Image ImageOfSurface(SDL_Surface* surface);

// The colours of the system's user interface.
constexpr portable::Rgb faceColour = {192, 192, 192};
constexpr portable::Rgb highlightColour = {255, 255, 255};
constexpr portable::Rgb shadowColour = {128, 128, 128};
constexpr portable::Rgb darkShadowColour = {64, 64, 64};
constexpr portable::Rgb textColour = {0, 0, 0};
constexpr portable::Rgb grayTextColour = {128, 128, 128};
constexpr portable::Rgb selectionColour = {0, 0, 128};
constexpr portable::Rgb selectionTextColour = {255, 255, 255};
constexpr portable::Rgb windowColour = {255, 255, 255};

}  // namespace desktop
