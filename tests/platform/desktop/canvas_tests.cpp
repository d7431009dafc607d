// The desktop canvas: zoomed pictures and fills on SDL surfaces, clipped to
// them, and text with its mnemonic underline.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/desktop/canvas.h"
#include "platform/desktop/text.h"

using portable::Rgb;

namespace {
constexpr Rgb background = {10, 20, 30};

SDL_Surface* MakeSurface(int width, int height, Uint32 format = SDL_PIXELFORMAT_ARGB8888)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, background.r, background.g, background.b));
    return surface;
}

// A picture whose every pixel has a colour of its own.
portable::Image NumberedImage(int width, int height)
{
    portable::Image image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(Rgb{static_cast<uint8_t>(40 * x + 1), static_cast<uint8_t>(50 * y + 2), 200});
    return image;
}

// What the surface must hold after drawing `image` at program (x, y): each
// picture pixel as a zoom block, the background elsewhere.
void ExpectZoomedPicture(const portable::Image& drawn, const portable::Image& image, Rgb around,
                         const desktop::Canvas& canvas, int x, int y)
{
    int mismatches = 0;
    for (int sy = 0; sy < drawn.height; ++sy) {
        for (int sx = 0; sx < drawn.width; ++sx) {
            const int px = sx - canvas.originX - x * canvas.zoom;
            const int py = sy - canvas.originY - y * canvas.zoom;
            const bool covered = px >= 0 && py >= 0 && px < image.width * canvas.zoom &&
                                 py < image.height * canvas.zoom;
            const Rgb expected = covered ? image.At(px / canvas.zoom, py / canvas.zoom) : around;
            if (drawn.At(sx, sy) != expected && ++mismatches <= 3)
                ADD_FAILURE() << "surface pixel (" << sx << ", " << sy << ") at zoom " << canvas.zoom;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// The columns and rows where two drawings differ.
struct Difference {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Difference Compare(const portable::Image& a, const portable::Image& b)
{
    Difference difference;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                difference.left = std::min(difference.left, x);
                difference.right = std::max(difference.right, x + 1);
                difference.top = std::min(difference.top, y);
                difference.bottom = std::max(difference.bottom, y + 1);
            }
    return difference;
}

portable::Image TextImage(const std::string& text, int zoom)
{
    SDL_Surface* surface = MakeSurface(120 * zoom, 20 * zoom);
    desktop::Canvas canvas{surface, zoom, 0, 0};
    desktop::FillArea(canvas, {0, 0, 120, 20}, desktop::windowColour);
    desktop::DrawText(canvas, 2, 2, text, desktop::textColour);
    portable::Image image = desktop::ImageOfSurface(surface);
    SDL_FreeSurface(surface);
    return image;
}
}  // namespace

TEST(CanvasPictures, EachPixelBecomesExactlyOneZoomBlockInEveryPixelFormat)
{
    const portable::Image image = NumberedImage(5, 4);
    for (Uint32 format : {SDL_PIXELFORMAT_ARGB8888, SDL_PIXELFORMAT_RGB24, SDL_PIXELFORMAT_RGB565}) {
        for (int zoom : {1, 2, 3}) {
            SCOPED_TRACE(SDL_GetPixelFormatName(format));
            SDL_Surface* surface = MakeSurface(40, 36, format);
            desktop::Canvas canvas{surface, zoom, 3, 5};
            // 16-bit pixels keep fewer shades: compare with what the format holds.
            const auto held = [surface](Rgb colour) {
                SDL_GetRGB(SDL_MapRGB(surface->format, colour.r, colour.g, colour.b), surface->format, &colour.r,
                           &colour.g, &colour.b);
                return colour;
            };
            portable::Image expected = image;
            for (Rgb& pixel : expected.pixels)
                pixel = held(pixel);
            desktop::DrawImage(canvas, image, 2, 1);
            ExpectZoomedPicture(desktop::ImageOfSurface(surface), expected, held(background), canvas, 2, 1);
            SDL_FreeSurface(surface);
        }
    }
}

TEST(CanvasPictures, PicturesAndFillsAreClippedToTheSurfaceWithoutWritingPastIt)
{
    // The surface's rows lie in a larger buffer: the bytes around them must
    // stay untouched whatever is drawn across the edges.
    constexpr int width = 20;
    constexpr int height = 15;
    constexpr int pitch = (width + 6) * 4;
    constexpr Uint8 guard = 0xA5;
    std::vector<Uint8> buffer(static_cast<size_t>(pitch) * (height + 4), guard);
    Uint8* first = buffer.data() + 2 * pitch + 3 * 4;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(first, width, height, 32, pitch,
                                                              SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(surface, nullptr);
    const portable::Image image = NumberedImage(6, 6);
    for (int zoom : {1, 2, 3}) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, background.r, background.g, background.b));
        desktop::Canvas canvas{surface, zoom, 0, 0};
        desktop::DrawImage(canvas, image, -2, -3);
        desktop::DrawImage(canvas, image, 18 / zoom, 12 / zoom);
        desktop::DrawImage(canvas, image, -100, 4);
        desktop::FillArea(canvas, {-5, -5, 1000, 1}, desktop::shadowColour);
        desktop::FillArea(canvas, {width / zoom - 1, -5, 1000, 1000}, desktop::shadowColour);
        const portable::Image drawn = desktop::ImageOfSurface(surface);
        EXPECT_EQ(drawn.At(0, zoom), image.At(2, 3 + 1)) << "the visible part of a picture past the top-left corner";
        EXPECT_EQ(drawn.At(width - 2, 0), desktop::shadowColour);
        EXPECT_EQ(drawn.At(width - 1, height - 1), desktop::shadowColour);
    }
    for (size_t i = 0; i < buffer.size(); ++i) {
        const ptrdiff_t offset = static_cast<ptrdiff_t>(i) - (first - buffer.data());
        const bool inside = offset >= 0 && offset / pitch < height && offset % pitch < width * 4;
        if (!inside) {
            ASSERT_EQ(buffer[i], guard) << "byte " << i << " outside the surface was written";
        }
    }
    SDL_FreeSurface(surface);
}

