// The menu bar and drop-downs drawn from the window system's views of the
// program's own menu resource.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/menu_view.h"
#include "platform/desktop/text.h"
#include "support/shown_views.h"

using portable::Rgb;

namespace {
// Game drop-down positions.
constexpr int newGame = 0;
constexpr int beginner = 2;
constexpr int intermediate = 3;
constexpr int expert = 4;
constexpr int custom = 5;

// The drop-down as the window system shows it, drawn with `selected` (-1
// for none) as its selection; item rectangles relative to its corner.
portable::Image DrawnDropDown(portable::DropDownView view, int selected)
{
    for (size_t i = 0; i < view.items.size(); ++i)
        view.items[i].selected = static_cast<int>(i) == selected;
    const LONG width = view.rect.right - view.rect.left;
    const LONG height = view.rect.bottom - view.rect.top;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    desktop::Canvas canvas{surface, 1, 0, 0};
    desktop::DrawDropDown(canvas, view);
    portable::Image image = desktop::ImageOfSurface(surface);
    SDL_FreeSurface(surface);
    return image;
}

std::vector<RECT> ItemRects(const portable::DropDownView& view)
{
    std::vector<RECT> rects;
    for (const portable::MenuItemView& item : view.items) {
        RECT rect = item.rect;
        OffsetRect(&rect, -view.rect.left, -view.rect.top);
        rects.push_back(rect);
    }
    return rects;
}

// The pixels of `colour` in a part of an image, as rows of '#' and '.'.
std::vector<std::string> Pattern(const portable::Image& image, const RECT& area, Rgb colour)
{
    std::vector<std::string> rows;
    for (LONG y = area.top; y < area.bottom; ++y) {
        std::string row;
        for (LONG x = area.left; x < area.right; ++x)
            row.push_back(image.At(x, y) == colour ? '#' : '.');
        rows.push_back(row);
    }
    return rows;
}

int Count(const std::vector<std::string>& pattern)
{
    int count = 0;
    for (const std::string& row : pattern)
        count += static_cast<int>(std::count(row.begin(), row.end(), '#'));
    return count;
}

bool MirroredLeftToRight(const std::vector<std::string>& pattern)
{
    for (const std::string& row : pattern)
        if (!std::equal(row.begin(), row.end(), row.rbegin()))
            return false;
    return true;
}

// The columns of an item's row that hold text, as runs [first, last].
std::vector<std::pair<int, int>> InkRuns(const portable::Image& image, const RECT& item, Rgb background, int minimumGap)
{
    std::vector<std::pair<int, int>> runs;
    for (LONG x = item.left; x < item.right; ++x) {
        bool ink = false;
        for (LONG y = item.top; y < item.bottom && !ink; ++y)
            ink = image.At(x, y) != background;
        if (!ink)
            continue;
        if (!runs.empty() && x - runs.back().second <= minimumGap)
            runs.back().second = x;
        else
            runs.push_back({x, x});
    }
    return runs;
}

// The gutter of an item, where its mark goes.
RECT Gutter(const RECT& item)
{
    return {item.left, item.top, item.left + 18, item.bottom};
}
}  // namespace

TEST(MenuViewDropDown, TheRadioDotMarksExactlyTheCheckedLevelAndFollowsTheCheck)
{
    HWND window = MakeMenuWindow();
    HMENU game = GetSubMenu(GetMenu(window), 0);
    portable::DropDownView view = ShownDropDown(window, 'G');
    ASSERT_EQ(view.items.size(), 8u);
    const std::vector<RECT> rects = ItemRects(view);
    // The resource checks Beginner as a plain check: a tick, not mirrored.
    std::vector<std::string> mark = Pattern(DrawnDropDown(view, -1), Gutter(rects[beginner]), desktop::textColour);
    EXPECT_GT(Count(mark), 6);
    EXPECT_FALSE(MirroredLeftToRight(mark));

    for (int checked : {intermediate, custom, beginner}) {
        ASSERT_TRUE(CheckMenuRadioItem(game, beginner, custom, checked, MF_BYPOSITION));
        const portable::Image drawn = DrawnDropDown(ShownDropDown(window, 'G'), -1);
        for (int level = beginner; level <= custom; ++level) {
            mark = Pattern(drawn, Gutter(rects[level]), desktop::textColour);
            if (level == checked) {
                EXPECT_GT(Count(mark), 12) << "a dot at " << level;
                EXPECT_TRUE(MirroredLeftToRight(mark)) << "a round dot at " << level;
            } else {
                EXPECT_EQ(Count(mark), 0) << "nothing at " << level << " while " << checked << " is checked";
            }
        }
        EXPECT_EQ(Count(Pattern(drawn, Gutter(rects[newGame]), desktop::textColour)), 0);
    }
    // On the selection the dot takes the selection's text colour.
    const portable::Image selected = DrawnDropDown(ShownDropDown(window, 'G'), beginner);
    EXPECT_GT(Count(Pattern(selected, Gutter(rects[beginner]), desktop::selectionTextColour)), 12);
    EXPECT_EQ(selected.At(rects[beginner].left + 1, rects[beginner].top + 1), desktop::selectionColour);
    EXPECT_EQ(selected.At(rects[beginner].right - 1, rects[beginner].bottom - 1), desktop::selectionColour);
}

