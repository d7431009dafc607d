#include "platform/desktop/x11.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xproto.h>

#include <cstdlib>

namespace desktop {

namespace {
XErrorHandler replacedHandler = nullptr;

int LetLostWakeUpsPass(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow && error->request_code == X_SendEvent)
        return 0;
    return replacedHandler != nullptr ? replacedHandler(display, error) : 0;
}
}  // namespace

void IgnoreLostWakeUps()
{
    replacedHandler = XSetErrorHandler(LetLostWakeUpsPass);
}

float XftDpi()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 0;
    const char* value = XGetDefault(display, "Xft", "dpi");
    const float dpi = value != nullptr ? static_cast<float>(std::atof(value)) : 0.0f;
    XCloseDisplay(display);
    return dpi > 0 ? dpi : 0;
}

bool ShowWithoutFocus(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    XMapRaised(info.info.x11.display, info.info.x11.window);
    XFlush(info.info.x11.display);
    return true;
}

void RaiseWithoutFocus(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        SDL_RaiseWindow(window);
        return;
    }
    XRaiseWindow(info.info.x11.display, info.info.x11.window);
    XFlush(info.info.x11.display);
}

void HideWithoutFocus(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        SDL_HideWindow(window);
        return;
    }
    XUnmapWindow(info.info.x11.display, info.info.x11.window);
    XFlush(info.info.x11.display);
}

}  // namespace desktop
