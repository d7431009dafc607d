// The portable window system's own side: the scripted message boxes and the
// input source that tests use, and what it tells presenters changed. What
// the program relies on of the real system is in the conformance tests,
// which run here and against the real user32.
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
        events.push_back(Name(window) + " mouse " + std::to_string(message) + " at " + std::to_string(LOWORD(lParam)) +
                         "," + std::to_string(HIWORD(lParam)));
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

// The edges of a double click that the conformance program cannot time or
// place exactly on the real system: a second press 499 ms after the first
// is a double click and one 500 ms after it a press again; one pixel lower
// is a double click and two pixels lower a press again (the rectangle is
// as high as it is wide).
TEST(WindowSystem, TheDoubleClickEndsHalfASecondAfterThePressAndTwoPixelsAway)
{
    HWND main = MakeWindow("main");
    DispatchAll();
    const struct {
        DWORD later;
        int down;
        UINT second;
    } cases[] = {
        {499, 0, WM_LBUTTONDBLCLK},
        {500, 0, WM_LBUTTONDOWN},
        {0, 1, WM_LBUTTONDBLCLK},
        {0, 2, WM_LBUTTONDOWN},
    };
    for (const auto& c : cases) {
        events.clear();
        portable::ClickMouse(main, MouseButton::Left, 10, 10);
        portable::AdvanceTickCount(c.later);
        portable::ClickMouse(main, MouseButton::Left, 10, 10 + c.down);
        portable::AdvanceTickCount(1000);
        DispatchAll();
        std::vector<std::string> presses;
        for (const std::string& event : events)
            if (event.find(" mouse " + std::to_string(WM_MOUSEMOVE) + " ") == std::string::npos)
                presses.push_back(event);
        const std::string second = "10," + std::to_string(10 + c.down);
        const std::vector<std::string> expected = {
            "main mouse " + std::to_string(WM_LBUTTONDOWN) + " at 10,10",
            "main mouse " + std::to_string(WM_LBUTTONUP) + " at 10,10",
            "main mouse " + std::to_string(c.second) + " at " + second,
            "main mouse " + std::to_string(WM_LBUTTONUP) + " at " + second,
        };
        EXPECT_EQ(presses, expected) << c.later << " ms later, " << c.down << " pixels lower";
    }
}

// A presenter draws only what changed: a picture made or destroyed damages
// its own rectangle of the window, the pointer moving changes nothing.
TEST(WindowSystem, OnlyWhatChangedIsDamagedAndThePointerChangesNothing)
{
    HWND main = MakeWindow("main");
    DispatchAll();
    RECT area;
    while (portable::TakeDamage(main, &area)) {
    }
    const uint64_t before = portable::DisplayChangeCount();
    portable::MoveMouse(main, 30, 40);
    portable::MoveMouse(main, 31, 41);
    DispatchAll();
    EXPECT_EQ(portable::DisplayChangeCount(), before) << "nothing to draw";
    EXPECT_FALSE(portable::TakeDamage(main, &area));

    HWND picture = MakePicture(main, "nc", 32, 48);
    EXPECT_GT(portable::DisplayChangeCount(), before);
    ASSERT_TRUE(portable::TakeDamage(main, &area));
    EXPECT_EQ(area.left, 32);
    EXPECT_EQ(area.top, 48);
    EXPECT_EQ(area.right, 48);
    EXPECT_EQ(area.bottom, 64);
    EXPECT_FALSE(portable::TakeDamage(main, &area)) << "taken once";
    DestroyWindow(picture);
    MakePicture(main, "s1", 64, 48);
    ASSERT_TRUE(portable::TakeDamage(main, &area));
    EXPECT_EQ(area.left, 32) << "both pictures' rectangles";
    EXPECT_EQ(area.right, 80);

    // The part rendered is the whole rendering's part.
    const portable::Image whole = portable::RenderClientArea(main);
    const portable::Image part = portable::RenderClientArea(main, {60, 40, 90, 70});
    ASSERT_EQ(part.width, 30);
    ASSERT_EQ(part.height, 30);
    for (int y = 0; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x)
            ASSERT_EQ(part.At(x, y), whole.At(60 + x, 40 + y)) << x << "," << y;
}

namespace {
int wellBrush = WHITE_BRUSH;

LRESULT CALLBACK WellProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const RECT well = {10, 10, 50, 30};
    FillRect(dc, &well, static_cast<HBRUSH>(GetStockObject(wellBrush)));
    EndPaint(window, &paint);
    return 0;
}
}  // namespace

