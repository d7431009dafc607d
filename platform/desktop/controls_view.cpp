// The system controls as they look: labels, edit fields and push buttons,
// read through the window calls and each kept within its own rectangle.
#include "platform/desktop/controls_view.h"

#include <cctype>
#include <string>
#include <vector>

namespace desktop {

namespace {
constexpr int edgeWidth = 2;
constexpr int editTextLeft = 3;  // from the field's left side
constexpr int focusInset = 4;

BOOL CALLBACK CollectChild(HWND child, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

bool SameName(const std::string& name, const char* wanted)
{
    size_t i = 0;
    for (; i < name.size() && wanted[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != std::tolower(static_cast<unsigned char>(wanted[i])))
            return false;
    return i == name.size() && wanted[i] == '\0';
}

std::string ClassName(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// The child's rectangle in the parent's client coordinates.
RECT RectInParent(HWND parent, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    POINT topLeft = {rect.left, rect.top};
    POINT bottomRight = {rect.right, rect.bottom};
    ScreenToClient(parent, &topLeft);
    ScreenToClient(parent, &bottomRight);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

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
RECT DrawExtendedEdge(Canvas& canvas, const RECT& rect, LONG exStyle)
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
void DrawStatic(Canvas& canvas, HWND control, const RECT& rect, LONG style, LONG exStyle)
{
    const LONG type = style & SS_TYPEMASK;
    if (type == SS_BITMAP)
        return;
    FillArea(canvas, rect, faceColour);
    const RECT inner = DrawExtendedEdge(canvas, rect, exStyle);
    const std::string text = WindowText(control);
    if (text.empty())
        return;
    const int width = TextWidth(text);
    int x = inner.left;
    if (type == SS_CENTER)
        x = inner.left + (inner.right - inner.left - width) / 2;
    else if (type == SS_RIGHT)
        x = inner.right - width;
    DrawLabelText(canvas, x, inner.top, text, IsWindowEnabled(control) != FALSE);
}

// Edit fields: white, the text vertically centred, and while focused a
// caret after the text; a text too long for the field scrolls so that the
// caret stays in view.
void DrawEdit(Canvas& canvas, HWND control, const RECT& rect, LONG exStyle)
{
    FillArea(canvas, rect, windowColour);
    const RECT inner = DrawExtendedEdge(canvas, rect, exStyle);
    const std::string text = WithoutMnemonics(WindowText(control));
    const bool focused = GetFocus() == control;
    int x = rect.left + editTextLeft;
    const int y = inner.top + (inner.bottom - inner.top - textLineHeight) / 2;
    const int caretX = x + TextWidth(text);
    const int overflow = caretX + 1 - (inner.right - 1);
    if (focused && overflow > 0)
        x -= overflow;
    const SDL_Rect previous = ClipToArea(canvas, inner);
    const bool enabled = IsWindowEnabled(control) != FALSE;
    DrawText(canvas, x, y, text, enabled ? textColour : grayTextColour);
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

void DrawControls(Canvas& canvas, HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        if (!IsWindowVisible(child))
            continue;
        const std::string className = ClassName(child);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        const LONG exStyle = GetWindowLongA(child, GWL_EXSTYLE);
        const RECT rect = RectInParent(parent, child);
        // A control draws only within itself, as a child window does.
        const SDL_Rect previous = ClipToArea(canvas, rect);
        if (SameName(className, "static"))
            DrawStatic(canvas, child, rect, style, exStyle);
        else if (SameName(className, "edit"))
            DrawEdit(canvas, child, rect, exStyle);
        else if (SameName(className, "button"))
            DrawPushButton(canvas, rect, WindowText(child), GetFocus() == child, false,
                           IsWindowEnabled(child) != FALSE);
        RestoreClip(canvas, previous);
    }
}

}  // namespace desktop
