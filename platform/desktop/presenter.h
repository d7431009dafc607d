// The presenter: shows the portable window system's windows on a real
// display through SDL2 and gives it the display's real input and time.
//
// Each visible top-level window becomes a window of the display showing its
// menu bar (drawn from the window system's layout) and its client area (the
// window system's renderer, the controls and message boxes drawn from its
// views), at a whole-number zoom; an open drop-down is a window of its own.
// The presenter is the window system's input source: while the program, or
// a menu or box of the window system, waits, it sleeps until the display
// has input; while the program never waits (Solve! mode) it takes what
// input there is. It draws only what changed, at most once a display frame
// while input keeps coming.
#pragma once

#include <string>

#include "platform/win32.h"

struct SDL_Window;

namespace desktop {

struct PresenterOptions {
    int zoom = 0;              // 0: what the display asks for
    std::string tracePath;     // when set: a line for each frame, wait, menu and box
    std::string snapshotPath;  // when set: the main window's client area, as PNG, each time the program waits
};

// Opens the display and the font and installs the presenter in the window
// system. False, with a one-line message on stderr, when either cannot be
// opened.
bool StartPresenter(const PresenterOptions& options);
void StopPresenter();

// The zoom in use.
int PresenterZoom();

// The input source that StartPresenter installs, for tests that wrap it.
bool TakeDisplayInput();
// Draws every window as it now is, whether or not it changed.
void DrawEverythingNow();
// The display's window that shows a top-level window, or nullptr.
SDL_Window* DisplayWindowOf(HWND window);

}  // namespace desktop
