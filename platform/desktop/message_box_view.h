// How a message box looks: its lines of text where the window system put
// them, the icon of its type, and its button.
#pragma once

#include "platform/desktop/canvas.h"

namespace desktop {

// The box's client area at the canvas's (0, 0).
void DrawMessageBox(Canvas& canvas, const portable::MessageBoxView& box);

}  // namespace desktop
