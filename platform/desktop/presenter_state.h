// The presenter's own state and the calls its source files share: the
// windows shown, the menu and the message boxes in use, the trace. Nothing
// outside platform/desktop includes this header.
#pragma once

#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/desktop/canvas.h"
#include "platform/desktop/menu_tracker.h"
#include "platform/desktop/message_box_view.h"
#include "platform/portable/testing.h"

namespace desktop {

// A top-level window of the program and the display's window showing it.
struct Shown {
    HWND window = nullptr;
    SDL_Window* display = nullptr;
    bool hasMenu = false;
    POINT origin = {0, 0};  // the client area's position in the window system when last placed
    std::string title;
};

// A message box on the display; boxes nest when a window that still works
// under one (the custom-game window) shows another.
struct Box {
    SDL_Window* display = nullptr;
    MessageBoxLayout layout;
    UINT type = 0;
    bool okPressed = false;
    bool done = false;
};

struct Presenter {
    int zoom = 1;
    SDL_Rect screen = {0, 0, 0, 0};
    std::vector<Shown> shown;
    std::vector<Box*> boxes;
    MenuTracking menu;
    HWND menuOwner = nullptr;
    SDL_Window* dropDown = nullptr;
    int dropDownTitle = -1;
    bool altAlone = false;  // Alt is down and no other key came since
    Uint32 lastFrame = 0;
    uint64_t frames = 0;
    SDL_Surface* icon = nullptr;
    FILE* trace = nullptr;
    bool tracedWait = false;  // the trace's last line says the program waits
    std::string snapshotPath;
};

extern Presenter presenter;

// A line of the trace: the display's milliseconds, what happened and a
// detail (a title, a number).
void Trace(const char* what, const std::string& detail = "");

Shown* ShownOfEvent(Uint32 windowId);
Shown* ShownOfWindow(HWND window);
// The window with the menu bar: the program's main window.
Shown* MainShown();
// Program pixels between the top of a display window and its client area.
int TopOffset(const Shown& entry);
// A canvas over a display window's surface at the zoom; false when the
// window has no surface to draw on.
bool WindowCanvas(SDL_Window* display, Canvas* canvas);
// Shows every window as it now is; see presenter.cpp.
void Present(bool always, bool waiting);
// The display's position of a point of a window of the display.
SDL_Point OnDisplay(Uint32 windowId, int x, int y);
// A display point relative to a window of the display, in the program's
// pixels; false when it is outside that window.
bool PointIn(SDL_Window* display, SDL_Point point, POINT* result);
// Gives one event of the display to the window system; returns whether it
// may have queued a message.
bool HandleEvent(const SDL_Event& event);

// The menu's modal loop (menu_loop.cpp) and its drop-down.
bool TrackMenu(HWND owner);
void DrawDropDown();
void CloseDropDown();

// The message box's modal loop (message_box_loop.cpp), the window
// system's message-box handler.
int ShowMessageBox(const portable::MessageBoxCall& call);
void DrawBox(Box& box);

}  // namespace desktop
