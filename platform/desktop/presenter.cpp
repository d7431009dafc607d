#include "platform/desktop/presenter.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/desktop/canvas.h"
#include "platform/desktop/controls_view.h"
#include "platform/desktop/input.h"
#include "platform/desktop/menu_tracker.h"
#include "platform/desktop/menu_view.h"
#include "platform/desktop/message_box_view.h"
#include "platform/desktop/zoom.h"
#include "platform/portable/testing.h"

namespace desktop {

namespace {
// At most one frame per display refresh while the program never waits.
constexpr Uint32 frameMilliseconds = 16;

// A top-level window of the program and the display's window showing it.
struct Shown {
    HWND window = nullptr;
    SDL_Window* display = nullptr;
    bool hasMenu = false;
    POINT origin = {0, 0};  // the client area's position in the window system when last placed
    std::string title;
};

// A message box on the display; boxes nest when a window that still works
// under one (the custom-game window) shows another.
struct Box {
    SDL_Window* display = nullptr;
    MessageBoxLayout layout;
    UINT type = 0;
    bool okPressed = false;
    bool done = false;
};

struct Presenter {
    int zoom = 1;
    SDL_Rect screen = {0, 0, 0, 0};
    std::vector<Shown> shown;
    std::vector<Box*> boxes;
    MenuTracking menu;
    HWND menuOwner = nullptr;
    SDL_Window* dropDown = nullptr;
    int dropDownTitle = -1;
    bool altAlone = false;  // Alt is down and no other key came since
    Uint32 lastFrame = 0;
    uint64_t frames = 0;
    SDL_Surface* icon = nullptr;
    FILE* trace = nullptr;
    bool tracedWait = false;  // the trace's last line says the program waits
    std::string snapshotPath;
};
Presenter presenter;

// A line of the trace: the display's milliseconds, what happened and a
// detail (a title, a number).
void Trace(const char* what, const std::string& detail = "")
{
    if (presenter.trace == nullptr)
        return;
    presenter.tracedWait = std::strcmp(what, "wait") == 0;
    std::fprintf(presenter.trace, "%u %s%s%s\n", SDL_GetTicks(), what, detail.empty() ? "" : " ", detail.c_str());
    std::fflush(presenter.trace);
}

DWORD MonotonicMilliseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::string WindowText(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

Shown* ShownOf(SDL_Window* display)
{
    for (Shown& entry : presenter.shown)
        if (entry.display == display)
            return &entry;
    return nullptr;
}

Shown* ShownOfEvent(Uint32 windowId)
{
    return ShownOf(SDL_GetWindowFromID(windowId));
}

Shown* ShownOfWindow(HWND window)
{
    for (Shown& entry : presenter.shown)
        if (entry.window == window)
            return &entry;
    return nullptr;
}

// The window with the menu bar: the program's main window.
Shown* MainShown()
{
    for (Shown& entry : presenter.shown)
        if (entry.hasMenu)
            return &entry;
    return nullptr;
}

int TopOffset(const Shown& entry)
{
    return entry.hasMenu ? menuBarHeight : 0;
}

SIZE DisplaySizeOf(const Shown& entry)
{
    RECT client;
    GetClientRect(entry.window, &client);
    return SIZE{client.right * presenter.zoom, (client.bottom + TopOffset(entry)) * presenter.zoom};
}

POINT ClientOrigin(HWND window)
{
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

// Where the display's window goes: the client area where the window system
// put it, with the menu bar above.
void PlaceOnDisplay(Shown& entry)
{
    entry.origin = ClientOrigin(entry.window);
    SDL_SetWindowPosition(entry.display, presenter.screen.x + entry.origin.x * presenter.zoom,
                          presenter.screen.y + (entry.origin.y - TopOffset(entry)) * presenter.zoom);
}

void Show(HWND window)
{
    Shown entry;
    entry.window = window;
    entry.hasMenu = GetMenu(window) != nullptr;
    entry.title = WindowText(window);
    const SIZE size = DisplaySizeOf(entry);
    entry.display = SDL_CreateWindow(entry.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, size.cx,
                                     size.cy, SDL_WINDOW_HIDDEN);
    if (entry.display == nullptr) {
        std::fprintf(stderr, "blastgrid: cannot open a window: %s\n", SDL_GetError());
        return;
    }
    if (presenter.icon != nullptr)
        SDL_SetWindowIcon(entry.display, presenter.icon);
    PlaceOnDisplay(entry);
    SDL_ShowWindow(entry.display);
    presenter.shown.push_back(entry);
    Trace("window", entry.title);
    if (entry.hasMenu) {
        // The menu bar's titles, "left-right" in the window's display pixels.
        std::string titles;
        for (const RECT& title : MenuBarItemRects(GetMenu(window)))
            titles += (titles.empty() ? "" : " ") + std::to_string(title.left * presenter.zoom) + "-" +
                      std::to_string(title.right * presenter.zoom);
        Trace("titles", titles);
    }
}

// Makes the display's windows follow the window system's: new visible
// windows shown, hidden and destroyed ones taken away, sizes, places and
// titles kept up to date.
void SyncWindows()
{
    const std::vector<HWND> windows = portable::TopLevelWindows();
    for (size_t i = 0; i < presenter.shown.size();) {
        Shown& entry = presenter.shown[i];
        bool alive = false;
        for (HWND window : windows)
            alive = alive || window == entry.window;
        if (alive && IsWindowVisible(entry.window)) {
            ++i;
            continue;
        }
        SDL_DestroyWindow(entry.display);
        presenter.shown.erase(presenter.shown.begin() + static_cast<std::ptrdiff_t>(i));
    }
    for (HWND window : windows)
        if (IsWindowVisible(window) && ShownOfWindow(window) == nullptr)
            Show(window);
    for (Shown& entry : presenter.shown) {
        const SIZE size = DisplaySizeOf(entry);
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(entry.display, &width, &height);
        if (width != size.cx || height != size.cy)
            SDL_SetWindowSize(entry.display, size.cx, size.cy);
        const POINT origin = ClientOrigin(entry.window);
        if (origin.x != entry.origin.x || origin.y != entry.origin.y)
            PlaceOnDisplay(entry);
        const std::string title = WindowText(entry.window);
        if (title != entry.title) {
            entry.title = title;
            SDL_SetWindowTitle(entry.display, title.c_str());
        }
    }
}

void WriteSnapshot(const portable::Image& image)
{
    const std::string partial = presenter.snapshotPath + ".part";
    if (portable::WritePng(image, partial))
        std::rename(partial.c_str(), presenter.snapshotPath.c_str());
}

void Draw(Shown& entry, bool snapshot)
{
    SDL_Surface* surface = SDL_GetWindowSurface(entry.display);
    if (surface == nullptr)
        return;
    Canvas canvas;
    canvas.surface = surface;
    canvas.zoom = presenter.zoom;
    RECT client;
    GetClientRect(entry.window, &client);
    if (entry.hasMenu) {
        const bool tracking = presenter.menu.active && presenter.menuOwner == entry.window;
        DrawMenuBar(canvas, GetMenu(entry.window), client.right, tracking ? presenter.menu.title : -1,
                    tracking && presenter.menu.open);
        canvas.originY = menuBarHeight * presenter.zoom;
    }
    const portable::Image image = portable::RenderClientArea(entry.window);
    DrawImage(canvas, image, 0, 0);
    DrawControls(canvas, entry.window);
    SDL_UpdateWindowSurface(entry.display);
    if (snapshot && entry.hasMenu && !presenter.snapshotPath.empty())
        WriteSnapshot(image);
}

void DrawDropDown()
{
    if (presenter.dropDown == nullptr)
        return;
    SDL_Surface* surface = SDL_GetWindowSurface(presenter.dropDown);
    if (surface == nullptr)
        return;
    Canvas canvas;
    canvas.surface = surface;
    canvas.zoom = presenter.zoom;
    DrawDropDown(canvas, GetSubMenu(GetMenu(presenter.menuOwner), presenter.menu.title), presenter.menu.item);
    SDL_UpdateWindowSurface(presenter.dropDown);
}

void DrawBox(Box& box)
{
    SDL_Surface* surface = SDL_GetWindowSurface(box.display);
    if (surface == nullptr)
        return;
    Canvas canvas;
    canvas.surface = surface;
    canvas.zoom = presenter.zoom;
    DrawMessageBox(canvas, box.layout, box.type, box.okPressed);
    SDL_UpdateWindowSurface(box.display);
}

// Shows every window as it now is. Unless `always`, at most once a frame:
// the program that never waits is not slowed down by drawing each step.
void Present(bool always, bool waiting)
{
    const Uint32 now = SDL_GetTicks();
    if (!always && now - presenter.lastFrame < frameMilliseconds)
        return;
    presenter.lastFrame = now;
    SyncWindows();
    for (Shown& entry : presenter.shown)
        Draw(entry, waiting);
    DrawDropDown();
    for (Box* box : presenter.boxes)
        DrawBox(*box);
    ++presenter.frames;
    Trace("frame", std::to_string(presenter.frames));
}

// The display's position of a point of a window of the display.
SDL_Point OnDisplay(Uint32 windowId, int x, int y)
{
    SDL_Point point = {x, y};
    SDL_Window* display = SDL_GetWindowFromID(windowId);
    if (display != nullptr) {
        int left = 0;
        int top = 0;
        SDL_GetWindowPosition(display, &left, &top);
        point.x += left;
        point.y += top;
    }
    return point;
}

// A display point relative to a window of the display, in the program's
// pixels; false when it is outside that window.
bool PointIn(SDL_Window* display, SDL_Point point, POINT* result)
{
    if (display == nullptr)
        return false;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(display, &left, &top);
    SDL_GetWindowSize(display, &width, &height);
    const SDL_Rect area = {left, top, width, height};
    if (!SDL_PointInRect(&point, &area))
        return false;
    *result = ProgramPoint(point.x - left, point.y - top, presenter.zoom, 0);
    return true;
}

// ---- Menus -------------------------------------------------------------

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

void PostCloseBox(HWND window);

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
                    PostCloseBox(closing->window);
                    posted = true;
                }
            }
            break;
        case SDL_QUIT:
            presenter.menu = MenuTracking();
            PostCloseBox(owner);
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

// ---- Input -------------------------------------------------------------

void PostCloseBox(HWND window)
{
    portable::ClickCloseBox(window);
}

bool MainWindowTakesInput(const Shown* entry)
{
    return entry != nullptr && entry->hasMenu && IsWindowEnabled(entry->window);
}

bool HandleMouse(const SDL_Event& event)
{
    const bool motion = event.type == SDL_MOUSEMOTION;
    const Uint32 windowId = motion ? event.motion.windowID : event.button.windowID;
    Shown* entry = ShownOfEvent(windowId);
    if (entry == nullptr)
        return false;
    const POINT point = motion ? ProgramPoint(event.motion.x, event.motion.y, presenter.zoom, TopOffset(*entry))
                               : ProgramPoint(event.button.x, event.button.y, presenter.zoom, TopOffset(*entry));
    if (motion) {
        portable::MoveMouse(entry->window, point.x, point.y);
        return true;
    }
    portable::MouseButton button;
    if (!MouseButtonOf(event.button.button, &button))
        return false;
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        // A press on the menu bar opens the menu under it.
        if (entry->hasMenu && point.y < 0) {
            if (!MainWindowTakesInput(entry) || button != portable::MouseButton::Left)
                return false;
            const int title = MenuBarItemAt(GetMenu(entry->window), POINT{point.x, point.y + menuBarHeight});
            if (title < 0)
                return false;
            OpenTitle(presenter.menu, title);
            return TrackMenu(entry->window);
        }
        portable::PressMouse(entry->window, button, point.x, point.y);
    } else {
        portable::ReleaseMouse(entry->window, button, point.x, point.y);
    }
    return true;
}

bool HandleKey(const SDL_Event& event)
{
    const int key = VirtualKeyOf(event.key.keysym.sym);
    if (key == 0)
        return false;
    Shown* entry = ShownOfEvent(event.key.windowID);
    const bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
    if (event.type == SDL_KEYUP) {
        if (key == VK_MENU) {
            const bool alone = presenter.altAlone;
            presenter.altAlone = false;
            if (alone && MainWindowTakesInput(entry)) {
                StartFromKeyboard(presenter.menu);
                return TrackMenu(entry->window);
            }
            return false;
        }
        if (alt)
            return false;
        portable::KeyUp(key);
        return true;
    }
    if (key == VK_MENU) {
        presenter.altAlone = event.key.repeat == 0 || presenter.altAlone;
        return false;
    }
    presenter.altAlone = false;
    if (alt) {
        // Alt with a letter opens the drop-down with that mnemonic; Alt+F4
        // closes the window.
        if (key == VK_F4 && entry != nullptr && IsWindowEnabled(entry->window)) {
            PostCloseBox(entry->window);
            return true;
        }
        if (MainWindowTakesInput(entry) && OpenByMnemonic(presenter.menu, GetMenu(entry->window), key))
            return TrackMenu(entry->window);
        return false;
    }
    if (key == VK_F10 && MainWindowTakesInput(entry)) {
        StartFromKeyboard(presenter.menu);
        return TrackMenu(entry->window);
    }
    const bool shift = (event.key.keysym.mod & KMOD_SHIFT) != 0;
    portable::KeyDown(key, shift, event.key.repeat != 0);
    Trace("key", std::to_string(key));
    return true;
}

// Gives one event of the display to the window system; returns whether it
// may have queued a message.
bool HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT: {
        Shown* main = MainShown();
        if (main != nullptr)
            PostCloseBox(main->window);
        return true;
    }
    case SDL_WINDOWEVENT: {
        Shown* entry = ShownOfEvent(event.window.windowID);
        if (entry == nullptr)
            return false;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            PostCloseBox(entry->window);
            return true;
        }
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
            portable::ActivateTopLevel(entry->window);
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED)
            Present(true, false);
        return false;
    }
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return HandleMouse(event);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return HandleKey(event);
    default:
        return false;
    }
}

