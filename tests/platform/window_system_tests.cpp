// The portable window system: what the program relies on of the platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/portable/testing.h"
#include "platform/win32.h"

using portable::MouseButton;

namespace {
std::vector<std::string> events;

std::string Name(HWND window)
{
    char text[32] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        events.push_back("destroy " + Name(window));
        return 0;
    case WM_USER:
        events.push_back("user " + std::to_string(wParam));
        return 7;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        events.push_back(Name(window) + " mouse " + std::to_string(message) + " at " +
                         std::to_string(LOWORD(lParam)) + "," + std::to_string(HIWORD(lParam)));
        return 0;
    case WM_KEYDOWN:
        events.push_back("key " + std::to_string(wParam));
        return 0;
    case WM_CHAR:
        events.push_back(std::string("char ") + static_cast<char>(wParam));
        return 0;
    case WM_COMMAND:
        events.push_back("command " + std::to_string(LOWORD(wParam)));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND MakeWindow(const char* title, UINT classStyle = CS_DBLCLKS, HWND owner = nullptr)
{
    static int registered = 0;
    const std::string name = "recording" + std::to_string(classStyle);
    WNDCLASSEXA record = {};
    record.cbSize = sizeof record;
    record.style = classStyle;
    record.lpfnWndProc = RecordingProc;
    record.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    record.lpszClassName = name.c_str();
    registered += RegisterClassExA(&record) != 0;
    HWND window = CreateWindowExA(0, name.c_str(), title, WS_VISIBLE | WS_BORDER | WS_SYSMENU, 100, 100, 300, 200,
                                  owner, nullptr, nullptr, nullptr);
    return window;
}

// The static control loads a picture's bitmap from the module instance.
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);

HWND MakePicture(HWND parent, const char* name, int x, int y)
{
    return CreateWindowExA(0, "static", name, WS_CHILD | WS_VISIBLE | SS_BITMAP, x, y, 0, 0, parent, nullptr,
                           programInstance, nullptr);
}

void DispatchAll()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
}  // namespace

TEST(WindowSystem, SendMessageRunsTheProcedureBeforeItReturns)
{
    events.clear();
    HWND window = MakeWindow("main");
    EXPECT_EQ(SendMessageA(window, WM_USER, 42, 0), 7);
    EXPECT_EQ(events, std::vector<std::string>{"user 42"});
    PostMessageA(window, WM_USER, 43, 0);
    EXPECT_EQ(events.size(), 1u) << "a posted message waits for the loop";
    DispatchAll();
    EXPECT_EQ(events.back(), "user 43");
}

TEST(WindowSystem, DestroyingAWindowDestroysItsOwnedWindowsAndChildrenEachWithWmDestroy)
{
    events.clear();
    HWND main = MakeWindow("main");
    HWND owned = MakeWindow("owned", CS_DBLCLKS, main);
    HWND picture = MakePicture(main, "nc", 0, 0);
    EXPECT_EQ(portable::WindowCount(), 3);
    EXPECT_TRUE(DestroyWindow(main));
    EXPECT_EQ(events, (std::vector<std::string>{"destroy owned", "destroy main"}));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(owned));
    EXPECT_FALSE(IsWindow(picture));
    EXPECT_EQ(portable::WindowCount(), 0);
    EXPECT_FALSE(DestroyWindow(main)) << "a handle is never reused";
}

TEST(WindowSystem, PicturesTakeTheSizeOfTheirBitmapNamedWithoutRegardToCase)
{
    HWND main = MakeWindow("main");
    const struct {
        const char* name;
        LONG width, height;
    } pictures[] = {{"nc", 16, 16}, {"MARKED", 16, 16}, {"d7", 12, 21}, {"Dz", 12, 21}, {"csmile", 26, 26}};
    for (const auto& picture : pictures) {
        RECT rect;
        GetWindowRect(MakePicture(main, picture.name, 5, 6), &rect);
        EXPECT_EQ(rect.right - rect.left, picture.width) << picture.name;
        EXPECT_EQ(rect.bottom - rect.top, picture.height) << picture.name;
    }
    EXPECT_EQ(portable::BitmapResource("S3").width, 16);
    EXPECT_EQ(portable::BitmapResource("nothing").width, 0);
    EXPECT_NE(LoadIconA(programInstance, "icon"), nullptr);
    EXPECT_EQ(LoadIconA(programInstance, "noicon"), nullptr);
}

TEST(WindowSystem, ClicksPassThroughPicturesToTheParentInItsClientCoordinates)
{
    events.clear();
    HWND main = MakeWindow("main");
    MakePicture(main, "nc", 16, 48);
    portable::ClickMouse(main, MouseButton::Left, 20, 50);
    DispatchAll();
    EXPECT_EQ(events, (std::vector<std::string>{"main mouse 513 at 20,50", "main mouse 514 at 20,50"}));
}

