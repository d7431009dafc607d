// Sizing and centring the main window for a board, and building what a
// board of that size needs: the square store, the face and the timer.
#pragma once

#include "platform/win32.h"
#include "view/cell_view.h"

// The main window's style: a title bar with a close box, no sizing border.
constexpr DWORD mainWindowStyle = WS_VISIBLE | WS_BORDER | WS_SYSMENU;

// Makes the client area exactly ClientWidthFor(width) by ClientHeightFor(height),
// centred on the screen, shows the window, makes a new store (returned,
// nullptr when that failed), a "smile" face and the timer.
CellViewStore LayoutMainWindow(int32_t width, int32_t height);
