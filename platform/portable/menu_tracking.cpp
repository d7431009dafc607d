// The menu bar in use: the modal loop the system runs from DefWindowProc
// when Alt, F10 or Alt with a mnemonic is pressed, or the mouse is pressed
// on the bar. It takes every key and mouse message itself (the mouse is
// captured by the menu's window); the owner is told what happens with
// WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT,
// WM_UNINITMENUPOPUP and WM_EXITMENULOOP, and a chosen item is posted to it
// as WM_COMMAND. The program's own loop does not turn meanwhile.
#include <cctype>

#include "platform/portable/window_system.h"

namespace portable {

namespace {
constexpr int none = -1;
// What choosing the selected item did: a command's id, or these.
constexpr int nothingChosen = -1;
constexpr int popupOpened = -2;

MenuTracking& Tracking()
{
    return TheSystem().menuTracking;
}

HMENU Popup()
{
    const MenuTracking& t = Tracking();
    return t.title >= 0 ? GetSubMenu(t.bar, t.title) : nullptr;
}

const MenuItem* ItemAt(HMENU menu, int position)
{
    const Menu* record = MenuRecord(menu);
    if (record == nullptr || position < 0 || position >= static_cast<int>(record->items.size()))
        return nullptr;
    return &record->items[position];
}

int ItemCount(HMENU menu)
{
    const Menu* record = MenuRecord(menu);
    return record == nullptr ? 0 : static_cast<int>(record->items.size());
}

void Changed()
{
    NoteChange();
}

// WM_MENUSELECT names a drop-down's title by its position and an item by
// its id, with the item's flags and the menu it is in.
void SendSelect(HMENU menu, int position)
{
    const MenuItem* item = ItemAt(menu, position);
    if (item == nullptr)
        return;
    const UINT flags = item->flags | MF_HILITE;
    const WORD which = static_cast<WORD>((item->flags & MF_POPUP) ? position : item->id);
    SendMessageA(Tracking().owner, WM_MENUSELECT, MAKEWPARAM(which, flags), reinterpret_cast<LPARAM>(menu));
}

void SelectTitle(int title, bool notify)
{
    MenuTracking& t = Tracking();
    if (t.title == title)
        return;
    t.title = title;
    Changed();
    if (title != none && notify)
        SendSelect(t.bar, title);
}

void SelectItem(int item, bool notify)
{
    MenuTracking& t = Tracking();
    if (t.item == item)
        return;
    t.item = item;
    Changed();
    if (notify) {
        if (item != none)
            SendSelect(Popup(), item);
        else if (t.title != none)
            SendSelect(t.bar, t.title);
    }
}

// The drop-down of the selected title, shown after the owner is told;
// nothing for a title that has none or is grayed.
void ShowPopup(bool selectFirst);

void HidePopup()
{
    MenuTracking& t = Tracking();
    if (!t.open)
        return;
    const HMENU popup = Popup();
    t.item = none;
    t.open = false;
    Changed();
    SendMessageA(t.owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
}

// The next item that is not a separator, `step` away in either direction;
// past the end it starts again from the other end.
void MoveSelection(bool inPopup, int step)
{
    const MenuTracking& t = Tracking();
    const HMENU menu = inPopup ? Popup() : t.bar;
    const int count = ItemCount(menu);
    const int current = inPopup ? t.item : t.title;
    const auto select = [inPopup](int position) {
        if (inPopup)
            SelectItem(position, true);
        else
            SelectTitle(position, true);
    };
    if (current != none) {
        if (count == 1)
            return;
        for (int i = current + step; i >= 0 && i < count; i += step) {
            if (!(ItemAt(menu, i)->flags & MF_SEPARATOR)) {
                select(i);
                return;
            }
        }
    }
    for (int i = step > 0 ? 0 : count - 1; i >= 0 && i < count; i += step) {
        if (!(ItemAt(menu, i)->flags & MF_SEPARATOR)) {
            select(i);
            return;
        }
    }
}

void ShowPopup(bool selectFirst)
{
    MenuTracking& t = Tracking();
    const MenuItem* title = ItemAt(t.bar, t.title);
    if (title == nullptr || !(title->flags & MF_POPUP) || (title->flags & MF_GRAYED))
        return;
    SendMessageA(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(title->popup), MAKELPARAM(t.title, 0));
    t.open = true;
    t.item = none;
    Changed();
    if (selectFirst)
        MoveSelection(true, 1);
}

// Choosing the selected item: a title opens its drop-down; an item that is
// neither grayed nor a separator is posted to the owner as WM_COMMAND.
int ChooseSelected()
{
    MenuTracking& t = Tracking();
    if (!t.open) {
        if (t.title == none)
            return nothingChosen;
        ShowPopup(true);
        return popupOpened;
    }
    const MenuItem* item = ItemAt(Popup(), t.item);
    if (item == nullptr || (item->flags & (MF_GRAYED | MF_SEPARATOR)))
        return nothingChosen;
    PostMessageA(t.owner, WM_COMMAND, item->id, 0);
    return static_cast<int>(item->id);
}

// The item whose mnemonic ('&' and the letter) is `key`, in the bar or in
// the open drop-down; otherwise the owner is asked (WM_MENUCHAR). -2 closes
// the menu.
int FindItemByKey(int key)
{
    MenuTracking& t = Tracking();
    const HMENU menu = t.open ? Popup() : t.bar;
    const Menu* record = MenuRecord(menu);
    if (record == nullptr)
        return none;
    for (size_t i = 0; i < record->items.size(); ++i) {
        const std::string& text = record->items[i].text;
        size_t at = text.find('&');
        while (at != std::string::npos && at + 1 < text.size() && text[at + 1] == '&')
            at = text.find('&', at + 2);
        if (at != std::string::npos && at + 1 < text.size() &&
            std::tolower(static_cast<unsigned char>(text[at + 1])) == std::tolower(key))
            return static_cast<int>(i);
    }
    const LRESULT answer = SendMessageA(t.owner, WM_MENUCHAR, MAKEWPARAM(key, t.open ? MF_POPUP : 0),
                                        reinterpret_cast<LPARAM>(menu));
    if (HIWORD(answer) == MNC_EXECUTE)
        return LOWORD(answer);
    if (HIWORD(answer) == MNC_CLOSE)
        return -2;
    return none;
}

void OnKey(const MSG& message)
{
    MenuTracking& t = Tracking();
    switch (message.wParam) {
    case VK_MENU:
    case VK_F10:
        t.end = true;
        return;
    case VK_UP:
    case VK_DOWN:
        if (!t.open)
            ShowPopup(true);
        else
            MoveSelection(true, message.wParam == VK_UP ? -1 : 1);
        return;
    case VK_LEFT:
    case VK_RIGHT: {
        // Between titles, the drop-down following when one was open. (The
        // real system passes through the window's system menu at either
        // end; this window system has none, and goes round.)
        const bool wasOpen = t.open;
        HidePopup();
        MoveSelection(false, message.wParam == VK_LEFT ? -1 : 1);
        if (wasOpen)
            ShowPopup(true);
        return;
    }
    case VK_ESCAPE:
        if (t.open)
            HidePopup();
        else
            t.end = true;
        return;
    default: {
        MSG copy = message;
        TranslateMessage(&copy);
        return;
    }
    }
}

void OnCharacter(const MSG& message)
{
    MenuTracking& t = Tracking();
    const int character = static_cast<int>(message.wParam & 0xFF);
    if (character == '\r' || character == ' ') {
        t.end = ChooseSelected() != popupOpened;
        return;
    }
    if (character < 32)
        return;
    const int position = FindItemByKey(character);
    if (position == -2) {
        t.end = true;
    } else if (position != none) {
        if (t.open)
            SelectItem(position, true);
        else
            SelectTitle(position, true);
        t.end = ChooseSelected() != popupOpened;
    }
}

// Which menu a screen point is over: the open drop-down, the bar, or none;
// and the position of the item under it (none between items).
enum class Over { Nothing, Bar, DropDown };
Over MenuUnder(POINT point, int* position)
{
    MenuTracking& t = Tracking();
    *position = none;
    if (t.open) {
        const RECT dropDown = DropDownRect();
        if (PtInRect(&dropDown, point)) {
            const DropDownLayout layout = LayOutDropDown(Popup());
            for (size_t i = 0; i < layout.items.size(); ++i) {
                RECT item = layout.items[i];
                OffsetRect(&item, dropDown.left, dropDown.top);
                if (PtInRect(&item, point))
                    *position = static_cast<int>(i);
            }
            return Over::DropDown;
        }
    }
    const Window* owner = FindWindowRecord(t.owner);
    const RECT bar = owner == nullptr ? RECT{0, 0, 0, 0} : MenuBarRectOf(*owner);
    if (!PtInRect(&bar, point))
        return Over::Nothing;
    const MenuBarLayout layout = LayOutMenuBar(t.bar, bar.right - bar.left);
    for (size_t i = 0; i < layout.titles.size(); ++i) {
        RECT title = layout.titles[i];
        OffsetRect(&title, bar.left, bar.top);
        if (PtInRect(&title, point))
            *position = static_cast<int>(i);
    }
    return Over::Bar;
}

// Selecting in the bar closes the drop-down of the title left.
void SwitchTo(Over menu, int position)
{
    if (menu == Over::Bar) {
        HidePopup();
        SelectTitle(position, true);
    } else {
        SelectItem(position, true);
    }
}

// A press: on a title, that title and its drop-down; on the drop-down, its
// item. Anywhere else the menu ends, and the press goes on to the window
// under it. Returns whether the menu goes on.
bool OnPress(POINT point)
{
    MenuTracking& t = Tracking();
    int position = none;
    const Over menu = MenuUnder(point, &position);
    if (menu == Over::Nothing)
        return false;
    if (position != none) {
        if ((menu == Over::Bar ? t.title : t.item) != position)
            SwitchTo(menu, position);
        if (menu == Over::Bar && !t.open)
            ShowPopup(false);
    }
    return position != none || menu == Over::DropDown;
}

// A release on the selected item chooses it; on the title whose drop-down
// is open, the second release closes the menu (click, click); anywhere
// outside the menus it ends the menu and goes on to the window.
bool OnRelease(POINT point, bool* keepMessage)
{
    MenuTracking& t = Tracking();
    int position = none;
    const Over menu = MenuUnder(point, &position);
    if (menu == Over::Nothing) {
        *keepMessage = true;
        return true;
    }
    if (position != none && position == (menu == Over::Bar ? t.title : t.item)) {
        if (menu == Over::DropDown) {
            const int chosen = ChooseSelected();
            return chosen != nothingChosen && chosen != popupOpened;
        }
        if (t.releasedOnOpenTitle)
            return true;
    }
    if (menu == Over::Bar) {
        if (position == none)
            return true;
        t.releasedOnOpenTitle = true;
    }
    return false;
}

void OnMove(POINT point)
{
    MenuTracking& t = Tracking();
    int position = none;
    const Over menu = MenuUnder(point, &position);
    if (menu == Over::Nothing)
        return;
    if (position == none) {
        if (t.open)
            SelectItem(none, true);
        else
            SelectTitle(none, true);
    } else if ((menu == Over::Bar ? t.title : t.item) != position) {
        SwitchTo(menu, position);
        if (menu == Over::Bar)
            ShowPopup(false);
    }
}

// Puts a message back at the head of the input, for the window under it
// once the menu has ended.
void PutBack(const MSG& message)
{
    TheSystem().queue.push_front({message, false, true});
}

// Sees every message first: keys and the mouse are the menu's.
bool FilterMessage(MSG& message)
{
    MenuTracking& t = Tracking();
    if (message.message == WM_CANCELMODE) {
        t.end = true;
        return true;
    }
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
            OnKey(message);
        else if (message.message == WM_CHAR || message.message == WM_SYSCHAR)
            OnCharacter(message);
        return true;
    }
    if (message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST)
        return false;
    switch (message.message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!OnPress(message.pt)) {
            t.end = true;
            PutBack(message);
        }
        break;
    case WM_LBUTTONUP: {
        bool keep = false;
        t.end = OnRelease(message.pt, &keep);
        if (keep)
            PutBack(message);
        break;
    }
    case WM_MOUSEMOVE:
        OnMove(message.pt);
        break;
    default:
        break;
    }
    return true;
}

bool StartTracking(HWND owner)
{
    MenuTracking& t = Tracking();
    const HMENU bar = GetMenu(owner);
    if (t.active || bar == nullptr || MenuRecord(bar) == nullptr)
        return false;
    t = MenuTracking();
    t.active = true;
    t.owner = owner;
    t.bar = bar;
    Changed();
    SendMessageA(owner, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(owner, WM_SETCURSOR, reinterpret_cast<WPARAM>(owner), HTCAPTION);
    SendMessageA(owner, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
    return true;
}

void RunTracking()
{
    MenuTracking& t = Tracking();
    const HWND owner = t.owner;
    SetCapture(owner);
    RunModalLoop(owner, MSGF_MENU, FilterMessage, [owner] { return Tracking().end || !IsWindow(owner); });
    if (GetCapture() == owner)
        ReleaseCapture();
    if (IsWindow(owner)) {
        HidePopup();
        Tracking().title = none;
        SendMessageA(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    }
    Tracking() = MenuTracking();
    Changed();
    if (IsWindow(owner))
        SendMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
}
}  // namespace

// Alt or F10 alone selects the first title; Alt with a letter opens the
// drop-down with that mnemonic, its first item selected, or ends at once
// when no title has it.
void TrackMenuByKeyboard(HWND owner, int key)
{
    while (owner != nullptr && (GetWindowLongA(owner, GWL_STYLE) & WS_CHILD))
        owner = GetParent(owner);
    if (owner == nullptr || !StartTracking(owner))
        return;
    MenuTracking& t = Tracking();
    if (key != 0 && key != ' ') {
        const int title = FindItemByKey(key);
        if (title < 0) {
            t.end = true;
        } else {
            SelectTitle(title, true);
            PostMessageA(owner, WM_KEYDOWN, VK_RETURN, 0);
        }
    } else {
        MoveSelection(false, 1);
    }
    RunTracking();
}

void TrackMenuByMouse(HWND owner, POINT screen)
{
    if (!StartTracking(owner))
        return;
    if (!OnPress(screen))
        Tracking().end = true;
    RunTracking();
}

}  // namespace portable