TEST(CanvasText, TheMnemonicUnderlinesOnlyItsLetterBelowTheText)
{
    for (int zoom : {1, 2}) {
        const portable::Image plain = TextImage("Game", zoom);
        const portable::Image marked = TextImage("G&ame", zoom);
        const Difference underline = Compare(plain, marked);
        const int letterStart = (2 + desktop::TextWidth("G")) * zoom;
        const int letterEnd = (2 + desktop::TextWidth("Ga")) * zoom;
        EXPECT_NEAR(underline.left, letterStart, zoom);
        EXPECT_NEAR(underline.right, letterEnd, zoom);
        EXPECT_EQ(underline.bottom - underline.top, zoom) << "one program pixel high";
        EXPECT_GE(underline.top, (2 + 9) * zoom) << "below the letters";
        EXPECT_LT(underline.bottom, (2 + desktop::textLineHeight) * zoom) << "within the line";
        EXPECT_EQ(marked.At((underline.left + underline.right) / 2, underline.top), desktop::textColour);
    }
    EXPECT_EQ(desktop::TextWidth("G&ame"), desktop::TextWidth("Game"));
    EXPECT_EQ(desktop::TextWidth(desktop::WithoutMnemonics("A&B")), desktop::TextWidth("A&&B"));
    const Difference none = Compare(TextImage("A&B", 1), TextImage("A&&B", 1));
    EXPECT_GT(none.right, 0) << "\"&&\" shows an '&'";
    const Difference underlineOnly = Compare(TextImage("A&B", 1), TextImage("AB", 1));
    EXPECT_EQ(underlineOnly.bottom - underlineOnly.top, 1);
}

TEST(CanvasText, AFontThatCannotBeOpenedIsReportedByName)
{
    desktop::CloseFonts();
    setenv("BLASTGRID_FONT", "/nonexistent/NoSuchFont.ttf", 1);
    testing::internal::CaptureStderr();
    const bool opened = desktop::OpenFonts();
    const std::string message = testing::internal::GetCapturedStderr();
    unsetenv("BLASTGRID_FONT");
    EXPECT_FALSE(opened);
    EXPECT_NE(message.find("/nonexistent/NoSuchFont.ttf"), std::string::npos) << message;
    EXPECT_TRUE(desktop::OpenFonts()) << "the system's font, once the variable is gone";
}

// The font is found wherever the system keeps it: fontconfig's answer, not
// a path of one distribution's.
TEST(CanvasText, TheFontIsFoundThroughFontconfigWhereverItLives)
{
    desktop::CloseFonts();
    ASSERT_TRUE(desktop::OpenFonts());
    const std::string usual = desktop::FontPath();
    desktop::CloseFonts();
    ASSERT_FALSE(usual.empty());

    // A font folder of its own, holding only a copy of that font.
    const std::string folder = std::string(BLASTGRID_TEST_OUTPUT_DIR) + "/fonts-elsewhere";
    const std::string copy = folder + "/Sans.ttf";
    const std::string config = folder + "/fonts.conf";
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "' && cp '" + usual + "' '" + copy + "'").c_str()), 0);
    FILE* file = std::fopen(config.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "<?xml version=\"1.0\"?><fontconfig><dir>%s</dir><cachedir>%s/cache</cachedir></fontconfig>\n",
                 folder.c_str(), folder.c_str());
    std::fclose(file);
    // Fonts are chosen afresh on each opening, so the new configuration counts.
    setenv("FONTCONFIG_FILE", config.c_str(), 1);
    const bool opened = desktop::OpenFonts();
    const std::string found = desktop::FontPath();
    desktop::CloseFonts();
    unsetenv("FONTCONFIG_FILE");
    EXPECT_TRUE(opened);
    EXPECT_EQ(found, copy);
}
