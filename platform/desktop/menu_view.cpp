// The menu bar and its drop-downs, laid out from the menu's items as the
// menu calls report them.
#include "platform/desktop/menu_view.h"

#include <algorithm>
#include <string>

namespace desktop {

namespace {
// The bar: each title has this much room on either side of its text.
constexpr int titlePadding = 6;
constexpr int titleTop = 1;
constexpr int titleBottom = menuBarHeight - 1;

// A drop-down: a raised frame and one pixel of face inside it, the mark's
// gutter left of the texts, and room after the key texts.
constexpr int frameWidth = 3;
constexpr int itemHeight = 18;
constexpr int separatorHeight = 8;
constexpr int gutterWidth = 19;
constexpr int keyGap = 16;
constexpr int rightMargin = 16;

struct MenuEntry {
    std::string text;  // with its '&' marks
    std::string key;   // after the tab, as "F2"
    UINT state = 0;
    bool separator = false;
};

int ItemCount(HMENU menu)
{
    return std::max(GetMenuItemCount(menu), 0);
}

MenuEntry ReadEntry(HMENU menu, int position)
{
    MenuEntry entry;
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    if (state == static_cast<UINT>(-1))
        return entry;
    // A popup's state holds its item count in the high byte.
    entry.state = GetSubMenu(menu, position) != nullptr ? state & 0xFF : state;
    entry.separator = (entry.state & MF_SEPARATOR) != 0;
    if (entry.separator)
        return entry;
    char text[256] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    entry.text = text;
    const size_t tab = entry.text.find('\t');
    if (tab != std::string::npos) {
        entry.key = entry.text.substr(tab + 1);
        entry.text.erase(tab);
    }
    return entry;
}

std::vector<MenuEntry> ReadEntries(HMENU menu)
{
    std::vector<MenuEntry> entries;
    const int count = ItemCount(menu);
    for (int position = 0; position < count; ++position)
        entries.push_back(ReadEntry(menu, position));
    return entries;
}

struct DropDownMeasures {
    int textWidth = 0;  // the widest item text
    int keyWidth = 0;   // the widest key text
};

DropDownMeasures Measure(const std::vector<MenuEntry>& entries)
{
    DropDownMeasures measures;
    for (const MenuEntry& entry : entries) {
        measures.textWidth = std::max(measures.textWidth, TextWidth(entry.text));
        measures.keyWidth = std::max(measures.keyWidth, TextWidth(entry.key));
    }
    return measures;
}

SIZE SizeOf(const std::vector<MenuEntry>& entries)
{
    const DropDownMeasures measures = Measure(entries);
    LONG width = 2 * frameWidth + gutterWidth + measures.textWidth + rightMargin;
    if (measures.keyWidth > 0)
        width += keyGap + measures.keyWidth;
    LONG height = 2 * frameWidth;
    for (const MenuEntry& entry : entries)
        height += entry.separator ? separatorHeight : itemHeight;
    return {width, height};
}

std::vector<RECT> RectsOf(const std::vector<MenuEntry>& entries)
{
    const SIZE size = SizeOf(entries);
    std::vector<RECT> rects;
    LONG top = frameWidth;
    for (const MenuEntry& entry : entries) {
        const LONG bottom = top + (entry.separator ? separatorHeight : itemHeight);
        rects.push_back({frameWidth, top, size.cx - frameWidth, bottom});
        top = bottom;
    }
    return rects;
}

// Marks in the gutter, as rows of pixels: '#' drawn.
const char* const checkMark[] = {
    "......#",
    ".....##",
    "#...###",
    "##.###.",
    "#####..",
    ".###...",
    "..#....",
};
const char* const radioMark[] = {
    ".####.",
    "######",
    "######",
    "######",
    "######",
    ".####.",
};

template <size_t rows>
void DrawMark(Canvas& canvas, const char* const (&pattern)[rows], const RECT& item, portable::Rgb colour)
{
    const int width = static_cast<int>(std::string(pattern[0]).size());
    const int left = item.left + (gutterWidth - width) / 2;
    const int top = item.top + (itemHeight - static_cast<int>(rows)) / 2;
    for (size_t row = 0; row < rows; ++row)
        for (int column = 0; column < width; ++column)
            if (pattern[row][column] == '#')
                FillArea(canvas, {left + column, top + static_cast<LONG>(row), left + column + 1,
                                  top + static_cast<LONG>(row) + 1},
                         colour);
}

// An etched line across the middle of the separator's height.
void DrawSeparator(Canvas& canvas, const RECT& rect)
{
    const LONG middle = rect.top + separatorHeight / 2 - 1;
    FillArea(canvas, {rect.left, middle, rect.right, middle + 1}, shadowColour);
    FillArea(canvas, {rect.left, middle + 1, rect.right, middle + 2}, highlightColour);
}

// Grayed texts are etched: a highlight copy one pixel down and right, under
// the gray one; on the selection the gray text alone shows.
void DrawItemText(Canvas& canvas, int x, int y, const std::string& text, bool grayed, bool selected)
{
    if (grayed) {
        if (!selected)
            DrawText(canvas, x + 1, y + 1, text, highlightColour);
        DrawText(canvas, x, y, text, grayTextColour);
        return;
    }
    DrawText(canvas, x, y, text, selected ? selectionTextColour : textColour);
}

void DrawEntry(Canvas& canvas, const MenuEntry& entry, const RECT& rect, bool selected)
{
    if (entry.separator) {
        DrawSeparator(canvas, rect);
        return;
    }
    const bool grayed = (entry.state & MF_GRAYED) != 0;
    if (selected)
        FillArea(canvas, rect, selectionColour);
    const portable::Rgb markColour = grayed ? grayTextColour : selected ? selectionTextColour : textColour;
    if (entry.state & MF_CHECKED) {
        if (entry.state & MFT_RADIOCHECK)
            DrawMark(canvas, radioMark, rect, markColour);
        else
            DrawMark(canvas, checkMark, rect, markColour);
    }
    const int textTop = rect.top + (itemHeight - textLineHeight) / 2;
    DrawItemText(canvas, rect.left + gutterWidth, textTop, entry.text, grayed, selected);
    if (!entry.key.empty())
        DrawItemText(canvas, rect.right - rightMargin - TextWidth(entry.key), textTop, entry.key, grayed, selected);
}
}  // namespace

std::vector<RECT> MenuBarItemRects(HMENU bar)
{
    std::vector<RECT> rects;
    LONG left = 0;
    for (const MenuEntry& entry : ReadEntries(bar)) {
        const LONG right = left + titlePadding + TextWidth(entry.text) + titlePadding;
        rects.push_back({left, titleTop, right, titleBottom});
        left = right;
    }
    return rects;
}

int MenuBarItemAt(HMENU bar, POINT point)
{
    const std::vector<RECT> rects = MenuBarItemRects(bar);
    for (size_t i = 0; i < rects.size(); ++i)
        if (PtInRect(&rects[i], point))
            return static_cast<int>(i);
    return -1;
}

void DrawMenuBar(Canvas& canvas, HMENU bar, int width, int highlighted, bool open)
{
    FillArea(canvas, {0, 0, width, menuBarHeight}, faceColour);
    const std::vector<MenuEntry> entries = ReadEntries(bar);
    const std::vector<RECT> rects = MenuBarItemRects(bar);
    for (size_t i = 0; i < entries.size(); ++i) {
        const RECT& rect = rects[i];
        const bool isHighlighted = static_cast<int>(i) == highlighted;
        if (isHighlighted) {
            if (open)
                DrawThinSunkenEdge(canvas, rect);
            else
                DrawThinRaisedEdge(canvas, rect);
        }
        // A pressed title's text moves with it, one pixel down and right.
        const int shift = isHighlighted && open ? 1 : 0;
        const int textTop = (menuBarHeight - textLineHeight) / 2;
        DrawItemText(canvas, rect.left + titlePadding + shift, textTop + shift, entries[i].text,
                     (entries[i].state & MF_GRAYED) != 0, false);
    }
}

SIZE DropDownSize(HMENU popup)
{
    return SizeOf(ReadEntries(popup));
}

std::vector<RECT> DropDownItemRects(HMENU popup)
{
    return RectsOf(ReadEntries(popup));
}

int DropDownItemAt(HMENU popup, POINT point)
{
    const std::vector<MenuEntry> entries = ReadEntries(popup);
    const std::vector<RECT> rects = RectsOf(entries);
    for (size_t i = 0; i < rects.size(); ++i) {
        if (!PtInRect(&rects[i], point))
            continue;
        if (entries[i].separator || (entries[i].state & MF_GRAYED))
            return -1;
        return static_cast<int>(i);
    }
    return -1;
}

void DrawDropDown(Canvas& canvas, HMENU popup, int selected)
{
    const std::vector<MenuEntry> entries = ReadEntries(popup);
    const SIZE size = SizeOf(entries);
    const RECT frame = {0, 0, size.cx, size.cy};
    FillArea(canvas, frame, faceColour);
    DrawRaisedEdge(canvas, frame);
    const std::vector<RECT> rects = RectsOf(entries);
    for (size_t i = 0; i < entries.size(); ++i)
        DrawEntry(canvas, entries[i], rects[i], static_cast<int>(i) == selected);
}

}  // namespace desktop
