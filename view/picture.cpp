#include "view/picture.h"

#include "platform/app_handles.h"

HWND CreatePicture(const char* name, int x, int y, int width, int height)
{
    return CreateWindowExA(0, "static", name, WS_CHILD | WS_VISIBLE | SS_BITMAP, x, y, width, height, mainWindow,
                           nullptr, appInstance, nullptr);
}

void DestroyPicture(HWND picture)
{
    const HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    DestroyWindow(picture);
    if (bitmap != nullptr)
        DeleteObject(bitmap);
}

void ReplacePicture(HWND* slot, const char* name, int x, int y)
{
    if (IsWindow(*slot))
        DestroyPicture(*slot);
    *slot = CreatePicture(name, x, y, 0, 0);
}
