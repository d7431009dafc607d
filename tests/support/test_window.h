// A stand-in for the program's main window, for tests of the view: a
// top-level window of the main window's style, with the program's menu bar
// and the light-grey background, stored in mainWindow.
#pragma once

#include <string>
#include <vector>

#include "platform/app_handles.h"
#include "platform/portable/testing.h"
#include "view/layout.h"

inline LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

inline HWND CreateTestMainWindow()
{
    appInstance = reinterpret_cast<HINSTANCE>(0x400000);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = appInstance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = "testmain";
    RegisterClassExA(&windowClass);
    mainWindow = CreateWindowExA(0, "testmain", "Blastgrid", mainWindowStyle, 0, 0, 0, 0, nullptr,
                                 LoadMenuA(appInstance, "menu"), appInstance, nullptr);
    return mainWindow;
}

// Every picture of the main window whose top-left corner is at (x, y).
inline std::vector<HWND> PicturesAt(int x, int y)
{
    std::vector<HWND> found;
    for (HWND child : portable::ChildWindows(mainWindow)) {
        RECT rect;
        GetWindowRect(child, &rect);
        POINT corner = {rect.left, rect.top};
        ScreenToClient(mainWindow, &corner);
        if (corner.x == x && corner.y == y)
            found.push_back(child);
    }
    return found;
}

inline std::string WindowText(HWND window)
{
    char text[64];
    GetWindowTextA(window, text, sizeof text);
    return text;
}
