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
#include "platform/desktop/presenter_state.h"
#include "platform/desktop/zoom.h"
#include "platform/portable/testing.h"

namespace desktop {

// At most one frame per display refresh while the program never waits.
constexpr Uint32 frameMilliseconds = 16;

Presenter presenter;

void Trace(const char* what, const std::string& detail)
{
    if (presenter.trace == nullptr)
        return;
    presenter.tracedWait = std::strcmp(what, "wait") == 0;
    std::fprintf(presenter.trace, "%u %s%s%s\n", SDL_GetTicks(), what, detail.empty() ? "" : " ", detail.c_str());
    std::fflush(presenter.trace);
}

namespace {
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
}  // namespace

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

namespace {
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
    Canvas canvas;
    if (!WindowCanvas(entry.display, &canvas))
        return;
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
}  // namespace

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
bool WindowCanvas(SDL_Window* display, Canvas* canvas)
{
    SDL_Surface* surface = display == nullptr ? nullptr : SDL_GetWindowSurface(display);
    if (surface == nullptr)
        return false;
    *canvas = Canvas();
    canvas->surface = surface;
    canvas->zoom = presenter.zoom;
    return true;
}

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

// ---- Input -------------------------------------------------------------

namespace {
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
            portable::ClickCloseBox(entry->window);
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
}  // namespace

// Gives one event of the display to the window system; returns whether it
// may have queued a message.
bool HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT: {
        Shown* main = MainShown();
        if (main != nullptr)
            portable::ClickCloseBox(main->window);
        return true;
    }
    case SDL_WINDOWEVENT: {
        Shown* entry = ShownOfEvent(event.window.windowID);
        if (entry == nullptr)
            return false;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            portable::ClickCloseBox(entry->window);
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

namespace {
// The window system's input source. Called from WaitMessage it sleeps
// until the display has input the program can take; called from
// PeekMessage (Solve! mode) it only takes what is there. It takes one event
// that gives the program a message at a time, as the real system leaves
// later input in the queue until the program asks for it: a key typed
// after the one that opens a message box goes to the box.
bool TakeInput()
{
    const bool waiting = portable::WaitingForInput();
    // With more input already there (a burst of pointer moves), the windows
    // are drawn at most once a frame; the program is idle, and everything is
    // drawn, once the display has nothing more.
    const bool idle = waiting && SDL_PollEvent(nullptr) == 0;
    Present(idle, idle);
    if (idle)
        Trace("wait");
    bool drawnIdle = idle;
    SDL_Event event;
    for (;;) {
        while (SDL_PollEvent(&event))
            if (HandleEvent(event))
                return true;
        if (!waiting)
            return false;
        if (!drawnIdle) {
            Present(true, true);
            drawnIdle = true;
        }
        if (!presenter.tracedWait)
            Trace("wait");  // still waiting, after an event that gave no message
        if (!SDL_WaitEvent(&event)) {
            std::fprintf(stderr, "blastgrid: the display failed: %s\n", SDL_GetError());
            Shown* main = MainShown();
            if (main != nullptr)
                portable::ClickCloseBox(main->window);
            return main != nullptr;
        }
        if (HandleEvent(event))
            return true;
    }
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
