#include "platform/desktop/menu_view.h"

#include <string>

#include "platform/desktop/text.h"

namespace desktop {

namespace {
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
    const int left = item.left + (portable::menuGutterWidth - width) / 2;
    const int top = item.top + (item.bottom - item.top - static_cast<int>(rows)) / 2;
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
    const LONG middle = (rect.top + rect.bottom) / 2 - 1;
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

void DrawItem(Canvas& canvas, const portable::MenuItemView& item, const RECT& rect)
{
    if (item.separator) {
        DrawSeparator(canvas, rect);
        return;
    }
    if (item.selected)
        FillArea(canvas, rect, selectionColour);
    const portable::Rgb markColour = item.grayed ? grayTextColour : item.selected ? selectionTextColour : textColour;
    if (item.checked) {
        if (item.radio)
            DrawMark(canvas, radioMark, rect, markColour);
        else
            DrawMark(canvas, checkMark, rect, markColour);
    }
    const int textTop = rect.top + (rect.bottom - rect.top - textLineHeight) / 2;
    DrawItemText(canvas, rect.left + portable::menuGutterWidth, textTop, item.text, item.grayed, item.selected);
    if (!item.keyText.empty())
        DrawItemText(canvas, rect.right - portable::menuKeyMargin - TextWidth(item.keyText), textTop, item.keyText,
                     item.grayed, item.selected);
}
}  // namespace

void DrawMenuBar(Canvas& canvas, const RECT& bar, const std::vector<portable::MenuTitleView>& titles,
                 POINT barOrigin)
{
    FillArea(canvas, bar, faceColour);
    for (const portable::MenuTitleView& title : titles) {
        RECT rect = title.rect;
        OffsetRect(&rect, bar.left - barOrigin.x, bar.top - barOrigin.y);
        // The title's edge leaves a pixel above and below.
        const RECT edge = {rect.left, rect.top + 1, rect.right, rect.bottom - 1};
        if (title.selected) {
            if (title.open)
                DrawThinSunkenEdge(canvas, edge);
            else
                DrawThinRaisedEdge(canvas, edge);
        }
        // A pressed title's text moves with it, one pixel down and right.
        const int shift = title.selected && title.open ? 1 : 0;
        const int textTop = rect.top + (rect.bottom - rect.top - textLineHeight) / 2;
        DrawItemText(canvas, rect.left + portable::menuTitlePadding + shift, textTop + shift, title.text, false, false);
    }
}

void DrawDropDown(Canvas& canvas, const portable::DropDownView& dropDown)
{
    const RECT frame = {0, 0, dropDown.rect.right - dropDown.rect.left, dropDown.rect.bottom - dropDown.rect.top};
    FillArea(canvas, frame, faceColour);
    DrawRaisedEdge(canvas, frame);
    for (const portable::MenuItemView& item : dropDown.items) {
        RECT rect = item.rect;
        OffsetRect(&rect, -dropDown.rect.left, -dropDown.rect.top);
        DrawItem(canvas, item, rect);
    }
}

}  // namespace desktop
