// What the page shows, described for its script: every visible window with
// its frame, caption, menu bar and client area, the controls of a dialog,
// the open drop-down, the message boxes and the feedback under a finger,
// all placed in CSS pixels of the page through the page map. The script
// only turns the description into elements; the client areas' pixels go to
// their canvases apart.
#pragma once

#include <string>
#include <vector>

#include "platform/web/pointer.h"
#include "platform/web/window_system.h"
#include "platform/web/zoom.h"

namespace web {

// The size of the text of menus, boxes and controls, in program pixels: a
// line of it is the window system's line height.
constexpr int textPixels = 11;

struct Scene {
    std::vector<driver::WindowView> windows;  // bottom to top
    std::vector<std::vector<driver::MenuTitleView>> menuBars;  // one for each window, empty without a bar
    std::vector<std::vector<driver::ControlView>> controls;    // one for each window
    bool dropDownOpen = false;
    driver::DropDownView dropDown;
    std::vector<driver::MessageBoxView> boxes;
    TouchFeedback touch;
    bool ended = false;  // the program has ended ...
    int exitCode = 0;    // ... with this code
};

// The caption of a top-level window: from inside its border down to its
// menu bar or client area (empty where it has none), and the close box at
// the caption's right end, both in screen coordinates.
RECT CaptionOf(const driver::WindowView& view);
RECT CloseBoxOf(const RECT& caption);

// The scene as JSON (texts UTF-8, escaped; rectangles [left, top, width,
// height] in CSS pixels of the page), with the lengths by which the window
// system lays out texts: the size and line height of text, where a menu
// title's text starts, the drop-down's gutter for marks and the margin
// after key texts.
std::string SceneJson(const Scene& scene, const PageMap& map);

// Text as a JSON string, quotes included.
std::string JsonString(const std::string& text);

}  // namespace web
