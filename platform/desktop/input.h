// What the display's keys and mouse buttons are to the program: the
// virtual keys and buttons of the window system.
#pragma once

#include <SDL.h>

#include "platform/portable/testing.h"

namespace desktop {

// The virtual key of a key of the keyboard, 0 for keys the program and the
// system controls have no use for. Letters give 'A' to 'Z' and digits,
// the keypad's included, '0' to '9'.
int VirtualKeyOf(SDL_Keycode key);

// The window system's button of a mouse button; false for the middle one
// and any other, which the program never sees.
bool MouseButtonOf(Uint8 button, portable::MouseButton* result);

}  // namespace desktop
