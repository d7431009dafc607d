#include "view/face.h"

#include "platform/app_handles.h"
#include "view/picture.h"

HWND faceWindow = nullptr;

RECT FaceRectangle()
{
    RECT client;
    GetClientRect(mainWindow, &client);
    const LONG centre = (client.right - client.left) / 2;
    RECT face;
    SetRect(&face, centre - 13, 11, centre + 13, 37);
    return face;
}

void ShowFace(const char* name)
{
    const RECT face = FaceRectangle();
    DestroyPicture(faceWindow);
    faceWindow = CreatePicture(name, face.left, face.top, 0, 0);
}
