// The window system's side that faces a display: what a presenter gives it
// (the clock, the screen, the width of text, device input, the window
// manager's requests) and what it shows (the top-level windows, their menu
// bars and client areas, the open drop-down and the message boxes).
//
// A presenter uses this header and the Win32 calls, nothing else of the
// layer: the rules of menus, message boxes, system keys and focus are the
// window system's, and a presenter only turns device events into input and
// draws what the views below describe. Texts in the views are UTF-8, turned
// from the program's code page (Windows-1252) by the window system.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/portable/win32_api.h"

namespace portable {

// ---- What a presenter gives the window system -------------------------

// The clock: once set, GetTickCount and the time of every message come
// from `source` (milliseconds, wrapping at 2^32).
void SetTickSource(std::function<DWORD()> source);

// The screen's size in the window system's pixels.
void SetScreenSize(int width, int height);

// The width in pixels of one line of text in the font the presenter draws
// menus, message boxes and controls with (UTF-8, no '&' marks). The window
// system lays out menu bars, drop-downs and message boxes with it. Without
// one, every character is `defaultCharacterWidth` pixels wide.
constexpr int defaultCharacterWidth = 6;
void SetTextMeasure(std::function<int(const std::string& utf8)> measure);
// Lines of text (a message box's) are laid out this many pixels apart.
constexpr int textLineHeight = 13;

// Called whenever the window system finds no input. From WaitMessage and
// from the system's modal loops (an open menu, a message box),
// WaitingForInput() is true and the source may block until there is input;
// from PeekMessage it is false and the source must not block (the program
// that never waits, in Solve! mode). Returns whether it gave input. A
// source that gives none while the program waits ends the program: the
// quit message arrives, and every modal loop ends on it.
typedef std::function<bool()> InputSource;
void SetInputSource(InputSource source);
bool WaitingForInput();

// Device input, as a mouse and a keyboard deliver it. Positions are in the
// window system's screen coordinates; a pointer is moved only when it
// really moves (a window appearing under a still pointer is no movement). The window system decides which
// window gets it (capture, the window under the pointer, the focus), makes
// double clicks, system keys and characters, and feeds an open menu.
enum class MouseButton { Left, Right };
void MovePointer(POINT screen);
void PressButton(MouseButton button, POINT screen);
void ReleaseButton(MouseButton button, POINT screen);
// A key going down (`repeat` when it was down already) and coming up.
// Shift, Control and Alt (VK_SHIFT, VK_CONTROL, VK_MENU) are keys like the
// others; the window system keeps their state, so that Alt with a letter
// is a system key and Shift with a digit its shifted character.
void KeyDown(int virtualKey, bool repeat = false);
void KeyUp(int virtualKey);

// The window manager's requests: the close box of a top-level window (as
// WM_SYSCOMMAND SC_CLOSE), the player bringing one to the front, and the
// end of the session (a signal): every modal loop ends and the program's
// main loop takes WM_QUIT with `exitCode`.
void RequestClose(HWND topLevel);
void ActivateTopLevel(HWND topLevel);
void EndSession(int exitCode);

// ---- What the window system shows --------------------------------------

struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // rows top to bottom
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A visible top-level window: where it is and what it shows. All
// rectangles are in screen coordinates.
struct WindowView {
    HWND window = nullptr;
    std::string title;
    RECT frame = {0, 0, 0, 0};    // the whole window
    RECT menuBar = {0, 0, 0, 0};  // empty without a menu bar
    RECT client = {0, 0, 0, 0};
    bool active = false;      // the active window (it or a child has the keyboard focus)
    bool enabled = true;      // false while a message box of its own is up
    bool messageBox = false;  // a message box: OpenMessageBoxes() describes it
};
// Bottom to top.
std::vector<WindowView> VisibleWindows();

// The menu bar's titles, laid out on as many lines as the window's width
// needs, and which is selected while the menu is in use.
struct MenuTitleView {
    std::string text;  // '&' marks the mnemonic, "&&" is a plain '&'
    RECT rect = {0, 0, 0, 0};
    bool selected = false;  // highlighted while the menu is in use
    bool open = false;      // its drop-down is open
};
std::vector<MenuTitleView> MenuBarOf(HWND window);

// Where texts go inside the rectangles above: a title's text starts
// menuTitlePadding pixels in; an item's text starts after the mark's gutter,
// and its key text ends menuKeyMargin pixels before the item's right side.
constexpr int menuTitlePadding = 6;
constexpr int menuGutterWidth = 19;
constexpr int menuKeyMargin = 16;

// The drop-down open under a title, while the menu is in use.
struct MenuItemView {
    std::string text;     // before the tab; '&' marks the mnemonic
    std::string keyText;  // after the tab ("F2"), drawn right-aligned
    RECT rect = {0, 0, 0, 0};
    bool separator = false;
    bool grayed = false;
    bool checked = false;
    bool radio = false;  // the check is a radio mark
    bool selected = false;
};
struct DropDownView {
    HWND owner = nullptr;
    RECT rect = {0, 0, 0, 0};
    std::vector<MenuItemView> items;
};
// False when no drop-down is open.
bool OpenDropDown(DropDownView* view);

// A message box on screen: its text broken into lines, its icon and its
// one button, in the box's client coordinates.
enum class BoxIcon { None, Stop, Question, Exclamation, Information };
struct TextLine {
    std::string text;
    POINT at = {0, 0};  // the line's top-left corner
};
struct MessageBoxView {
    HWND window = nullptr;
    SIZE client = {0, 0};
    BoxIcon icon = BoxIcon::None;
    RECT iconRect = {0, 0, 0, 0};
    std::vector<TextLine> lines;
    RECT button = {0, 0, 0, 0};
    std::string buttonText;
    bool buttonPressed = false;
    bool buttonFocused = false;
};
// Innermost last.
std::vector<MessageBoxView> OpenMessageBoxes();

// The system controls inside a top-level window, in the order they were
// made, with their rectangles in its client coordinates.
enum class ControlKind { Panel, Label, Picture, Field, Button };
struct ControlView {
    HWND window = nullptr;
    ControlKind kind = ControlKind::Panel;
    RECT rect = {0, 0, 0, 0};
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    bool enabled = true;
    bool focused = false;
    bool pressed = false;  // a push button held down
};
std::vector<ControlView> ControlsOf(HWND topLevel);
// The same without the pictures, whose pixels the client area's image
// (below) already holds: the controls a presenter draws over that image,
// found without a record made for each of a board's thousands of pictures.
std::vector<ControlView> ControlsOtherThanPictures(HWND topLevel);

// The client area of a window as an image: the class background, the
// fills of the window's last paint, then every visible picture in the
// order the pictures were made. The second form renders only `area`
// (client coordinates, clipped to the client area).
Image RenderClientArea(HWND window);
Image RenderClientArea(HWND window, RECT area);

// What changed. The count grows whenever anything the views above describe
// changes; a presenter with nothing new to show draws nothing. TakeDamage
// gives the part of a window's client area that changed since it was last
// asked (false when nothing did) and forgets it.
uint64_t DisplayChangeCount();
bool TakeDamage(HWND window, RECT* area);

// The pixels of an icon resource's largest image, and which of them are
// opaque (the icon's mask); an empty image when there is none.
struct Icon {
    Image image;
    std::vector<bool> opaque;
};
Icon IconResource(const char* name);

// The pixels of a bitmap resource (names matched without regard to case);
// an empty image when there is none.
Image BitmapResource(const char* name);

bool WritePng(const Image& image, const std::string& path);

}  // namespace portable
