#include "platform/web/presenter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "platform/web/browser.h"
#include "platform/web/changes.h"
#include "platform/web/keys.h"
#include "platform/web/pointer.h"
#include "platform/web/scene.h"
#include "platform/web/window_system.h"
#include "platform/web/zoom.h"

namespace web {

namespace {
// In Solve! mode the program runs this long in each animation frame, and
// leaves the rest to the browser's own work (input, layout, compositing).
constexpr double frameBudgetMilliseconds = 10;

struct Presenter {
    PageMetrics page;
    PageMap map;
    std::vector<driver::WindowView> windows;  // as last shown, bottom to top
    MouseState mouse;
    TouchGestures touch;
    POINT pointer = {0, 0};             // the last screen point given to the window system
    bool pointerGiven = false;          // whether one was
    bool pressTaken[2] = {false, false};  // a button's press went to the window manager, not the program
    std::vector<int> keysDown;
    std::string shownScene;
    uint64_t shownChange = 0;  // the window system's change count when last shown
    TouchFeedback shownTouch;  // the feedback under a finger when last shown
    bool shown = false;
    std::map<HWND, ShownPixels> painted;  // what each window's canvas shows
    std::vector<uint8_t> rgba;
    double frameStart = 0;
    bool ended = false;
    int exitCode = 0;
};

Presenter presenter;

int ButtonIndex(Button button)
{
    return button == Button::Left ? 0 : 1;
}

driver::MouseButton DriverButton(Button button)
{
    return button == Button::Left ? driver::MouseButton::Left : driver::MouseButton::Right;
}

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

bool Contains(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// The window with the menu bar: the program's main window.
const driver::WindowView* MainWindow(const std::vector<driver::WindowView>& windows)
{
    for (const driver::WindowView& view : windows)
        if (!IsEmpty(view.menuBar))
            return &view;
    return windows.empty() ? nullptr : &windows.front();
}

// The page map for the windows as they are now: the zoom that fits the main
// window, which is centred on the page. Every other window keeps its place
// relative to it; as the program and the window system centre windows on
// the screen, the screen's centre is the page's.
void PlacePage(const std::vector<driver::WindowView>& windows)
{
    presenter.page = ReadPageMetrics();
    const driver::WindowView* main = MainWindow(windows);
    RECT frame = {0, 0, 1, 1};
    if (main != nullptr)
        frame = main->frame;
    const SIZE size = {frame.right - frame.left, frame.bottom - frame.top};
    const int zoom = ChooseZoom(presenter.page.requestedZoom, size, presenter.page.width, presenter.page.height,
                                presenter.page.devicePixelRatio);
    presenter.map = CentreOnPage(frame, zoom, presenter.page.devicePixelRatio, presenter.page.width,
                                 presenter.page.height);
}

// The part of a window's client area that the window system says changed,
// rendered, and sent to its canvas where its pixels differ from what the
// canvas shows; everything when the canvas is new or changed its size.
void PaintWindow(HWND window, LONG width, LONG height)
{
    ShownPixels& shown = presenter.painted[window];
    const bool fresh = ResizeShown(shown, width, height);
    RECT area = {0, 0, width, height};
    if (!driver::TakeDamage(window, &area) && !fresh)
        return;
    if (fresh)
        area = RECT{0, 0, width, height};
    area = RECT{std::max<LONG>(area.left, 0), std::max<LONG>(area.top, 0), std::min(area.right, width),
                std::min(area.bottom, height)};
    if (IsEmpty(area))
        return;
    const driver::Image image = driver::RenderClientArea(window, area);
    const std::vector<RECT> changes = TakeChanges(shown, image, area);
    if (changes.empty())
        return;
    PackRgba(shown, changes, &presenter.rgba);
    PaintClientArea(reinterpret_cast<uintptr_t>(window), width, height, changes, presenter.rgba.data());
}

// Shows every window as it now is: the scene when it changed, and the
// pixels of every client area that changed.
void Present()
{
    // Nothing new in the window system, on the page or under a finger:
    // nothing to draw.
    const uint64_t change = driver::DisplayChangeCount();
    const PageMetrics page = ReadPageMetrics();
    const bool samePage = page.width == presenter.page.width && page.height == presenter.page.height &&
                          page.devicePixelRatio == presenter.page.devicePixelRatio;
    const TouchFeedback touch = FeedbackOf(presenter.touch);
    const TouchFeedback& before = presenter.shownTouch;
    const bool sameTouch = touch.visible == before.visible && touch.longPressed == before.longPressed &&
                           touch.startTime == before.startTime;
    if (presenter.shown && change == presenter.shownChange && samePage && sameTouch && !presenter.ended)
        return;
    presenter.shown = true;
    presenter.shownChange = change;
    presenter.shownTouch = touch;
    Scene scene;
    scene.windows = driver::VisibleWindows();
    PlacePage(scene.windows);
    for (const driver::WindowView& view : scene.windows) {
        scene.menuBars.push_back(driver::MenuBarOf(view.window));
        // The main window's children are the board's pictures, which its
        // client area's pixels show: only the other windows' controls are
        // drawn as elements (and asking for thousands of pictures each
        // frame would cost the frame).
        const bool controls = !view.messageBox && IsEmpty(view.menuBar);
        scene.controls.push_back(controls ? driver::ControlsOf(view.window) : std::vector<driver::ControlView>());
    }
    scene.dropDownOpen = driver::OpenDropDown(&scene.dropDown);
    scene.boxes = driver::OpenMessageBoxes();
    scene.touch = FeedbackOf(presenter.touch);
    scene.ended = presenter.ended;
    scene.exitCode = presenter.exitCode;
    std::string json = SceneJson(scene, presenter.map);
    if (json != presenter.shownScene) {
        ShowScene(json);
        presenter.shownScene = std::move(json);
    }
    std::map<HWND, ShownPixels> stillShown;
    for (const driver::WindowView& view : scene.windows) {
        if (view.messageBox)
            continue;
        PaintWindow(view.window, view.client.right - view.client.left, view.client.bottom - view.client.top);
        stillShown[view.window] = std::move(presenter.painted[view.window]);
    }
    presenter.painted.swap(stillShown);
    presenter.windows = std::move(scene.windows);
}

// ---- Input ---------------------------------------------------------------

// The window manager's part of a press: on a caption it brings the window
// to the front, on the close box it asks the window to close. Returns
// whether the press was the window manager's.
bool PressOnFrame(POINT point)
{
    for (auto view = presenter.windows.rbegin(); view != presenter.windows.rend(); ++view) {
        if (!Contains(view->frame, point))
            continue;
        const RECT caption = CaptionOf(*view);
        if (!Contains(caption, point))
            return false;
        if (Contains(CloseBoxOf(caption), point))
            driver::RequestClose(view->window);
        else
            driver::ActivateTopLevel(view->window);
        return true;
    }
    return false;
}

bool Perform(const std::vector<PointerAction>& actions)
{
    bool gave = false;
    for (const PointerAction& action : actions) {
        const POINT point = ScreenPointAt(presenter.map, action.x, action.y);
        // A mouse reports moves, and the page tells of elements coming
        // under a still pointer: only a new place is a move.
        const bool moved = !presenter.pointerGiven || point.x != presenter.pointer.x || point.y != presenter.pointer.y;
        presenter.pointer = point;
        presenter.pointerGiven = true;
        const int index = ButtonIndex(action.button);
        switch (action.kind) {
        case PointerAction::Move:
            if (!moved)
                continue;
            driver::MovePointer(point);
            break;
        case PointerAction::Press:
            presenter.pressTaken[index] = PressOnFrame(point);
            if (!presenter.pressTaken[index])
                driver::PressButton(DriverButton(action.button), point);
            break;
        case PointerAction::Release:
            if (presenter.pressTaken[index])
                presenter.pressTaken[index] = false;
            else
                driver::ReleaseButton(DriverButton(action.button), point);
            break;
        }
        gave = true;
    }
    return gave;
}

bool IsDown(int key)
{
    for (int down : presenter.keysDown)
        if (down == key)
            return true;
    return false;
}

bool Key(const BrowserEvent& event)
{
    const int key = VirtualKeyOf(event.code, event.key);
    if (key == 0)
        return false;
    if (event.type == EventType::KeyDown) {
        const bool repeat = event.repeat || IsDown(key);
        if (!IsDown(key))
            presenter.keysDown.push_back(key);
        driver::KeyDown(key, repeat);
        return true;
    }
    if (!IsDown(key))
        return false;
    for (size_t i = 0; i < presenter.keysDown.size(); ++i)
        if (presenter.keysDown[i] == key)
            presenter.keysDown.erase(presenter.keysDown.begin() + static_cast<std::ptrdiff_t>(i));
    driver::KeyUp(key);
    return true;
}

// Everything held is let go: the page will not hear of the releases.
bool LetGo()
{
    std::vector<PointerAction> actions;
    ReleaseMouse(presenter.mouse, 0, 0, &actions);
    TouchCancel(presenter.touch);
    bool gave = false;
    for (PointerAction& action : actions) {
        const int index = ButtonIndex(action.button);
        if (presenter.pressTaken[index]) {
            presenter.pressTaken[index] = false;
            continue;
        }
        driver::ReleaseButton(DriverButton(action.button), presenter.pointer);
        gave = true;
    }
    const std::vector<int> keys = presenter.keysDown;
    presenter.keysDown.clear();
    for (int key : keys) {
        driver::KeyUp(key);
        gave = true;
    }
    return gave;
}

// Gives one event of the page to the window system; returns whether it
// gave it input.
bool Deliver(const BrowserEvent& event)
{
    std::vector<PointerAction> actions;
    switch (event.type) {
    case EventType::Mouse:
        TakeMouseEvent(presenter.mouse, event.buttons, event.x, event.y, &actions);
        return Perform(actions);
    case EventType::TouchStart:
        TouchStart(presenter.touch, event.finger, event.x, event.y, event.time, &actions);
        return Perform(actions);
    case EventType::TouchMove:
        TouchMove(presenter.touch, event.finger, event.x, event.y);
        return false;
    case EventType::TouchEnd:
        TouchEnd(presenter.touch, event.finger, event.time, &actions);
        return Perform(actions);
    case EventType::TouchCancel:
        TouchCancel(presenter.touch);
        return false;
    case EventType::Tick:
        TouchTick(presenter.touch, event.time, &actions);
        return Perform(actions);
    case EventType::KeyDown:
    case EventType::KeyUp:
        return Key(event);
    case EventType::Blur:
        return LetGo();
    case EventType::Resize:
        Present();
        return false;
    case EventType::None:
        break;
    }
    return false;
}

// Takes the page's events until one gives the window system input.
bool DeliverQueued()
{
    BrowserEvent event;
    while (TakeBrowserEvent(&event))
        if (Deliver(event))
            return true;
    return false;
}

// The window system's input source. Called from WaitMessage (and the
// system's modal loops) it draws and yields until the page has input for
// the program; called from PeekMessage (the program never waits: Solve!
// mode) it yields only once a frame's budget is spent, draws in the next
// frame, and gives whatever input came meanwhile. As the real system does,
// it gives one event of input at a time, leaving the rest queued.
bool TakeInput()
{
    if (!driver::WaitingForInput()) {
        if (NowMilliseconds() - presenter.frameStart >= frameBudgetMilliseconds) {
            WaitForFrame();
            presenter.frameStart = NowMilliseconds();
            Present();
        }
        return DeliverQueued();
    }
    for (;;) {
        if (DeliverQueued())
            return true;
        Present();
        SetIdle(true);
        WaitForEvent();
        SetIdle(false);
        presenter.frameStart = NowMilliseconds();
    }
}

DWORD TickCount()
{
    // Wrapping milliseconds, at the clock's own pace: since 1970 rather
    // than since the page began, so the program's seed (the tick count at
    // start) differs from one visit to the next.
    return static_cast<DWORD>(std::fmod(std::floor(EpochMilliseconds()), 4294967296.0));
}

void ShowIcon()
{
    const driver::Icon icon = driver::IconResource("icon");
    if (icon.image.width == 0)
        return;
    std::vector<uint8_t> rgba;
    for (size_t i = 0; i < icon.image.pixels.size(); ++i) {
        const driver::Rgb pixel = icon.image.pixels[i];
        rgba.insert(rgba.end(), {pixel.r, pixel.g, pixel.b, static_cast<uint8_t>(icon.opaque[i] ? 255 : 0)});
    }
    SetPageIcon(icon.image.width, icon.image.height, rgba.data());
}
}  // namespace

void StartPresenter()
{
    presenter = Presenter();
    driver::SetTickSource(TickCount);
    driver::SetTextMeasure([](const std::string& text) { return MeasureText(text, textPixels); });
    // The screen, once: the page at one program pixel a CSS pixel. It stays
    // as it is when the page changes, as a display's does under a running
    // program; the program centres its windows on it, and its centre is the
    // page's.
    presenter.page = ReadPageMetrics();
    const int cssPixel = static_cast<int>(std::lround(presenter.page.devicePixelRatio));
    const SIZE screen = ScreenSizeOf(cssPixel < 1 ? 1 : cssPixel, presenter.page.devicePixelRatio,
                                     presenter.page.width, presenter.page.height);
    driver::SetScreenSize(screen.cx, screen.cy);
    driver::SetInputSource(TakeInput);
    ShowIcon();
    presenter.frameStart = NowMilliseconds();
}

void ShowEnded(int exitCode)
{
    presenter.ended = true;
    presenter.exitCode = exitCode;
    driver::SetInputSource(nullptr);
    Present();
}

}  // namespace web
