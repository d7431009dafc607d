// The program's module instance and its main window. Start-up sets them;
// every subsystem uses the main window as the owner of its message boxes and
// the parent of its picture windows, so they live below all of them.
#pragma once

#include "platform/win32.h"

extern HINSTANCE appInstance;
extern HWND mainWindow;
