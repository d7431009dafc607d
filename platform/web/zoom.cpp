#include "platform/web/zoom.h"

#include <cmath>
#include <cstdlib>

namespace web {

namespace {
long FloorDivide(long value, long divisor)
{
    const long quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

double Ratio(double devicePixelRatio)
{
    return devicePixelRatio > 0 ? devicePixelRatio : 1;
}

// A CSS length in whole device pixels, as the page can hold them.
long DevicePixels(double cssPixels, double devicePixelRatio)
{
    return static_cast<long>(std::floor(cssPixels * Ratio(devicePixelRatio) + 1e-6));
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

int ChooseZoom(int requested, SIZE window, double pageWidth, double pageHeight, double devicePixelRatio)
{
    if (requested >= 1 && requested <= maxZoom)
        return requested;
    const double ratio = Ratio(devicePixelRatio);
    int largest = 2 * static_cast<int>(std::lround(ratio));
    if (largest < 2)
        largest = 2;
    if (largest > maxZoom)
        largest = maxZoom;
    const long width = DevicePixels(pageWidth, ratio);
    const long height = DevicePixels(pageHeight, ratio);
    for (int zoom = largest; zoom > 1; --zoom)
        if (static_cast<long>(window.cx) * zoom <= width && static_cast<long>(window.cy) * zoom <= height)
            return zoom;
    return 1;
}

PageMap CentreOnPage(RECT mainFrame, int zoom, double devicePixelRatio, double pageWidth, double pageHeight)
{
    PageMap map;
    map.zoom = zoom < 1 ? 1 : zoom;
    map.devicePixelRatio = Ratio(devicePixelRatio);
    map.anchor = POINT{mainFrame.left, mainFrame.top};
    const long width = static_cast<long>(mainFrame.right - mainFrame.left) * map.zoom;
    const long height = static_cast<long>(mainFrame.bottom - mainFrame.top) * map.zoom;
    const long spareX = DevicePixels(pageWidth, map.devicePixelRatio) - width;
    const long spareY = DevicePixels(pageHeight, map.devicePixelRatio) - height;
    map.anchorDeviceX = spareX > 0 ? spareX / 2 : 0;
    map.anchorDeviceY = spareY > 0 ? spareY / 2 : 0;
    return map;
}

double PageX(const PageMap& map, LONG screenX)
{
    return (map.anchorDeviceX + static_cast<double>(screenX - map.anchor.x) * map.zoom) / map.devicePixelRatio;
}

double PageY(const PageMap& map, LONG screenY)
{
    return (map.anchorDeviceY + static_cast<double>(screenY - map.anchor.y) * map.zoom) / map.devicePixelRatio;
}

double PageLength(const PageMap& map, LONG programPixels)
{
    return static_cast<double>(programPixels) * map.zoom / map.devicePixelRatio;
}

POINT ScreenPointAt(const PageMap& map, double pageX, double pageY)
{
    // The device pixel under the point, then the program pixel it belongs to.
    const long deviceX = static_cast<long>(std::floor(pageX * map.devicePixelRatio + 1e-6)) - map.anchorDeviceX;
    const long deviceY = static_cast<long>(std::floor(pageY * map.devicePixelRatio + 1e-6)) - map.anchorDeviceY;
    return POINT{static_cast<LONG>(map.anchor.x + FloorDivide(deviceX, map.zoom)),
                 static_cast<LONG>(map.anchor.y + FloorDivide(deviceY, map.zoom))};
}

SIZE ScreenSizeOf(int zoom, double devicePixelRatio, double pageWidth, double pageHeight)
{
    if (zoom < 1)
        zoom = 1;
    const long width = DevicePixels(pageWidth, devicePixelRatio) / zoom;
    const long height = DevicePixels(pageHeight, devicePixelRatio) / zoom;
    return SIZE{static_cast<LONG>(width > 1 ? width : 1), static_cast<LONG>(height > 1 ? height : 1)};
}

}  // namespace web
