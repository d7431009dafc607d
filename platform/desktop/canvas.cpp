// The canvas: fills, 3-D edges, pictures and shapes on an SDL surface, each
// program pixel drawn as a zoom × zoom block.
#include "platform/desktop/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace desktop {

namespace {
Uint32 MapColour(const SDL_Surface* surface, portable::Rgb colour)
{
    return SDL_MapRGB(surface->format, colour.r, colour.g, colour.b);
}

// Surface coordinates far outside any surface are held to a range where
// the arithmetic of SDL's clipping cannot overflow.
int ClampCoordinate(long long value)
{
    constexpr long long limit = 1 << 28;
    return static_cast<int>(std::min(std::max(value, -limit), limit));
}

}  // namespace

SDL_Rect SurfaceRect(const Canvas& canvas, const RECT& rect)
{
    const long long zoom = canvas.zoom < 1 ? 1 : canvas.zoom;
    const int left = ClampCoordinate(canvas.originX + rect.left * zoom);
    const int top = ClampCoordinate(canvas.originY + rect.top * zoom);
    const int right = ClampCoordinate(canvas.originX + rect.right * zoom);
    const int bottom = ClampCoordinate(canvas.originY + rect.bottom * zoom);
    return SDL_Rect{left, top, right - left, bottom - top};
}

// SDL_FillRect keeps to the surface's clip rectangle.
void FillSurfaceRect(Canvas& canvas, SDL_Rect area, portable::Rgb colour)
{
    if (canvas.surface == nullptr || area.w <= 0 || area.h <= 0)
        return;
    SDL_FillRect(canvas.surface, &area, MapColour(canvas.surface, colour));
}

