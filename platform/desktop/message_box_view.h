// How a message box looks: its text with the line breaks it was given (and
// long lines wrapped), the icon of its type, and one OK button.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop/canvas.h"

namespace desktop {

struct MessageBoxLayout {
    SIZE client = {0, 0};      // the box's client area
    RECT icon = {0, 0, 0, 0};  // empty when the type has no icon
    std::vector<std::string> lines;
    std::vector<POINT> linePositions;
    RECT okButton = {0, 0, 0, 0};
};

// MB_ICONHAND, MB_ICONEXCLAMATION, MB_ICONINFORMATION, MB_ICONQUESTION or none.
MessageBoxLayout LayOutMessageBox(const std::string& text, UINT type);
void DrawMessageBox(Canvas& canvas, const MessageBoxLayout& layout, UINT type, bool okPressed);

}  // namespace desktop
