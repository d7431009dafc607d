// What the browser's keys are to the program: the virtual keys of the
// window system, and which keys the page keeps from the browser.
#pragma once

#include <string>

namespace web {

// The virtual key of a browser key event, 0 for keys the program and the
// window system have no use for. `code` names the key's place on the
// keyboard (KeyboardEvent.code: "KeyG", "F2", "ArrowDown", "AltLeft"),
// `key` what it types in the player's layout (KeyboardEvent.key). A letter
// key gives the letter it types, as a virtual key follows the layout; where
// it types none (Alt held on some systems), its place decides.
int VirtualKeyOf(const std::string& code, const std::string& key);

// Whether the page keeps a key from the browser's own shortcuts (F3 is
// "find", Alt and F10 open the browser's menu, Alt with an arrow goes back
// a page, Tab and the arrows move the focus or scroll): every key the program
// may use, unless Control or Meta is held, which are the browser's. F5, F11
// and F12 (reload, full screen, the developer tools) stay the browser's.
bool KeepFromBrowser(int virtualKey, bool control, bool meta);

}  // namespace web