// The window system's input source. Called from WaitMessage it sleeps
// until the display has input the program can take; called from
// PeekMessage (Solve! mode) it only takes what is there. It takes one event
// that gives the program a message at a time, as the real system leaves
// later input in the queue until the program asks for it: a key typed
// after the one that opens a message box goes to the box.
bool TakeInput()
{
    const bool waiting = portable::WaitingForInput();
    Present(waiting, waiting);
    if (waiting)
        Trace("wait");
    SDL_Event event;
    for (;;) {
        while (SDL_PollEvent(&event))
            if (HandleEvent(event))
                return true;
        if (!waiting)
            return false;
        if (!presenter.tracedWait)
            Trace("wait");  // still waiting, after an event that gave no message
        if (!SDL_WaitEvent(&event)) {
            std::fprintf(stderr, "blastgrid: the display failed: %s\n", SDL_GetError());
            Shown* main = MainShown();
            if (main != nullptr)
                PostCloseBox(main->window);
            return main != nullptr;
        }
        if (HandleEvent(event))
            return true;
    }
}

// ---- Message boxes -----------------------------------------------------

bool InsideOk(const Box& box, int x, int y)
{
    const POINT point = ProgramPoint(x, y, presenter.zoom, 0);
    return PtInRect(&box.layout.okButton, point) != FALSE;
}

