#include "platform/app_handles.h"

HINSTANCE appInstance = nullptr;
HWND mainWindow = nullptr;
