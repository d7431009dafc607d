#include <gtest/gtest.h>

#include "platform/desktop/zoom.h"

using desktop::ChooseZoom;
using desktop::ParseZoom;
using desktop::ProgramPoint;

TEST(Zoom, ThePlayersChoiceWinsAndBadTextIsNoChoice)
{
    EXPECT_EQ(ParseZoom("3"), 3);
    for (const char* bad : {"", "0", "9", "-1", "2x", "x", " 2", "1.5"})
        EXPECT_EQ(ParseZoom(bad), 0) << bad;
    EXPECT_EQ(ParseZoom(nullptr), 0);
    // A choice overrides the display's scale and its density.
    EXPECT_EQ(ChooseZoom(3, 2, 288.0f, 1080), 3);
    EXPECT_EQ(ChooseZoom(1, 2, 192.0f, 2160), 1);
}

TEST(Zoom, WithoutAChoiceTheDisplayDecides)
{
    EXPECT_EQ(ChooseZoom(0, 0, 96.0f, 768), 1);
    EXPECT_EQ(ChooseZoom(0, 0, 0.0f, 768), 1);      // the display does not say
    EXPECT_EQ(ChooseZoom(0, 0, 191.0f, 2160), 1);   // rounded down
    EXPECT_EQ(ChooseZoom(0, 0, 192.0f, 2160), 2);
    EXPECT_EQ(ChooseZoom(0, 2, 96.0f, 2160), 2);    // the desktop's scale comes first
    // Never so large that less than 400 of the program's pixels fit.
    EXPECT_EQ(ChooseZoom(0, 0, 288.0f, 1080), 2);
    EXPECT_EQ(ChooseZoom(0, 4, 96.0f, 799), 1);
    EXPECT_EQ(ChooseZoom(0, 0, 2000.0f, 100000), desktop::maxZoom);
}

TEST(Zoom, EveryDisplayPixelOfAProgramPixelMapsBackToIt)
{
    for (int zoom : {1, 2, 3}) {
        for (int x = 0; x < 5 * zoom; ++x) {
            const POINT point = ProgramPoint(x, 7 * zoom + zoom - 1, zoom, 0);
            EXPECT_EQ(point.x, x / zoom) << "zoom " << zoom << " x " << x;
            EXPECT_EQ(point.y, 7);
        }
    }
}

TEST(Zoom, TheMenuBarAboveTheClientAreaAndPointsOutsideStayOutside)
{
    // With a 20-pixel bar at zoom 2, display row 40 is the client's row 0,
    // and row 39 the last of the bar, client row -1.
    EXPECT_EQ(ProgramPoint(0, 40, 2, 20).y, 0);
    EXPECT_EQ(ProgramPoint(0, 39, 2, 20).y, -1);
    EXPECT_EQ(ProgramPoint(0, 0, 2, 20).y, -20);
    // Left of or above the window (a button released outside it) rounds
    // down, so -1 is never taken for the client's column 0.
    EXPECT_EQ(ProgramPoint(-1, 0, 2, 0).x, -1);
    EXPECT_EQ(ProgramPoint(-2, 0, 2, 0).x, -1);
    EXPECT_EQ(ProgramPoint(-3, 0, 2, 0).x, -2);
    EXPECT_EQ(ProgramPoint(-1, -1, 3, 0).y, -1);
}
