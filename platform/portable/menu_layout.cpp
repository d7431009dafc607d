// Where a menu's items are: the menu bar's titles, wrapped onto as many
// lines as the window's width needs, and a drop-down's items under the
// title that opened it. Texts are measured in the presenter's font.
#include <algorithm>

#include "platform/portable/window_system.h"

namespace portable {

namespace {
// The bar: each title has menuTitlePadding on either side of its text. A
// drop-down: a raised frame, the mark's gutter left of the texts, a gap
// between a text and its key text, and room after the key texts.
constexpr int dropDownFrame = 3;
constexpr int itemHeight = 18;
constexpr int separatorHeight = 8;
constexpr int keyGap = 16;

// The last bar laid out: a window's frame is measured for every picture
// the program makes, so the layout is kept until something it depends on
// changes.
struct BarCache {
    HMENU bar = nullptr;
    int width = -1;
    uint64_t measureGeneration = 0;
    MenuBarLayout layout;
};
BarCache barCache;
uint64_t measureGeneration = 1;

std::string ItemTextBeforeTab(const MenuItem& item)
{
    return item.text.substr(0, item.text.find('\t'));
}

std::string ItemKeyText(const MenuItem& item)
{
    const size_t tab = item.text.find('\t');
    return tab == std::string::npos ? std::string() : item.text.substr(tab + 1);
}
}  // namespace

const Menu* MenuRecord(HMENU menu)
{
    for (const auto& owned : TheSystem().menus)
        if (reinterpret_cast<HMENU>(owned.get()) == menu)
            return owned.get();
    return nullptr;
}

// Called when the font or a menu's texts change.
void ForgetMenuLayouts()
{
    ++measureGeneration;
}

MenuBarLayout LayOutMenuBar(HMENU bar, int width)
{
    if (barCache.bar == bar && barCache.width == width && barCache.measureGeneration == measureGeneration &&
        bar != nullptr)
        return barCache.layout;
    MenuBarLayout layout;
    layout.lines = 1;
    const Menu* menu = MenuRecord(bar);
    const int lineHeight = GetSystemMetrics(SM_CYMENU);
    int x = 0;
    int line = 0;
    if (menu != nullptr) {
        for (const MenuItem& item : menu->items) {
            const int titleWidth = TextWidth(WithoutMnemonicMarks(ItemTextBeforeTab(item))) + 2 * menuTitlePadding;
            if (x > 0 && x + titleWidth > width) {
                ++line;
                x = 0;
            }
            layout.titles.push_back({x, line * lineHeight, x + titleWidth, (line + 1) * lineHeight});
            x += titleWidth;
        }
    }
    layout.lines = line + 1;
    barCache = {bar, width, measureGeneration, layout};
    return layout;
}

DropDownLayout LayOutDropDown(HMENU popup)
{
    DropDownLayout layout;
    const Menu* menu = MenuRecord(popup);
    if (menu == nullptr)
        return layout;
    int textWidth = 0;
    int keyWidth = 0;
    for (const MenuItem& item : menu->items) {
        if (item.flags & MF_SEPARATOR)
            continue;
        textWidth = std::max(textWidth, TextWidth(WithoutMnemonicMarks(ItemTextBeforeTab(item))));
        keyWidth = std::max(keyWidth, TextWidth(ItemKeyText(item)));
    }
    LONG width = 2 * dropDownFrame + menuGutterWidth + textWidth + menuKeyMargin;
    if (keyWidth > 0)
        width += keyGap + keyWidth;
    LONG top = dropDownFrame;
    for (const MenuItem& item : menu->items) {
        const LONG bottom = top + ((item.flags & MF_SEPARATOR) ? separatorHeight : itemHeight);
        layout.items.push_back({dropDownFrame, top, width - dropDownFrame, bottom});
        top = bottom;
    }
    layout.size = {width, top + dropDownFrame};
    return layout;
}

// Under its title, moved to stay on the screen: left when it would pass
// the right edge, above the title when it would pass the bottom.
RECT DropDownRect()
{
    const MenuTracking& tracking = TheSystem().menuTracking;
    if (!tracking.active || !tracking.open)
        return {0, 0, 0, 0};
    const Window* owner = FindWindowRecord(tracking.owner);
    if (owner == nullptr)
        return {0, 0, 0, 0};
    const RECT bar = MenuBarRectOf(*owner);
    const MenuBarLayout layout = LayOutMenuBar(tracking.bar, bar.right - bar.left);
    if (tracking.title < 0 || tracking.title >= static_cast<int>(layout.titles.size()))
        return {0, 0, 0, 0};
    RECT title = layout.titles[tracking.title];
    OffsetRect(&title, bar.left, bar.top);
    const SIZE size = LayOutDropDown(GetSubMenu(tracking.bar, tracking.title)).size;
    const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const LONG screenHeight = GetSystemMetrics(SM_CYSCREEN);
    LONG x = title.left;
    LONG y = title.bottom;
    if (x + size.cx > screenWidth)
        x = screenWidth - size.cx;
    if (x < 0)
        x = 0;
    if (y + size.cy > screenHeight) {
        const LONG titleHeight = title.bottom - title.top;
        y = y >= size.cy + titleHeight ? y - size.cy - titleHeight : screenHeight - size.cy;
    }
    if (y < 0)
        y = 0;
    return {x, y, x + size.cx, y + size.cy};
}

}  // namespace portable

using namespace portable;

// A title's rectangle on screen; a drop-down item's, while it is open, from
// the drop-down's own window when no window is given, and otherwise
// relative to the given window's client area, as the real call maps it.
BOOL WINAPI GetMenuItemRect(HWND window, HMENU menu, UINT item, LPRECT rect)
{
    if (rect == nullptr)
        return FALSE;
    const Window* record = FindWindowRecord(window);
    if (record != nullptr && menu == record->menu) {
        const RECT bar = MenuBarRectOf(*record);
        const MenuBarLayout layout = LayOutMenuBar(menu, bar.right - bar.left);
        if (item >= layout.titles.size())
            return FALSE;
        *rect = layout.titles[item];
        OffsetRect(rect, bar.left, bar.top);
        return TRUE;
    }
    const MenuTracking& tracking = TheSystem().menuTracking;
    if (!tracking.active || !tracking.open || GetSubMenu(tracking.bar, tracking.title) != menu)
        return FALSE;
    const DropDownLayout layout = LayOutDropDown(menu);
    if (item >= layout.items.size())
        return FALSE;
    *rect = layout.items[item];
    POINT origin = {0, 0};
    if (window != nullptr) {
        if (record == nullptr)
            return FALSE;
        ClientToScreen(window, &origin);
    } else {
        const RECT dropDown = DropDownRect();
        origin = {dropDown.left, dropDown.top};
    }
    OffsetRect(rect, origin.x, origin.y);
    return TRUE;
}
