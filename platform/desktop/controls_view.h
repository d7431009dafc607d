// How the system controls inside a window look: "Static" labels (left,
// centred or right-aligned text; a picture is drawn by the renderer),
// "Edit" fields (sunken, white, their text, and a caret at its end while
// they have the focus) and "Button" push buttons (raised, their text
// centred, a dotted focus rectangle while they have the focus).
#pragma once

#include <string>

#include "platform/desktop/canvas.h"

namespace desktop {

// Draws every visible child control of `parent` at its client position,
// over the class background, in creation order (EnumChildWindows).
void DrawControls(Canvas& canvas, HWND parent);

// A push button at `rect`: raised, or flat and its text moved while
// pressed; with the focus, a black frame as the default button and a
// dotted rectangle inside. Message boxes draw their OK button with it.
void DrawPushButton(Canvas& canvas, const RECT& rect, const std::string& text, bool focused, bool pressed,
                    bool enabled = true);

}  // namespace desktop
