// Message boxes on the display: the window system's message-box handler
// shows a box and runs its modal loop until it is dismissed.
#include <SDL.h>

#include <string>
#include <vector>

#include "platform/desktop/canvas.h"
#include "platform/desktop/input.h"
#include "platform/desktop/menu_tracker.h"
#include "platform/desktop/menu_view.h"
#include "platform/desktop/presenter_state.h"
#include "platform/desktop/message_box_view.h"
#include "platform/desktop/zoom.h"

namespace desktop {

void DrawBox(Box& box)
{
    Canvas canvas;
    if (!WindowCanvas(box.display, &canvas))
        return;
    DrawMessageBox(canvas, box.layout, box.type, box.okPressed);
    SDL_UpdateWindowSurface(box.display);
}

namespace {
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
}  // namespace

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
            portable::ClickCloseBox(main->window);
    }
    return IDOK;
}

}  // namespace desktop
