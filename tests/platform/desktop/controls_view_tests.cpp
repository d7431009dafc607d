// System controls on the desktop: labels, edit fields and buttons of a
// window, drawn where the window system has them.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/desktop/controls_view.h"
#include "platform/desktop/text.h"

using portable::Rgb;

namespace {
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);
constexpr Rgb background = {0, 128, 128};
constexpr DWORD child = WS_CHILD | WS_VISIBLE;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeParent()
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PlainProc;
    windowClass.hInstance = programInstance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = "controlsparent";
    RegisterClassExA(&windowClass);
    return CreateWindowExA(0, "controlsparent", "Controls", WS_VISIBLE | WS_BORDER, 50, 60, 260, 240, nullptr,
                           nullptr, programInstance, nullptr);
}

HWND MakeControl(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style, RECT rect)
{
    return CreateWindowExA(exStyle, className, text, style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, nullptr, programInstance, nullptr);
}

// The parent's controls at `zoom`, over a background no control uses.
portable::Image DrawnControls(HWND parent, int zoom = 1)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 250 * zoom, 230 * zoom, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, background.r, background.g, background.b));
    desktop::Canvas canvas{surface, zoom, 0, 0};
    desktop::DrawControls(canvas, portable::ControlsOf(parent));
    portable::Image image = desktop::ImageOfSurface(surface);
    SDL_FreeSurface(surface);
    return image;
}

// Columns of `area` holding a black run as tall as a line of text: a caret.
std::vector<LONG> CaretColumns(const portable::Image& image, const RECT& area, int zoom = 1)
{
    std::vector<LONG> columns;
    for (LONG x = area.left; x < area.right; ++x) {
        int run = 0;
        int longest = 0;
        for (LONG y = area.top; y < area.bottom; ++y) {
            run = image.At(x, y) == desktop::textColour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest >= desktop::textLineHeight * zoom)
            columns.push_back(x);
    }
    return columns;
}

// The first and last columns of `area` where anything dark is drawn.
std::pair<LONG, LONG> InkSpan(const portable::Image& image, const RECT& area)
{
    std::pair<LONG, LONG> span = {-1, -1};
    for (LONG x = area.left; x < area.right; ++x)
        for (LONG y = area.top; y < area.bottom; ++y)
            if (image.At(x, y).r < 100 && image.At(x, y) != background) {
                if (span.first < 0)
                    span.first = x;
                span.second = x;
            }
    return span;
}
}  // namespace

TEST(ControlsViewEdit, TheCaretShowsOnlyInTheFocusedFieldRightAfterItsText)
{
    HWND parent = MakeParent();
    const RECT rows = {95, 7, 125, 37};
    const RECT mines = {95, 67, 140, 97};
    HWND rowsEdit = MakeControl(parent, WS_EX_CLIENTEDGE, "edit", "16", child | ES_NUMBER, rows);
    HWND minesEdit = MakeControl(parent, WS_EX_CLIENTEDGE, "edit", "40", child | ES_NUMBER, mines);
    for (int zoom : {1, 2}) {
        SetFocus(rowsEdit);
        portable::Image drawn = DrawnControls(parent, zoom);
        const RECT rowsScreen = {rows.left * zoom, rows.top * zoom, rows.right * zoom, rows.bottom * zoom};
        const RECT minesScreen = {mines.left * zoom, mines.top * zoom, mines.right * zoom, mines.bottom * zoom};
        const std::vector<LONG> caret = CaretColumns(drawn, rowsScreen, zoom);
        ASSERT_EQ(caret.size(), static_cast<size_t>(zoom)) << "one program pixel wide";
        EXPECT_NEAR(caret[0], (rows.left + 3 + desktop::TextWidth("16")) * zoom, zoom) << "right after the text";
        EXPECT_TRUE(CaretColumns(drawn, minesScreen, zoom).empty());

        SetFocus(minesEdit);
        drawn = DrawnControls(parent, zoom);
        EXPECT_TRUE(CaretColumns(drawn, rowsScreen, zoom).empty()) << "the caret leaves with the focus";
        EXPECT_EQ(CaretColumns(drawn, minesScreen, zoom).size(), static_cast<size_t>(zoom));
    }
    SetFocus(nullptr);
    const portable::Image unfocused = DrawnControls(parent);
    EXPECT_TRUE(CaretColumns(unfocused, rows).empty());
    EXPECT_TRUE(CaretColumns(unfocused, mines).empty());
}

TEST(ControlsViewEdit, ATextTooLongForTheFieldStaysInsideItAndKeepsTheCaretInView)
{
    HWND parent = MakeParent();
    const RECT field = {20, 20, 60, 50};
    HWND edit = MakeControl(parent, WS_EX_CLIENTEDGE, "edit", "123456789012345", child, field);
    SetFocus(edit);
    const portable::Image drawn = DrawnControls(parent);
    const std::vector<LONG> caret = CaretColumns(drawn, field);
    ASSERT_EQ(caret.size(), 1u);
    EXPECT_LT(caret[0], field.right - 2) << "inside the sunken edge";
    for (LONG y = field.top; y < field.bottom; ++y)
        EXPECT_EQ(drawn.At(field.right, y), background) << "nothing spills out at " << y;
    EXPECT_EQ(drawn.At(field.left, field.top), desktop::shadowColour) << "sunken";
    EXPECT_EQ(drawn.At(field.right - 1, field.bottom - 1), desktop::highlightColour);
}

TEST(ControlsViewStatic, LabelsFollowTheirAlignmentAndPicturesAreLeftToTheRenderer)
{
    HWND parent = MakeParent();
    const RECT left = {10, 10, 110, 30};
    const RECT centre = {10, 40, 110, 60};
    const RECT right = {10, 70, 110, 90};
    MakeControl(parent, 0, "static", "Mines:", child | SS_LEFT, left);
    MakeControl(parent, 0, "STATIC", "Mines:", child | SS_CENTER, centre);
    MakeControl(parent, 0, "Static", "Mines:", child | SS_RIGHT, right);
    HWND picture = CreateWindowExA(0, "static", "S1", child | SS_BITMAP, 150, 10, 0, 0, parent, nullptr,
                                   programInstance, nullptr);
    HWND hidden = MakeControl(parent, 0, "static", "Hidden", WS_CHILD | SS_LEFT, {150, 100, 240, 120});
    ASSERT_NE(picture, nullptr);
    ASSERT_NE(hidden, nullptr);
    const portable::Image drawn = DrawnControls(parent);
    const int width = desktop::TextWidth("Mines:");
    const std::pair<LONG, LONG> leftInk = InkSpan(drawn, left);
    const std::pair<LONG, LONG> centreInk = InkSpan(drawn, centre);
    const std::pair<LONG, LONG> rightInk = InkSpan(drawn, right);
    EXPECT_NEAR(leftInk.first, left.left, 2);
    EXPECT_NEAR(centreInk.first - leftInk.first, (100 - width) / 2, 1);
    EXPECT_NEAR(rightInk.first - leftInk.first, 100 - width, 1);
    EXPECT_EQ(rightInk.second - rightInk.first, leftInk.second - leftInk.first);
    EXPECT_EQ(drawn.At(left.right - 1, left.bottom - 1), desktop::faceColour) << "labels fill their rectangle";
    EXPECT_EQ(drawn.At(155, 15), background) << "a picture is not a label";
    EXPECT_EQ(InkSpan(drawn, {150, 100, 240, 120}).first, -1) << "hidden controls are not drawn";
}

