#include "platform/desktop/menu_tracker.h"

#include <cctype>
#include <string>

namespace desktop {

namespace {
std::string ItemText(HMENU menu, int position)
{
    char text[128] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

bool Selectable(HMENU menu, int position)
{
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && !(state & (MF_SEPARATOR | MF_GRAYED));
}

// The next selectable item from `from` in steps of `step` (+1 or -1),
// wrapping round; -1 when there is none.
int NextItem(HMENU menu, int from, int step)
{
    const int count = GetMenuItemCount(menu);
    if (count <= 0)
        return -1;
    int position = from;
    for (int tried = 0; tried < count; ++tried) {
        position = ((position + step) % count + count) % count;
        if (Selectable(menu, position))
            return position;
    }
    return -1;
}

// The letter that picks an item: its mnemonic, or else its first letter.
int PickingLetter(HMENU menu, int position)
{
    const std::string text = ItemText(menu, position);
    const int mnemonic = MnemonicOf(text.c_str());
    if (mnemonic != 0 || text.empty())
        return mnemonic;
    return std::toupper(static_cast<unsigned char>(text[0]));
}

MenuResult Choose(HMENU popup, int item)
{
    MenuResult result;
    result.action = MenuAction::Choose;
    result.command = GetMenuItemID(popup, item);
    return result;
}

void SelectTitle(MenuTracking& tracking, HMENU bar, int title)
{
    tracking.title = title;
    tracking.item = tracking.open ? NextItem(GetSubMenu(bar, title), -1, 1) : -1;
}

MenuResult Letter(MenuTracking& tracking, HMENU bar, int letter)
{
    if (!tracking.open) {
        OpenByMnemonic(tracking, bar, letter);
        return {};
    }
    const HMENU popup = GetSubMenu(bar, tracking.title);
    const int count = GetMenuItemCount(popup);
    int first = -1;
    int matches = 0;
    for (int step = 1; step <= count; ++step) {
        const int position = (tracking.item + step + count) % count;
        if (Selectable(popup, position) && PickingLetter(popup, position) == letter) {
            if (first < 0)
                first = position;
            ++matches;
        }
    }
    if (matches == 1)
        return Choose(popup, first);
    if (matches > 1)
        tracking.item = first;
    return {};
}
}  // namespace

int MnemonicOf(const char* text)
{
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
        if (*c != '&')
            continue;
        if (c[1] == '&') {
            ++c;
            continue;
        }
        return std::isalnum(static_cast<unsigned char>(c[1])) ? std::toupper(static_cast<unsigned char>(c[1])) : 0;
    }
    return 0;
}

void StartFromKeyboard(MenuTracking& tracking)
{
    tracking = MenuTracking{true, 0, false, -1};
}

bool OpenByMnemonic(MenuTracking& tracking, HMENU bar, int letter)
{
    const int count = GetMenuItemCount(bar);
    for (int title = 0; title < count; ++title) {
        if (MnemonicOf(ItemText(bar, title).c_str()) == letter) {
            tracking.active = true;
            tracking.open = true;
            SelectTitle(tracking, bar, title);
            return true;
        }
    }
    return false;
}

void OpenTitle(MenuTracking& tracking, int title)
{
    tracking = MenuTracking{true, title, true, -1};
}

MenuResult MenuKey(MenuTracking& tracking, HMENU bar, int virtualKey)
{
    const int titles = GetMenuItemCount(bar);
    if (!tracking.active || titles <= 0) {
        tracking = MenuTracking();
        return {MenuAction::Close, 0};
    }
    const HMENU popup = GetSubMenu(bar, tracking.title);
    switch (virtualKey) {
    case VK_LEFT:
    case VK_RIGHT:
        SelectTitle(tracking, bar, ((tracking.title + (virtualKey == VK_LEFT ? -1 : 1)) % titles + titles) % titles);
        return {};
    case VK_DOWN:
    case VK_UP: {
        const int step = virtualKey == VK_DOWN ? 1 : -1;
        if (!tracking.open) {
            tracking.open = true;
            tracking.item = NextItem(popup, step > 0 ? -1 : 0, step);
        } else {
            tracking.item = NextItem(popup, tracking.item < 0 ? (step > 0 ? -1 : 0) : tracking.item, step);
        }
        return {};
    }
    case VK_RETURN:
        if (!tracking.open) {
            tracking.open = true;
            tracking.item = NextItem(popup, -1, 1);
            return {};
        }
        if (tracking.item >= 0 && Selectable(popup, tracking.item))
            return Choose(popup, tracking.item);
        tracking = MenuTracking();
        return {MenuAction::Close, 0};
    case VK_ESCAPE:
        if (tracking.open) {
            tracking.open = false;
            tracking.item = -1;
            return {};
        }
        tracking = MenuTracking();
        return {MenuAction::Close, 0};
    case VK_MENU:
    case VK_F10:
        tracking = MenuTracking();
        return {MenuAction::Close, 0};
    default:
        break;
    }
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return Letter(tracking, bar, virtualKey);
    return {};
}

}  // namespace desktop
