// Painting, rectangles, stock brushes, and the renderer that turns a
// window's client area into an image.
#include <algorithm>

#include "platform/portable/window_system.h"

namespace portable {

namespace {
constexpr int stockBrushCount = 5;
HBRUSH__ stockBrushes[stockBrushCount];
const Rgb stockColours[stockBrushCount] = {
    {255, 255, 255},  // WHITE_BRUSH
    {192, 192, 192},  // LTGRAY_BRUSH
    {128, 128, 128},  // GRAY_BRUSH
    {64, 64, 64},     // DKGRAY_BRUSH
    {0, 0, 0},        // BLACK_BRUSH
};

int StockIndexOf(HBRUSH brush)
{
    for (int i = 0; i < stockBrushCount; ++i)
        if (brush == &stockBrushes[i])
            return i;
    return -1;
}

Window* PaintingWindow(HDC dc)
{
    return FindWindowRecord(reinterpret_cast<HWND>(dc));
}

void FillImage(Image& image, RECT rect, Rgb colour)
{
    const LONG left = std::max<LONG>(rect.left, 0);
    const LONG top = std::max<LONG>(rect.top, 0);
    const LONG right = std::min<LONG>(rect.right, image.width);
    const LONG bottom = std::min<LONG>(rect.bottom, image.height);
    for (LONG y = top; y < bottom; ++y)
        for (LONG x = left; x < right; ++x)
            image.pixels[static_cast<size_t>(y) * image.width + x] = colour;
}

void DrawBitmap(Image& image, const Bitmap& bitmap, LONG left, LONG top)
{
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const LONG px = left + x;
            const LONG py = top + y;
            if (px >= 0 && py >= 0 && px < image.width && py < image.height)
                image.pixels[static_cast<size_t>(py) * image.width + px] =
                    bitmap.pixels[static_cast<size_t>(y) * bitmap.width + x];
        }
    }
}
}  // namespace

bool IsStockObject(HGDIOBJ object)
{
    return StockIndexOf(static_cast<HBRUSH>(object)) >= 0;
}

Rgb StockBrushColour(int object)
{
    return object >= 0 && object < stockBrushCount ? stockColours[object] : Rgb{0, 0, 0};
}

const std::vector<Fill>& LastPaint(HWND window)
{
    static const std::vector<Fill> none;
    const Window* record = FindWindowRecord(window);
    return record == nullptr ? none : record->lastPaint;
}

Image RenderClientArea(HWND window)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return Image();
    return RenderClientArea(window, ClientRectOf(*record));
}

// Only the pictures that overlap the area are drawn, so that a small change
// in a large window costs little.
Image RenderClientArea(HWND window, RECT area)
{
    Image image;
    const Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return image;
    const RECT client = ClientRectOf(*record);
    area.left = std::max(area.left, client.left);
    area.top = std::max(area.top, client.top);
    area.right = std::min(area.right, client.right);
    area.bottom = std::min(area.bottom, client.bottom);
    if (area.right <= area.left || area.bottom <= area.top)
        return image;
    image.width = area.right - area.left;
    image.height = area.bottom - area.top;
    const int background = StockIndexOf(record->windowClass->record.hbrBackground);
    image.pixels.assign(static_cast<size_t>(image.width) * image.height,
                        background >= 0 ? stockColours[background] : Rgb{255, 255, 255});
    for (const Fill& fill : record->lastPaint) {
        RECT rect = fill.rect;
        OffsetRect(&rect, -area.left, -area.top);
        FillImage(image, rect, fill.colour);
    }
    for (HWND child : ChildWindows(window)) {
        const Window* picture = FindWindowRecord(child);
        if (!picture->visible || picture->rect.right <= area.left || picture->rect.left >= area.right ||
            picture->rect.bottom <= area.top || picture->rect.top >= area.bottom)
            continue;
        const Bitmap* bitmap = BitmapOfObject(picture->bitmap);
        if (bitmap != nullptr)
            DrawBitmap(image, *bitmap, picture->rect.left - area.left, picture->rect.top - area.top);
    }
    return image;
}

Image BitmapResource(const char* name)
{
    Image image;
    const std::shared_ptr<const Bitmap> bitmap = FindBitmap(name);
    if (bitmap != nullptr) {
        image.width = bitmap->width;
        image.height = bitmap->height;
        image.pixels = bitmap->pixels;
    }
    return image;
}

}  // namespace portable

using namespace portable;

HGDIOBJ WINAPI GetStockObject(int object)
{
    if (object < 0 || object >= stockBrushCount)
        return nullptr;
    return &stockBrushes[object];
}

HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr || paint == nullptr)
        return nullptr;
    *paint = PAINTSTRUCT{};
    paint->hdc = reinterpret_cast<HDC>(window);
    paint->rcPaint = ClientRectOf(*record);
    MarkForPaint(window, false);
    record->currentPaint.clear();
    return paint->hdc;
}

BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr || paint == nullptr)
        return FALSE;
    const bool same = record->lastPaint.size() == record->currentPaint.size() &&
                      std::equal(record->lastPaint.begin(), record->lastPaint.end(), record->currentPaint.begin(),
                                 [](const Fill& a, const Fill& b) {
                                     return a.colour == b.colour && a.rect.left == b.rect.left &&
                                            a.rect.top == b.rect.top && a.rect.right == b.rect.right &&
                                            a.rect.bottom == b.rect.bottom;
                                 });
    record->lastPaint.swap(record->currentPaint);
    record->currentPaint.clear();
    if (!same)
        NoteDamage(window, ClientRectOf(*record));
    return TRUE;
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush)
{
    Window* record = PaintingWindow(dc);
    const int index = StockIndexOf(brush);
    if (record == nullptr || rect == nullptr || index < 0)
        return 0;
    record->currentPaint.push_back({*rect, stockColours[index]});
    return 1;
}

BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom)
{
    if (rect == nullptr)
        return FALSE;
    *rect = {left, top, right, bottom};
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy)
{
    if (rect == nullptr)
        return FALSE;
    rect->left -= dx;
    rect->top -= dy;
    rect->right += dx;
    rect->bottom += dy;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy)
{
    if (rect == nullptr)
        return FALSE;
    rect->left += dx;
    rect->top += dy;
    rect->right += dx;
    rect->bottom += dy;
    return TRUE;
}

BOOL WINAPI PtInRect(const RECT* rect, POINT point)
{
    return rect != nullptr && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
           point.y < rect->bottom;
}

BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase)
{
    (void)rect;
    (void)erase;
    Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return FALSE;
    MarkForPaint(window, true);
    return TRUE;
}