void HandleBoxEvent(Box& box, const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT && InsideOk(box, event.button.x, event.button.y))
            box.okPressed = true;
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT && box.okPressed && InsideOk(box, event.button.x, event.button.y))
            box.done = true;
        box.okPressed = false;
        break;
    case SDL_KEYDOWN: {
        const int key = VirtualKeyOf(event.key.keysym.sym);
        if (key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE)
            box.done = true;
        break;
    }
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE)
            box.done = true;
        break;
    default:
        break;
    }
}

bool IsKeyEvent(const SDL_Event& event)
{
    return event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
}

Uint32 EventWindowId(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_WINDOWEVENT:
        return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return event.key.windowID;
    case SDL_MOUSEMOTION:
        return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return event.button.windowID;
    default:
        return 0;
    }
}

// The message box's modal loop: the box takes the keyboard; the owner
// takes no input (the window system has disabled it); every other window,
// the custom-game window among them, goes on working.
int ShowMessageBox(const portable::MessageBoxCall& call)
{
    Box box;
    box.type = call.type;
    box.layout = LayOutMessageBox(call.text, call.type);
    const int width = box.layout.client.cx * presenter.zoom;
    const int height = box.layout.client.cy * presenter.zoom;
    int left = presenter.screen.x + (presenter.screen.w - width) / 2;
    int top = presenter.screen.y + (presenter.screen.h - height) / 2;
    const Shown* owner = ShownOfWindow(call.owner);
    if (owner == nullptr)
        owner = MainShown();
    if (owner != nullptr) {
        int ownerLeft = 0;
        int ownerTop = 0;
        int ownerWidth = 0;
        int ownerHeight = 0;
        SDL_GetWindowPosition(owner->display, &ownerLeft, &ownerTop);
        SDL_GetWindowSize(owner->display, &ownerWidth, &ownerHeight);
        left = ownerLeft + (ownerWidth - width) / 2;
        top = ownerTop + (ownerHeight - height) / 2;
    }
    box.display = SDL_CreateWindow(call.title.c_str(), left, top, width, height, SDL_WINDOW_SKIP_TASKBAR);
    if (box.display == nullptr) {
        std::fprintf(stderr, "blastgrid: cannot open a message box: %s\n", SDL_GetError());
        return IDOK;
    }
    // The owner's display window by its id: the list of shown windows may
    // change (and move) while the box is up.
    const Uint32 ownerId = owner != nullptr ? SDL_GetWindowID(owner->display) : 0;
    if (owner != nullptr)
        SDL_SetWindowModalFor(box.display, owner->display);
    SDL_RaiseWindow(box.display);
    presenter.boxes.push_back(&box);
    Trace("box", call.title);
    bool quit = false;
    while (!box.done) {
        Present(true, false);
        SDL_Event event;
        if (!SDL_WaitEvent(&event))
            break;
        if (event.type == SDL_QUIT) {
            quit = true;
            box.done = true;
        } else if (EventWindowId(event) == SDL_GetWindowID(box.display) ||
                   (IsKeyEvent(event) && ownerId != 0 && EventWindowId(event) == ownerId)) {
            // The box has the keyboard: keys typed at its disabled owner are its.
            HandleBoxEvent(box, event);
        } else if (HandleEvent(event)) {
            portable::PumpMessages();
        }
    }
    presenter.boxes.pop_back();
    SDL_DestroyWindow(box.display);
    // The keyboard goes back to the owner, as the real system activates it.
    if (SDL_Window* ownerDisplay = SDL_GetWindowFromID(ownerId))
        SDL_SetWindowInputFocus(ownerDisplay);
    portable::ClearMessageBoxLog();
    Trace("box closed");
    if (quit) {
        Shown* main = MainShown();
        if (main != nullptr)
            PostCloseBox(main->window);
    }
    return IDOK;
}

