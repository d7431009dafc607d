// How the system controls inside a window look: "Static" labels (left,
// centred or right-aligned text; pictures are the renderer's), "Edit" fields
// (sunken, white, their text, and a caret at its end while they have the
// focus) and "Button" push buttons (raised, or flat while held down, their
// text centred, a dotted focus rectangle while they have the focus).
#pragma once

#include <string>
#include <vector>

#include "platform/desktop/canvas.h"

namespace desktop {

// Draws the controls at their rectangles, in order, over what is there.
void DrawControls(Canvas& canvas, const std::vector<portable::ControlView>& controls);

// A push button at `rect`: raised, or flat and its text moved while
// pressed; with the focus, a black frame as the default button and a
// dotted rectangle inside. Message boxes draw their button with it.
void DrawPushButton(Canvas& canvas, const RECT& rect, const std::string& text, bool focused, bool pressed,
                    bool enabled = true);

}  // namespace desktop
