// What the presenter asks of X directly, apart from the rest: Xlib's
// headers define names that clash with the window system's.
#pragma once

struct SDL_Window;

namespace desktop {

// The dots per inch that an X desktop sets for its screen (the Xft.dpi
// resource); 0 when the display is not X or sets none.
float XftDpi();

// Maps a window made hidden without giving it the keyboard: SDL gives
// every window it shows the X focus when no window manager runs, and the
// focus moving makes it report keys released and pressed again. A drop-down
// is shown this way. False when the window is not an X window (SDL then
// shows it).
bool ShowWithoutFocus(SDL_Window* window);
// Raises a window above the others, leaving the keyboard where it is.
void RaiseWithoutFocus(SDL_Window* window);
// Unmaps a window shown with ShowWithoutFocus.
void HideWithoutFocus(SDL_Window* window);

// SDL wakes a thread blocked waiting for events by sending an event to its
// newest window over a second connection to X, also when the waiting thread
// is the one that queued the event. Nothing orders that connection against
// the first, so a window destroyed just after such a wake-up can be gone by
// the time X reads it: BadWindow on X_SendEvent, which Xlib's default
// handler answers by ending the process. The presenter therefore destroys
// no window while it runs (it hides and reuses them); at exit, when SDL
// destroys them all, this handler lets exactly that error pass and gives
// every other error to the handler it replaces. Install it before SDL
// starts, so that SDL restores it when it quits.
void IgnoreLostWakeUps();

}  // namespace desktop
