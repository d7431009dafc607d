// The menu bar and its drop-downs as the window system lays them out: the
// titles on their lines, the open title pressed or raised, and the items
// with their mnemonic underlines, separators, key texts and check or radio
// marks.
#pragma once

#include <vector>

#include "platform/desktop/canvas.h"

namespace desktop {

// The bar at `bar` (the canvas's coordinates of the bar's rectangle; the
// titles' rectangles are relative to `barOrigin` on the screen).
void DrawMenuBar(Canvas& canvas, const RECT& bar, const std::vector<portable::MenuTitleView>& titles,
                 POINT barOrigin);

// The drop-down at the canvas's (0, 0).
void DrawDropDown(Canvas& canvas, const portable::DropDownView& dropDown);

}  // namespace desktop
