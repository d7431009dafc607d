#include "platform/desktop/presenter.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/desktop/presenter_state.h"
#include "platform/desktop/text.h"
#include "platform/desktop/x11.h"
#include "platform/desktop/zoom.h"

namespace desktop {

// At most one frame per display refresh while input keeps coming.
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

bool FrameDue()
{
    return SDL_GetTicks() - presenter.lastFrame >= frameMilliseconds;
}

// The window system's input source. It gives the window system one display
// event that makes input at a time, as the real system leaves later input
// in the queue until it is asked for it (a key typed after the one that
// opens a message box goes to the box). While the program, or a menu or box
// of the window system, waits, it draws what changed and sleeps until the
// display has input; otherwise (Solve! mode) it takes only what is there
// and draws at most once a frame.
bool TakeInput()
{
    const bool waiting = portable::WaitingForInput();
    if (FrameDue())
        DrawChanges(false);
    SDL_Event event;
    for (;;) {
        while (SDL_PollEvent(&event))
            if (HandleEvent(event))
                return true;
        if (!waiting)
            return false;
        DrawChanges(false);
        WriteSnapshot();
        if (!presenter.tracedWait)
            Trace("wait");
        if (!SDL_WaitEvent(&event)) {
            std::fprintf(stderr, "blastgrid: the display failed: %s\n", SDL_GetError());
            portable::EndSession(1);
            return true;
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

// The display's scale for the program: GDK_SCALE, as desktops set it.
int DisplayScale()
{
    const char* scale = std::getenv("GDK_SCALE");
    return scale == nullptr ? 0 : ParseZoom(scale);
}

// The display's dots per inch: X's Xft.dpi resource, which desktops set for
// high-density screens, else what SDL reports.
float DisplayDpi()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "x11") == 0) {
        const float xft = XftDpi();
        if (xft > 0)
            return xft;
    }
    float dpi = 0;
    if (SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) != 0)
        dpi = 0;
    return dpi;
}

// A real display only: SDL would fall back on drivers that show nothing.
// SDL_VIDEODRIVER still chooses any driver, for tests.
bool OpenDisplay()
{
    IgnoreLostWakeUps();
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (chosen == nullptr || *chosen == '\0')
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
    // Window surfaces are drawn by the program: no GL, and its memory, for them.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Closing a window is the program's business; only a signal quits.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "blastgrid: cannot open the display%s%s%s: %s\n", display ? " \"" : "",
                     display ? display : "", display ? "\"" : " (DISPLAY is not set)", SDL_GetError());
        return false;
    }
    // Keys are keys: no input method between the keyboard and the program.
    SDL_StopTextInput();
    return true;
}
}  // namespace

bool StartPresenter(const PresenterOptions& options)
{
    if (!OpenDisplay())
        return false;
    if (!OpenFonts()) {
        SDL_Quit();
        return false;
    }
    presenter = Presenter();
    if (SDL_GetDisplayUsableBounds(0, &presenter.screen) != 0)
        presenter.screen = SDL_Rect{0, 0, 1024, 768};
    bool reduced = false;
    presenter.zoom = ChooseZoom(options.zoom, DisplayScale(), DisplayDpi(), presenter.screen.w, presenter.screen.h,
                                &reduced);
    if (reduced)
        std::fprintf(stderr, "blastgrid: zoom %d does not fit this %dx%d screen; using %d\n", options.zoom,
                     presenter.screen.w, presenter.screen.h, presenter.zoom);
    presenter.icon = IconSurface();
    presenter.snapshotPath = options.snapshotPath;
    if (!options.tracePath.empty()) {
        presenter.trace = std::fopen(options.tracePath.c_str(), "w");
        if (presenter.trace == nullptr)
            std::fprintf(stderr, "blastgrid: cannot write %s\n", options.tracePath.c_str());
    }
    Trace("zoom", std::to_string(presenter.zoom));

    portable::SetScreenSize(presenter.screen.w / presenter.zoom, presenter.screen.h / presenter.zoom);
    portable::SetTextMeasure(TextWidth);
    portable::SetTickSource(MonotonicMilliseconds);
    portable::SetInputSource(TakeInput);
    return true;
}

void StopPresenter()
{
    portable::SetInputSource(nullptr);
    portable::SetTextMeasure(nullptr);
    if (presenter.dropDown.display != nullptr)
        SDL_DestroyWindow(presenter.dropDown.display);
    for (Shown& entry : presenter.shown)
        SDL_DestroyWindow(entry.display);
    for (SDL_Window* spare : presenter.spare)
        SDL_DestroyWindow(spare);
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

void DrawEverythingNow()
{
    DrawChanges(true);
}

SDL_Window* DisplayWindowOf(HWND window)
{
    const Shown* entry = ShownOfWindow(window);
    return entry == nullptr ? nullptr : entry->display;
}

}  // namespace desktop
