// The presenter's own state and the calls its source files share: the
// display windows shown, the trace, the input routing. Nothing outside
// platform/desktop includes this header.
#pragma once

#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/portable/driver.h"

namespace desktop {

// A window of the display and the part of the window system's screen it
// shows: a top-level window's menu bar and client area, or the drop-down.
struct Shown {
    HWND window = nullptr;  // nullptr for the drop-down
    SDL_Window* display = nullptr;
    RECT area = {0, 0, 0, 0};  // in the window system's screen coordinates
    std::string title;
    bool messageBox = false;
    bool fullRedraw = true;
};

struct Presenter {
    int zoom = 1;
    SDL_Rect screen = {0, 0, 0, 0};
    std::vector<Shown> shown;
    std::vector<SDL_Window*> spare;  // hidden display windows, kept for the next top-level window
    Shown dropDown;                  // its display window is made once and kept
    bool dropDownShown = false;
    HWND focused = nullptr;  // the window whose display window was last given the keyboard
    uint64_t drawnChanges = 0;
    bool exposed = false;  // the display lost what a window showed
    uint64_t snapshotChanges = 0;
    Uint32 lastFrame = 0;
    uint64_t frames = 0;
    SDL_Surface* icon = nullptr;
    FILE* trace = nullptr;
    bool tracedWait = false;  // the trace's last line says the program waits
    std::string snapshotPath;
    // What the trace last said of the menu and the boxes.
    bool menuInUse = false;
    int dropDownTitle = -1;
    size_t boxes = 0;
    std::string titles;
};

extern Presenter presenter;

// A line of the trace: the display's milliseconds, what happened and a
// detail (a title, a number).
void Trace(const char* what, const std::string& detail = "");

// Makes the display's windows follow the window system's and draws what
// changed (everything when `everything`).
void DrawChanges(bool everything);
// Writes the main window's client area when it changed since last written.
void WriteSnapshot();

Shown* ShownOfDisplay(Uint32 windowId);
Shown* ShownOfWindow(HWND window);

// Gives one event of the display to the window system; returns whether it
// gave the window system input.
bool HandleEvent(const SDL_Event& event);

}  // namespace desktop
