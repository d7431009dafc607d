// The presenter: shows the portable window system's windows on a real
// display through SDL2 and feeds it the display's real input and time.
//
// Each visible top-level window becomes a window of the display, its
// client area drawn by the layer's renderer (the main window with its menu
// bar above), at a whole-number zoom. The presenter is the layer's input
// source: while the program waits (WaitMessage) it sleeps until the display
// has input; while the program never waits (Solve! mode) it takes what
// input there is and shows the windows at most once a display frame. Menus
// and message boxes run modal loops of their own, as the real system does.
#pragma once

#include <string>

#include "platform/win32.h"

struct SDL_Window;

namespace desktop {

struct PresenterOptions {
    int zoom = 0;               // 0: what the display asks for
    std::string tracePath;      // when set: a line for each frame, wait, menu and box
    std::string snapshotPath;   // when set: the main window's client area, as PNG, each time the program waits
};

// Opens the display and the font and installs the presenter in the window
// system. False, with a message on stderr, when either cannot be opened.
bool StartPresenter(const PresenterOptions& options);
void StopPresenter();

// The zoom in use.
int PresenterZoom();

// The input source that StartPresenter installs, for tests that wrap it.
bool TakeDisplayInput();
// Shows every window as it now is (the input source does so before it
// takes input).
void ShowWindowsNow();
// The display's window that shows a top-level window, or nullptr.
SDL_Window* DisplayWindowOf(HWND window);

}  // namespace desktop
