// The menu bar in use: its modal loop, as the real system runs one while a
// menu is open, and the drop-down window under the selected title.
#include <SDL.h>

#include <string>
#include <vector>

#include "platform/desktop/canvas.h"
#include "platform/desktop/input.h"
#include "platform/desktop/menu_tracker.h"
#include "platform/desktop/menu_view.h"
#include "platform/desktop/presenter_state.h"

namespace desktop {

void DrawDropDown()
{
    if (presenter.dropDown == nullptr)
        return;
    Canvas canvas;
    if (!WindowCanvas(presenter.dropDown, &canvas))
        return;
    DrawDropDown(canvas, GetSubMenu(GetMenu(presenter.menuOwner), presenter.menu.title), presenter.menu.item);
    SDL_UpdateWindowSurface(presenter.dropDown);
}

void CloseDropDown()
{
    if (presenter.dropDown == nullptr)
        return;
    SDL_DestroyWindow(presenter.dropDown);
    presenter.dropDown = nullptr;
    presenter.dropDownTitle = -1;
    // The drop-down took the keyboard when it opened; give it back to the
    // menu's window, or keys would go nowhere where no window manager
    // hands the focus on.
    const Shown* owner = ShownOfWindow(presenter.menuOwner);
    if (owner != nullptr)
        SDL_SetWindowInputFocus(owner->display);
}

namespace {
// Opens, moves or closes the drop-down window to match the menu state.
void UpdateDropDown()
{
    if (!presenter.menu.open) {
        CloseDropDown();
        return;
    }
    if (presenter.dropDown != nullptr && presenter.dropDownTitle == presenter.menu.title)
        return;
    CloseDropDown();
    const HMENU bar = GetMenu(presenter.menuOwner);
    const Shown* owner = ShownOfWindow(presenter.menuOwner);
    const std::vector<RECT> titles = MenuBarItemRects(bar);
    if (owner == nullptr || presenter.menu.title < 0 || presenter.menu.title >= static_cast<int>(titles.size()))
        return;
    const SIZE size = DropDownSize(GetSubMenu(bar, presenter.menu.title));
    int left = 0;
    int top = 0;
    SDL_GetWindowPosition(owner->display, &left, &top);
    presenter.dropDown = SDL_CreateWindow(
        "", left + titles[presenter.menu.title].left * presenter.zoom, top + menuBarHeight * presenter.zoom,
        size.cx * presenter.zoom, size.cy * presenter.zoom,
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR);
    presenter.dropDownTitle = presenter.menu.title;
    // Where the drop-down and its items are on the display, for tests that
    // drive the program with real input: "menu TITLE X Y WIDTH HEIGHT" and
    // "item POSITION TOP BOTTOM".
    const int x = left + titles[presenter.menu.title].left * presenter.zoom;
    const int y = top + menuBarHeight * presenter.zoom;
    Trace("menu", std::to_string(presenter.menu.title) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
                      std::to_string(size.cx * presenter.zoom) + " " + std::to_string(size.cy * presenter.zoom));
    const std::vector<RECT> items = DropDownItemRects(GetSubMenu(bar, presenter.menu.title));
    for (size_t i = 0; i < items.size(); ++i)
        Trace("item", std::to_string(i) + " " + std::to_string(y + items[i].top * presenter.zoom) + " " +
                          std::to_string(y + items[i].bottom * presenter.zoom));
}

// The title of the owner's menu bar under a display point, or -1.
int TitleAt(SDL_Point point)
{
    const Shown* owner = ShownOfWindow(presenter.menuOwner);
    POINT inside;
    if (owner == nullptr || !PointIn(owner->display, point, &inside) || inside.y >= menuBarHeight)
        return -1;
    return MenuBarItemAt(GetMenu(presenter.menuOwner), inside);
}

// The drop-down's item under a display point (-1 for none); false when the
// point is outside the drop-down.
bool ItemAt(SDL_Point point, int* item)
{
    POINT inside;
    if (!PointIn(presenter.dropDown, point, &inside))
        return false;
    *item = DropDownItemAt(GetSubMenu(GetMenu(presenter.menuOwner), presenter.menu.title), inside);
    return true;
}

}  // namespace

// The menu's modal loop: runs until an item is chosen or the menu is
// closed. The program's idle turn does not run meanwhile, as under the real
// system. Returns whether it posted a message.
bool TrackMenu(HWND owner)
{
    presenter.menuOwner = owner;
    const HMENU bar = GetMenu(owner);
    bool posted = false;
    // A drop-down opening under a pointer that does not move selects
    // nothing: only a real move of the pointer selects what it is over.
    SDL_Point pointer = {0, 0};
    SDL_GetGlobalMouseState(&pointer.x, &pointer.y);
    while (presenter.menu.active) {
        UpdateDropDown();
        Present(true, false);
        SDL_Event event;
        if (!SDL_WaitEvent(&event))
            break;
        MenuResult result;
        switch (event.type) {
        case SDL_KEYDOWN:
            result = MenuKey(presenter.menu, bar, VirtualKeyOf(event.key.keysym.sym));
            break;
        case SDL_MOUSEMOTION: {
            const SDL_Point point = OnDisplay(event.motion.windowID, event.motion.x, event.motion.y);
            if (point.x == pointer.x && point.y == pointer.y)
                break;
            pointer = point;
            const int title = TitleAt(point);
            int item = -1;
            if (title >= 0 && presenter.menu.open && title != presenter.menu.title)
                OpenTitle(presenter.menu, title);
            else if (ItemAt(point, &item))
                presenter.menu.item = item;
            break;
        }
        case SDL_MOUSEBUTTONDOWN: {
            const SDL_Point point = OnDisplay(event.button.windowID, event.button.x, event.button.y);
            const int title = TitleAt(point);
            int item = -1;
            if (ItemAt(point, &item)) {
                // Chosen on the release.
            } else if (title >= 0 && title == presenter.menu.title && presenter.menu.open) {
                presenter.menu = MenuTracking();
            } else if (title >= 0) {
                OpenTitle(presenter.menu, title);
            } else {
                presenter.menu = MenuTracking();  // a click elsewhere closes the menu and goes no further
            }
            break;
        }
        case SDL_MOUSEBUTTONUP: {
            const SDL_Point point = OnDisplay(event.button.windowID, event.button.x, event.button.y);
            int item = -1;
            // A press on a title and a release on an item chooses it, as a
            // press and a release on the item do.
            if (ItemAt(point, &item) && item >= 0) {
                result.action = MenuAction::Choose;
                result.command = GetMenuItemID(GetSubMenu(bar, presenter.menu.title), item);
            }
            break;
        }
        case SDL_WINDOWEVENT:
            // (The drop-down takes the display's focus when it opens: only
            // a close ends the menu here.)
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                const Shown* closing = ShownOfEvent(event.window.windowID);
                presenter.menu = MenuTracking();
                if (closing != nullptr) {
                    portable::ClickCloseBox(closing->window);
                    posted = true;
                }
            }
            break;
        case SDL_QUIT:
            presenter.menu = MenuTracking();
            portable::ClickCloseBox(owner);
            posted = true;
            break;
        default:
            break;
        }
        if (result.action == MenuAction::Choose) {
            presenter.menu = MenuTracking();
            Trace("command", std::to_string(result.command));
            posted = portable::ChooseMenuItem(owner, result.command) || posted;
        } else if (result.action == MenuAction::Close) {
            presenter.menu = MenuTracking();
        }
    }
    presenter.menu = MenuTracking();
    CloseDropDown();
    Trace("menu closed");
    return posted;
}

}  // namespace desktop
