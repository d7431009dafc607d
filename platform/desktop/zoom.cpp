#include "platform/desktop/zoom.h"

#include <cstdlib>

namespace desktop {

namespace {
constexpr int minimumProgramHeight = 400;

// Division rounding towards minus infinity.
int FloorDivide(int value, int divisor)
{
    const int quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
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

int ChooseZoom(int requested, int displayScale, float displayDpi, int displayHeight)
{
    if (requested >= 1 && requested <= maxZoom)
        return requested;
    int zoom = 1;
    if (displayScale >= 1)
        zoom = displayScale;
    else if (displayDpi >= 96.0f)
        zoom = static_cast<int>(displayDpi / 96.0f);
    if (zoom > maxZoom)
        zoom = maxZoom;
    while (zoom > 1 && displayHeight / zoom < minimumProgramHeight)
        --zoom;
    return zoom;
}

POINT ProgramPoint(int windowX, int windowY, int zoom, int topOffset)
{
    if (zoom < 1)
        zoom = 1;
    return POINT{FloorDivide(windowX, zoom), FloorDivide(windowY, zoom) - topOffset};
}

}  // namespace desktop
