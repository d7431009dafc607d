// Pictures: child windows of the system's "static" class that show the
// bitmap resource named by their window text. A picture is never changed in
// place: it is destroyed and a new one is created.
#pragma once

#include "platform/win32.h"

// Creates a visible picture of the main window at a client position. With a
// size of 0 by 0 the window takes its bitmap's size. Returns the new window,
// or nullptr when it could not be made.
HWND CreatePicture(const char* name, int x, int y, int width, int height);

// Destroys a picture window and then releases the bitmap that its static
// control loaded for it: the control does not release that bitmap itself, so
// without this every redraw would leave a GDI object behind. Nothing happens
// when `picture` names no window.
void DestroyPicture(HWND picture);

// Destroys the picture in `slot` if it names a window, then stores a new one
// showing `name` at (x, y) in its own size.
void ReplacePicture(HWND* slot, const char* name, int x, int y);
