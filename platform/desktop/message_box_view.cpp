// Message boxes: the text broken into lines and wrapped, the icon of the
// type drawn from simple shapes, and the OK button below.
#include "platform/desktop/message_box_view.h"

#include <algorithm>
#include <cmath>

#include "platform/desktop/controls_view.h"

namespace desktop {

namespace {
constexpr int margin = 12;
constexpr int iconSize = 32;
constexpr int iconMargin = 14;
constexpr int iconTextGap = 14;
constexpr int textMargin = 16;  // left of the text when there is no icon, and right of it
constexpr int maxLineWidth = 420;
constexpr int buttonWidth = 75;
constexpr int buttonHeight = 23;
constexpr UINT iconMask = 0xF0;

// The text's width as shown: a message box has no mnemonics.
int ShownWidth(const std::string& text)
{
    return TextWidth(WithoutMnemonics(text));
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (char letter : text) {
        if (letter == '\n') {
            if (!lines.back().empty() && lines.back().back() == '\r')
                lines.back().pop_back();
            lines.emplace_back();
        } else {
            lines.back().push_back(letter);
        }
    }
    return lines;
}

// A word wider than a line is broken between letters.
void AddLongWord(const std::string& word, std::vector<std::string>& lines)
{
    std::string piece;
    for (char letter : word) {
        if (!piece.empty() && ShownWidth(piece + letter) > maxLineWidth) {
            lines.push_back(piece);
            piece.clear();
        }
        piece.push_back(letter);
    }
    lines.push_back(piece);
}

// Fills each line with as many words as fit, breaking at spaces.
void WrapLine(const std::string& line, std::vector<std::string>& lines)
{
    if (ShownWidth(line) <= maxLineWidth) {
        lines.push_back(line);
        return;
    }
    std::string current;
    size_t start = 0;
    while (start <= line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
        const std::string word = line.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const std::string joined = current.empty() ? word : current + " " + word;
        if (ShownWidth(joined) <= maxLineWidth) {
            current = joined;
            continue;
        }
        if (!current.empty())
            lines.push_back(current);
        current.clear();
        if (ShownWidth(word) <= maxLineWidth) {
            current = word;
        } else {
            AddLongWord(word, lines);
            current = lines.back();
            lines.pop_back();
        }
    }
    lines.push_back(current);
}

// Icons, in the 32 × 32 square at `box`.
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

bool HasIcon(UINT type)
{
    const UINT icon = type & iconMask;
    return icon == MB_ICONHAND || icon == MB_ICONEXCLAMATION || icon == MB_ICONINFORMATION ||
           icon == MB_ICONQUESTION;
}
}  // namespace

MessageBoxLayout LayOutMessageBox(const std::string& text, UINT type)
{
    MessageBoxLayout layout;
    for (const std::string& line : SplitLines(text))
        WrapLine(line, layout.lines);

    int textWidth = 0;
    for (const std::string& line : layout.lines)
        textWidth = std::max(textWidth, ShownWidth(line));
    const int textHeight = static_cast<int>(layout.lines.size()) * textLineHeight;

    int textLeft = textMargin;
    int textTop = margin;
    int contentBottom = textTop + textHeight;
    if (HasIcon(type)) {
        layout.icon = {iconMargin, iconMargin, iconMargin + iconSize, iconMargin + iconSize};
        textLeft = layout.icon.right + iconTextGap;
        // A short text is centred beside the icon; a long one starts level with it.
        textTop = textHeight < iconSize ? layout.icon.top + (iconSize - textHeight) / 2 : layout.icon.top;
        contentBottom = std::max<int>(layout.icon.bottom, textTop + textHeight);
    }
    for (size_t i = 0; i < layout.lines.size(); ++i)
        layout.linePositions.push_back({textLeft, textTop + static_cast<LONG>(i) * textLineHeight});

    const LONG width = std::max(textLeft + textWidth + textMargin, buttonWidth + 2 * margin);
    const LONG buttonTop = contentBottom + margin;
    layout.client = {width, buttonTop + buttonHeight + margin};
    const LONG buttonLeft = (width - buttonWidth) / 2;
    layout.okButton = {buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + buttonHeight};
    return layout;
}

void DrawMessageBox(Canvas& canvas, const MessageBoxLayout& layout, UINT type, bool okPressed)
{
    FillArea(canvas, {0, 0, layout.client.cx, layout.client.cy}, faceColour);
    switch (type & iconMask) {
    case MB_ICONHAND:
        DrawStopIcon(canvas, layout.icon);
        break;
    case MB_ICONEXCLAMATION:
        DrawExclamationIcon(canvas, layout.icon);
        break;
    case MB_ICONINFORMATION:
        DrawInformationIcon(canvas, layout.icon);
        break;
    case MB_ICONQUESTION:
        DrawQuestionIcon(canvas, layout.icon);
        break;
    default:
        break;
    }
    for (size_t i = 0; i < layout.lines.size() && i < layout.linePositions.size(); ++i)
        DrawText(canvas, layout.linePositions[i].x, layout.linePositions[i].y, WithoutMnemonics(layout.lines[i]),
                 textColour);
    DrawPushButton(canvas, layout.okButton, "OK", true, okPressed);
}

}  // namespace desktop
