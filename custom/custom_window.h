// The custom-game window: rows, columns and mines for the next game.
#pragma once

#include "model/cell.h"
#include "platform/win32.h"

extern HWND customWindow;
extern Truth customWindowOpen;
extern HWND rowsEdit;
extern HWND columnsEdit;
extern HWND minesEdit;

// The control ids of the two buttons.
constexpr int customOkId = 30000;
constexpr int customCancelId = 20000;

// Opens the window with empty fields, unless it is open already.
void OpenCustomWindow();

LRESULT CALLBACK CustomWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
