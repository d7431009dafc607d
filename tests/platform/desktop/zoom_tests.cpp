#include <gtest/gtest.h>

#include "platform/desktop/zoom.h"

using desktop::ChooseZoom;
using desktop::ParseZoom;
using desktop::ProgramPoint;

namespace {
int Choose(int requested, int scale, float dpi, int width, int height, bool* reduced = nullptr)
{
    bool ignored = false;
    return ChooseZoom(requested, scale, dpi, width, height, reduced != nullptr ? reduced : &ignored);
}
}  // namespace

TEST(Zoom, ThePlayersChoiceWinsWhereItFitsAndBadTextIsNoChoice)
{
    EXPECT_EQ(ParseZoom("3"), 3);
    for (const char* bad : {"", "0", "9", "-1", "2x", "x", " 2", "1.5"})
        EXPECT_EQ(ParseZoom(bad), 0) << bad;
    EXPECT_EQ(ParseZoom(nullptr), 0);
    bool reduced = true;
    // A choice overrides the display's scale and its density.
    EXPECT_EQ(Choose(3, 2, 288.0f, 1920, 1200, &reduced), 3);
    EXPECT_FALSE(reduced);
    EXPECT_EQ(Choose(1, 2, 192.0f, 3840, 2160, &reduced), 1);
    EXPECT_FALSE(reduced);
    // One too large for the screen gives way to the largest that fits, and
    // says so: 1280 x 1024 holds 640 x 512 program pixels at 2, not at 3.
    EXPECT_EQ(Choose(3, 0, 0.0f, 1280, 1024, &reduced), 2);
    EXPECT_TRUE(reduced);
    EXPECT_EQ(Choose(8, 0, 0.0f, 1366, 768, &reduced), 1);
    EXPECT_TRUE(reduced);
}

TEST(Zoom, WithoutAChoiceTheDisplayDecidesWithinTheScreen)
{
    bool reduced = true;
    EXPECT_EQ(Choose(0, 0, 96.0f, 1024, 768, &reduced), 1);
    EXPECT_FALSE(reduced) << "the display's own wish is not the player's";
    EXPECT_EQ(Choose(0, 0, 0.0f, 1024, 768), 1);       // the display does not say
    EXPECT_EQ(Choose(0, 0, 191.0f, 3840, 2160), 1);    // rounded down
    EXPECT_EQ(Choose(0, 0, 192.0f, 2560, 1600), 2);
    EXPECT_EQ(Choose(0, 2, 96.0f, 3840, 2160), 2);     // the desktop's scale comes first
    // Never so large that less than 640 x 400 program pixels fit.
    EXPECT_EQ(Choose(0, 0, 288.0f, 1920, 1080), 2);
    EXPECT_EQ(Choose(0, 4, 96.0f, 2000, 799), 1);
    EXPECT_EQ(Choose(0, 2, 96.0f, 1366, 768), 1);
    EXPECT_EQ(Choose(0, 0, 2000.0f, 100000, 100000), desktop::maxZoom);
}

TEST(Zoom, EveryDisplayPixelOfAProgramPixelMapsBackToIt)
{
    for (int zoom : {1, 2, 3}) {
        for (int x = 0; x < 5 * zoom; ++x) {
            const POINT point = ProgramPoint(x, 7 * zoom + zoom - 1, zoom);
            EXPECT_EQ(point.x, x / zoom) << "zoom " << zoom << " x " << x;
            EXPECT_EQ(point.y, 7);
        }
    }
}

TEST(Zoom, PointsLeftOfOrAboveTheAreaStayOutsideIt)
{
    // A button released outside a window rounds down, so -1 is never taken
    // for column 0.
    EXPECT_EQ(ProgramPoint(-1, 0, 2).x, -1);
    EXPECT_EQ(ProgramPoint(-2, 0, 2).x, -1);
    EXPECT_EQ(ProgramPoint(-3, 0, 2).x, -2);
    EXPECT_EQ(ProgramPoint(-1, -1, 3).y, -1);
    EXPECT_EQ(ProgramPoint(5, 5, 0).x, 5) << "a zoom below 1 is taken as 1";
}
