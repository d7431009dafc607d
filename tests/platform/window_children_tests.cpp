// The children of a window, which a board holds by the thousand: found in
// creation order however many were destroyed between, and gone with their
// parent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/portable/testing.h"
#include "platform/win32.h"

namespace {
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);

HWND MakeChild(HWND parent, const char* name, DWORD style = SS_BITMAP)
{
    return CreateWindowExA(0, "static", name, WS_CHILD | WS_VISIBLE | style, 0, 0, 40, 40, parent, nullptr,
                           programInstance, nullptr);
}

std::string Name(HWND window)
{
    char text[32] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM found)
{
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

std::vector<std::string> Names(const std::vector<HWND>& windows)
{
    std::vector<std::string> names;
    for (HWND window : windows)
        names.push_back(Name(window));
    return names;
}
}  // namespace

TEST(WindowChildren, AreFoundInCreationOrderHoweverManyWereDestroyedBetween)
{
    const HWND main = CreateWindowExA(0, "static", "main", WS_VISIBLE | WS_BORDER | WS_SYSMENU, 100, 100, 200, 100,
                                      nullptr, nullptr, nullptr, nullptr);
    std::vector<HWND> pictures;
    for (const char* name : {"d0", "d1", "d2", "d3", "d4", "d5"})
        pictures.push_back(MakeChild(main, name));
    DestroyWindow(pictures[1]);
    DestroyWindow(pictures[4]);
    MakeChild(main, "d6");
    EXPECT_EQ(Names(portable::ChildWindows(main)), (std::vector<std::string>{"d0", "d2", "d3", "d5", "d6"}));

    // A panel with children of its own: they go with it, in its children's
    // list and in every enumeration.
    const HWND panel = MakeChild(main, "panel", 0);
    MakeChild(panel, "s1");
    MakeChild(panel, "s2");
    MakeChild(main, "d7");
    std::vector<HWND> enumerated;
    EnumChildWindows(main, CollectChild, reinterpret_cast<LPARAM>(&enumerated));
    EXPECT_EQ(Names(enumerated), (std::vector<std::string>{"d0", "d2", "d3", "d5", "d6", "panel", "s1", "s2", "d7"}));
    const int windows = portable::WindowCount();

    DestroyWindow(panel);
    EXPECT_EQ(portable::WindowCount(), windows - 3);
    EXPECT_TRUE(portable::ChildWindows(panel).empty());
    EXPECT_EQ(Names(portable::ChildWindows(main)), (std::vector<std::string>{"d0", "d2", "d3", "d5", "d6", "d7"}));

    DestroyWindow(main);
    EXPECT_TRUE(portable::ChildWindows(main).empty());
    EXPECT_EQ(portable::WindowCount(), 0);
}
