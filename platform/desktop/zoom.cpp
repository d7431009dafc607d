#include "platform/desktop/zoom.h"

#include <cstdlib>

namespace desktop {

namespace {
// Division rounding towards minus infinity.
int FloorDivide(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

bool Fits(int zoom, int displayWidth, int displayHeight)
{
    return displayWidth / zoom >= minimumProgramWidth && displayHeight / zoom >= minimumProgramHeight;
}
}  // namespace

int ParseZoom(const char* text)
{
    if (text == nullptr || *text < '0' || *text > '9')
        return 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1 || value > maxZoom)
        return 0;
    return static_cast<int>(value);
}

int ChooseZoom(int requested, int displayScale, float displayDpi, int displayWidth, int displayHeight, bool* reduced)
{
    int zoom = 1;
    if (requested >= 1 && requested <= maxZoom)
        zoom = requested;
    else if (displayScale >= 1)
        zoom = displayScale;
    else if (displayDpi >= 96.0f)
        zoom = static_cast<int>(displayDpi / 96.0f);
    if (zoom > maxZoom)
        zoom = maxZoom;
    const int wanted = zoom;
    while (zoom > 1 && !Fits(zoom, displayWidth, displayHeight))
        --zoom;
    if (reduced != nullptr)
        *reduced = requested >= 1 && zoom != wanted;
    return zoom;
}

POINT ProgramPoint(int displayX, int displayY, int zoom)
{
    if (zoom < 1)
        zoom = 1;
    return POINT{FloorDivide(displayX, zoom), FloorDivide(displayY, zoom)};
}

}  // namespace desktop