namespace {
// A one-pixel frame; the bottom and right lines take the corners they share
// with the top and left ones, as the system draws its edges.
void DrawFrame(Canvas& canvas, const RECT& rect, portable::Rgb topLeft, portable::Rgb bottomRight)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    FillArea(canvas, {rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    FillArea(canvas, {rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    FillArea(canvas, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    FillArea(canvas, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

RECT Inset(const RECT& rect, int by)
{
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

// Fills the surface pixels of one row from x0 (included) to x1 (excluded).
void FillRowSpan(Canvas& canvas, int y, int x0, int x1, portable::Rgb colour)
{
    FillSurfaceRect(canvas, SDL_Rect{x0, y, x1 - x0, 1}, colour);
}

struct SurfacePoint {
    double x;
    double y;
};

SurfacePoint ToSurfacePoint(const Canvas& canvas, double x, double y)
{
    const int zoom = canvas.zoom < 1 ? 1 : canvas.zoom;
    return {canvas.originX + x * zoom, canvas.originY + y * zoom};
}

// Writes one mapped pixel value into `count` pixels from `destination`.
void WritePixels(Uint8* destination, int count, Uint32 value, int bytesPerPixel)
{
    switch (bytesPerPixel) {
    case 4: {
        Uint32* pixel = reinterpret_cast<Uint32*>(destination);
        std::fill(pixel, pixel + count, value);
        break;
    }
    case 3:
        for (int i = 0; i < count; ++i, destination += 3) {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
            destination[0] = static_cast<Uint8>(value);
            destination[1] = static_cast<Uint8>(value >> 8);
            destination[2] = static_cast<Uint8>(value >> 16);
#else
            destination[0] = static_cast<Uint8>(value >> 16);
            destination[1] = static_cast<Uint8>(value >> 8);
            destination[2] = static_cast<Uint8>(value);
#endif
        }
        break;
    case 2: {
        Uint16* pixel = reinterpret_cast<Uint16*>(destination);
        std::fill(pixel, pixel + count, static_cast<Uint16>(value));
        break;
    }
    default:
        std::memset(destination, static_cast<int>(value & 0xFF), static_cast<size_t>(count));
        break;
    }
}
}  // namespace

void FillArea(Canvas& canvas, const RECT& rect, portable::Rgb colour)
{
    FillSurfaceRect(canvas, SurfaceRect(canvas, rect), colour);
}

void DrawRaisedEdge(Canvas& canvas, const RECT& rect)
{
    DrawFrame(canvas, rect, highlightColour, darkShadowColour);
    DrawFrame(canvas, Inset(rect, 1), faceColour, shadowColour);
}

void DrawSunkenEdge(Canvas& canvas, const RECT& rect)
{
    DrawFrame(canvas, rect, shadowColour, highlightColour);
    DrawFrame(canvas, Inset(rect, 1), darkShadowColour, faceColour);
}

void DrawThinRaisedEdge(Canvas& canvas, const RECT& rect)
{
    DrawFrame(canvas, rect, highlightColour, shadowColour);
}

void DrawThinSunkenEdge(Canvas& canvas, const RECT& rect)
{
    DrawFrame(canvas, rect, shadowColour, highlightColour);
}

// Every other pixel of the border, counted from the top-left corner.
void DrawFocusRectangle(Canvas& canvas, const RECT& rect)
{
    const auto dot = [&canvas, &rect](LONG x, LONG y) {
        if ((x - rect.left + y - rect.top) % 2 == 0)
            FillArea(canvas, {x, y, x + 1, y + 1}, textColour);
    };
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    for (LONG x = rect.left; x < rect.right; ++x) {
        dot(x, rect.top);
        dot(x, rect.bottom - 1);
    }
    for (LONG y = rect.top + 1; y < rect.bottom - 1; ++y) {
        dot(rect.left, y);
        dot(rect.right - 1, y);
    }
}

// Writes the surface directly: each visible surface row of a picture row is
// written once, and the other rows of its zoom block are copies of it.
void DrawImage(Canvas& canvas, const portable::Image& image, int x, int y)
{
    SDL_Surface* surface = canvas.surface;
    if (surface == nullptr || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        return;
    const long long zoom = canvas.zoom < 1 ? 1 : canvas.zoom;
    const long long left = canvas.originX + x * zoom;
    const long long top = canvas.originY + y * zoom;
    const SDL_Rect clip = surface->clip_rect;
    const long long x0 = std::max<long long>(left, clip.x);
    const long long x1 = std::min<long long>(left + image.width * zoom, clip.x + clip.w);
    const long long y0 = std::max<long long>(top, clip.y);
    const long long y1 = std::min<long long>(top + image.height * zoom, clip.y + clip.h);
    if (x0 >= x1 || y0 >= y1)
        return;

    const bool locked = SDL_MUSTLOCK(surface);
    if (locked && SDL_LockSurface(surface) != 0)
        return;
    const int bytesPerPixel = surface->format->BytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(x1 - x0) * bytesPerPixel;
    Uint8* const pixels = static_cast<Uint8*>(surface->pixels);
    const auto rowStart = [&](long long row) { return pixels + row * surface->pitch + x0 * bytesPerPixel; };

    portable::Rgb cachedColour = image.pixels[0];
    Uint32 cachedValue = MapColour(surface, cachedColour);
    const long long firstColumn = (x0 - left) / zoom;
    const long long lastColumn = (x1 - 1 - left) / zoom;
    for (long long row = y0; row < y1; ++row) {
        if (row > y0 && (row - top) % zoom != 0) {
            std::memcpy(rowStart(row), rowStart(row - 1), rowBytes);
            continue;
        }
        const portable::Rgb* source = &image.pixels[static_cast<size_t>((row - top) / zoom) * image.width];
        Uint8* destination = rowStart(row);
        for (long long column = firstColumn; column <= lastColumn; ++column) {
            const long long spanStart = std::max(x0, left + column * zoom);
            const long long spanEnd = std::min(x1, left + (column + 1) * zoom);
            if (source[column] != cachedColour) {
                cachedColour = source[column];
                cachedValue = MapColour(surface, cachedColour);
            }
            const int count = static_cast<int>(spanEnd - spanStart);
            WritePixels(destination, count, cachedValue, bytesPerPixel);
            destination += static_cast<size_t>(count) * bytesPerPixel;
        }
    }
    if (locked)
        SDL_UnlockSurface(surface);
}

// Each row's run of pixels whose centres fall inside the ellipse.
void FillEllipse(Canvas& canvas, const RECT& bounds, portable::Rgb colour)
{
    const SDL_Rect area = SurfaceRect(canvas, bounds);
    if (area.w <= 0 || area.h <= 0)
        return;
    const double radiusX = area.w / 2.0;
    const double radiusY = area.h / 2.0;
    const double centreX = area.x + radiusX;
    const double centreY = area.y + radiusY;
    for (int row = area.y; row < area.y + area.h; ++row) {
        const double dy = (row + 0.5 - centreY) / radiusY;
        if (dy * dy >= 1)
            continue;
        const double half = radiusX * std::sqrt(1 - dy * dy);
        FillRowSpan(canvas, row, static_cast<int>(std::lround(centreX - half)),
                    static_cast<int>(std::lround(centreX + half)), colour);
    }
}

// Scan lines through pixel centres: each row's run between the crossings
// of the triangle's sides.
void FillTriangle(Canvas& canvas, POINT a, POINT b, POINT c, portable::Rgb colour)
{
    const SurfacePoint corners[3] = {ToSurfacePoint(canvas, a.x, a.y), ToSurfacePoint(canvas, b.x, b.y),
                                     ToSurfacePoint(canvas, c.x, c.y)};
    const double top = std::min({corners[0].y, corners[1].y, corners[2].y});
    const double bottom = std::max({corners[0].y, corners[1].y, corners[2].y});
    for (int row = static_cast<int>(std::floor(top)); row < static_cast<int>(std::ceil(bottom)); ++row) {
        const double centre = row + 0.5;
        double from = 1e30;
        double to = -1e30;
        for (int side = 0; side < 3; ++side) {
            const SurfacePoint p = corners[side];
            const SurfacePoint q = corners[(side + 1) % 3];
            if ((centre < p.y) == (centre < q.y))
                continue;
            const double crossing = p.x + (centre - p.y) * (q.x - p.x) / (q.y - p.y);
            from = std::min(from, crossing);
            to = std::max(to, crossing);
        }
        if (from < to)
            FillRowSpan(canvas, row, static_cast<int>(std::ceil(from - 0.5)), static_cast<int>(std::ceil(to - 0.5)),
                        colour);
    }
}

// The pixels whose centres lie within half the width of the segment; the
// shape is convex, so each row is one run.
void DrawThickLine(Canvas& canvas, double x0, double y0, double x1, double y1, double width, portable::Rgb colour)
{
    const int zoom = canvas.zoom < 1 ? 1 : canvas.zoom;
    const SurfacePoint from = ToSurfacePoint(canvas, x0, y0);
    const SurfacePoint to = ToSurfacePoint(canvas, x1, y1);
    const double radius = width * zoom / 2;
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double lengthSquared = dx * dx + dy * dy;
    const auto inside = [&](int px, int py) {
        const double cx = px + 0.5 - from.x;
        const double cy = py + 0.5 - from.y;
        double along = lengthSquared > 0 ? (cx * dx + cy * dy) / lengthSquared : 0;
        along = std::min(std::max(along, 0.0), 1.0);
        const double ox = cx - along * dx;
        const double oy = cy - along * dy;
        return ox * ox + oy * oy <= radius * radius;
    };
    const int left = static_cast<int>(std::floor(std::min(from.x, to.x) - radius));
    const int right = static_cast<int>(std::ceil(std::max(from.x, to.x) + radius));
    const int top = static_cast<int>(std::floor(std::min(from.y, to.y) - radius));
    const int bottom = static_cast<int>(std::ceil(std::max(from.y, to.y) + radius));
    for (int row = top; row < bottom; ++row) {
        int start = left;
        while (start < right && !inside(start, row))
            ++start;
        int end = start;
        while (end < right && inside(end, row))
            ++end;
        FillRowSpan(canvas, row, start, end, colour);
    }
}

SDL_Rect ClipToArea(Canvas& canvas, const RECT& area)
{
    if (canvas.surface == nullptr)
        return SDL_Rect{0, 0, 0, 0};
    const SDL_Rect previous = canvas.surface->clip_rect;
    const SDL_Rect wanted = SurfaceRect(canvas, area);
    SDL_Rect narrowed;
    if (!SDL_IntersectRect(&previous, &wanted, &narrowed))
        narrowed = SDL_Rect{previous.x, previous.y, 0, 0};
    SDL_SetClipRect(canvas.surface, &narrowed);
    return previous;
}

void RestoreClip(Canvas& canvas, const SDL_Rect& previous)
{
    if (canvas.surface != nullptr)
        SDL_SetClipRect(canvas.surface, &previous);
}

portable::Image ImageOfSurface(SDL_Surface* surface)
{
    portable::Image image;
    if (surface == nullptr)
        return image;
    image.width = surface->w;
    image.height = surface->h;
    image.pixels.reserve(static_cast<size_t>(surface->w) * surface->h);
    const bool locked = SDL_MUSTLOCK(surface);
    if (locked && SDL_LockSurface(surface) != 0)
        return portable::Image();
    const int bytesPerPixel = surface->format->BytesPerPixel;
    for (int y = 0; y < surface->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            const Uint8* pixel = row + static_cast<size_t>(x) * bytesPerPixel;
            Uint32 value = 0;
            switch (bytesPerPixel) {
            case 4:
                value = *reinterpret_cast<const Uint32*>(pixel);
                break;
            case 3:
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
                value = pixel[0] | pixel[1] << 8 | pixel[2] << 16;
#else
                value = pixel[0] << 16 | pixel[1] << 8 | pixel[2];
#endif
                break;
            case 2:
                value = *reinterpret_cast<const Uint16*>(pixel);
                break;
            default:
                value = *pixel;
                break;
            }
            portable::Rgb colour;
            SDL_GetRGB(value, surface->format, &colour.r, &colour.g, &colour.b);
            image.pixels.push_back(colour);
        }
    }
    if (locked)
        SDL_UnlockSurface(surface);
    return image;
}

}  // namespace desktop
