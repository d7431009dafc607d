#include "platform/web/changes.h"

#include <algorithm>

namespace web {

namespace {
// A pixel the window system never draws: the first rendering changes all.
constexpr driver::Rgb unknownPixel = {1, 2, 3};

// Which squares of one row of squares hold a changed pixel; the changed
// pixels are copied into `shown` on the way.
void FindChangedSquares(ShownPixels& shown, const driver::Image& image, const RECT& area, LONG top, LONG bottom,
                        std::vector<bool>* changed)
{
    const LONG firstColumn = area.left / changeTileSize;
    changed->assign(static_cast<size_t>((area.right - 1) / changeTileSize - firstColumn + 1), false);
    for (LONG y = top; y < bottom; ++y) {
        const driver::Rgb* source = &image.pixels[static_cast<size_t>(y - area.top) * image.width];
        driver::Rgb* target = &shown.pixels[static_cast<size_t>(y) * shown.width + area.left];
        for (LONG x = 0; x < image.width; ++x) {
            if (source[x] == target[x])
                continue;
            target[x] = source[x];
            (*changed)[static_cast<size_t>((area.left + x) / changeTileSize - firstColumn)] = true;
        }
    }
}
}  // namespace

bool ResizeShown(ShownPixels& shown, LONG width, LONG height)
{
    if (shown.width == width && shown.height == height)
        return false;
    shown.width = width;
    shown.height = height;
    shown.pixels.assign(static_cast<size_t>(width) * height, unknownPixel);
    return true;
}

std::vector<RECT> TakeChanges(ShownPixels& shown, const driver::Image& image, const RECT& area)
{
    std::vector<RECT> rects;
    if (area.right <= area.left || area.bottom <= area.top || image.width != area.right - area.left ||
        image.height != area.bottom - area.top || area.left < 0 || area.top < 0 || area.right > shown.width ||
        area.bottom > shown.height)
        return rects;
    const LONG firstColumn = area.left / changeTileSize;
    std::vector<bool> changed;
    for (LONG rowTop = area.top / changeTileSize * changeTileSize; rowTop < area.bottom; rowTop += changeTileSize) {
        const LONG top = std::max(rowTop, area.top);
        const LONG bottom = std::min(rowTop + changeTileSize, area.bottom);
        FindChangedSquares(shown, image, area, top, bottom, &changed);
        for (size_t column = 0; column < changed.size();) {
            if (!changed[column]) {
                ++column;
                continue;
            }
            size_t end = column;
            while (end < changed.size() && changed[end])
                ++end;
            const LONG left = std::max(area.left, (firstColumn + static_cast<LONG>(column)) * changeTileSize);
            const LONG right = std::min(area.right, (firstColumn + static_cast<LONG>(end)) * changeTileSize);
            // A run of the same squares in the row above grows down instead.
            const auto above = std::find_if(rects.begin(), rects.end(), [&](const RECT& rect) {
                return rect.left == left && rect.right == right && rect.bottom == top;
            });
            if (above != rects.end())
                above->bottom = bottom;
            else
                rects.push_back(RECT{left, top, right, bottom});
            column = end;
        }
    }
    return rects;
}

void PackRgba(const ShownPixels& shown, const std::vector<RECT>& rects, std::vector<uint8_t>* rgba)
{
    size_t size = 0;
    for (const RECT& rect : rects)
        size += static_cast<size_t>(rect.right - rect.left) * (rect.bottom - rect.top) * 4;
    rgba->resize(size);
    uint8_t* out = rgba->data();
    for (const RECT& rect : rects) {
        for (LONG y = rect.top; y < rect.bottom; ++y) {
            const driver::Rgb* pixel = &shown.pixels[static_cast<size_t>(y) * shown.width + rect.left];
            for (LONG x = rect.left; x < rect.right; ++x, ++pixel) {
                *out++ = pixel->r;
                *out++ = pixel->g;
                *out++ = pixel->b;
                *out++ = 255;
            }
        }
    }
}

}  // namespace web