TEST(MenuViewDropDown, KeyTextsAreRightAlignedAndClearOfTheirItemTexts)
{
    HWND window = MakeMenuWindow();
    for (int letter : {'G', 'S'}) {
        const portable::DropDownView view = ShownDropDown(window, letter);
        const portable::Image drawn = DrawnDropDown(view, -1);
        const std::vector<RECT> rects = ItemRects(view);
        std::vector<int> keyEnds;
        for (size_t i = 0; i < rects.size(); ++i) {
            if (view.items[i].keyText.empty())
                continue;
            // Runs of ink with less than a space between them are one text.
            const std::vector<std::pair<int, int>> runs = InkRuns(drawn, rects[i], desktop::faceColour, 6);
            ASSERT_EQ(runs.size(), 2u) << view.items[i].text;
            EXPECT_GE(runs[1].first - runs[0].second, 14) << view.items[i].text;
            EXPECT_LT(runs[1].second, rects[i].right - 4) << view.items[i].text;
            keyEnds.push_back(runs[1].second);
        }
        ASSERT_FALSE(keyEnds.empty());
        for (int end : keyEnds)
            EXPECT_NEAR(end, keyEnds.front(), 1) << "key texts end together";
    }
}

TEST(MenuViewBar, TheSelectedTitleIsRaisedAndTheOpenOnePressedWithItsTextMoved)
{
    // Laid out in the font it is drawn with, as the presenter has it.
    portable::SetTextMeasure(desktop::TextWidth);
    HWND window = MakeMenuWindow();
    std::vector<portable::MenuTitleView> titles = portable::MenuBarOf(window);
    ASSERT_EQ(titles.size(), 3u);
    const RECT barRect = {0, 0, titles.back().rect.right - titles.front().rect.left + 10, 20};
    const POINT origin = {titles.front().rect.left, titles.front().rect.top};
    const auto draw = [&](bool selected, bool open) {
        titles[1].selected = selected;
        titles[1].open = open;
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, barRect.right, barRect.bottom, 32,
                                                              SDL_PIXELFORMAT_ARGB8888);
        desktop::Canvas canvas{surface, 1, 0, 0};
        desktop::DrawMenuBar(canvas, barRect, titles, origin);
        portable::Image image = desktop::ImageOfSurface(surface);
        SDL_FreeSurface(surface);
        return image;
    };
    RECT title = titles[1].rect;
    OffsetRect(&title, -origin.x, -origin.y);
    const portable::Image plain = draw(false, false);
    const portable::Image raised = draw(true, false);
    const portable::Image pressed = draw(true, true);
    EXPECT_EQ(plain.At(title.left, title.top + 1), desktop::faceColour) << "no edge when not selected";
    EXPECT_EQ(raised.At(title.left, title.top + 1), desktop::highlightColour) << "raised: light above";
    EXPECT_EQ(pressed.At(title.left, title.top + 1), desktop::shadowColour) << "pressed: dark above";
    const std::vector<std::pair<int, int>> raisedInk = InkRuns(raised, {title.left + 2, title.top + 3, title.right - 2, title.bottom - 3}, desktop::faceColour, 6);
    const std::vector<std::pair<int, int>> pressedInk = InkRuns(pressed, {title.left + 2, title.top + 3, title.right - 2, title.bottom - 3}, desktop::faceColour, 6);
    ASSERT_FALSE(raisedInk.empty());
    ASSERT_FALSE(pressedInk.empty());
    EXPECT_EQ(pressedInk.front().first, raisedInk.front().first + 1) << "the pressed text moves right";
    portable::SetTextMeasure(nullptr);
}