// A window's paint is drawn from its fills: a repaint that fills otherwise
// damages the window, even when what damaged it before was taken already;
// one that fills the same damages nothing.
TEST(WindowSystem, ARepaintDamagesTheWindowOnlyWhenItsFillsChange)
{
    WNDCLASSEXA record = {};
    record.cbSize = sizeof record;
    record.lpfnWndProc = WellProc;
    record.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    record.lpszClassName = "well";
    RegisterClassExA(&record);
    HWND window = CreateWindowExA(0, "well", "well", WS_VISIBLE | WS_BORDER | WS_SYSMENU, 100, 100, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);
    wellBrush = WHITE_BRUSH;
    DispatchAll();
    RECT area;
    while (portable::TakeDamage(window, &area)) {
    }
    InvalidateRect(window, nullptr, TRUE);
    DispatchAll();
    EXPECT_FALSE(portable::TakeDamage(window, &area)) << "the same fills";

    wellBrush = DKGRAY_BRUSH;
    InvalidateRect(window, nullptr, TRUE);
    DispatchAll();
    ASSERT_TRUE(portable::TakeDamage(window, &area));
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(area.left, client.left);
    EXPECT_EQ(area.top, client.top);
    EXPECT_EQ(area.right, client.right);
    EXPECT_EQ(area.bottom, client.bottom);
    EXPECT_EQ(portable::RenderClientArea(window).At(20, 20), portable::StockBrushColour(DKGRAY_BRUSH));
}

// The controls a presenter draws, with their texts in UTF-8.
TEST(WindowSystem, ControlsAreSeenWithTheirKindsTextsAndState)
{
    HWND main = MakeWindow("main");
    CreateWindowExA(0, "static", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, main, nullptr, programInstance, nullptr);
    CreateWindowExA(0, "static", "Caf\xE9:", WS_CHILD | WS_VISIBLE | SS_RIGHT, 10, 10, 75, 30, main, nullptr,
                    programInstance, nullptr);
    HWND field = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 95, 7, 30, 30, main,
                                 nullptr, programInstance, nullptr);
    HWND button = CreateWindowExA(0, "button", "OK", WS_CHILD | WS_VISIBLE, 50, 120, 100, 25, main, nullptr,
                                  programInstance, nullptr);
    MakePicture(main, "nc", 0, 0);
    SetFocus(field);
    portable::TypeText("12");
    DispatchAll();
    portable::PressMouse(main, portable::MouseButton::Left, 60, 130);
    DispatchAll();
    const std::vector<portable::ControlView> controls = portable::ControlsOf(main);
    ASSERT_EQ(controls.size(), 5u);
    EXPECT_EQ(controls[0].kind, portable::ControlKind::Panel);
    EXPECT_EQ(controls[1].kind, portable::ControlKind::Label);
    EXPECT_EQ(controls[1].text, "Caf\xC3\xA9:");
    EXPECT_EQ(controls[1].style & SS_TYPEMASK, static_cast<DWORD>(SS_RIGHT));
    EXPECT_EQ(controls[2].kind, portable::ControlKind::Field);
    EXPECT_EQ(controls[2].text, "12");
    EXPECT_FALSE(controls[2].focused) << "the press moved the focus to the button";
    EXPECT_EQ(controls[3].kind, portable::ControlKind::Button);
    EXPECT_TRUE(controls[3].pressed) << "held down";
    EXPECT_TRUE(controls[3].focused);
    EXPECT_EQ(controls[3].rect.left, 50);
    EXPECT_EQ(controls[3].rect.bottom, 145);
    EXPECT_EQ(controls[4].kind, portable::ControlKind::Picture);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), BST_PUSHED | BST_FOCUS);

    // What a presenter draws over the client area's image: all but the picture.
    MakePicture(main, "s1", 16, 0);
    HWND late = CreateWindowExA(0, "static", "late", WS_CHILD | WS_VISIBLE, 0, 150, 40, 20, main, nullptr,
                                programInstance, nullptr);
    const std::vector<portable::ControlView> over = portable::ControlsOtherThanPictures(main);
    ASSERT_EQ(over.size(), 5u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(over[i].window, controls[i].window);
        EXPECT_EQ(over[i].kind, controls[i].kind);
    }
    EXPECT_EQ(over[4].window, late);
}
