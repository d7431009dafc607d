// What of a window's client area goes to its canvas. The presenter keeps a
// copy of what each canvas shows; of a new rendering only the squares of
// pixels that differ from it are sent, as runs of squares (a Solver step
// changes squares far apart, and their bounding box, counters included,
// would be most of a large board, more than a frame can upload).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/web/window_system.h"

namespace web {

// The squares, in the client area's pixels from its top-left corner.
constexpr LONG changeTileSize = 16;

struct ShownPixels {
    LONG width = 0;
    LONG height = 0;
    std::vector<driver::Rgb> pixels;  // rows top to bottom
};

// Makes `shown` `width` × `height` when it is not that size yet, with no
// pixel known (every one will count as changed); returns whether it did.
bool ResizeShown(ShownPixels& shown, LONG width, LONG height);

// Takes `image`, the rendering of `area` of the client area (within it),
// into `shown`. Returns where it changed what `shown` held: rectangles of
// whole squares, cut to `area`, that do not overlap, top to bottom.
std::vector<RECT> TakeChanges(ShownPixels& shown, const driver::Image& image, const RECT& area);

// The RGBA pixels of each of `rects` of `shown`, one rectangle after the
// other, each row by row.
void PackRgba(const ShownPixels& shown, const std::vector<RECT>& rects, std::vector<uint8_t>* rgba);

}  // namespace web
