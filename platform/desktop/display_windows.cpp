// The display's windows follow the window system's: one for each visible
// top-level window and one for an open drop-down, placed where the window
// system puts them, titled and sized alike; the keyboard goes to the one
// that shows the window system's active window. Each is drawn from the
// window system's views, only where something changed.
#include <algorithm>
#include <string>

#include "platform/desktop/canvas.h"
#include "platform/desktop/controls_view.h"
#include "platform/desktop/menu_view.h"
#include "platform/desktop/message_box_view.h"
#include "platform/desktop/presenter_state.h"
#include "platform/desktop/x11.h"

namespace desktop {

namespace {
bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// A top-level window shows its menu bar and client area; the display's
// window manager draws the frame.
RECT ShownArea(const portable::WindowView& view)
{
    RECT area = view.client;
    if (!IsEmpty(view.menuBar))
        area.top = view.menuBar.top;
    return area;
}

SDL_Point DisplayPosition(POINT screen)
{
    return SDL_Point{presenter.screen.x + screen.x * presenter.zoom, presenter.screen.y + screen.y * presenter.zoom};
}

// Display windows are made but never destroyed while the program runs (see
// x11.h): a window the window system no longer shows is hidden and kept for
// the next one.
bool MakeDisplayWindow(Shown& entry, Uint32 flags)
{
    const SDL_Point at = DisplayPosition({entry.area.left, entry.area.top});
    const int width = std::max<int>(1, (entry.area.right - entry.area.left) * presenter.zoom);
    const int height = std::max<int>(1, (entry.area.bottom - entry.area.top) * presenter.zoom);
    if (entry.window != nullptr && !presenter.spare.empty()) {
        entry.display = presenter.spare.back();
        presenter.spare.pop_back();
        SDL_SetWindowTitle(entry.display, entry.title.c_str());
        SDL_SetWindowSize(entry.display, width, height);
        SDL_SetWindowPosition(entry.display, at.x, at.y);
        SDL_ShowWindow(entry.display);
        entry.fullRedraw = true;
        return true;
    }
    entry.display = SDL_CreateWindow(entry.title.c_str(), at.x, at.y, width, height, flags);
    if (entry.display == nullptr) {
        std::fprintf(stderr, "blastgrid: cannot open a window: %s\n", SDL_GetError());
        return false;
    }
    if (presenter.icon != nullptr && entry.window != nullptr)
        SDL_SetWindowIcon(entry.display, presenter.icon);
    entry.fullRedraw = true;
    return true;
}

// Keeps a display window's size and place those of the area it shows.
void FollowArea(Shown& entry, const RECT& area)
{
    const bool resized = area.right - area.left != entry.area.right - entry.area.left ||
                         area.bottom - area.top != entry.area.bottom - entry.area.top;
    const bool moved = area.left != entry.area.left || area.top != entry.area.top;
    entry.area = area;
    if (resized) {
        SDL_SetWindowSize(entry.display, std::max<int>(1, (area.right - area.left) * presenter.zoom),
                          std::max<int>(1, (area.bottom - area.top) * presenter.zoom));
        entry.fullRedraw = true;
    }
    if (moved) {
        const SDL_Point at = DisplayPosition({area.left, area.top});
        SDL_SetWindowPosition(entry.display, at.x, at.y);
    }
}

// Where the menu bar's titles are in the display window ("left-right" in
// its pixels) and how high the bar is, for tests that click on it.
void TraceTitles(const portable::WindowView& view)
{
    std::string titles;
    for (const portable::MenuTitleView& title : portable::MenuBarOf(view.window))
        titles += (titles.empty() ? "" : " ") + std::to_string((title.rect.left - view.client.left) * presenter.zoom) +
                  "-" + std::to_string((title.rect.right - view.client.left) * presenter.zoom);
    titles += " bar " + std::to_string((view.menuBar.bottom - view.menuBar.top) * presenter.zoom);
    if (titles != presenter.titles) {
        presenter.titles = titles;
        Trace("titles", titles);
    }
}

void SyncTopLevelWindows(const std::vector<portable::WindowView>& views)
{
    for (size_t i = 0; i < presenter.shown.size();) {
        const HWND window = presenter.shown[i].window;
        const bool visible = std::any_of(views.begin(), views.end(),
                                         [window](const portable::WindowView& view) { return view.window == window; });
        if (visible) {
            ++i;
            continue;
        }
        if (presenter.focused == window)
            presenter.focused = nullptr;
        SDL_HideWindow(presenter.shown[i].display);
        presenter.spare.push_back(presenter.shown[i].display);
        presenter.shown.erase(presenter.shown.begin() + static_cast<std::ptrdiff_t>(i));
    }
    for (const portable::WindowView& view : views) {
        Shown* entry = ShownOfWindow(view.window);
        if (entry == nullptr) {
            Shown made;
            made.window = view.window;
            made.title = view.title;
            made.area = ShownArea(view);
            made.messageBox = view.messageBox;
            if (!MakeDisplayWindow(made, 0))
                continue;
            presenter.shown.push_back(made);
            Trace("window", made.title);
            continue;
        }
        FollowArea(*entry, ShownArea(view));
        if (entry->title != view.title) {
            entry->title = view.title;
            SDL_SetWindowTitle(entry->display, view.title.c_str());
        }
    }
    for (const portable::WindowView& view : views)
        if (!IsEmpty(view.menuBar))
            TraceTitles(view);
}

void TraceDropDown(const portable::DropDownView& view)
{
    int title = -1;
    const std::vector<portable::MenuTitleView> titles = portable::MenuBarOf(view.owner);
    for (size_t i = 0; i < titles.size(); ++i)
        if (titles[i].open)
            title = static_cast<int>(i);
    if (title == presenter.dropDownTitle)
        return;
    presenter.dropDownTitle = title;
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(presenter.dropDown.display, &x, &y);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(presenter.dropDown.display, &width, &height);
    // Where the drop-down and its items are on the display, for tests that
    // drive the program with real input.
    Trace("menu", std::to_string(title) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
                      std::to_string(width) + " " + std::to_string(height));
    for (size_t i = 0; i < view.items.size(); ++i)
        Trace("item", std::to_string(i) + " " +
                          std::to_string(y + (view.items[i].rect.top - view.rect.top) * presenter.zoom) + " " +
                          std::to_string(y + (view.items[i].rect.bottom - view.rect.top) * presenter.zoom));
}

// The drop-down opens under its title on the display, where the owner's
// display window really is (a window manager may have moved it). Its
// display window is made once, hidden, and shown and hidden without taking
// the keyboard, which stays with the menu's window.
void SyncDropDown(const portable::DropDownView* view)
{
    Shown& dropDown = presenter.dropDown;
    if (view == nullptr) {
        presenter.dropDownTitle = -1;
        if (presenter.dropDownShown)
            HideWithoutFocus(dropDown.display);
        presenter.dropDownShown = false;
        return;
    }
    if (dropDown.display == nullptr) {
        dropDown.area = view->rect;
        if (!MakeDisplayWindow(dropDown, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_POPUP_MENU |
                                             SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR))
            return;
    }
    const RECT old = dropDown.area;
    FollowArea(dropDown, view->rect);
    const Shown* owner = ShownOfWindow(view->owner);
    const bool opening = !presenter.dropDownShown;
    if (owner != nullptr && (opening || old.left != view->rect.left || old.top != view->rect.top)) {
        int x = 0;
        int y = 0;
        SDL_GetWindowPosition(owner->display, &x, &y);
        SDL_SetWindowPosition(dropDown.display, x + (view->rect.left - owner->area.left) * presenter.zoom,
                              y + (view->rect.top - owner->area.top) * presenter.zoom);
    }
    if (opening && !ShowWithoutFocus(dropDown.display))
        SDL_ShowWindow(dropDown.display);
    presenter.dropDownShown = true;
    dropDown.fullRedraw = true;
    TraceDropDown(*view);
}

// Without a window manager nothing moves the keyboard between windows or
// raises them: the display window of the window system's active window is
// raised and given the keyboard whenever that window changes. An open
// drop-down stays on top.
void FollowActiveWindow(const std::vector<portable::WindowView>& views)
{
    HWND active = nullptr;
    for (const portable::WindowView& view : views)
        if (view.active)
            active = view.window;
    const Shown* entry = ShownOfWindow(active);
    if (entry == nullptr || active == presenter.focused)
        return;
    presenter.focused = active;
    SDL_RaiseWindow(entry->display);
    SDL_SetWindowInputFocus(entry->display);
    if (presenter.dropDownShown)
        RaiseWithoutFocus(presenter.dropDown.display);
}

void TraceMenuAndBoxes(bool menuInUse, size_t boxes, const std::vector<portable::WindowView>& views)
{
    if (presenter.menuInUse && !menuInUse)
        Trace("menu closed");
    presenter.menuInUse = menuInUse;
    if (boxes > presenter.boxes)
        for (const portable::WindowView& view : views)
            if (view.messageBox && view.window == portable::OpenMessageBoxes().back().window)
                Trace("box", view.title);
    if (boxes < presenter.boxes)
        Trace("box closed");
    presenter.boxes = boxes;
}

SDL_Rect ScaledRect(const RECT& rect)
{
    return SDL_Rect{rect.left * presenter.zoom, rect.top * presenter.zoom, (rect.right - rect.left) * presenter.zoom,
                    (rect.bottom - rect.top) * presenter.zoom};
}

bool CanvasOf(SDL_Window* display, Canvas* canvas)
{
    SDL_Surface* surface = display == nullptr ? nullptr : SDL_GetWindowSurface(display);
    if (surface == nullptr)
        return false;
    *canvas = Canvas();
    canvas->surface = surface;
    canvas->zoom = presenter.zoom;
    return true;
}

// A top-level window: its menu bar whenever anything changed, the part of
// its client area that changed, and the controls over it.
void DrawWindow(Shown& entry, const portable::WindowView& view, bool everything)
{
    Canvas canvas;
    if (!CanvasOf(entry.display, &canvas))
        return;
    std::vector<SDL_Rect> updated;
    const RECT client = {view.client.left - entry.area.left, view.client.top - entry.area.top,
                         view.client.right - entry.area.left, view.client.bottom - entry.area.top};
    if (!IsEmpty(view.menuBar)) {
        const RECT bar = {0, 0, view.menuBar.right - view.menuBar.left, view.menuBar.bottom - view.menuBar.top};
        DrawMenuBar(canvas, bar, portable::MenuBarOf(view.window), {view.menuBar.left, view.menuBar.top});
        updated.push_back(ScaledRect(bar));
    }
    RECT damage = {0, 0, 0, 0};
    const bool damaged = portable::TakeDamage(view.window, &damage);
    // Controls other than pictures are drawn over the renderer's image: the
    // whole client area is drawn again when there are any.
    const std::vector<portable::ControlView> controls = portable::ControlsOtherThanPictures(view.window);
    if (everything || entry.fullRedraw || (damaged && !controls.empty()))
        damage = {0, 0, client.right - client.left, client.bottom - client.top};
    else if (!damaged)
        damage = {0, 0, 0, 0};
    if (!IsEmpty(damage)) {
        canvas.originX = client.left * presenter.zoom;
        canvas.originY = client.top * presenter.zoom;
        const portable::Image image = portable::RenderClientArea(view.window, damage);
        DrawImage(canvas, image, damage.left, damage.top);
        DrawControls(canvas, controls);
        RECT onWindow = damage;
        OffsetRect(&onWindow, client.left, client.top);
        updated.push_back(ScaledRect(onWindow));
    }
    entry.fullRedraw = false;
    if (!updated.empty())
        SDL_UpdateWindowSurfaceRects(entry.display, updated.data(), static_cast<int>(updated.size()));
}

void DrawBox(Shown& entry)
{
    Canvas canvas;
    if (!CanvasOf(entry.display, &canvas))
        return;
    for (const portable::MessageBoxView& box : portable::OpenMessageBoxes())
        if (box.window == entry.window)
            DrawMessageBox(canvas, box);
    entry.fullRedraw = false;
    SDL_UpdateWindowSurface(entry.display);
}

void DrawDropDownWindow(const portable::DropDownView& view)
{
    Canvas canvas;
    if (!CanvasOf(presenter.dropDown.display, &canvas))
        return;
    DrawDropDown(canvas, view);
    presenter.dropDown.fullRedraw = false;
    SDL_UpdateWindowSurface(presenter.dropDown.display);
}
}  // namespace

Shown* ShownOfDisplay(Uint32 windowId)
{
    SDL_Window* display = SDL_GetWindowFromID(windowId);
    if (display == nullptr)
        return nullptr;
    if (presenter.dropDown.display == display)
        return presenter.dropDownShown ? &presenter.dropDown : nullptr;
    for (Shown& entry : presenter.shown)
        if (entry.display == display)
            return &entry;
    return nullptr;
}

Shown* ShownOfWindow(HWND window)
{
    for (Shown& entry : presenter.shown)
        if (entry.window == window)
            return &entry;
    return nullptr;
}

void DrawChanges(bool everything)
{
    const uint64_t changes = portable::DisplayChangeCount();
    if (!everything && changes == presenter.drawnChanges && !presenter.exposed)
        return;
    presenter.drawnChanges = changes;
    presenter.exposed = false;
    presenter.lastFrame = SDL_GetTicks();

    const std::vector<portable::WindowView> views = portable::VisibleWindows();
    SyncTopLevelWindows(views);
    portable::DropDownView dropDown;
    const bool dropDownOpen = portable::OpenDropDown(&dropDown);
    SyncDropDown(dropDownOpen ? &dropDown : nullptr);
    FollowActiveWindow(views);
    bool menuInUse = dropDownOpen;
    for (const portable::WindowView& view : views)
        for (const portable::MenuTitleView& title : portable::MenuBarOf(view.window))
            menuInUse = menuInUse || title.selected;
    TraceMenuAndBoxes(menuInUse, portable::OpenMessageBoxes().size(), views);

    for (const portable::WindowView& view : views) {
        Shown* entry = ShownOfWindow(view.window);
        if (entry == nullptr)
            continue;
        if (entry->messageBox)
            DrawBox(*entry);
        else
            DrawWindow(*entry, view, everything);
    }
    if (dropDownOpen)
        DrawDropDownWindow(dropDown);
    ++presenter.frames;
    Trace("frame", std::to_string(presenter.frames));
}

void WriteSnapshot()
{
    if (presenter.snapshotPath.empty() || presenter.snapshotChanges == portable::DisplayChangeCount())
        return;
    presenter.snapshotChanges = portable::DisplayChangeCount();
    for (const portable::WindowView& view : portable::VisibleWindows()) {
        if (IsEmpty(view.menuBar))
            continue;
        const std::string partial = presenter.snapshotPath + ".part";
        if (portable::WritePng(portable::RenderClientArea(view.window), partial))
            std::rename(partial.c_str(), presenter.snapshotPath.c_str());
    }
}

}  // namespace desktop
