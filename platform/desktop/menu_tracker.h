// The menu bar in use from the keyboard and the mouse: which title is
// selected, whether its drop-down is open, which item is selected, and
// what a key does to that. The menu is read through the menu calls.
#pragma once

#include "platform/win32.h"

namespace desktop {

struct MenuTracking {
    bool active = false;  // the menu bar is in use: a modal loop runs
    int title = -1;       // the selected title's position, -1 for none
    bool open = false;    // its drop-down is open
    int item = -1;        // the selected item's position in it, -1 for none
};

enum class MenuAction { None, Close, Choose };
struct MenuResult {
    MenuAction action = MenuAction::None;
    UINT command = 0;  // for Choose: the item's command id
};

// The mnemonic of a menu text: the upper-case letter or digit after its
// '&' ("&Game" gives 'G'), or 0.
int MnemonicOf(const char* text);

// Alt (or F10) pressed and released on its own: the first title selected,
// no drop-down open.
void StartFromKeyboard(MenuTracking& tracking);
// Alt with a letter: the title with that mnemonic opened, its first item
// selected; false (and nothing changes) when no title has it.
bool OpenByMnemonic(MenuTracking& tracking, HMENU bar, int letter);
// A title opened by the mouse: no item selected.
void OpenTitle(MenuTracking& tracking, int title);

// A key while the menu is in use: arrows move between titles (the open
// drop-down follows) and between items (skipping separators and grayed
// items, wrapping round); Enter opens or chooses; Escape closes the
// drop-down, then the bar; Alt and F10 close; a letter chooses the item
// with that mnemonic (or, without any, that first letter) or, with the
// drop-down closed, opens the title with that mnemonic.
MenuResult MenuKey(MenuTracking& tracking, HMENU bar, int virtualKey);

}  // namespace desktop
