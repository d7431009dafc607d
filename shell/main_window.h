// The main window's procedure: the mouse on the board and the face, the
// keys F2, F3 and H, the menu commands, and the painting of the frame.
#pragma once

#include "model/cell.h"
#include "platform/win32.h"

// A button went down in the main window and has not come up there.
extern Truth leftDown;
extern Truth rightDown;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Paints the frame of a main window whose client area is w by h onto any
// device context: eleven fills with the stock brushes, for the live board's
// size. The squares, the face and the digits are windows of their own.
void PaintFrame(HDC dc, LONG w, LONG h);
