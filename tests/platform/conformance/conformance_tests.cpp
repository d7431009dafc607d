// Platform conformance tests: what Blastgrid relies on of user32, gdi32 and
// kernel32, every call the program makes and what it expects of each,
// written once and built twice with the same expectations: natively against
// the portable layer, and for Windows against the real system, run
// under Wine on a virtual display. Every claim that the portable layer
// makes about the real system is one of these tests; when one fails under
// Wine, the portable layer is what gets corrected.
//
// Where Wine is known to differ from Windows, the test says so in a branch
// marked TODO_WINE, with the reason, as Wine's own tests mark todo_wine.
// Only the thin shim (shim.h) differs between the builds: real input, time,
// pixels and the dismissal of a message box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shim.h"

using conformance::ModuleInstance;

// A check that Wine is known to fail although Windows passes it: under Wine
// it is skipped with the reason printed, everywhere else it must hold.
#define TODO_WINE(reason)                                                                                              \
    if (conformance::OnWine()) {                                                                                       \
        std::printf("todo_wine: %s\n", reason);                                                                        \
    } else

namespace {

const char* const dblclkClass = "conformance";                // CS_DBLCLKS, as the program's two classes
const char* const plainClass = "conformanceplain";            // no CS_DBLCLKS
const DWORD mainStyle = WS_VISIBLE | WS_BORDER | WS_SYSMENU;  // the main window's style

std::vector<std::string> events;
bool messageBoxUp = false;
bool paintStripes = false;

std::string TextOf(HWND window)
{
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string MouseName(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return "ldown";
    case WM_LBUTTONUP:
        return "lup";
    case WM_LBUTTONDBLCLK:
        return "ldblclk";
    case WM_RBUTTONDOWN:
        return "rdown";
    case WM_RBUTTONUP:
        return "rup";
    case WM_RBUTTONDBLCLK:
        return "rdblclk";
    default:
        return "";
    }
}

// Paints three stripes, 20 by 20 each, with the three stock brushes the
// program paints with.
void PaintStripes(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const int brushes[3] = {WHITE_BRUSH, LTGRAY_BRUSH, DKGRAY_BRUSH};
    for (int i = 0; i < 3; ++i) {
        RECT stripe;
        SetRect(&stripe, 20 * i, 0, 20 * i + 20, 20);
        FillRect(dc, &stripe, static_cast<HBRUSH>(GetStockObject(brushes[i])));
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::string name = TextOf(window);
    switch (message) {
    case WM_DESTROY:
        events.push_back("destroy " + name);
        return 0;
    case WM_USER:
        events.push_back(name + " user " + std::to_string(wParam) + (messageBoxUp ? " during the box" : ""));
        return 7;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        events.push_back(name + " " + MouseName(message) + " " + std::to_string(LOWORD(lParam)) + "," +
                         std::to_string(HIWORD(lParam)));
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // The shift key's own messages differ between real input and the
        // portable layer's, and the program does not use them.
        if (wParam != VK_SHIFT)
            events.push_back(name + (message == WM_KEYDOWN ? " keydown " : " keyup ") + std::to_string(wParam));
        return 0;
    case WM_CHAR:
        events.push_back(name + " char " + std::string(1, static_cast<char>(wParam)));
        return 0;
    case WM_COMMAND:
        events.push_back(name + " command " + std::to_string(LOWORD(wParam)) + " notification " +
                         std::to_string(HIWORD(wParam)) + (lParam != 0 ? " from a control" : ""));
        return 0;
    case WM_PAINT:
        if (paintStripes) {
            PaintStripes(window);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

ATOM RegisterTestClass(const char* name, UINT style)
{
    WNDCLASSEXA record = {};
    record.cbSize = sizeof record;
    record.style = style;
    record.lpfnWndProc = RecordingProc;
    record.hInstance = ModuleInstance();
    record.hIcon = LoadIconA(ModuleInstance(), "icon");
    record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    record.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    record.lpszClassName = name;
    record.hIconSm = record.hIcon;
    return RegisterClassExA(&record);
}

HWND MakeWindow(const char* title, DWORD style = mainStyle, HWND owner = nullptr, const char* className = dblclkClass,
                HMENU menu = nullptr, DWORD exStyle = 0)
{
    return CreateWindowExA(exStyle, className, title, style, 100, 100, 300, 200, owner, menu, ModuleInstance(),
                           nullptr);
}

// A window like the program's custom-game window: owned by
// `owner`, with its style and extended style.
HWND MakeOwnedWindow(const char* title, HWND owner)
{
    return MakeWindow(title, WS_VISIBLE | WS_BORDER, owner, dblclkClass, nullptr,
                      WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
}

HWND MakeChild(const char* title, HWND parent, int x, int y)
{
    return CreateWindowExA(0, dblclkClass, title, WS_CHILD | WS_VISIBLE, x, y, 40, 40, parent, nullptr,
                           ModuleInstance(), nullptr);
}

// A picture element as the view makes it.
HWND MakePicture(HWND parent, const char* name, int x, int y, int size = 0, HINSTANCE instance = ModuleInstance())
{
    return CreateWindowExA(0, "static", name, WS_CHILD | WS_VISIBLE | SS_BITMAP, x, y, size, size, parent, nullptr,
                           instance, nullptr);
}

HBITMAP PictureBitmap(HWND picture)
{
    return reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// The picture's rectangle in the client coordinates of its parent.
RECT PictureRect(HWND parent, HWND picture)
{
    RECT rect;
    GetWindowRect(picture, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(parent, &corner);
    RECT result;
    SetRect(&result, corner.x, corner.y, corner.x + rect.right - rect.left, corner.y + rect.bottom - rect.top);
    return result;
}

bool Seen(const std::string& event)
{
    return std::find(events.begin(), events.end(), event) != events.end();
}

// Dispatches everything that is pending now.
void DispatchPending()
{
    conformance::DispatchUntil([] { return true; });
}

class Conformance : public ::testing::Test {
protected:
    void SetUp() override
    {
        conformance::StartTest();
        events.clear();
        messageBoxUp = false;
        paintStripes = false;
        // The real system keeps classes for the life of the process.
        RegisterTestClass(dblclkClass, CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC);
        RegisterTestClass(plainClass, CS_VREDRAW | CS_HREDRAW);
    }
    void TearDown() override { conformance::EndTest(); }
};
}  // namespace

// ---------------------------------------------------------------------------
// Picture elements: "static" windows with SS_BITMAP.

TEST_F(Conformance, APictureTakesTheSizeOfItsBitmapNamedWithoutRegardToCase)
{
    HWND main = MakeWindow("main");
    const struct {
        const char* name;
        int createdSize;
        LONG width, height;
    } pictures[] = {
        {"nc", 0, 16, 16},  {"nc", 16, 16, 16}, {"MARKED", 16, 16, 16}, {"s3", 16, 16, 16},
        {"d7", 16, 12, 21}, {"Dz", 0, 12, 21},  {"csmile", 0, 26, 26},  {"smile", 16, 26, 26},
    };
    int x = 0;
    for (const auto& picture : pictures) {
        HWND window = MakePicture(main, picture.name, x, 11, picture.createdSize);
        ASSERT_NE(window, nullptr) << picture.name;
        const RECT rect = PictureRect(main, window);
        EXPECT_EQ(rect.left, x) << picture.name;
        EXPECT_EQ(rect.top, 11) << picture.name;
        EXPECT_EQ(rect.right - rect.left, picture.width) << picture.name;
        EXPECT_EQ(rect.bottom - rect.top, picture.height) << picture.name;
        EXPECT_EQ(TextOf(window), picture.name) << "the window text is the name as given";
        char shortText[6];
        EXPECT_EQ(GetWindowTextA(window, shortText, sizeof shortText),
                  std::min<int>(5, static_cast<int>(std::strlen(picture.name))));
        EXPECT_TRUE(IsWindow(window));
        EXPECT_TRUE(IsWindowVisible(window));
        x += 30;
    }
}

TEST_F(Conformance, APictureOfNoBitmapKeepsItsSizeAndShowsNothing)
{
    HWND main = MakeWindow("main");
    HWND unknown = MakePicture(main, "nosuchpicture", 5, 6, 16);
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(PictureBitmap(unknown), nullptr);
    RECT rect = PictureRect(main, unknown);
    EXPECT_EQ(rect.right - rect.left, 16);
    EXPECT_EQ(rect.bottom - rect.top, 16);
    EXPECT_EQ(TextOf(unknown), "nosuchpicture");

    // The static control loads its bitmap from the module instance it is
    // given; without one it has none (the program always gives appInstance).
    HWND noInstance = MakePicture(main, "nc", 30, 6, 0, nullptr);
    ASSERT_NE(noInstance, nullptr);
    EXPECT_EQ(PictureBitmap(noInstance), nullptr);
    rect = PictureRect(main, noInstance);
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(rect.bottom - rect.top, 0);
}

TEST_F(Conformance, ClicksPassThroughAPictureToItsParentInTheParentsClientCoordinates)
{
    HWND main = MakeWindow("main");
    HWND picture = MakePicture(main, "nc", 16, 48);
    POINT inside = {20, 50};
    ClientToScreen(main, &inside);
    EXPECT_EQ(SendMessageA(picture, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTTRANSPARENT);
    DispatchPending();
    conformance::Click(main, 20, 50);
    EXPECT_TRUE(conformance::DispatchUntil([] { return Seen("main lup 20,50"); }));
    EXPECT_EQ(events, (std::vector<std::string>{"main ldown 20,50", "main lup 20,50"}));
}

TEST_F(Conformance, EachPictureHasABitmapOfItsOwnThatOutlivesItsWindowUntilDeleted)
{
    HWND main = MakeWindow("main");
    DispatchPending();
    const int objectsBefore = conformance::GdiObjectCount();
    HWND first = MakePicture(main, "nc", 16, 48);
    HWND second = MakePicture(main, "NC", 32, 48);
    const HBITMAP firstBitmap = PictureBitmap(first);
    const HBITMAP secondBitmap = PictureBitmap(second);
    ASSERT_NE(firstBitmap, nullptr);
    ASSERT_NE(secondBitmap, nullptr);
    EXPECT_NE(firstBitmap, secondBitmap) << "two pictures of one name have two bitmaps";
    EXPECT_EQ(GetObjectType(firstBitmap), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(secondBitmap), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(PictureBitmap(first), firstBitmap) << "asking again gives the same bitmap";
    const int objectsWithPictures = conformance::GdiObjectCount();

    EXPECT_TRUE(DestroyWindow(first));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(GetObjectType(firstBitmap), static_cast<DWORD>(OBJ_BITMAP)) << "the bitmap outlives its window";
    const int objectsAfterDestroy = conformance::GdiObjectCount();
    EXPECT_TRUE(DeleteObject(firstBitmap));
    EXPECT_EQ(GetObjectType(firstBitmap), 0u) << "a deleted bitmap is no object";
    const int objectsAfterDelete = conformance::GdiObjectCount();

    // Bitmaps loaded by the program itself are objects of their own too.
    HBITMAP loaded = LoadBitmapA(ModuleInstance(), "Nc");
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(loaded, secondBitmap);
    EXPECT_EQ(GetObjectType(loaded), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_TRUE(DeleteObject(loaded));
    EXPECT_EQ(LoadBitmapA(ModuleInstance(), "nosuchpicture"), nullptr);
    // Without the module instance the name is looked up among the system's
    // own bitmaps, where the program's are not.
    EXPECT_EQ(LoadBitmapA(nullptr, "nc"), nullptr);
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));

    DestroyWindow(second);
    EXPECT_TRUE(DeleteObject(secondBitmap));

    TODO_WINE("GetGuiResources is a stub in Wine 8: it returns 0 and sets ERROR_CALL_NOT_IMPLEMENTED")
    {
        EXPECT_EQ(objectsWithPictures - objectsBefore, 2) << "each picture holds one GDI object";
        EXPECT_EQ(objectsAfterDestroy, objectsWithPictures) << "destroying its window does not release it";
        EXPECT_EQ(objectsAfterDelete, objectsWithPictures - 1) << "DeleteObject does";
    }
    if (conformance::OnWine()) {
        EXPECT_EQ(objectsBefore, 0) << "Wine's GetGuiResources has started counting: drop the TODO_WINE";
        EXPECT_EQ(objectsWithPictures, 0);
    }
}

// A picture, like every window made visible, has its own WM_PAINT waiting:
// the program's loop turns once more for it.
TEST_F(Conformance, APictureMadeVisibleLeavesAWmPaintForTheLoop)
{
    HWND main = MakeWindow("main");
    DispatchPending();
    conformance::PaintNow(main);
    DispatchPending();
    HWND picture = MakePicture(main, "smile", 75, 11);
    bool painted = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        painted = painted || (message.hwnd == picture && message.message == WM_PAINT);
        DispatchMessageA(&message);
    }
    EXPECT_TRUE(painted);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "painted once";
}

// ---------------------------------------------------------------------------
// Messages.

TEST_F(Conformance, SendMessageRunsTheProcedureBeforeItReturnsAndAPostedMessageWaitsForTheLoop)
{
    HWND main = MakeWindow("main");
    DispatchPending();
    EXPECT_EQ(SendMessageA(main, WM_USER, 42, 0), 7);
    EXPECT_EQ(events, std::vector<std::string>{"main user 42"});
    EXPECT_TRUE(PostMessageA(main, WM_USER, 43, 0));
    EXPECT_EQ(events.size(), 1u) << "a posted message waits for the loop";
    EXPECT_TRUE(conformance::DispatchUntil([] { return Seen("main user 43"); }));
}

TEST_F(Conformance, TheLoopTakesPostedMessagesThenTheQuitMessageWithItsCodeBeforeInput)
{
    HWND main = MakeWindow("main");
    DispatchPending();
    ASSERT_EQ(GetFocus(), main);
    conformance::PressKey('A');  // input, already waiting in the queue
    PostMessageA(main, WM_USER, 1, 0);
    PostQuitMessage(3);
    PostMessageA(main, WM_USER, 2, 0);  // posted after the quit message, taken before it
    std::vector<std::string> taken;
    MSG message;
    const DWORD start = GetTickCount();
    while (taken.size() < 4 && GetTickCount() - start < 2000) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            conformance::LetTimePass(10);
            continue;
        }
        if (message.message == WM_QUIT)
            taken.push_back("quit " + std::to_string(message.wParam) + (message.hwnd == nullptr ? "" : " to a window"));
        else if (message.message == WM_USER)
            taken.push_back("user " + std::to_string(message.wParam));
        else if (message.message == WM_KEYDOWN)
            taken.push_back("keydown " + std::to_string(message.wParam));
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    EXPECT_EQ(taken, (std::vector<std::string>{"user 1", "user 2", "quit 3", "keydown 65"}));
    // The quit message comes once.
    conformance::DispatchUntil([] { return true; });
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Conformance, WaitMessageReturnsWhenAMessageArrives)
{
    HWND main = MakeWindow("main");
    DispatchPending();
    PostMessageA(main, WM_USER, 1, 0);
    EXPECT_TRUE(WaitMessage()) << "a message already posted ends the wait at once";
    EXPECT_TRUE(conformance::DispatchUntil([] { return Seen("main user 1"); }));

    conformance::PostWhileWaiting(main, WM_USER);
    EXPECT_TRUE(WaitMessage());
    EXPECT_TRUE(conformance::DispatchUntil([] { return Seen("main user 0"); }));
}

TEST_F(Conformance, TranslateMessageMakesCharactersOfKeyPressesForTheFocusedWindow)
{
    HWND main = MakeWindow("main");
    DispatchPending();
    ASSERT_EQ(GetFocus(), main);
    conformance::PressKey('H');
    conformance::PressKey('H', true);
    conformance::PressKey(VK_F2);
    conformance::PressKey('7');
    EXPECT_TRUE(conformance::DispatchUntil([] { return Seen("main keyup 55"); }));
    const std::vector<std::string> expected = {
        "main keydown 72",  "main char h",    "main keyup 72",   "main keydown 72", "main char H",   "main keyup 72",
        "main keydown 113", "main keyup 113", "main keydown 55", "main char 7",     "main keyup 55",
    };
    EXPECT_EQ(events, expected);
}

TEST_F(Conformance, AQuickSecondPressIsADoubleClickOnlyForClassesThatAskForIt)
{
    HWND asks = MakeWindow("asks");
    DispatchPending();
    conformance::Click(asks, 10, 10);
    conformance::Click(asks, 11, 10);  // a pixel off, at once
    conformance::Click(asks, 11, 10);  // a third press starts over
    conformance::Click(asks, 30, 30, true);
    conformance::Click(asks, 30, 30, true);
    conformance::Click(asks, 50, 50);
    conformance::Click(asks, 52, 50);  // two pixels off: outside the 4 by 4 double-click rectangle
    EXPECT_TRUE(conformance::DispatchUntil([] { return events.size() >= 14; }));
    const std::vector<std::string> expected = {
        "asks ldown 10,10", "asks lup 10,10",   "asks ldblclk 11,10", "asks lup 11,10",     "asks ldown 11,10",
        "asks lup 11,10",   "asks rdown 30,30", "asks rup 30,30",     "asks rdblclk 30,30", "asks rup 30,30",
        "asks ldown 50,50", "asks lup 50,50",   "asks ldown 52,50",   "asks lup 52,50",
    };
    EXPECT_EQ(events, expected);
    DestroyWindow(asks);

    events.clear();
    HWND plain = MakeWindow("plain", mainStyle, nullptr, plainClass);
    DispatchPending();
    conformance::Click(plain, 10, 10);
    conformance::Click(plain, 10, 10);
    EXPECT_TRUE(conformance::DispatchUntil([] { return events.size() >= 4; }));
    EXPECT_EQ(events, (std::vector<std::string>{"plain ldown 10,10", "plain lup 10,10", "plain ldown 10,10",
                                                "plain lup 10,10"}));
    EXPECT_EQ(GetSystemMetrics(SM_CXDOUBLECLK), 4);
    EXPECT_EQ(GetSystemMetrics(SM_CYDOUBLECLK), 4);

    // A second press after the double-click time is a press again.
    events.clear();
    HWND slow = MakeWindow("slow");
    DispatchPending();
    conformance::Click(slow, 10, 10);
    conformance::LetTimePass(600);
    conformance::Click(slow, 10, 10);
    EXPECT_TRUE(conformance::DispatchUntil([] { return events.size() >= 4; }));
    EXPECT_EQ(events,
              (std::vector<std::string>{"slow ldown 10,10", "slow lup 10,10", "slow ldown 10,10", "slow lup 10,10"}));
}

// ---------------------------------------------------------------------------
// Destroying windows.

TEST_F(Conformance, DestroyWindowSendsWmDestroyToOwnedWindowsThenTheWindowThenItsChildren)
{
    HWND main = MakeWindow("main");
    HWND picture = MakePicture(main, "nc", 0, 0);
    HWND first = MakeChild("child 1", main, 10, 10);
    HWND grandchild = MakeChild("grandchild", first, 0, 0);
    HWND second = MakeChild("child 2", main, 60, 10);
    HWND owned1 = MakeOwnedWindow("owned 1", main);
    HWND ownedChild = MakeChild("owned 1 child", owned1, 0, 0);
    HWND owned2 = MakeOwnedWindow("owned 2", main);
    DispatchPending();
    events.clear();

    EXPECT_TRUE(DestroyWindow(main));
    // Owned windows go first, topmost first (the one made last is on top);
    // then the window itself; then its children, each before its own
    // children, in the order they were made.
    const std::vector<std::string> expected = {
        "destroy owned 2", "destroy owned 1",    "destroy owned 1 child", "destroy main",
        "destroy child 1", "destroy grandchild", "destroy child 2",
    };
    EXPECT_EQ(events, expected);
    for (HWND window : {main, picture, first, grandchild, second, owned1, ownedChild, owned2})
        EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(main)) << "a destroyed window's handle names nothing";
}

// ---------------------------------------------------------------------------
// Keyboard focus: keys go to the focused window.

TEST_F(Conformance, FocusGoesToAWindowShownAndBackWhenItIsDestroyed)
{
    HWND first = MakeWindow("first");
    EXPECT_EQ(GetFocus(), first) << "a top-level window created visible is activated";
    HWND hidden = MakeWindow("hidden", WS_BORDER | WS_SYSMENU);
    EXPECT_EQ(GetFocus(), first) << "one created hidden is not";
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_EQ(ShowWindow(hidden, SW_SHOW), FALSE) << "it was hidden";
    EXPECT_EQ(GetFocus(), hidden) << "showing it activates it";
    EXPECT_NE(ShowWindow(hidden, SW_SHOW), FALSE) << "it was visible";
    EXPECT_TRUE(DestroyWindow(hidden));
    EXPECT_EQ(GetFocus(), first) << "destroying the active window activates the next one";
    EXPECT_TRUE(DestroyWindow(first));
    EXPECT_EQ(GetFocus(), nullptr) << "none of the program's windows is left";
}

// A message box disables its owner: a window disabled loses the focus, and
// enabling it again does not give it back.
TEST_F(Conformance, ADisabledWindowLosesTheFocus)
{
    HWND main = MakeWindow("main");
    ASSERT_EQ(GetFocus(), main);
    EnableWindow(main, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EnableWindow(main, TRUE);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Conformance, ClosingTheActiveWindowGivesTheFocusToTheNextWindow)
{
    HWND first = MakeWindow("first");
    HWND second = MakeWindow("second");
    EXPECT_EQ(GetFocus(), second);
    SendMessageA(second, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box, as DefWindowProcA carries it out
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(GetFocus(), first);
    DispatchPending();
    conformance::PressKey(VK_F2);
    EXPECT_TRUE(conformance::DispatchUntil([] { return Seen("first keyup 113"); }));
    EXPECT_EQ(events, (std::vector<std::string>{"destroy second", "first keydown 113", "first keyup 113"}));
}

TEST_F(Conformance, WhenTheCustomWindowGoesAwayTheMainWindowHasTheFocusAndTakesKeys)
{
    HMENU menu = LoadMenuA(ModuleInstance(), "menu");
    HWND main = MakeWindow("main", mainStyle, nullptr, dblclkClass, menu);
    EXPECT_EQ(GetFocus(), main);
    HWND custom = MakeOwnedWindow("custom", main);
    EXPECT_EQ(GetFocus(), custom) << "the custom window is created visible";
    MoveWindow(custom, 450, 100, 300, 200, TRUE);  // beside the main window
    HWND rows = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 95, 7, 30, 30, custom,
                                nullptr, ModuleInstance(), nullptr);
    ASSERT_NE(rows, nullptr);
    HWND ok = CreateWindowExA(0, "button", "OK", WS_CHILD | WS_VISIBLE, 50, 120, 100, 25, custom,
                              reinterpret_cast<HMENU>(30000), ModuleInstance(), nullptr);
    ASSERT_NE(ok, nullptr);
    DispatchPending();
    // The edit control tells its parent (WM_COMMAND with its id, 0 here)
    // when it gets or loses the focus and when its text changes.
    const auto field = [](int notification) {
        return "custom command 0 notification " + std::to_string(notification) + " from a control";
    };

    conformance::Click(custom, 110, 22);
    EXPECT_TRUE(conformance::DispatchUntil([rows] { return GetFocus() == rows; }))
        << "a click puts the focus in a field";
    conformance::PressKey('1');
    conformance::PressKey('X');  // ES_NUMBER: only digits get in
    conformance::PressKey('6');
    EXPECT_TRUE(conformance::DispatchUntil([rows] { return TextOf(rows) == "16"; }));
    char text[50];
    EXPECT_EQ(GetWindowTextA(rows, text, sizeof text), 2);
    EXPECT_EQ(events, (std::vector<std::string>{field(EN_SETFOCUS), field(EN_UPDATE), field(EN_CHANGE),
                                                field(EN_UPDATE), field(EN_CHANGE)}))
        << "the main window saw none of it";
    events.clear();

    // A push button takes the focus and tells its parent it was clicked.
    conformance::Click(custom, 100, 132);
    EXPECT_TRUE(conformance::DispatchUntil([] { return events.size() >= 2; }));
    EXPECT_EQ(events,
              (std::vector<std::string>{field(EN_KILLFOCUS), "custom command 30000 notification 0 from a control"}));
    EXPECT_EQ(GetFocus(), ok);

    // A click on the main window activates it; one in the field, the
    // custom window again.
    conformance::Click(main, 20, 50);
    EXPECT_TRUE(conformance::DispatchUntil([] { return Seen("main lup 20,50"); }));
    EXPECT_EQ(GetFocus(), main);
    conformance::Click(custom, 110, 22);
    EXPECT_TRUE(conformance::DispatchUntil([rows] { return GetFocus() == rows; }));
    DispatchPending();
    events.clear();

    EXPECT_TRUE(DestroyWindow(custom));
    EXPECT_EQ(GetFocus(), main) << "the owner is activated again, before the custom window's WM_DESTROY";
    DispatchPending();
    conformance::PressKey(VK_F2);
    EXPECT_TRUE(conformance::DispatchUntil([] { return Seen("main keyup 113"); }));
    EXPECT_EQ(events,
              (std::vector<std::string>{field(EN_KILLFOCUS), "destroy custom", "main keydown 113", "main keyup 113"}));

    // Closed the way the player closes it, with its close box.
    custom = MakeOwnedWindow("custom", main);
    EXPECT_EQ(GetFocus(), custom);
    SendMessageA(custom, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(custom));
    EXPECT_EQ(GetFocus(), main);
}

// ---------------------------------------------------------------------------
// Message boxes (modal, owned by the main window; meanwhile the
// main window takes no input, other messages are still dispatched and the
// custom-game window still works).

TEST_F(Conformance, AMessageBoxBlocksItsCallerWhileOtherWindowsStillReceiveMessages)
{
    HWND main = MakeWindow("main");
    HWND custom = MakeOwnedWindow("custom", main);
    SetFocus(main);
    DispatchPending();
    ASSERT_EQ(GetFocus(), main);
    PostMessageA(custom, WM_USER, 1, 0);
    conformance::DuringNextMessageBox([main, custom] {
        events.push_back("box up");
        EXPECT_FALSE(IsWindowEnabled(main)) << "the owner takes no input";
        EXPECT_TRUE(IsWindowEnabled(custom)) << "the custom window still works";
        EXPECT_EQ(SendMessageA(custom, WM_USER, 2, 0), 7) << "sent messages are carried out";
        EXPECT_NE(GetFocus(), main) << "keys go to the box, not to the main window";
    });
    messageBoxUp = true;
    const int answer = MessageBoxA(main, "Solver has nothing to say.", "Solver", MB_OK | MB_ICONEXCLAMATION);
    messageBoxUp = false;
    events.push_back("returned");
    EXPECT_EQ(answer, IDOK);
    const std::vector<std::string> expected = {"custom user 1 during the box", "box up", "custom user 2 during the box",
                                               "returned"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(GetFocus(), main) << "the focus is back on the owner";
}

// ---------------------------------------------------------------------------
// Menus.

TEST_F(Conformance, TheMenuResourceAndTheRadioMarkAmongPositions2To5OfTheGameDropDown)
{
    HMENU bar = LoadMenuA(ModuleInstance(), "menu");
    ASSERT_NE(bar, nullptr);
    HWND main = MakeWindow("main", mainStyle, nullptr, dblclkClass, bar);
    EXPECT_EQ(GetMenu(main), bar);
    HMENU game = GetSubMenu(bar, 0);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(GetSubMenu(game, 0), nullptr) << "New Game is a command, not a drop-down";
    EXPECT_EQ(GetMenuItemCount(game), 8);
    EXPECT_EQ(GetMenuItemCount(bar), 3);
    const auto checked = [game](UINT position) {
        return (GetMenuState(game, position, MF_BYPOSITION) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(checked(2)) << "Beginner is checked in the resource";

    EXPECT_TRUE(CheckMenuRadioItem(game, 2, 5, 4, MF_BYPOSITION));
    for (UINT position = 2; position <= 5; ++position)
        EXPECT_EQ(checked(position), position == 4) << position;
    EXPECT_TRUE(GetMenuState(game, 4, MF_BYPOSITION) & MFT_RADIOCHECK);

    EXPECT_TRUE(CheckMenuRadioItem(game, 2, 5, 3, MF_BYPOSITION));
    for (UINT position = 2; position <= 5; ++position)
        EXPECT_EQ(checked(position), position == 3) << position;
    EXPECT_TRUE(GetMenuState(game, 4, MF_BYPOSITION) & MFT_RADIOCHECK)
        << "an item unchecked by CheckMenuRadioItem keeps its radio type";
    EXPECT_TRUE(GetMenuState(game, 10002, MF_BYCOMMAND) & MF_CHECKED) << "position 3 is Intermediate";
    EXPECT_EQ(LoadMenuA(ModuleInstance(), "nomenu"), nullptr);
}

// ---------------------------------------------------------------------------
// Window geometry and the layout's correction step.

TEST_F(Conformance, TheLayoutsCorrectionStepGivesTheExactClientSize)
{
    HWND main = MakeWindow("main", mainStyle, nullptr, dblclkClass, LoadMenuA(ModuleInstance(), "menu"));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    const struct {
        int columns, rows;
    } boards[] = {{9, 9}, {30, 16}, {16, 16}};
    for (const auto& board : boards) {
        const int cw = board.columns * 16 + 32;
        const int ch = board.rows * 16 + 64;
        const int sw = GetSystemMetrics(SM_CXSCREEN);
        const int sh = GetSystemMetrics(SM_CYSCREEN);
        RECT rect;
        SetRect(&rect, (sw - cw) / 2, (sh - ch) / 2, (sw + cw) / 2, (sh + ch) / 2);
        EXPECT_TRUE(AdjustWindowRect(&rect, mainStyle, TRUE));
        EXPECT_TRUE(MoveWindow(main, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE));
        RECT client;
        EXPECT_TRUE(GetClientRect(main, &client));
        EXPECT_EQ(client.left, 0);
        EXPECT_EQ(client.top, 0);
        rect.right += cw - client.right;
        rect.bottom += ch - client.bottom;
        EXPECT_TRUE(MoveWindow(main, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE));
        GetClientRect(main, &client);
        EXPECT_EQ(client.right, cw) << board.columns << "x" << board.rows;
        EXPECT_EQ(client.bottom, ch) << board.columns << "x" << board.rows;
        RECT window;
        GetWindowRect(main, &window);
        EXPECT_EQ(window.left, rect.left);
        EXPECT_EQ(window.top, rect.top);
        EXPECT_EQ(window.right, rect.right);
        EXPECT_EQ(window.bottom, rect.bottom);

        // The client area lies inside the frame, and the face's corner is
        // found again through GetWindowRect and ScreenToClient.
        POINT origin = {0, 0};
        ClientToScreen(main, &origin);
        EXPECT_GE(origin.x, window.left);
        EXPECT_GT(origin.y, window.top) << "below the caption and the menu bar";
        EXPECT_LE(origin.x + cw, window.right);
        EXPECT_LE(origin.y + ch, window.bottom);
        HWND face = MakePicture(main, "smile", cw / 2 - 13, 11);
        const RECT faceRect = PictureRect(main, face);
        EXPECT_EQ(faceRect.left, cw / 2 - 13);
        EXPECT_EQ(faceRect.top, 11);
        DestroyWindow(face);
    }
    EXPECT_TRUE(ShowWindow(main, SW_SHOW));
}

// A window with a title bar is never narrower than SM_CXMINTRACK: the
// narrowest boards get a wider client area than they ask for. A menu bar
// too wide for its window goes on onto more lines, and the client area
// gives way; the layout's correction then still makes the client area as
// high as asked, and as wide as the system allows.
TEST_F(Conformance, NarrowWindowsKeepTheirMinimumWidthAndTheirMenuBarWraps)
{
    HWND main = MakeWindow("main", mainStyle, nullptr, dblclkClass, LoadMenuA(ModuleInstance(), "menu"));
    MoveWindow(main, 100, 100, 400, 300, TRUE);
    RECT wide;
    GetClientRect(main, &wide);
    MoveWindow(main, 100, 100, 60, 300, TRUE);
    RECT window;
    GetWindowRect(main, &window);
    const LONG minimumWidth = GetSystemMetrics(SM_CXMINTRACK);
    EXPECT_GT(minimumWidth, 60);
    EXPECT_EQ(window.right - window.left, minimumWidth);
    RECT narrow;
    GetClientRect(main, &narrow);
    const int line = GetSystemMetrics(SM_CYMENU);
    EXPECT_GE(wide.bottom - narrow.bottom, line - 1) << "at least one more line of menu bar";
    EXPECT_LE(wide.bottom - narrow.bottom, 2 * (line + 1)) << "three titles take three lines at most";

    // The layout of a 1 by 1 board: 48 by 80 asked.
    const int cw = 48;
    const int ch = 80;
    RECT rect;
    SetRect(&rect, 300, 300, 300 + cw, 300 + ch);
    AdjustWindowRect(&rect, mainStyle, TRUE);
    MoveWindow(main, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    RECT client;
    GetClientRect(main, &client);
    rect.right += cw - client.right;
    rect.bottom += ch - client.bottom;
    MoveWindow(main, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    GetClientRect(main, &client);
    GetWindowRect(main, &window);
    EXPECT_EQ(client.bottom, ch);
    EXPECT_EQ(window.right - window.left, minimumWidth);
    EXPECT_GT(client.right, cw) << "wider than asked";
}

// A window with a title bar is never larger than SM_CXMAXTRACK by
// SM_CYMAXTRACK, a little more than the screen: a board taller than the
// screen gets a shorter client area than it asks for.
TEST_F(Conformance, WindowsLargerThanTheScreenKeepTheSystemsMaximumSize)
{
    HWND main = MakeWindow("main", mainStyle, nullptr, dblclkClass, LoadMenuA(ModuleInstance(), "menu"));
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(GetSystemMetrics(SM_CXMAXTRACK), screenWidth + 12);
    EXPECT_EQ(GetSystemMetrics(SM_CYMAXTRACK), screenHeight + 12);
    MoveWindow(main, 0, 0, screenWidth + 400, screenHeight + 300, TRUE);
    RECT window;
    GetWindowRect(main, &window);
    EXPECT_EQ(window.right - window.left, GetSystemMetrics(SM_CXMAXTRACK));
    EXPECT_EQ(window.bottom - window.top, GetSystemMetrics(SM_CYMAXTRACK));
    RECT client;
    GetClientRect(main, &client);
    EXPECT_LT(client.bottom, screenHeight) << "the frame, title and menu bar come out of the maximum";
    MoveWindow(main, 0, 0, 300, 200, TRUE);
    GetWindowRect(main, &window);
    EXPECT_EQ(window.bottom - window.top, 200) << "smaller sizes are kept";
}

TEST_F(Conformance, RectanglesHaveTheirLeftAndTopEdgesInsideAndRightAndBottomOutside)
{
    RECT rect;
    EXPECT_TRUE(SetRect(&rect, 75, 11, 101, 37));  // the face of a 9 by 9 board
    const auto inside = [&rect](LONG x, LONG y) { return PtInRect(&rect, POINT{x, y}) != FALSE; };
    EXPECT_TRUE(inside(75, 11));
    EXPECT_TRUE(inside(100, 36));
    EXPECT_FALSE(inside(101, 20));
    EXPECT_FALSE(inside(80, 37));
    EXPECT_FALSE(inside(74, 20));
    EXPECT_FALSE(inside(80, 10));
    EXPECT_TRUE(InflateRect(&rect, 2, 3));
    EXPECT_EQ(rect.left, 73);
    EXPECT_EQ(rect.top, 8);
    EXPECT_EQ(rect.right, 103);
    EXPECT_EQ(rect.bottom, 40);
    EXPECT_TRUE(InflateRect(&rect, -4, -1));
    EXPECT_EQ(rect.left, 77);
    EXPECT_EQ(rect.right, 99);
    EXPECT_TRUE(OffsetRect(&rect, -10, 5));
    EXPECT_EQ(rect.left, 67);
    EXPECT_EQ(rect.top, 14);
    EXPECT_EQ(rect.right, 89);
    EXPECT_EQ(rect.bottom, 44);
    SetRect(&rect, 5, 5, 5, 9);
    EXPECT_FALSE(inside(5, 6)) << "an empty rectangle holds no point";
}

// ---------------------------------------------------------------------------
// Painting with the three stock brushes.

TEST_F(Conformance, FillRectWithTheThreeStockBrushesGivesWhiteLightGreyAndDarkGrey)
{
    paintStripes = true;
    HWND main = MakeWindow("main");
    InvalidateRect(main, nullptr, TRUE);
    conformance::PaintNow(main);
    const conformance::Pixel white = conformance::ClientPixel(main, 10, 10);
    const conformance::Pixel light = conformance::ClientPixel(main, 30, 10);
    const conformance::Pixel dark = conformance::ClientPixel(main, 50, 10);
    const conformance::Pixel background = conformance::ClientPixel(main, 100, 100);
    for (const conformance::Pixel& pixel : {white, light, dark, background}) {
        EXPECT_EQ(pixel.red, pixel.green) << "a grey";
        EXPECT_EQ(pixel.green, pixel.blue) << "a grey";
    }
    EXPECT_GT(white.red, light.red);
    EXPECT_GT(light.red, dark.red);
    // The shades of Windows' stock brushes.
    EXPECT_EQ(white.red, 255);
    EXPECT_EQ(light.red, 192);
    EXPECT_EQ(dark.red, 64);
    EXPECT_EQ(background.red, 192) << "the class background is the light-grey brush";
}

// ---------------------------------------------------------------------------
// Classes, icons, cursors.

TEST_F(Conformance, AClassNameIsRegisteredOnceAndTheProgramsIconAndTheArrowLoad)
{
    EXPECT_NE(RegisterTestClass("conformanceonce", 0), 0);
    EXPECT_EQ(RegisterTestClass("conformanceonce", 0), 0) << "a second registration of a name fails";
    EXPECT_EQ(RegisterTestClass("CONFORMANCEONCE", CS_DBLCLKS), 0) << "class names are matched without regard to case";
    EXPECT_NE(LoadIconA(ModuleInstance(), "icon"), nullptr);
    EXPECT_NE(LoadIconA(ModuleInstance(), "ICON"), nullptr);
    EXPECT_EQ(LoadIconA(ModuleInstance(), "noicon"), nullptr);
    EXPECT_EQ(LoadIconA(nullptr, "icon"), nullptr) << "without the instance, only the system's icons";
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    HWND window = MakeWindow("main", mainStyle, nullptr, "conformanceonce");
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(MakeWindow("none", mainStyle, nullptr, "conformancenoclass"), nullptr);
}

// ---------------------------------------------------------------------------
// Window styles and child windows, as the native program's presenter reads
// them to draw the custom-game window's controls.

TEST_F(Conformance, GetWindowLongGivesTheStylesAWindowWasMadeWithAndWhetherItIsVisible)
{
    HWND window = MakeWindow("main", WS_BORDER, nullptr, dblclkClass);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE, 0) << "made hidden";
    ShowWindow(window, SW_SHOW);
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE, 0) << "shown";
    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE, 0) << "hidden again";

    HWND label = CreateWindowExA(0, "static", "Rows:", WS_CHILD | WS_VISIBLE | SS_RIGHT, 10, 10, 75, 30, window,
                                 nullptr, ModuleInstance(), nullptr);
    HWND field = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 95, 7, 30, 30, window,
                                 nullptr, ModuleInstance(), nullptr);
    HWND picture = MakePicture(window, "s1", 0, 0);
    ASSERT_NE(label, nullptr);
    ASSERT_NE(field, nullptr);
    EXPECT_NE(GetWindowLongA(label, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(GetWindowLongA(label, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    EXPECT_EQ(GetWindowLongA(picture, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
    EXPECT_NE(GetWindowLongA(field, GWL_STYLE) & ES_NUMBER, 0);
    EXPECT_NE(GetWindowLongA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(GetWindowLongA(label, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    DestroyWindow(window);
}

namespace {
BOOL CALLBACK RecordChild(HWND window, LPARAM lParam)
{
    reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(TextOf(window));
    return TRUE;
}

BOOL CALLBACK StopAtSecond(HWND window, LPARAM lParam)
{
    auto* seen = reinterpret_cast<std::vector<std::string>*>(lParam);
    seen->push_back(TextOf(window));
    return seen->size() < 2 ? TRUE : FALSE;
}
}  // namespace

TEST_F(Conformance, EnumChildWindowsGivesEachChildThenItsOwnChildrenInTheOrderTheyWereMade)
{
    HWND window = MakeWindow("main", mainStyle, nullptr, dblclkClass);
    HWND first = MakeChild("a", window, 0, 0);
    MakeChild("b", window, 50, 0);
    MakeChild("a1", first, 0, 0);  // made after b, a child of a
    MakeChild("c", window, 100, 0);
    std::vector<std::string> seen;
    EnumChildWindows(window, RecordChild, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "a1", "b", "c"}));
    seen.clear();
    EnumChildWindows(first, RecordChild, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<std::string>{"a1"}));
    seen.clear();
    EnumChildWindows(window, StopAtSecond, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "a1"})) << "a callback that answers FALSE ends the enumeration";
    DestroyWindow(window);
}

// ---------------------------------------------------------------------------
// The tick count.

TEST_F(Conformance, TheTickCountCountsMillisecondsAndUnsignedDifferencesCrossTheWrap)
{
    const DWORD start = GetTickCount();
    DWORD previous = start;
    for (int i = 0; i < 1000; ++i) {
        const DWORD now = GetTickCount();
        EXPECT_LT(now - previous, 0x80000000u) << "never goes back";
        previous = now;
    }
    conformance::LetTimePass(250);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 250u - 16u) << "the real tick may step by up to 16 ms";
    EXPECT_LT(elapsed, 10000u);
    // The program's arithmetic: a difference taken as unsigned 32-bit
    // numbers is the true elapsed time across the wrap at 2^32.
    const DWORD beforeWrap = 0xFFFFFC18u;  // 1000 ms before the wrap
    const DWORD afterWrap = beforeWrap + 2500u;
    EXPECT_EQ(afterWrap, 1500u);
    EXPECT_EQ((afterWrap - beforeWrap) / 1000u, 2u);
}
