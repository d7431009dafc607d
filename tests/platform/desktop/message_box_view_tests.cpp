// Message boxes on the desktop: their lines, wrapping, layout and icons.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/desktop/message_box_view.h"

using portable::Rgb;

namespace {
constexpr int lineLimit = 420;
const UINT iconTypes[] = {MB_ICONHAND, MB_ICONEXCLAMATION, MB_ICONINFORMATION, MB_ICONQUESTION};

std::string Words(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i == 0 ? "" : " ") + std::string(i % 3 == 0 ? "uncovered" : "mine") + std::to_string(i);
    return text;
}

std::string Joined(const std::vector<std::string>& lines, const char* separator)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : separator) + lines[i];
    return text;
}

portable::Image Drawn(const desktop::MessageBoxLayout& layout, UINT type, bool pressed)
{
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, layout.client.cx, layout.client.cy, 32, SDL_PIXELFORMAT_ARGB8888);
    desktop::Canvas canvas{surface, 1, 0, 0};
    desktop::DrawMessageBox(canvas, layout, type, pressed);
    portable::Image image = desktop::ImageOfSurface(surface);
    SDL_FreeSurface(surface);
    return image;
}

int CountIn(const portable::Image& image, const RECT& area, Rgb colour)
{
    int count = 0;
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, image.height); ++y)
        for (LONG x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, image.width); ++x)
            count += image.At(x, y) == colour;
    return count;
}
}  // namespace

