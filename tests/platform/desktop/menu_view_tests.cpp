// The desktop menu bar and drop-downs, on the program's own menu resource.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/desktop/menu_view.h"

using portable::Rgb;

namespace {
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);

// Game drop-down positions.
constexpr int newGame = 0;
constexpr int beginner = 2;
constexpr int intermediate = 3;
constexpr int expert = 4;
constexpr int custom = 5;

POINT Centre(const RECT& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

portable::Image DrawnDropDown(HMENU popup, int selected)
{
    const SIZE size = desktop::DropDownSize(popup);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size.cx, size.cy, 32, SDL_PIXELFORMAT_ARGB8888);
    desktop::Canvas canvas{surface, 1, 0, 0};
    desktop::DrawDropDown(canvas, popup, selected);
    portable::Image image = desktop::ImageOfSurface(surface);
    SDL_FreeSurface(surface);
    return image;
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

TEST(MenuViewBar, TitlesFollowOneAnotherInsideTheBarAndAreFoundByPoint)
{
    HMENU bar = LoadMenuA(programInstance, "menu");
    const std::vector<RECT> rects = desktop::MenuBarItemRects(bar);
    ASSERT_EQ(rects.size(), 3u);
    const char* titles[] = {"&Game", "&Solver", "&Help"};
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_GE(rects[i].top, 0);
        EXPECT_LE(rects[i].bottom, desktop::menuBarHeight);
        EXPECT_GE(rects[i].bottom - rects[i].top, desktop::textLineHeight);
        EXPECT_GE(rects[i].right - rects[i].left, desktop::TextWidth(titles[i]) + 8) << titles[i];
        if (i > 0) {
            EXPECT_GE(rects[i].left, rects[i - 1].right) << "titles never overlap";
        }
        EXPECT_EQ(desktop::MenuBarItemAt(bar, Centre(rects[i])), static_cast<int>(i));
    }
    EXPECT_EQ(desktop::MenuBarItemAt(bar, {rects[2].right + 5, 10}), -1);
    EXPECT_EQ(desktop::MenuBarItemAt(bar, {Centre(rects[0]).x, desktop::menuBarHeight + 3}), -1);
}

TEST(MenuViewDropDown, ItemsStackWithoutGapsAndOnlyChoosableOnesAreFound)
{
    HMENU bar = LoadMenuA(programInstance, "menu");
    HMENU game = GetSubMenu(bar, 0);
    const SIZE size = desktop::DropDownSize(game);
    const std::vector<RECT> rects = desktop::DropDownItemRects(game);
    ASSERT_EQ(static_cast<int>(rects.size()), GetMenuItemCount(game));
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_GT(rects[i].left, 0);
        EXPECT_LT(rects[i].right, size.cx);
        if (i == 0) {
            EXPECT_GT(rects[i].top, 0) << "inside the frame";
        } else {
            EXPECT_EQ(rects[i].top, rects[i - 1].bottom) << "item " << i;
        }
        const bool separator = (GetMenuState(game, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0;
        EXPECT_LT(rects[i].bottom - rects[i].top, separator ? 12 : 22);
        EXPECT_GT(rects[i].bottom - rects[i].top, separator ? 4 : desktop::textLineHeight);
        EXPECT_EQ(desktop::DropDownItemAt(game, Centre(rects[i])), separator ? -1 : static_cast<int>(i));
    }
    EXPECT_LT(rects.back().bottom, size.cy);
    EXPECT_EQ(desktop::DropDownItemAt(game, {1, Centre(rects[0]).y}), -1) << "the frame";
    EXPECT_EQ(desktop::DropDownItemAt(game, {size.cx + 4, Centre(rects[0]).y}), -1);
    EXPECT_EQ(desktop::DropDownItemAt(game, {10, size.cy + 4}), -1);
}

TEST(MenuViewDropDown, TheRadioDotMarksExactlyTheCheckedLevelAndFollowsTheCheck)
{
    HMENU game = GetSubMenu(LoadMenuA(programInstance, "menu"), 0);
    const std::vector<RECT> rects = desktop::DropDownItemRects(game);
    // The resource checks Beginner as a plain check: a tick, not mirrored.
    std::vector<std::string> mark = Pattern(DrawnDropDown(game, -1), Gutter(rects[beginner]), desktop::textColour);
    EXPECT_GT(Count(mark), 6);
    EXPECT_FALSE(MirroredLeftToRight(mark));

    for (int checked : {intermediate, custom, beginner}) {
        ASSERT_TRUE(CheckMenuRadioItem(game, beginner, custom, checked, MF_BYPOSITION));
        const portable::Image drawn = DrawnDropDown(game, -1);
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
    const portable::Image selected = DrawnDropDown(game, beginner);
    EXPECT_GT(Count(Pattern(selected, Gutter(rects[beginner]), desktop::selectionTextColour)), 12);
    EXPECT_EQ(selected.At(rects[beginner].left + 1, rects[beginner].top + 1), desktop::selectionColour);
    EXPECT_EQ(selected.At(rects[beginner].right - 1, rects[beginner].bottom - 1), desktop::selectionColour);
}

TEST(MenuViewDropDown, KeyTextsAreRightAlignedAndClearOfTheirItemTexts)
{
    HMENU bar = LoadMenuA(programInstance, "menu");
    for (int menu : {0, 1}) {
        HMENU popup = GetSubMenu(bar, menu);
        const portable::Image drawn = DrawnDropDown(popup, -1);
        const std::vector<RECT> rects = desktop::DropDownItemRects(popup);
        std::vector<int> keyEnds;
        for (size_t i = 0; i < rects.size(); ++i) {
            char text[64];
            GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            if (std::string(text).find('\t') == std::string::npos)
                continue;
            // Runs of ink with less than a space between them are one text.
            const std::vector<std::pair<int, int>> runs = InkRuns(drawn, rects[i], desktop::faceColour, 6);
            ASSERT_EQ(runs.size(), 2u) << text;
            EXPECT_GE(runs[1].first - runs[0].second, 14) << text;
            EXPECT_LT(runs[1].second, rects[i].right - 4) << text;
            keyEnds.push_back(runs[1].second);
        }
        ASSERT_FALSE(keyEnds.empty());
        for (int end : keyEnds)
            EXPECT_NEAR(end, keyEnds.front(), 1) << "key texts end together";
    }
}
