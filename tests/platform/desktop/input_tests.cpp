#include <gtest/gtest.h>

#include "platform/desktop/input.h"

using desktop::MouseButtonOf;
using desktop::VirtualKeyOf;

TEST(InputTranslation, TheProgramsKeysGetTheirVirtualKeys)
{
    EXPECT_EQ(VirtualKeyOf(SDLK_F2), VK_F2);
    EXPECT_EQ(VirtualKeyOf(SDLK_F3), VK_F3);
    EXPECT_EQ(VirtualKeyOf(SDLK_F10), VK_F10);
    EXPECT_EQ(VirtualKeyOf(SDLK_h), 'H');
    EXPECT_EQ(VirtualKeyOf(SDLK_a), 'A');
    EXPECT_EQ(VirtualKeyOf(SDLK_z), 'Z');
    EXPECT_EQ(VirtualKeyOf(SDLK_0), '0');
    EXPECT_EQ(VirtualKeyOf(SDLK_9), '9');
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_0), '0');
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_7), '7');
    EXPECT_EQ(VirtualKeyOf(SDLK_RETURN), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyOf(SDLK_BACKSPACE), VK_BACK);
    EXPECT_EQ(VirtualKeyOf(SDLK_TAB), VK_TAB);
    EXPECT_EQ(VirtualKeyOf(SDLK_SPACE), VK_SPACE);
    EXPECT_EQ(VirtualKeyOf(SDLK_LEFT), VK_LEFT);
    EXPECT_EQ(VirtualKeyOf(SDLK_DOWN), VK_DOWN);
    EXPECT_EQ(VirtualKeyOf(SDLK_LALT), VK_MENU);
    EXPECT_EQ(VirtualKeyOf(SDLK_RALT), VK_MENU);
    EXPECT_EQ(VirtualKeyOf(SDLK_RSHIFT), VK_SHIFT);
    // Keys nobody here uses are dropped, not passed as something else.
    EXPECT_EQ(VirtualKeyOf(SDLK_CAPSLOCK), 0);
    EXPECT_EQ(VirtualKeyOf(SDLK_PRINTSCREEN), 0);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_PLUS), 0);
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
