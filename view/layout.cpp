#include "view/layout.h"

#include "platform/app_handles.h"
#include "view/counters.h"
#include "view/face.h"
#include "view/geometry.h"
#include "view/picture.h"

namespace {
void MoveMainWindow(const RECT& rect)
{
    MoveWindow(mainWindow, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}
}  // namespace

CellViewStore LayoutMainWindow(int32_t width, int32_t height)
{
    const LONG clientWidth = ClientWidthFor(width);
    const LONG clientHeight = ClientHeightFor(height);
    const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const LONG screenHeight = GetSystemMetrics(SM_CYSCREEN);

    RECT rect;
    SetRect(&rect, (screenWidth - clientWidth) / 2, (screenHeight - clientHeight) / 2,
            (screenWidth + clientWidth) / 2, (screenHeight + clientHeight) / 2);
    AdjustWindowRect(&rect, mainWindowStyle, TRUE);
    // A window larger than the screen keeps its top-left corner on it, so
    // that its title bar, menu and face can still be reached.
    if (rect.left < 0)
        OffsetRect(&rect, -rect.left, 0);
    if (rect.top < 0)
        OffsetRect(&rect, 0, -rect.top);
    MoveMainWindow(rect);

    // The frame estimate may be off: measure the client area and correct it.
    RECT client;
    GetClientRect(mainWindow, &client);
    rect.right += clientWidth - (client.right - client.left);
    rect.bottom += clientHeight - (client.bottom - client.top);
    MoveMainWindow(rect);
    ShowWindow(mainWindow, SW_SHOW);

    CellViewStore store = CreateCellViews(width, height);

    if (IsWindow(faceWindow))
        DestroyPicture(faceWindow);
    GetClientRect(mainWindow, &client);
    faceWindow = CreatePicture("smile", FaceLeft(client.right - client.left), faceTop, 0, 0);

    DrawTimer();
    return store;
}
