#include "platform/desktop/input.h"

namespace desktop {

namespace {
struct KeyRange {
    SDL_Keycode first;
    SDL_Keycode last;
    int firstVirtualKey;
};

// Runs of keys whose virtual keys follow each other.
const KeyRange keyRanges[] = {
    {SDLK_a, SDLK_z, 'A'},
    {SDLK_0, SDLK_9, '0'},
    {SDLK_KP_1, SDLK_KP_9, '1'},
    {SDLK_F1, SDLK_F12, VK_F1},
};

const struct {
    SDL_Keycode key;
    int virtualKey;
} singleKeys[] = {
    {SDLK_KP_0, '0'},         {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE},
    {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB},       {SDLK_SPACE, VK_SPACE},     {SDLK_LEFT, VK_LEFT},
    {SDLK_RIGHT, VK_RIGHT},   {SDLK_UP, VK_UP},         {SDLK_DOWN, VK_DOWN},       {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},  {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},   {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU},
};
}  // namespace

int VirtualKeyOf(SDL_Keycode key)
{
    for (const KeyRange& range : keyRanges)
        if (key >= range.first && key <= range.last)
            return range.firstVirtualKey + (key - range.first);
    for (const auto& single : singleKeys)
        if (single.key == key)
            return single.virtualKey;
    return 0;
}

bool MouseButtonOf(Uint8 button, portable::MouseButton* result)
{
    if (button == SDL_BUTTON_LEFT)
        *result = portable::MouseButton::Left;
    else if (button == SDL_BUTTON_RIGHT)
        *result = portable::MouseButton::Right;
    else
        return false;
    return true;
}

}  // namespace desktop
