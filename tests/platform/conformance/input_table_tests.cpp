// The system keys, the menu bar's modal loop and the message box's keys, as
// a table: each row is a sequence of keys and mouse actions given as a
// device gives them, and the messages the owner window must see, in order.
// Natively the portable layer runs the menu and the box; in the Windows
// build the real user32 does, under Wine, with input through SendInput.
//
// The owner records what a program can observe of these messages; the
// idle and cursor messages, whose number depends on timing, are left out.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "shim.h"

namespace {

const char* const tableClass = "conformancetable";
const DWORD mainStyle = WS_VISIBLE | WS_BORDER | WS_SYSMENU;

std::vector<std::string> seen;
bool boxUp = false;
int boxAnswer = 0;

std::string CharName(WPARAM character)
{
    if (character > ' ' && character < 0x7F)
        return std::string(1, static_cast<char>(character));
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02x", static_cast<unsigned>(character));
    return hex;
}

std::string SystemCommandName(WPARAM wParam, LPARAM lParam)
{
    switch (wParam & 0xFFF0) {
    case SC_CLOSE:
        return "close";
    case SC_KEYMENU:
        return lParam == 0 ? "keymenu" : "keymenu " + CharName(static_cast<WPARAM>(lParam));
    case SC_MOUSEMENU:
        return "mousemenu";
    default:
        return std::to_string(wParam & 0xFFF0);
    }
}

LRESULT CALLBACK TableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
        seen.push_back("keydown " + std::to_string(wParam));
        break;
    case WM_KEYUP:
        seen.push_back("keyup " + std::to_string(wParam));
        break;
    case WM_SYSKEYDOWN:
        seen.push_back("syskeydown " + std::to_string(wParam));
        break;
    case WM_SYSKEYUP:
        seen.push_back("syskeyup " + std::to_string(wParam));
        break;
    case WM_CHAR:
        seen.push_back("char " + CharName(wParam));
        break;
    case WM_SYSCHAR:
        seen.push_back("syschar " + CharName(wParam));
        break;
    case WM_SYSCOMMAND:
        seen.push_back("syscommand " + SystemCommandName(wParam, lParam));
        break;
    case WM_COMMAND:
        seen.push_back("command " + std::to_string(LOWORD(wParam)));
        break;
    case WM_ENTERMENULOOP:
        seen.push_back("entermenuloop");
        break;
    case WM_EXITMENULOOP:
        seen.push_back("exitmenuloop");
        break;
    case WM_INITMENU:
        seen.push_back("initmenu");
        break;
    case WM_INITMENUPOPUP:
        seen.push_back("initmenupopup " + std::to_string(LOWORD(lParam)));
        break;
    case WM_UNINITMENUPOPUP:
        seen.push_back("uninitmenupopup");
        break;
    case WM_MENUSELECT:
        seen.push_back(HIWORD(wParam) == 0xFFFF && lParam == 0 ? "select none"
                                                               : "select " + std::to_string(LOWORD(wParam)));
        break;
    case WM_MENUCHAR:
        seen.push_back("menuchar " + CharName(LOWORD(wParam)));
        break;
    case WM_LBUTTONDOWN:
        seen.push_back("ldown");
        break;
    case WM_LBUTTONUP:
        seen.push_back("lup");
        break;
    case WM_RBUTTONDOWN:
        seen.push_back("rdown");
        break;
    case WM_RBUTTONUP:
        seen.push_back("rup");
        break;
    case WM_NCLBUTTONDOWN:
        seen.push_back(wParam == HTMENU ? "ncldown menu" : "ncldown " + std::to_string(wParam));
        break;
    case WM_CLOSE:
        seen.push_back("close");
        break;
    case WM_DESTROY:
        seen.push_back("destroy");
        return 0;
    case WM_USER:
        boxUp = true;
        boxAnswer = MessageBoxA(window, "A message.", "Box", MB_OK | MB_ICONINFORMATION);
        boxUp = false;
        seen.push_back("box answered " + std::to_string(boxAnswer));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Where an action happens: a title of the menu bar, an item of the open
// drop-down, or a point of the client area.
struct Place {
    enum Kind { Title, Item, Client } kind;
    int title;
    int index;  // of the item
    int x, y;   // client points
};
Place Title(int title)
{
    return {Place::Title, title, 0, 0, 0};
}
Place Item(int title, int index)
{
    return {Place::Item, title, index, 0, 0};
}
Place Client(int x, int y)
{
    return {Place::Client, 0, 0, x, y};
}

struct Action {
    enum Kind { Tap, Down, Up, MoveTo, PressAt, ReleaseAt, RightClickAt, ShowBox } kind;
    int key;
    Place place;
};
Action Tap(int key)
{
    return {Action::Tap, key, {}};
}
Action Down(int key)
{
    return {Action::Down, key, {}};
}
Action Up(int key)
{
    return {Action::Up, key, {}};
}
Action MoveTo(Place place)
{
    return {Action::MoveTo, 0, place};
}
Action PressAt(Place place)
{
    return {Action::PressAt, 0, place};
}
Action ReleaseAt(Place place)
{
    return {Action::ReleaseAt, 0, place};
}
Action RightClickAt(Place place)
{
    return {Action::RightClickAt, 0, place};
}
Action ShowBox()
{
    return {Action::ShowBox, 0, {}};
}

struct Row {
    const char* name;                        // also what a failure prints
    std::vector<std::vector<Action>> steps;  // each step's actions go together
    std::vector<std::string> expected;
    // Where Wine is known to differ from Windows: why, and what Wine gives,
    // so that a change in Wine is noticed too.
    const char* wineDiffers = nullptr;
    std::vector<std::string> wineGives = {};
};

// A message box with only OK answers IDOK however it is closed; Wine's
// answers IDCANCEL when it is closed by Escape or Alt+F4.
const char* const wineCancelsBox = "Wine 8 answers IDCANCEL for an MB_OK box closed by Escape or Alt+F4";

// A row is named by its name when a test of it fails.
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

HWND owner = nullptr;

// The centre of a place on the screen, found when the step runs (an item
// only while its drop-down is open).
POINT ScreenPoint(const Place& place)
{
    RECT rect = {0, 0, 0, 0};
    HMENU bar = GetMenu(owner);
    switch (place.kind) {
    case Place::Title:
        GetMenuItemRect(owner, bar, static_cast<UINT>(place.title), &rect);
        break;
    case Place::Item:
        // Without a window, the system finds the drop-down's own.
        GetMenuItemRect(nullptr, GetSubMenu(bar, place.title), static_cast<UINT>(place.index), &rect);
        break;
    case Place::Client: {
        POINT point = {place.x, place.y};
        ClientToScreen(owner, &point);
        return point;
    }
    }
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void Perform(const Action& action)
{
    switch (action.kind) {
    case Action::Tap:
        conformance::KeyDown(action.key);
        conformance::KeyUp(action.key);
        break;
    case Action::Down:
        conformance::KeyDown(action.key);
        break;
    case Action::Up:
        conformance::KeyUp(action.key);
        break;
    case Action::MoveTo:
        conformance::MovePointer(ScreenPoint(action.place));
        break;
    case Action::PressAt:
        conformance::MovePointer(ScreenPoint(action.place));
        conformance::ButtonDown();
        break;
    case Action::ReleaseAt:
        conformance::MovePointer(ScreenPoint(action.place));
        conformance::ButtonUp();
        break;
    case Action::RightClickAt:
        conformance::MovePointer(ScreenPoint(action.place));
        conformance::ButtonDown(true);
        conformance::ButtonUp(true);
        break;
    case Action::ShowBox:
        PostMessageA(owner, WM_USER, 0, 0);
        break;
    }
}

// Alt+letter: Alt held around the letter.
std::vector<Action> AltWith(int key)
{
    return {Down(VK_MENU), Tap(key), Up(VK_MENU)};
}

const int game = 0;
const int solver = 1;
const int help = 2;
const int expert = 4;
const std::string alt = "18";
const std::string enter = "13";
const std::string escape = "27";

const std::vector<Row> rows = {
    {"Alt alone selects the bar and Escape leaves it",
     {{Tap(VK_MENU)}, {Tap(VK_ESCAPE)}},
     {"syskeydown " + alt, "syskeyup " + alt, "syscommand keymenu", "entermenuloop", "initmenu", "select 0",
      "select none", "exitmenuloop", "keyup " + escape}},
    {"F10 selects the bar, Escape leaves it and the second Escape is the window's",
     {{Tap(VK_F10)}, {Tap(VK_ESCAPE)}, {Tap(VK_ESCAPE)}},
     {"syskeydown 121", "syskeyup 121", "syscommand keymenu", "entermenuloop", "initmenu", "select 0", "select none",
      "exitmenuloop", "keyup " + escape, "keydown " + escape, "char 0x1b", "keyup " + escape}},
    {"Alt, G, Down, Enter chooses the second item of Game",
     {{Tap(VK_MENU)}, {Tap('G')}, {Tap(VK_DOWN)}, {Tap(VK_RETURN)}},
     {"syskeydown " + alt, "syskeyup " + alt, "syscommand keymenu", "entermenuloop", "initmenu", "select 0",
      "initmenupopup 0", "select 10000", "select 10001", "uninitmenupopup", "select none", "exitmenuloop",
      "command 10001", "keyup " + enter}},
    {"Alt+G opens Game with its first item selected; Down skips the separator; Enter chooses",
     {AltWith('G'), {Tap(VK_DOWN)}, {Tap(VK_RETURN)}},
     {"syskeydown " + alt, "syskeydown 71", "syschar g", "syscommand keymenu g", "entermenuloop", "initmenu",
      "select 0", "initmenupopup 0", "select 10000", "select 10001", "uninitmenupopup", "select none", "exitmenuloop",
      "command 10001", "keyup " + enter}},
    {"Alt+G, Escape closes the drop-down, a second Escape the bar",
     {AltWith('G'), {Tap(VK_ESCAPE)}, {Tap(VK_ESCAPE)}},
     {"syskeydown " + alt, "syskeydown 71", "syschar g", "syscommand keymenu g", "entermenuloop", "initmenu",
      "select 0", "initmenupopup 0", "select 10000", "uninitmenupopup", "select none", "exitmenuloop",
      "keyup " + escape}},
    {"Up from the first item goes round to the last",
     {AltWith('G'), {Tap(VK_UP)}, {Tap(VK_RETURN)}},
     {"syskeydown " + alt, "syskeydown 71", "syschar g", "syscommand keymenu g", "entermenuloop", "initmenu",
      "select 0", "initmenupopup 0", "select 10000", "select 10006", "uninitmenupopup", "select none", "exitmenuloop",
      "command 10006", "keyup " + enter}},
    {"Right moves to the next title and opens its drop-down",
     {AltWith('G'), {Tap(VK_RIGHT)}, {Tap(VK_RETURN)}},
     {"syskeydown " + alt, "syskeydown 71", "syschar g", "syscommand keymenu g", "entermenuloop", "initmenu",
      "select 0", "initmenupopup 0", "select 10000", "uninitmenupopup", "select 1", "initmenupopup 1", "select 10009",
      "uninitmenupopup", "select none", "exitmenuloop", "command 10009", "keyup " + enter}},
    {"Alt, Right, Enter opens the second drop-down from the bar",
     {{Tap(VK_MENU)}, {Tap(VK_RIGHT)}, {Tap(VK_RETURN)}, {Tap(VK_ESCAPE)}, {Tap(VK_ESCAPE)}},
     {"syskeydown " + alt, "syskeyup " + alt, "syscommand keymenu", "entermenuloop", "initmenu", "select 0", "select 1",
      "initmenupopup 1", "select 10009", "uninitmenupopup", "select none", "exitmenuloop", "keyup " + escape}},
    {"Alt+S, Enter asks for a hint",
     {AltWith('S'), {Tap(VK_RETURN)}},
     {"syskeydown " + alt, "syskeydown 83", "syschar s", "syscommand keymenu s", "entermenuloop", "initmenu",
      "select 1", "initmenupopup 1", "select 10009", "uninitmenupopup", "select none", "exitmenuloop", "command 10009",
      "keyup " + enter}},
    {"A letter that is no item's mnemonic is offered to the owner and chooses nothing",
     {AltWith('H'), {Tap('W')}, {Tap(VK_ESCAPE)}, {Tap(VK_ESCAPE)}},
     {"syskeydown " + alt, "syskeydown 72", "syschar h", "syscommand keymenu h", "entermenuloop", "initmenu",
      "select 2", "initmenupopup 2", "select 10011", "menuchar w", "uninitmenupopup", "select none", "exitmenuloop",
      "keyup " + escape}},
    {"Alt with a letter that no title has ends the menu at once",
     {AltWith('Q'), {Tap(VK_F2)}},
     {"syskeydown " + alt, "syskeydown 81", "syschar q", "syscommand keymenu q", "entermenuloop", "initmenu",
      "menuchar q", "select none", "exitmenuloop", "syskeyup 81", "keyup " + alt, "keydown 113", "keyup 113"}},
    {"Alt pressed again while the menu is open closes it",
     {AltWith('G'), {Tap(VK_MENU)}, {Tap(VK_F2)}},
     {"syskeydown " + alt, "syskeydown 71", "syschar g", "syscommand keymenu g", "entermenuloop", "initmenu",
      "select 0", "initmenupopup 0", "select 10000", "uninitmenupopup", "select none", "exitmenuloop",
      "syskeyup " + alt, "keydown 113", "keyup 113"}},
    {"Alt released before the other key is a plain key's release",
     {{Down(VK_MENU), Down(VK_F5), Up(VK_MENU), Up(VK_F5)}, {Tap(VK_F2)}},
     {"syskeydown " + alt, "syskeydown 116", "keyup " + alt, "keyup 116", "keydown 113", "keyup 113"}},
    {"Alt+F4 closes the window",
     {AltWith(VK_F4)},
     {"syskeydown " + alt, "syskeydown 115", "syscommand close", "close", "destroy"}},
    {"Shift with a digit types the shifted character",
     {{Down(VK_SHIFT), Tap('1'), Up(VK_SHIFT)}, {Tap('1')}},
     {"keydown 16", "keydown 49", "char !", "keyup 49", "keyup 16", "keydown 49", "char 1", "keyup 49"}},
    {"A press on a title and a release on an item choose it",
     {{PressAt(Title(game))}, {MoveTo(Item(game, expert))}, {ReleaseAt(Item(game, expert))}},
     {"ncldown menu", "syscommand mousemenu", "entermenuloop", "initmenu", "select 0", "initmenupopup 0",
      "select 10003", "uninitmenupopup", "select none", "exitmenuloop", "command 10003"}},
    {"A click on a title and a click on an item choose it",
     {{PressAt(Title(game)), ReleaseAt(Title(game))},
      {MoveTo(Item(game, 2))},
      {PressAt(Item(game, 2)), ReleaseAt(Item(game, 2))}},
     {"ncldown menu", "syscommand mousemenu", "entermenuloop", "initmenu", "select 0", "initmenupopup 0",
      "select 10001", "uninitmenupopup", "select none", "exitmenuloop", "command 10001"}},
    {"A second click on the open title closes the menu",
     {{PressAt(Title(solver)), ReleaseAt(Title(solver))}, {PressAt(Title(solver)), ReleaseAt(Title(solver))}},
     {"ncldown menu", "syscommand mousemenu", "entermenuloop", "initmenu", "select 1", "initmenupopup 1",
      "uninitmenupopup", "select none", "exitmenuloop"}},
    {"Moving to another title while the button is down opens that one",
     {{PressAt(Title(game))}, {MoveTo(Title(solver))}, {MoveTo(Item(solver, 0))}, {ReleaseAt(Item(solver, 0))}},
     {"ncldown menu", "syscommand mousemenu", "entermenuloop", "initmenu", "select 0", "initmenupopup 0",
      "uninitmenupopup", "select 1", "initmenupopup 1", "select 10009", "uninitmenupopup", "select none",
      "exitmenuloop", "command 10009"}},
    {"A click outside an open menu closes it and reaches the window under it",
     {{PressAt(Title(help)), ReleaseAt(Title(help))}, {PressAt(Client(150, 150)), ReleaseAt(Client(150, 150))}},
     {"ncldown menu", "syscommand mousemenu", "entermenuloop", "initmenu", "select 2", "initmenupopup 2",
      "uninitmenupopup", "select none", "exitmenuloop", "ldown", "lup"}},
    {"A release outside the menu after a press on a title closes it",
     {{PressAt(Title(game))}, {ReleaseAt(Client(150, 150))}},
     {"ncldown menu", "syscommand mousemenu", "entermenuloop", "initmenu", "select 0", "initmenupopup 0",
      "uninitmenupopup", "select none", "exitmenuloop", "lup"}},
    {"The right button does nothing in an open menu",
     {AltWith('G'), {RightClickAt(Item(game, expert))}, {Tap(VK_ESCAPE)}, {Tap(VK_ESCAPE)}},
     {"syskeydown " + alt, "syskeydown 71", "syschar g", "syscommand keymenu g", "entermenuloop", "initmenu",
      "select 0", "initmenupopup 0", "select 10000", "select 10003", "uninitmenupopup", "select none", "exitmenuloop",
      "keyup " + escape}},
    {"Enter dismisses a message box; its key-up reaches the owner",
     {{ShowBox()}, {Tap(VK_RETURN)}},
     {"box answered 1", "keyup " + enter}},
    {"Escape dismisses a message box that has only OK",
     {{ShowBox()}, {Tap(VK_ESCAPE)}},
     {"box answered 1", "keyup " + escape},
     wineCancelsBox,
     {"box answered 2", "keyup " + escape}},
    {"Space presses the box's button", {{ShowBox()}, {Tap(VK_SPACE)}}, {"box answered 1"}},
    {"Alt+F4 closes the message box, not its owner",
     {{ShowBox()}, AltWith(VK_F4), {Tap(VK_F2)}},
     {"box answered 1", "syskeyup 115", "keyup " + alt, "keydown 113", "keyup 113"},
     wineCancelsBox,
     {"box answered 2", "syskeyup 115", "keyup " + alt, "keydown 113", "keyup 113"}},
    {"The box's owner takes no keys or clicks while it is up",
     {{ShowBox()}, {PressAt(Client(150, 150)), ReleaseAt(Client(150, 150)), Tap(VK_F2)}, {Tap(VK_RETURN)}},
     {"box answered 1", "keyup " + enter}},
};

class InputTable : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override
    {
        conformance::StartTest();
        WNDCLASSEXA record = {};
        record.cbSize = sizeof record;
        record.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
        record.lpfnWndProc = TableProc;
        record.hInstance = conformance::ModuleInstance();
        record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        record.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        record.lpszClassName = tableClass;
        RegisterClassExA(&record);
        owner = CreateWindowExA(0, tableClass, "owner", mainStyle, 100, 100, 400, 300, nullptr,
                                LoadMenuA(conformance::ModuleInstance(), "menu"), conformance::ModuleInstance(),
                                nullptr);
        ASSERT_NE(owner, nullptr);
        conformance::DispatchUntil([] { return GetFocus() == owner; });
        seen.clear();
    }
    void TearDown() override { conformance::EndTest(); }
};

std::string RowName(const ::testing::TestParamInfo<Row>& info)
{
    std::string name;
    bool upper = true;
    for (const char* c = info.param.name; *c != '\0'; ++c) {
        if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9')) {
            name.push_back(upper && *c >= 'a' && *c <= 'z' ? static_cast<char>(*c - 'a' + 'A') : *c);
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}
}  // namespace

TEST_P(InputTable, TheOwnerSeesTheMessagesInOrder)
{
    const Row& row = GetParam();
    ASSERT_EQ(GetFocus(), owner) << "the owner has the keyboard";
    std::vector<std::function<void()>> steps;
    for (const std::vector<Action>& step : row.steps)
        steps.push_back([step] {
            for (const Action& action : step)
                Perform(action);
        });
    EXPECT_TRUE(conformance::RunInputSteps(steps));
    if (row.wineDiffers != nullptr && conformance::OnWine()) {
        std::printf("todo_wine: %s\n", row.wineDiffers);
        EXPECT_EQ(seen, row.wineGives) << row.name << ": Wine no longer differs as noted";
        return;
    }
    EXPECT_EQ(seen, row.expected) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Conformance, InputTable, ::testing::ValuesIn(rows), RowName);
