// The translation of the display's keys and buttons, as properties of the
// whole keyboard rather than a copy of the table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop/input.h"

using desktop::MouseButtonOf;
using desktop::VirtualKeyOf;

namespace {
// A key's name without the side or the keypad it is on: "Left Alt" and
// "Right Alt", "Keypad 7" and "7", "Keypad Enter" and "Return" name one key.
std::string Twin(std::string name)
{
    for (const char* prefix : {"Left ", "Right ", "Keypad "})
        if (name.rfind(prefix, 0) == 0)
            name = name.substr(std::string(prefix).size());
    return name == "Enter" ? "Return" : name;
}
}  // namespace

TEST(InputTranslation, LettersDigitsAndFunctionKeysKeepTheirOrder)
{
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(VirtualKeyOf(SDLK_a + i), 'A' + i);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(VirtualKeyOf(SDLK_0 + i), '0' + i);
    const SDL_Keycode keypad[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                  SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(VirtualKeyOf(keypad[i]), '0' + i);
    const SDL_Keycode functions[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                     SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(VirtualKeyOf(functions[i]), VK_F1 + i);
}

// Over every key the display knows: two keys give one virtual key only when
// they are twins, and every virtual key given is one the window system
// makes something of.
TEST(InputTranslation, OnlyTwinKeysShareAVirtualKeyAndEveryOneGivenIsKnown)
{
    // SDL's keyboard map is set up with its video.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    std::map<int, std::set<std::string>> namesOf;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const SDL_Keycode key = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(scancode));
        const int virtualKey = VirtualKeyOf(key);
        if (key == SDLK_UNKNOWN || virtualKey == 0)
            continue;
        namesOf[virtualKey].insert(Twin(SDL_GetKeyName(key)));
        const bool known = (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9') ||
                           (virtualKey >= VK_F1 && virtualKey <= VK_F12) || virtualKey == VK_RETURN ||
                           virtualKey == VK_ESCAPE || virtualKey == VK_BACK || virtualKey == VK_TAB ||
                           virtualKey == VK_SPACE || (virtualKey >= VK_LEFT && virtualKey <= VK_DOWN) ||
                           virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU;
        EXPECT_TRUE(known) << SDL_GetKeyName(key) << " gives " << virtualKey;
    }
    for (const auto& entry : namesOf)
        EXPECT_EQ(entry.second.size(), 1u) << "virtual key " << entry.first << " comes from keys of different names";
    for (int virtualKey : {VK_MENU, VK_SHIFT, VK_CONTROL, VK_F10, VK_RETURN, static_cast<int>('H')})
        EXPECT_EQ(namesOf.count(virtualKey), 1u) << virtualKey << " can be typed";
    // Keys the program and the system have no use for give nothing.
    for (SDL_Keycode unused : {SDLK_CAPSLOCK, SDLK_PRINTSCREEN, SDLK_KP_PLUS, SDLK_DELETE, SDLK_HOME})
        EXPECT_EQ(VirtualKeyOf(unused), 0) << SDL_GetKeyName(unused);
    SDL_Quit();
}

TEST(InputTranslation, OnlyTheLeftAndRightButtonsReachTheProgram)
{
    portable::MouseButton button = portable::MouseButton::Right;
    ASSERT_TRUE(MouseButtonOf(SDL_BUTTON_LEFT, &button));
    EXPECT_EQ(button, portable::MouseButton::Left);
    ASSERT_TRUE(MouseButtonOf(SDL_BUTTON_RIGHT, &button));
    EXPECT_EQ(button, portable::MouseButton::Right);
    EXPECT_FALSE(MouseButtonOf(SDL_BUTTON_MIDDLE, &button));
    EXPECT_FALSE(MouseButtonOf(SDL_BUTTON_X1, &button));
}
