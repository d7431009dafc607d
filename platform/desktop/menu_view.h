// The menu bar and its drop-downs: where their items are and how they look.
// Items are read through the menu calls (GetMenuItemCount, GetMenuStringA,
// GetMenuState, GetSubMenu), so what is drawn is what the program's menu
// holds, radio marks included.
#pragma once

#include <vector>

#include "platform/desktop/canvas.h"

namespace desktop {

// The menu bar's height in the program's pixels; it is drawn above the
// client area.
constexpr int menuBarHeight = 20;

// The rectangles of the menu bar's titles ("&Game", "&Solver", "&Help"),
// relative to the bar's top-left corner.
std::vector<RECT> MenuBarItemRects(HMENU bar);
// The title at a point of the bar, or -1.
int MenuBarItemAt(HMENU bar, POINT point);
// The bar, `width` pixels wide, at the canvas's (0, 0); `highlighted` is the
// title shown selected (-1 for none) and `open` whether its drop-down is
// open (drawn pressed) or only selected from the keyboard (drawn raised).
void DrawMenuBar(Canvas& canvas, HMENU bar, int width, int highlighted, bool open);

// A drop-down's size, and its items' rectangles relative to its top-left
// corner (separators included, so indexes are positions).
SIZE DropDownSize(HMENU popup);
std::vector<RECT> DropDownItemRects(HMENU popup);
// The item at a point of the drop-down that can be chosen, or -1 (outside,
// on a separator or on a grayed item).
int DropDownItemAt(HMENU popup, POINT point);
// The drop-down at the canvas's (0, 0), with `selected` (-1 for none)
// highlighted: frame, texts with mnemonics, key texts after the tab
// right-aligned, separators, and the check or radio mark.
void DrawDropDown(Canvas& canvas, HMENU popup, int selected);

}  // namespace desktop