TEST(WindowSystem, AQuickSecondPressIsADoubleClickOnlyForClassesThatAskForIt)
{
    events.clear();
    HWND asks = MakeWindow("asks", CS_DBLCLKS);
    portable::ClickMouse(asks, MouseButton::Right, 10, 10);
    portable::AdvanceTickCount(499);
    portable::ClickMouse(asks, MouseButton::Right, 11, 11);
    portable::AdvanceTickCount(100);
    portable::ClickMouse(asks, MouseButton::Right, 11, 11);  // a third press starts over
    portable::AdvanceTickCount(501);
    portable::ClickMouse(asks, MouseButton::Right, 11, 11);
    DispatchAll();
    const std::vector<std::string> expected = {
        "asks mouse 516 at 10,10", "asks mouse 517 at 10,10", "asks mouse 518 at 11,11", "asks mouse 517 at 11,11",
        "asks mouse 516 at 11,11", "asks mouse 517 at 11,11", "asks mouse 516 at 11,11", "asks mouse 517 at 11,11",
    };
    EXPECT_EQ(events, expected);
    DestroyWindow(asks);

    events.clear();
    HWND plain = MakeWindow("plain", 0);
    portable::ClickMouse(plain, MouseButton::Left, 10, 10);
    portable::ClickMouse(plain, MouseButton::Left, 10, 10);
    DispatchAll();
    EXPECT_EQ(events[2], "plain mouse 513 at 10,10");
}

TEST(WindowSystem, KeysBecomeCharactersForTheFocusedWindow)
{
    events.clear();
    MakeWindow("main");
    portable::PressKey('H');
    portable::PressKey('H', true);
    portable::PressKey(VK_F2);
    DispatchAll();
    EXPECT_EQ(events, (std::vector<std::string>{"key 72", "char h", "key 72", "char H", "key 113"}));
}

TEST(WindowSystem, AMessageBoxIsRecordedAnsweredAndBlocksItsOwnersInput)
{
    events.clear();
    HWND main = MakeWindow("main");
    EXPECT_EQ(MessageBoxA(main, "text", "title", MB_OK | MB_ICONHAND), IDOK);
    portable::SetMessageBoxHandler([main](const portable::MessageBoxCall& call) {
        EXPECT_FALSE(IsWindowEnabled(main));
        portable::ClickMouse(main, MouseButton::Left, 10, 10);  // dropped: the owner is disabled
        portable::PumpMessages();
        return call.type == MB_OKCANCEL ? IDCANCEL : IDOK;
    });
    EXPECT_EQ(MessageBoxA(main, "second", "other", MB_OKCANCEL), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(main));
    ASSERT_EQ(portable::MessageBoxLog().size(), 2u);
    EXPECT_EQ(portable::MessageBoxLog()[0].owner, main);
    EXPECT_EQ(portable::MessageBoxLog()[0].text, "text");
    EXPECT_EQ(portable::MessageBoxLog()[0].title, "title");
    EXPECT_EQ(portable::MessageBoxLog()[0].type, 16u);
    EXPECT_TRUE(events.empty());
}

TEST(WindowSystem, TheTickCountWrapsAt32Bits)
{
    portable::SetTickCount(0xFFFFFF00u);
    EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
    portable::AdvanceTickCount(0x200);
    EXPECT_EQ(GetTickCount(), 0x100u);
}

TEST(WindowSystem, TheClientAreaIsCorrectedAgainstAnEstimateThatIsOff)
{
    HWND main = MakeWindow("main");
    RECT rect;
    SetRect(&rect, 0, 0, 176, 208);
    AdjustWindowRect(&rect, WS_VISIBLE | WS_BORDER | WS_SYSMENU, TRUE);
    MoveWindow(main, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    RECT client;
    GetClientRect(main, &client);
    EXPECT_NE(client.bottom, 208) << "the estimate is deliberately not the real frame";
    POINT origin = {0, 0};
    ClientToScreen(main, &origin);
    POINT back = origin;
    ScreenToClient(main, &back);
    EXPECT_EQ(back.x, 0);
    EXPECT_EQ(back.y, 0);
}

TEST(WindowSystem, TheMenuResourceLoadsWithItsChecksAndRadioGroup)
{
    HMENU bar = LoadMenuA(nullptr, "MENU");
    ASSERT_NE(bar, nullptr);
    HMENU game = GetSubMenu(bar, 0);
    EXPECT_TRUE(GetMenuState(game, 2, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(game, 10001, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(CheckMenuRadioItem(game, 2, 5, 4, MF_BYPOSITION));
    for (UINT position = 2; position <= 5; ++position)
        EXPECT_EQ((GetMenuState(game, position, MF_BYPOSITION) & MF_CHECKED) != 0, position == 4);
    EXPECT_TRUE(GetMenuState(game, 4, MF_BYPOSITION) & MFT_RADIOCHECK);
    EXPECT_EQ(LoadMenuA(nullptr, "nomenu"), nullptr);
}

TEST(WindowSystem, WaitMessageWithNothingToWaitForEndsTheLoop)
{
    MakeWindow("main");
    DispatchAll();
    int asked = 0;
    portable::SetInputSource([&asked] { return ++asked <= 2; });
    EXPECT_TRUE(WaitMessage());
    EXPECT_TRUE(portable::InputExhausted());
    EXPECT_EQ(asked, 3);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(portable::inputExhaustedExitCode));
    portable::SetInputSource(nullptr);
}
