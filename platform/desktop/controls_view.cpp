// The system controls as they look: labels, edit fields and push buttons,
// each kept within its own rectangle.
#include "platform/desktop/controls_view.h"

#include <string>
#include <vector>

#include "platform/desktop/text.h"

namespace desktop {

namespace {
constexpr int edgeWidth = 2;
constexpr int editTextLeft = 3;  // from the field's left side
constexpr int focusInset = 4;

RECT Inset(const RECT& rect, int by)
{
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

void DrawOutline(Canvas& canvas, const RECT& rect, portable::Rgb colour)
{
    FillArea(canvas, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
    FillArea(canvas, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    FillArea(canvas, {rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    FillArea(canvas, {rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

// A disabled control's text is etched: a highlight copy under the gray one.
void DrawLabelText(Canvas& canvas, int x, int y, const std::string& text, bool enabled)
{
    if (enabled) {
        DrawText(canvas, x, y, text, textColour);
        return;
    }
    DrawText(canvas, x + 1, y + 1, text, highlightColour);
    DrawText(canvas, x, y, text, grayTextColour);
}

// The client-side edge of the extended styles; returns the rectangle
// inside it.
RECT DrawExtendedEdge(Canvas& canvas, const RECT& rect, DWORD exStyle)
{
    if (exStyle & WS_EX_DLGMODALFRAME) {
        DrawRaisedEdge(canvas, rect);
        return Inset(rect, edgeWidth);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        DrawSunkenEdge(canvas, rect);
        return Inset(rect, edgeWidth);
    }
    return rect;
}

// Labels: the text from the top, placed as the alignment style says.
void DrawStatic(Canvas& canvas, const portable::ControlView& control)
{
    const DWORD type = control.style & SS_TYPEMASK;
    FillArea(canvas, control.rect, faceColour);
    const RECT inner = DrawExtendedEdge(canvas, control.rect, control.exStyle);
    if (control.text.empty())
        return;
    const int width = TextWidth(control.text);
    int x = inner.left;
    if (type == SS_CENTER)
        x = inner.left + (inner.right - inner.left - width) / 2;
    else if (type == SS_RIGHT)
        x = inner.right - width;
    DrawLabelText(canvas, x, inner.top, control.text, control.enabled);
}

// Edit fields: white, the text vertically centred, and while focused a
// caret after the text; a text too long for the field scrolls so that the
// caret stays in view.
void DrawEdit(Canvas& canvas, const portable::ControlView& control)
{
    const RECT& rect = control.rect;
    FillArea(canvas, rect, windowColour);
    const RECT inner = DrawExtendedEdge(canvas, rect, control.exStyle);
    const std::string text = WithoutMnemonics(control.text);
    const bool focused = control.focused;
    int x = rect.left + editTextLeft;
    const int y = inner.top + (inner.bottom - inner.top - textLineHeight) / 2;
    const int caretX = x + TextWidth(text);
    const int overflow = caretX + 1 - (inner.right - 1);
    if (focused && overflow > 0)
        x -= overflow;
    const SDL_Rect previous = ClipToArea(canvas, inner);
    DrawText(canvas, x, y, text, control.enabled ? textColour : grayTextColour);
    if (focused) {
        const int caret = x + TextWidth(text);
        FillArea(canvas, {caret, y, caret + 1, y + textLineHeight}, textColour);
    }
    RestoreClip(canvas, previous);
}
}  // namespace

void DrawPushButton(Canvas& canvas, const RECT& rect, const std::string& text, bool focused, bool pressed, bool enabled)
{
    FillArea(canvas, rect, faceColour);
    RECT body = rect;
    if (focused) {
        DrawOutline(canvas, rect, textColour);
        body = Inset(rect, 1);
    }
    if (pressed)
        DrawOutline(canvas, body, shadowColour);
    else
        DrawRaisedEdge(canvas, body);
    const int shift = pressed ? 1 : 0;
    const int x = rect.left + (rect.right - rect.left - TextWidth(text)) / 2 + shift;
    const int y = rect.top + (rect.bottom - rect.top - textLineHeight) / 2 + shift;
    const SDL_Rect previous = ClipToArea(canvas, Inset(body, edgeWidth));
    DrawLabelText(canvas, x, y, text, enabled);
    RestoreClip(canvas, previous);
    if (focused)
        DrawFocusRectangle(canvas, Inset(rect, focusInset));
}

void DrawControls(Canvas& canvas, const std::vector<portable::ControlView>& controls)
{
    for (const portable::ControlView& control : controls) {
        // A control draws only within itself, as a child window does.
        const SDL_Rect previous = ClipToArea(canvas, control.rect);
        switch (control.kind) {
        case portable::ControlKind::Panel:
        case portable::ControlKind::Label:
            DrawStatic(canvas, control);
            break;
        case portable::ControlKind::Field:
            DrawEdit(canvas, control);
            break;
        case portable::ControlKind::Button:
            DrawPushButton(canvas, control.rect, control.text, control.focused, control.pressed, control.enabled);
            break;
        case portable::ControlKind::Picture:
            break;
        }
        RestoreClip(canvas, previous);
    }
}

}  // namespace desktop
