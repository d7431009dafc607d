// Message boxes as the window system lays them out: the face, the icon of
// the box's type drawn from simple shapes, the lines of text and the button.
#include "platform/desktop/message_box_view.h"

#include <cmath>

#include "platform/desktop/controls_view.h"
#include "platform/desktop/text.h"

namespace desktop {

namespace {
void DrawStopIcon(Canvas& canvas, const RECT& box)
{
    FillEllipse(canvas, box, {128, 0, 0});
    FillEllipse(canvas, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, {255, 0, 0});
    const double left = box.left + 10.5;
    const double right = box.left + 21.5;
    const double top = box.top + 10.5;
    const double bottom = box.top + 21.5;
    DrawThickLine(canvas, left, top, right, bottom, 3.5, {255, 255, 255});
    DrawThickLine(canvas, right, top, left, bottom, 3.5, {255, 255, 255});
}

void DrawExclamationIcon(Canvas& canvas, const RECT& box)
{
    const LONG x = box.left;
    const LONG y = box.top;
    FillTriangle(canvas, {x + 16, y + 1}, {x + 1, y + 30}, {x + 31, y + 30}, {0, 0, 0});
    FillTriangle(canvas, {x + 16, y + 4}, {x + 3, y + 29}, {x + 29, y + 29}, {255, 255, 0});
    DrawThickLine(canvas, x + 16, y + 12, x + 16, y + 21, 3.5, {0, 0, 0});
    FillEllipse(canvas, {x + 14, y + 23, x + 18, y + 27}, {0, 0, 0});
}

void DrawRoundBlueIcon(Canvas& canvas, const RECT& box)
{
    FillEllipse(canvas, box, {0, 0, 128});
    FillEllipse(canvas, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, {0, 0, 255});
}

void DrawInformationIcon(Canvas& canvas, const RECT& box)
{
    DrawRoundBlueIcon(canvas, box);
    const LONG x = box.left;
    const LONG y = box.top;
    FillEllipse(canvas, {x + 14, y + 6, x + 18, y + 10}, {255, 255, 255});
    FillArea(canvas, {x + 14, y + 13, x + 18, y + 25}, {255, 255, 255});
    FillArea(canvas, {x + 12, y + 13, x + 14, y + 15}, {255, 255, 255});
    FillArea(canvas, {x + 12, y + 24, x + 20, y + 26}, {255, 255, 255});
}

// The question mark: a hook around (16, 12) turning down into a short stem,
// and a dot.
void DrawQuestionIcon(Canvas& canvas, const RECT& box)
{
    DrawRoundBlueIcon(canvas, box);
    const double centreX = box.left + 16;
    const double centreY = box.top + 12;
    const double radius = 5;
    const double pi = 3.14159265358979;
    double lastX = centreX + radius * std::cos(pi * 160 / 180);
    double lastY = centreY + radius * std::sin(pi * 160 / 180);
    for (int degrees = 175; degrees <= 420; degrees += 15) {
        const double x = centreX + radius * std::cos(pi * degrees / 180);
        const double y = centreY + radius * std::sin(pi * degrees / 180);
        DrawThickLine(canvas, lastX, lastY, x, y, 3.5, {255, 255, 255});
        lastX = x;
        lastY = y;
    }
    DrawThickLine(canvas, lastX, lastY, centreX, centreY + 8, 3.5, {255, 255, 255});
    DrawThickLine(canvas, centreX, centreY + 8, centreX, centreY + 9.5, 3.5, {255, 255, 255});
    FillEllipse(canvas, {box.left + 14, box.top + 23, box.left + 18, box.top + 27}, {255, 255, 255});
}

}  // namespace

void DrawMessageBox(Canvas& canvas, const portable::MessageBoxView& box)
{
    FillArea(canvas, {0, 0, box.client.cx, box.client.cy}, faceColour);
    switch (box.icon) {
    case portable::BoxIcon::Stop:
        DrawStopIcon(canvas, box.iconRect);
        break;
    case portable::BoxIcon::Exclamation:
        DrawExclamationIcon(canvas, box.iconRect);
        break;
    case portable::BoxIcon::Information:
        DrawInformationIcon(canvas, box.iconRect);
        break;
    case portable::BoxIcon::Question:
        DrawQuestionIcon(canvas, box.iconRect);
        break;
    default:
        break;
    }
    for (const portable::TextLine& line : box.lines)
        DrawText(canvas, line.at.x, line.at.y, WithoutMnemonics(line.text), textColour);
    DrawPushButton(canvas, box.button, box.buttonText, box.buttonFocused, box.buttonPressed);
}

}  // namespace desktop
