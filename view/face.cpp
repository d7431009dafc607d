#include "view/face.h"

#include "platform/app_handles.h"
#include "view/geometry.h"
#include "view/picture.h"

HWND faceWindow = nullptr;

RECT FaceRectangle()
{
    RECT client;
    GetClientRect(mainWindow, &client);
    const LONG left = FaceLeft(client.right - client.left);
    RECT face;
    SetRect(&face, left, faceTop, left + faceSize, faceTop + faceSize);
    return face;
}

void ShowFace(const char* name)
{
    const RECT face = FaceRectangle();
    DestroyPicture(faceWindow);
    faceWindow = CreatePicture(name, face.left, face.top, 0, 0);
}
