// Message boxes drawn from the window system's views: the icon of each type.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/desktop/message_box_view.h"
#include "support/shown_views.h"

using portable::Rgb;

namespace {
// A box as the window system shows it, drawn; `client` is its size.
portable::Image Drawn(const portable::MessageBoxView& box, SIZE* client)
{
    *client = box.client;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, client->cx, client->cy, 32, SDL_PIXELFORMAT_ARGB8888);
    desktop::Canvas canvas{surface, 1, 0, 0};
    desktop::DrawMessageBox(canvas, box);
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
        const portable::MessageBoxView box = ShownBox("Message", icon.type);
        SIZE client;
        const portable::Image drawn = Drawn(box, &client);
        SCOPED_TRACE(icon.type);
        EXPECT_GT(CountIn(drawn, box.iconRect, icon.body), 250);
        EXPECT_GT(CountIn(drawn, box.iconRect, icon.mark), 20);
        // The mark, as which pixels of the icon hold its colour.
        std::vector<bool> mark;
        for (LONG y = box.iconRect.top; y < box.iconRect.bottom; ++y)
            for (LONG x = box.iconRect.left; x < box.iconRect.right; ++x)
                mark.push_back(drawn.At(x, y) == icon.mark);
        marks.push_back(mark);
        // Nothing outside the icon and the text is drawn in its colour.
        EXPECT_EQ(CountIn(drawn, {0, 0, client.cx, client.cy}, icon.body), CountIn(drawn, box.iconRect, icon.body));
    }
    EXPECT_NE(marks[2], marks[3]) << "'i' and '?' differ";
    SIZE client;
    const portable::Image drawn = Drawn(ShownBox("Message", MB_OK), &client);
    const RECT everything = {0, 0, client.cx, client.cy};
    for (const Expected& icon : icons)
        EXPECT_EQ(CountIn(drawn, everything, icon.body), 0);
}

