// The face button above the field: a picture whose window text tells which
// face is up ("smile", "psmile", "dsmile", "csmile").
#pragma once

#include "platform/win32.h"

extern HWND faceWindow;

// The face's place: faceSize square at (FaceLeft(client width), faceTop);
// left and top edges inside, right and bottom outside.
RECT FaceRectangle();

// Replaces the face with `name` at the face rectangle's top-left corner.
void ShowFace(const char* name);