SDL_Surface* IconSurface()
{
    const portable::Icon icon = portable::IconResource("icon");
    if (icon.image.width == 0)
        return nullptr;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, icon.image.width, icon.image.height, 32, SDL_PIXELFORMAT_RGBA32);
    if (surface == nullptr)
        return nullptr;
    for (int y = 0; y < icon.image.height; ++y) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < icon.image.width; ++x) {
            const size_t at = static_cast<size_t>(y) * icon.image.width + x;
            const portable::Rgb colour = icon.image.pixels[at];
            row[x] = SDL_MapRGBA(surface->format, colour.r, colour.g, colour.b, icon.opaque[at] ? 255 : 0);
        }
    }
    return surface;
}

int DisplayScale()
{
    const char* scale = std::getenv("GDK_SCALE");
    return scale == nullptr ? 0 : ParseZoom(scale);
}
}  // namespace

bool StartPresenter(const PresenterOptions& options)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "blastgrid: cannot open the display: %s\n", SDL_GetError());
        return false;
    }
    if (!OpenFonts()) {
        SDL_Quit();
        return false;
    }
    presenter = Presenter();
    if (SDL_GetDisplayUsableBounds(0, &presenter.screen) != 0)
        presenter.screen = SDL_Rect{0, 0, 1024, 768};
    float dpi = 0;
    if (SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0)
        dpi = 0;
    presenter.zoom = ChooseZoom(options.zoom, DisplayScale(), dpi, presenter.screen.h);
    presenter.icon = IconSurface();
    presenter.snapshotPath = options.snapshotPath;
    if (!options.tracePath.empty()) {
        presenter.trace = std::fopen(options.tracePath.c_str(), "w");
        if (presenter.trace == nullptr)
            std::fprintf(stderr, "blastgrid: cannot write %s\n", options.tracePath.c_str());
    }
    Trace("zoom", std::to_string(presenter.zoom));

    portable::SetScreenSize(presenter.screen.w / presenter.zoom, presenter.screen.h / presenter.zoom);
    portable::SetTickSource(MonotonicMilliseconds);
    portable::SetTickCount(MonotonicMilliseconds());
    portable::SetInputSource(TakeInput);
    portable::SetMessageBoxHandler(ShowMessageBox);
    return true;
}

void StopPresenter()
{
    portable::SetInputSource(nullptr);
    portable::SetMessageBoxHandler(nullptr);
    CloseDropDown();
    for (Shown& entry : presenter.shown)
        SDL_DestroyWindow(entry.display);
    presenter.shown.clear();
    if (presenter.icon != nullptr)
        SDL_FreeSurface(presenter.icon);
    Trace("exit");
    if (presenter.trace != nullptr)
        std::fclose(presenter.trace);
    presenter = Presenter();
    CloseFonts();
    SDL_Quit();
}

int PresenterZoom()
{
    return presenter.zoom;
}

bool TakeDisplayInput()
{
    return TakeInput();
}

void ShowWindowsNow()
{
    Present(true, false);
}

SDL_Window* DisplayWindowOf(HWND window)
{
    const Shown* entry = ShownOfWindow(window);
    return entry == nullptr ? nullptr : entry->display;
}

}  // namespace desktop
