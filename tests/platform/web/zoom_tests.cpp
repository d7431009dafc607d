#include <gtest/gtest.h>

#include "platform/web/zoom.h"

using web::CentreOnPage;
using web::ChooseZoom;
using web::PageMap;
using web::ParseZoom;
using web::ScreenPointAt;

namespace {
// The main window of a Beginner game (frame included) and of 49 x 49.
const SIZE beginner = {182, 253};
const SIZE largest = {822, 893};
}  // namespace

TEST(WebZoom, ThePlayersZoomWins)
{
    EXPECT_EQ(ChooseZoom(3, beginner, 100, 100, 1), 3);
    EXPECT_EQ(ChooseZoom(1, beginner, 4000, 4000, 3), 1);
    EXPECT_EQ(ParseZoom("2"), 2);
    EXPECT_EQ(ParseZoom("8"), 8);
    EXPECT_EQ(ParseZoom("9"), 0);
    EXPECT_EQ(ParseZoom("0"), 0);
    EXPECT_EQ(ParseZoom("2x"), 0);
    EXPECT_EQ(ParseZoom("-2"), 0);
    EXPECT_EQ(ParseZoom(""), 0);
    EXPECT_EQ(ParseZoom(nullptr), 0);
}

TEST(WebZoom, TheLargestZoomThatFitsUpToTwiceTheDevicePixels)
{
    // A desktop page at one device pixel a CSS pixel: twice at most.
    EXPECT_EQ(ChooseZoom(0, beginner, 1900, 950, 1), 2);
    // Too small a page for twice: once.
    EXPECT_EQ(ChooseZoom(0, beginner, 300, 400, 1), 1);
    // Just fits, and one pixel short.
    EXPECT_EQ(ChooseZoom(0, beginner, 364, 506, 1), 2);
    EXPECT_EQ(ChooseZoom(0, beginner, 363, 506, 1), 1);
    // A phone at three device pixels a CSS pixel, 390 x 844 CSS pixels:
    // the Beginner window fills its width.
    EXPECT_EQ(ChooseZoom(0, beginner, 390, 844, 3), 6);
    // A board larger than the page: never less than 1.
    EXPECT_EQ(ChooseZoom(0, largest, 390, 844, 3), 1);
    EXPECT_EQ(ChooseZoom(0, largest, 200, 200, 1), 1);
    // A fractional ratio counts its device pixels.
    EXPECT_EQ(ChooseZoom(0, beginner, 1000, 1000, 1.5), 4);
    // No ratio reported: one.
    EXPECT_EQ(ChooseZoom(0, beginner, 1900, 950, 0), 2);
}

TEST(WebZoom, TheMainWindowIsCentredOnWholeDevicePixels)
{
    const RECT frame = {421, 257, 421 + 182, 257 + 253};
    const PageMap map = CentreOnPage(frame, 2, 1, 1001, 700);
    EXPECT_EQ(map.anchorDeviceX, (1001 - 364) / 2);
    EXPECT_EQ(map.anchorDeviceY, (700 - 506) / 2);
    EXPECT_DOUBLE_EQ(web::PageX(map, 421), 318);
    EXPECT_DOUBLE_EQ(web::PageY(map, 257 + 10), 97 + 20);
    EXPECT_DOUBLE_EQ(web::PageLength(map, 16), 32);
    // Wider or taller than the page: at its edge, never off it to the left or top.
    const PageMap tight = CentreOnPage(frame, 2, 1, 300, 300);
    EXPECT_EQ(tight.anchorDeviceX, 0);
    EXPECT_EQ(tight.anchorDeviceY, 0);
    // At three device pixels a CSS pixel, places are thirds of CSS pixels.
    const PageMap phone = CentreOnPage(frame, 6, 3, 390, 844);
    EXPECT_NEAR(web::PageX(phone, 422), (phone.anchorDeviceX + 6) / 3.0, 1e-9);
}

TEST(WebZoom, PointsMapBackToTheScreenPixelUnderThem)
{
    const RECT frame = {100, 50, 282, 303};
    for (double ratio : {1.0, 1.25, 2.0, 3.0}) {
        for (int zoom = 1; zoom <= 4; ++zoom) {
            const PageMap map = CentreOnPage(frame, zoom, ratio, 900, 700);
            // Every screen pixel of the window, at each corner of its square
            // of device pixels and in between, maps back to itself.
            for (LONG x = frame.left - 2; x < frame.left + 20; ++x) {
                const double left = web::PageX(map, x);
                const double right = web::PageX(map, x + 1);
                EXPECT_EQ(ScreenPointAt(map, left, web::PageY(map, 60)).x, x) << zoom << " " << ratio;
                EXPECT_EQ(ScreenPointAt(map, (left + right) / 2, web::PageY(map, 60)).x, x);
                // The last device pixel of the square still belongs to it.
                EXPECT_EQ(ScreenPointAt(map, right - 1 / ratio, web::PageY(map, 60)).x, x);
            }
            EXPECT_EQ(ScreenPointAt(map, web::PageX(map, 150), web::PageY(map, 61)).y, 61);
        }
    }
}

TEST(WebZoom, PointsLeftOfOrAboveThePageMapOutsideTheWindow)
{
    const RECT frame = {0, 0, 182, 253};
    const PageMap map = CentreOnPage(frame, 2, 1, 364, 506);
    EXPECT_EQ(ScreenPointAt(map, 0, 0).x, 0);
    EXPECT_EQ(ScreenPointAt(map, -0.5, 0).x, -1);
    EXPECT_EQ(ScreenPointAt(map, -2, -3).y, -2);
}

TEST(WebZoom, TheScreenIsThePageInProgramPixels)
{
    const SIZE screen = web::ScreenSizeOf(2, 1, 1001, 700);
    EXPECT_EQ(screen.cx, 500);
    EXPECT_EQ(screen.cy, 350);
    const SIZE phone = web::ScreenSizeOf(6, 3, 390, 844);
    EXPECT_EQ(phone.cx, 195);
    EXPECT_EQ(phone.cy, 422);
    const SIZE empty = web::ScreenSizeOf(2, 1, 0, 0);
    EXPECT_EQ(empty.cx, 1);
    EXPECT_EQ(empty.cy, 1);
}
