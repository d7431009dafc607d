// The display's events as the window system's input: pointer positions
// mapped back to its screen at 1×, buttons and keys as a device gives them,
// and the window manager's requests. Where input goes and what it does is
// the window system's business.
#include "platform/desktop/input.h"
#include "platform/desktop/presenter_state.h"
#include "platform/desktop/zoom.h"

namespace desktop {

namespace {
// The window system's screen point under a point of a display window.
bool ScreenPointOf(Uint32 windowId, int x, int y, POINT* point)
{
    const Shown* entry = ShownOfDisplay(windowId);
    if (entry == nullptr)
        return false;
    const POINT inside = ProgramPoint(x, y, presenter.zoom);
    *point = {entry->area.left + inside.x, entry->area.top + inside.y};
    return true;
}

bool HandleMouse(const SDL_Event& event)
{
    POINT point;
    if (event.type == SDL_MOUSEMOTION) {
        if (!ScreenPointOf(event.motion.windowID, event.motion.x, event.motion.y, &point))
            return false;
        portable::MovePointer(point);
        return true;
    }
    portable::MouseButton button;
    if (!MouseButtonOf(event.button.button, &button) ||
        !ScreenPointOf(event.button.windowID, event.button.x, event.button.y, &point))
        return false;
    if (event.type == SDL_MOUSEBUTTONDOWN)
        portable::PressButton(button, point);
    else
        portable::ReleaseButton(button, point);
    return true;
}

bool HandleKey(const SDL_Event& event)
{
    const int key = VirtualKeyOf(event.key.keysym.sym);
    if (key == 0)
        return false;
    if (event.type == SDL_KEYDOWN) {
        portable::KeyDown(key, event.key.repeat != 0);
        Trace("key", std::to_string(key));
    } else {
        portable::KeyUp(key);
    }
    return true;
}

bool HandleWindowEvent(const SDL_Event& event)
{
    Shown* entry = ShownOfDisplay(event.window.windowID);
    if (entry == nullptr)
        return false;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        if (entry->window == nullptr)
            return false;
        portable::RequestClose(entry->window);
        return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (entry->window != nullptr)
            portable::ActivateTopLevel(entry->window);
        return false;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        entry->fullRedraw = true;
        presenter.exposed = true;
        return false;
    default:
        return false;
    }
}
}  // namespace

bool HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        // A signal (Ctrl+C, SIGTERM): the session ends, whatever is open.
        portable::EndSession(0);
        return true;
    case SDL_WINDOWEVENT:
        return HandleWindowEvent(event);
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

}  // namespace desktop
