// What the display's keys and mouse buttons are to the window system: its
// virtual keys and buttons.
#pragma once

#include <SDL.h>

#include "platform/portable/driver.h"

namespace desktop {

// The virtual key of a key of the keyboard, 0 for keys the program and the
// system have no use for. Letters give 'A' to 'Z'; digits, the keypad's
// included, '0' to '9'; F1 to F12 VK_F1 on; both Shift, Control and Alt
// keys VK_SHIFT, VK_CONTROL and VK_MENU.
int VirtualKeyOf(SDL_Keycode key);

// The window system's button of a mouse button; false for the middle one
// and any other, which the program never sees.
bool MouseButtonOf(Uint8 button, portable::MouseButton* result);

}  // namespace desktop