TEST(MessageBoxViewLayout, LinesBreakWhereTheTextSaysAndEmptyLinesKeepTheirHeight)
{
    EXPECT_EQ(desktop::LayOutMessageBox("a\nb", MB_OK).lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(desktop::LayOutMessageBox("a\r\nb", MB_OK).lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(desktop::LayOutMessageBox("one line", MB_OK).lines, (std::vector<std::string>{"one line"}));
    const desktop::MessageBoxLayout layout = desktop::LayOutMessageBox("a\n\nb", MB_ICONINFORMATION);
    EXPECT_EQ(layout.lines, (std::vector<std::string>{"a", "", "b"}));
    ASSERT_EQ(layout.linePositions.size(), 3u);
    EXPECT_EQ(layout.linePositions[1].y - layout.linePositions[0].y, desktop::textLineHeight);
    EXPECT_EQ(layout.linePositions[2].y - layout.linePositions[0].y, 2 * desktop::textLineHeight);
    EXPECT_EQ(layout.linePositions[0].x, layout.linePositions[2].x);
}

TEST(MessageBoxViewLayout, LongLinesWrapBetweenWordsWithinTheLimit)
{
    const std::string sentence = Words(60);
    const desktop::MessageBoxLayout layout = desktop::LayOutMessageBox("Title\n" + sentence, MB_ICONQUESTION);
    ASSERT_GT(layout.lines.size(), 3u);
    EXPECT_EQ(layout.lines[0], "Title");
    const std::vector<std::string> wrapped(layout.lines.begin() + 1, layout.lines.end());
    EXPECT_EQ(Joined(wrapped, " "), sentence) << "every word kept, in order";
    for (size_t i = 0; i < wrapped.size(); ++i) {
        EXPECT_LE(desktop::TextWidth(wrapped[i]), lineLimit) << wrapped[i];
        if (i + 1 < wrapped.size()) {
            EXPECT_GT(desktop::TextWidth(wrapped[i]), lineLimit - 100) << "lines are filled: " << wrapped[i];
        }
    }

    // A word longer than a line is broken between letters.
    const std::string word(300, 'W');
    const desktop::MessageBoxLayout broken = desktop::LayOutMessageBox(word, MB_OK);
    ASSERT_GT(broken.lines.size(), 1u);
    EXPECT_EQ(Joined(broken.lines, ""), word);
    for (const std::string& line : broken.lines)
        EXPECT_LE(desktop::TextWidth(line), lineLimit);
}

TEST(MessageBoxViewLayout, TheOkButtonIsCentredBelowTheTextAndIconInsideTheClientArea)
{
    const std::string texts[] = {"x", "Invalid minefield specifications.", "a\n\n\n\nb", Words(40)};
    for (const std::string& text : texts) {
        for (UINT type : {static_cast<UINT>(MB_OK), iconTypes[0], iconTypes[1], iconTypes[2], iconTypes[3]}) {
            SCOPED_TRACE(text + " type " + std::to_string(type));
            const desktop::MessageBoxLayout layout = desktop::LayOutMessageBox(text, type);
            const RECT& ok = layout.okButton;
            EXPECT_EQ(ok.right - ok.left, 75);
            EXPECT_EQ(ok.bottom - ok.top, 23);
            EXPECT_GE(ok.left, 8);
            EXPECT_LE(ok.right, layout.client.cx - 8);
            EXPECT_NEAR(ok.left + ok.right, layout.client.cx, 1) << "centred";
            EXPECT_LE(ok.bottom, layout.client.cy - 8);
            const bool hasIcon = type != MB_OK;
            EXPECT_EQ(layout.icon.right > layout.icon.left, hasIcon);
            if (hasIcon) {
                EXPECT_EQ(layout.icon.right - layout.icon.left, 32);
                EXPECT_EQ(layout.icon.bottom - layout.icon.top, 32);
                EXPECT_GE(layout.icon.left, 8);
                EXPECT_GT(ok.top, layout.icon.bottom);
            }
            for (size_t i = 0; i < layout.lines.size(); ++i) {
                const POINT& at = layout.linePositions[i];
                EXPECT_GE(at.x, hasIcon ? layout.icon.right + 8 : 8) << "right of the icon";
                EXPECT_GE(at.y, 8);
                EXPECT_LE(at.x + desktop::TextWidth(layout.lines[i]), layout.client.cx - 8);
                EXPECT_GT(ok.top, at.y + desktop::textLineHeight) << "below the text";
            }
        }
    }
}

TEST(MessageBoxViewDrawing, EachTypeShowsItsIconColoursAndNoneShowsNoIcon)
{
    struct Expected {
        UINT type;
        Rgb body;
        Rgb mark;
    };
    const Expected icons[] = {{MB_ICONHAND, {255, 0, 0}, {255, 255, 255}},
                              {MB_ICONEXCLAMATION, {255, 255, 0}, {0, 0, 0}},
                              {MB_ICONINFORMATION, {0, 0, 255}, {255, 255, 255}},
                              {MB_ICONQUESTION, {0, 0, 255}, {255, 255, 255}}};
    std::vector<std::vector<bool>> marks;
    for (const Expected& icon : icons) {
        const desktop::MessageBoxLayout layout = desktop::LayOutMessageBox("Message", icon.type);
        const portable::Image drawn = Drawn(layout, icon.type, false);
        SCOPED_TRACE(icon.type);
        EXPECT_GT(CountIn(drawn, layout.icon, icon.body), 250);
        EXPECT_GT(CountIn(drawn, layout.icon, icon.mark), 20);
        // The mark, as which pixels of the icon hold its colour.
        std::vector<bool> mark;
        for (LONG y = layout.icon.top; y < layout.icon.bottom; ++y)
            for (LONG x = layout.icon.left; x < layout.icon.right; ++x)
                mark.push_back(drawn.At(x, y) == icon.mark);
        marks.push_back(mark);
        // Nothing outside the icon and the text is drawn in its colour.
        EXPECT_EQ(CountIn(drawn, {0, 0, layout.client.cx, layout.client.cy}, icon.body),
                  CountIn(drawn, layout.icon, icon.body));
    }
    EXPECT_NE(marks[2], marks[3]) << "'i' and '?' differ";
    const desktop::MessageBoxLayout plain = desktop::LayOutMessageBox("Message", MB_OK);
    const portable::Image drawn = Drawn(plain, MB_OK, false);
    const RECT everything = {0, 0, plain.client.cx, plain.client.cy};
    for (const Expected& icon : icons)
        EXPECT_EQ(CountIn(drawn, everything, icon.body), 0);
}

