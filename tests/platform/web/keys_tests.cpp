#include <gtest/gtest.h>

#include <string>

#include "platform/web/keys.h"
#include "platform/win32.h"

using web::KeepFromBrowser;
using web::VirtualKeyOf;

TEST(WebKeys, TheProgramsKeysGetTheirVirtualKeys)
{
    EXPECT_EQ(VirtualKeyOf("F2", "F2"), VK_F2);
    EXPECT_EQ(VirtualKeyOf("F3", "F3"), VK_F3);
    EXPECT_EQ(VirtualKeyOf("F10", "F10"), VK_F10);
    EXPECT_EQ(VirtualKeyOf("F12", "F12"), VK_F1 + 11);
    EXPECT_EQ(VirtualKeyOf("KeyH", "h"), 'H');
    EXPECT_EQ(VirtualKeyOf("KeyH", "H"), 'H');
    EXPECT_EQ(VirtualKeyOf("Enter", "Enter"), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf("NumpadEnter", "Enter"), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf("Escape", "Escape"), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyOf("Space", " "), VK_SPACE);
    EXPECT_EQ(VirtualKeyOf("Backspace", "Backspace"), VK_BACK);
    EXPECT_EQ(VirtualKeyOf("ArrowUp", "ArrowUp"), VK_UP);
    EXPECT_EQ(VirtualKeyOf("ArrowLeft", "ArrowLeft"), VK_LEFT);
    EXPECT_EQ(VirtualKeyOf("AltLeft", "Alt"), VK_MENU);
    EXPECT_EQ(VirtualKeyOf("AltRight", "AltGraph"), VK_MENU);
    EXPECT_EQ(VirtualKeyOf("ShiftRight", "Shift"), VK_SHIFT);
    EXPECT_EQ(VirtualKeyOf("ControlLeft", "Control"), VK_CONTROL);
}

TEST(WebKeys, EveryLetterAndDigitKeyGivesItsOwnKey)
{
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string code = std::string("Key") + letter;
        EXPECT_EQ(VirtualKeyOf(code, std::string(1, static_cast<char>(letter - 'A' + 'a'))), letter) << code;
    }
    for (char digit = '0'; digit <= '9'; ++digit) {
        EXPECT_EQ(VirtualKeyOf(std::string("Digit") + digit, std::string(1, digit)), digit);
        EXPECT_EQ(VirtualKeyOf(std::string("Numpad") + digit, std::string(1, digit)), digit);
    }
}

TEST(WebKeys, LettersFollowTheLayoutAndFallBackToTheirPlace)
{
    // On a French keyboard the key in the Q place types "a": it is A.
    EXPECT_EQ(VirtualKeyOf("KeyQ", "a"), 'A');
    // Alt+G types a symbol on some systems: the key's place decides.
    EXPECT_EQ(VirtualKeyOf("KeyG", "\xC2\xA9"), 'G');
    EXPECT_EQ(VirtualKeyOf("KeyG", "Dead"), 'G');
}

TEST(WebKeys, KeysNobodyHereUsesAreDropped)
{
    EXPECT_EQ(VirtualKeyOf("CapsLock", "CapsLock"), 0);
    EXPECT_EQ(VirtualKeyOf("NumpadAdd", "+"), 0);
    EXPECT_EQ(VirtualKeyOf("F13", "F13"), 0);
    EXPECT_EQ(VirtualKeyOf("F0", "F0"), 0);
    EXPECT_EQ(VirtualKeyOf("F", "F"), 0);
    EXPECT_EQ(VirtualKeyOf("Key", "k"), 0);
    EXPECT_EQ(VirtualKeyOf("Key1", "1"), 0);
    EXPECT_EQ(VirtualKeyOf("Digit", ""), 0);
    EXPECT_EQ(VirtualKeyOf("", ""), 0);
}

TEST(WebKeys, ThePageKeepsTheProgramsKeysFromTheBrowser)
{
    // F3 (find), Alt and F10 (the browser's menu), arrows and Tab (focus,
    // scrolling), letters for mnemonics.
    for (int key : {VK_F2, VK_F3, VK_F10, VK_MENU, VK_UP, VK_TAB, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_BACK,
                    static_cast<int>('H'), static_cast<int>('G')})
        EXPECT_TRUE(KeepFromBrowser(key, false, false)) << key;
    // With Control or Meta the key is the browser's (copy, reload, close a tab).
    EXPECT_FALSE(KeepFromBrowser('R', true, false));
    EXPECT_FALSE(KeepFromBrowser('W', false, true));
    // Reload, full screen and the developer tools stay the browser's.
    EXPECT_FALSE(KeepFromBrowser(VK_F5, false, false));
    EXPECT_FALSE(KeepFromBrowser(VK_F1 + 10, false, false));
    EXPECT_FALSE(KeepFromBrowser(VK_F1 + 11, false, false));
    EXPECT_FALSE(KeepFromBrowser(0, false, false));
}
