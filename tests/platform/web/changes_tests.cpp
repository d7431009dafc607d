#include <gtest/gtest.h>

#include <vector>

#include "platform/web/changes.h"

using web::PackRgba;
using web::ResizeShown;
using web::ShownPixels;
using web::TakeChanges;

namespace {
constexpr driver::Rgb grey = {192, 192, 192};
constexpr driver::Rgb red = {255, 0, 0};

driver::Image Filled(LONG width, LONG height, driver::Rgb colour)
{
    driver::Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height, colour);
    return image;
}

void Set(driver::Image& image, LONG x, LONG y, driver::Rgb colour)
{
    image.pixels[static_cast<size_t>(y) * image.width + x] = colour;
}

// A window of 80 x 70 whose canvas shows grey everywhere.
ShownPixels GreyCanvas()
{
    ShownPixels shown;
    ResizeShown(shown, 80, 70);
    TakeChanges(shown, Filled(80, 70, grey), RECT{0, 0, 80, 70});
    return shown;
}

::testing::AssertionResult SameRects(const std::vector<RECT>& actual, const std::vector<RECT>& expected)
{
    std::string text;
    for (const RECT& rect : actual)
        text += " {" + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
                "," + std::to_string(rect.bottom) + "}";
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "got" << text;
    for (size_t i = 0; i < actual.size(); ++i)
        if (actual[i].left != expected[i].left || actual[i].top != expected[i].top ||
            actual[i].right != expected[i].right || actual[i].bottom != expected[i].bottom)
            return ::testing::AssertionFailure() << "got" << text;
    return ::testing::AssertionSuccess();
}
}  // namespace

TEST(WebCanvasChanges, ANewCanvasTakesEverythingInOneRectangle)
{
    ShownPixels shown;
    EXPECT_TRUE(ResizeShown(shown, 80, 70));
    EXPECT_FALSE(ResizeShown(shown, 80, 70));
    EXPECT_TRUE(SameRects(TakeChanges(shown, Filled(80, 70, grey), RECT{0, 0, 80, 70}), {{0, 0, 80, 70}}));
    // The same pixels again change nothing.
    EXPECT_TRUE(TakeChanges(shown, Filled(80, 70, grey), RECT{0, 0, 80, 70}).empty());
    // A new size forgets what the canvas showed.
    EXPECT_TRUE(ResizeShown(shown, 40, 70));
    EXPECT_TRUE(SameRects(TakeChanges(shown, Filled(40, 70, grey), RECT{0, 0, 40, 70}), {{0, 0, 40, 70}}));
}

TEST(WebCanvasChanges, SquaresFarApartAreSentAloneNotTheirBoundingBox)
{
    ShownPixels shown = GreyCanvas();
    driver::Image image = Filled(80, 70, grey);
    Set(image, 3, 2, red);    // the square at the top-left corner
    Set(image, 70, 66, red);  // the square at the bottom-right one, cut to the client area
    EXPECT_TRUE(SameRects(TakeChanges(shown, image, RECT{0, 0, 80, 70}), {{0, 0, 16, 16}, {64, 64, 80, 70}}));
    // What the canvas shows now holds them.
    EXPECT_EQ(shown.pixels[2 * 80 + 3], red);
    EXPECT_EQ(shown.pixels[66 * 80 + 70], red);
    EXPECT_TRUE(TakeChanges(shown, image, RECT{0, 0, 80, 70}).empty());
}

TEST(WebCanvasChanges, RunsOfSquaresGrowDownWhereTheyMatch)
{
    ShownPixels shown = GreyCanvas();
    driver::Image image = Filled(80, 70, grey);
    for (LONG y : {20, 36})  // two squares of column 1, one under the other
        Set(image, 20, y, red);
    Set(image, 50, 20, red);  // and squares 3 and 4 of row 1 ...
    Set(image, 70, 20, red);
    Set(image, 50, 36, red);  // ... over square 3 alone of row 2
    const std::vector<RECT> expected = {{16, 16, 32, 48}, {48, 16, 80, 32}, {48, 32, 64, 48}};
    EXPECT_TRUE(SameRects(TakeChanges(shown, image, RECT{0, 0, 80, 70}), expected));
}

TEST(WebCanvasChanges, AnAreaNotOnTheSquaresIsCutToItself)
{
    ShownPixels shown = GreyCanvas();
    const RECT area = {5, 20, 30, 40};
    driver::Image image = Filled(25, 20, grey);
    Set(image, 1, 1, red);    // (6, 21)
    Set(image, 24, 19, red);  // (29, 39)
    EXPECT_TRUE(SameRects(TakeChanges(shown, image, area), {{5, 20, 16, 32}, {16, 32, 30, 40}}));
    EXPECT_EQ(shown.pixels[21 * 80 + 6], red);
    EXPECT_EQ(shown.pixels[39 * 80 + 29], red);
    EXPECT_EQ(shown.pixels[20 * 80 + 5], grey);
}

TEST(WebCanvasChanges, AnImageThatIsNotTheAreasIsRefused)
{
    ShownPixels shown = GreyCanvas();
    const std::vector<driver::Rgb> before = shown.pixels;
    EXPECT_TRUE(TakeChanges(shown, Filled(10, 10, red), RECT{0, 0, 20, 10}).empty());
    EXPECT_TRUE(TakeChanges(shown, Filled(10, 10, red), RECT{75, 0, 85, 10}).empty());  // past the right side
    EXPECT_TRUE(TakeChanges(shown, Filled(10, 10, red), RECT{-5, 0, 5, 10}).empty());
    EXPECT_TRUE(TakeChanges(shown, Filled(0, 0, red), RECT{0, 0, 0, 0}).empty());
    EXPECT_EQ(shown.pixels, before);
}

TEST(WebCanvasChanges, PixelsArePackedRectangleAfterRectangleRowByRow)
{
    ShownPixels shown;
    ResizeShown(shown, 3, 2);
    driver::Image image = Filled(3, 2, grey);
    Set(image, 0, 0, red);
    Set(image, 2, 1, driver::Rgb{1, 2, 4});
    TakeChanges(shown, image, RECT{0, 0, 3, 2});
    std::vector<uint8_t> rgba;
    PackRgba(shown, {{1, 0, 3, 2}, {0, 0, 1, 1}}, &rgba);
    const std::vector<uint8_t> expected = {192, 192, 192, 255, 192, 192, 192, 255,  // row 0 of the first
                                           192, 192, 192, 255, 1,   2,   4,   255,  // row 1 of the first
                                           255, 0,   0,   255};                     // the second
    EXPECT_EQ(rgba, expected);
}
