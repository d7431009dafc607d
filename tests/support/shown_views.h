// What the window system shows for a message box and a drop-down, taken
// from its real modal loops: the box or menu is opened, its view is taken
// when the loop waits for input, and the box or menu is closed again.
#pragma once

#include <string>

#include "platform/portable/testing.h"

// MessageBoxA(owner, text, "Box", type) with the box shown (not scripted);
// the view of the box while it is up. Enter closes it.
portable::MessageBoxView ShownBox(const std::string& text, UINT type, HWND owner = nullptr);

// The drop-down that Alt with `letter` opens on `window`'s menu bar; Escape
// twice closes it.
portable::DropDownView ShownDropDown(HWND window, int letter);

// A top-level window of a class of its own with the program's menu bar.
HWND MakeMenuWindow(int x = 100, int y = 100, int width = 300, int height = 200);
