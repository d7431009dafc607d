// What a presenter shows, read-only: the visible top-level windows, their
// menu bars, the open drop-down and the controls inside a window; and what
// changed since it last looked.
#include <algorithm>
#include <map>

#include "platform/portable/window_system.h"

namespace portable {

namespace {
bool IsChildWindow(const Window& window)
{
    return (window.style & WS_CHILD) != 0;
}

RECT Union(const RECT& a, const RECT& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

ControlKind KindOf(const Window& window)
{
    const std::string& name = window.windowClass->name;
    if (SameName(name, "Edit"))
        return ControlKind::Field;
    if (SameName(name, "Button"))
        return ControlKind::Button;
    if (SameName(name, "Static")) {
        if ((window.style & SS_TYPEMASK) == SS_BITMAP)
            return ControlKind::Picture;
        return window.text.empty() ? ControlKind::Panel : ControlKind::Label;
    }
    return ControlKind::Panel;
}

// Each child, then its own children, in the order they were made; pictures
// only when asked.
void CollectControls(HWND parent, HWND topLevel, bool pictures, std::vector<ControlView>& views)
{
    for (HWND child : ChildWindows(parent)) {
        const Window* record = FindWindowRecord(child);
        if (!record->visible)
            continue;
        const ControlKind kind = KindOf(*record);
        if (kind == ControlKind::Picture && !pictures) {
            CollectControls(child, topLevel, pictures, views);
            continue;
        }
        ControlView view;
        view.window = child;
        view.kind = kind;
        GetWindowRect(child, &view.rect);
        POINT corner = {view.rect.left, view.rect.top};
        ScreenToClient(topLevel, &corner);
        OffsetRect(&view.rect, corner.x - view.rect.left, corner.y - view.rect.top);
        view.text = Utf8FromAnsi(record->text);
        view.style = record->style;
        view.exStyle = record->exStyle;
        view.enabled = IsEnabledForInput(child);
        view.focused = GetFocus() == child;
        view.pressed = record->buttonPressed;
        views.push_back(view);
        CollectControls(child, topLevel, pictures, views);
    }
}
}  // namespace

void NoteChange()
{
    ++TheSystem().changeCount;
}

void NoteDamage(HWND window, const RECT& area)
{
    NoteChange();
    Window* record = FindWindowRecord(window);
    if (record == nullptr || area.right <= area.left || area.bottom <= area.top)
        return;
    record->damage = record->damaged ? Union(record->damage, area) : area;
    record->damaged = true;
}

void NoteWindowDamage(HWND window)
{
    const Window* record = FindWindowRecord(window);
    if (record == nullptr)
        return;
    if (!IsChildWindow(*record)) {
        NoteDamage(window, ClientRectOf(*record));
        return;
    }
    const HWND root = RootOf(window);
    RECT rect;
    GetWindowRect(window, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(root, &corner);
    OffsetRect(&rect, corner.x - rect.left, corner.y - rect.top);
    NoteDamage(root, rect);
}

uint64_t DisplayChangeCount()
{
    return TheSystem().changeCount;
}

bool TakeDamage(HWND window, RECT* area)
{
    Window* record = FindWindowRecord(window);
    if (record == nullptr || !record->damaged)
        return false;
    const RECT client = ClientRectOf(*record);
    RECT damage = record->damage;
    damage.left = std::max(damage.left, client.left);
    damage.top = std::max(damage.top, client.top);
    damage.right = std::min(damage.right, client.right);
    damage.bottom = std::min(damage.bottom, client.bottom);
    record->damaged = false;
    if (damage.right <= damage.left || damage.bottom <= damage.top)
        return false;
    *area = damage;
    return true;
}

std::vector<WindowView> VisibleWindows()
{
    const System& system = TheSystem();
    std::vector<WindowView> views;
    for (auto top = system.zOrder.rbegin(); top != system.zOrder.rend(); ++top) {
        const Window* record = FindWindowRecord(*top);
        if (record == nullptr || !record->visible)
            continue;
        WindowView view;
        view.window = *top;
        view.title = Utf8FromAnsi(record->text);
        view.frame = record->rect;
        view.menuBar = MenuBarRectOf(*record);
        const POINT origin = ClientOriginOnScreen(*record);
        const RECT client = ClientRectOf(*record);
        view.client = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
        view.active = system.active == *top;
        view.enabled = record->enabled;
        view.messageBox = SameName(record->windowClass->name, messageBoxClass);
        views.push_back(view);
    }
    return views;
}

std::vector<MenuTitleView> MenuBarOf(HWND window)
{
    std::vector<MenuTitleView> titles;
    const Window* record = FindWindowRecord(window);
    if (record == nullptr || record->menu == nullptr)
        return titles;
    const Menu* menu = MenuRecord(record->menu);
    const RECT bar = MenuBarRectOf(*record);
    const MenuBarLayout layout = LayOutMenuBar(record->menu, bar.right - bar.left);
    const MenuTracking& tracking = TheSystem().menuTracking;
    const bool tracked = tracking.active && tracking.owner == window;
    for (size_t i = 0; i < layout.titles.size() && menu != nullptr; ++i) {
        MenuTitleView title;
        title.text = Utf8FromAnsi(menu->items[i].text);
        title.rect = layout.titles[i];
        OffsetRect(&title.rect, bar.left, bar.top);
        title.selected = tracked && tracking.title == static_cast<int>(i);
        title.open = title.selected && tracking.open;
        titles.push_back(title);
    }
    return titles;
}

bool OpenDropDown(DropDownView* view)
{
    const MenuTracking& tracking = TheSystem().menuTracking;
    if (!tracking.active || !tracking.open || view == nullptr)
        return false;
    const HMENU popup = GetSubMenu(tracking.bar, tracking.title);
    const Menu* menu = MenuRecord(popup);
    if (menu == nullptr)
        return false;
    *view = DropDownView();
    view->owner = tracking.owner;
    view->rect = DropDownRect();
    const DropDownLayout layout = LayOutDropDown(popup);
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        MenuItemView itemView;
        const size_t tab = item.text.find('\t');
        itemView.text = Utf8FromAnsi(item.text.substr(0, tab));
        if (tab != std::string::npos)
            itemView.keyText = Utf8FromAnsi(item.text.substr(tab + 1));
        itemView.rect = layout.items[i];
        OffsetRect(&itemView.rect, view->rect.left, view->rect.top);
        itemView.separator = (item.flags & MF_SEPARATOR) != 0;
        itemView.grayed = (item.flags & MF_GRAYED) != 0;
        itemView.checked = (item.flags & MF_CHECKED) != 0;
        itemView.radio = (item.flags & MFT_RADIOCHECK) != 0;
        itemView.selected = tracking.item == static_cast<int>(i) && !itemView.separator;
        view->items.push_back(itemView);
    }
    return true;
}

std::vector<ControlView> ControlsOf(HWND topLevel)
{
    std::vector<ControlView> views;
    if (FindWindowRecord(topLevel) != nullptr)
        CollectControls(topLevel, topLevel, true, views);
    return views;
}

std::vector<ControlView> ControlsOtherThanPictures(HWND topLevel)
{
    std::vector<ControlView> views;
    if (FindWindowRecord(topLevel) != nullptr)
        CollectControls(topLevel, topLevel, false, views);
    return views;
}

}  // namespace portable
