// The web presenter: shows the window system's windows on the page and
// feeds it the page's input and time.
//
// The presenter is the window system's input source. While the program
// waits for input it draws what changed and yields to the browser until the
// page has an event; while the program never waits (Solve! mode) it yields
// once an animation frame, draws in that frame and lets the program run for
// most of the rest, taking whatever input came meanwhile. It is also the
// page's window manager: a press on a caption brings that window to the
// front, and its close box asks the window to close.
#pragma once

namespace web {

void StartPresenter();
// The program has ended with `exitCode`: the page says so.
void ShowEnded(int exitCode);

}  // namespace web
