// The main window's procedure: the mouse on the board and the face, the
// keys F2, F3 and H, the menu commands, and the painting of the frame.
#pragma once

#include "model/cell.h"
#include "platform/win32.h"

// A button went down in the main window and has not come up there.
extern Truth leftDown;
extern Truth rightDown;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
