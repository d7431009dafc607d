// The robot: a Win32 console program that starts Blastgrid.exe and drives
// and checks it only through Win32 calls, as a player and an onlooker would:
// real mouse and key input, the window tree, menus, message boxes and
// screen pixels. It writes what it does and finds to a log file (the
// console of a GUI session under Wine is unreliable) and exits with the
// number of failed checks.
//
//   robot.exe check GAME.exe LOG SHOTS     the end-to-end test
//   robot.exe play GAME.exe LOG SHOTS      start, let Solver play one game, close
//   robot.exe session GAME.exe LOG SHOTS   a long session: hundreds of new games,
//                                          then pictures, memory and exit code
//   robot.exe bench GAME.exe LOG SHOTS     the time new games and Solve! take
//   robot.exe floor COLUMNS ROWS           the benchmark's floor (floor.cpp)
//
// Screenshots are asked of the script that runs the robot: the robot
// writes SHOTS/NAME.request and waits until the file is gone.
#include "robot_modes.h"
#include "robot_support.h"

#include "shell/command_ids.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

const char* const hintNothing = "Solver has not identified any squares that can be safely uncovered without guessing.";

void CheckStartUp()
{
    Log("-- start-up");
    const SIZE client = ClientSize(game);
    Check(client.cx == 176 && client.cy == 208, "client area 176 x 208 (found %ld x %ld)", client.cx, client.cy);
    WaitFor([] { return CounterText() == "010" && FaceName() == "smile"; }, 5000);
    const auto byCorner = PicturesByCorner();
    int covered = 0;
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row)
            covered += SquareName(byCorner, column, row) == "nc";
    Check(covered == 81, "81 \"nc\" squares at their pixels (found %d)", covered);
    int statics = 0, named = 0;
    for (const Picture& picture : Pictures()) {
        statics += picture.className == "Static";
        named += !picture.name.empty();
    }
    Check(statics == static_cast<int>(Pictures().size()), "every child is of class Static (%d of %d)", statics,
          static_cast<int>(Pictures().size()));
    Check(static_cast<int>(Pictures().size()) == 81 + 1 + 3 + 3, "81 squares, a face and six digits (found %d)",
          static_cast<int>(Pictures().size()));
    Check(FaceName() == "smile", "the face \"smile\" at (75, 11) (found \"%s\")", FaceName().c_str());
    Check(CounterText() == "010", "the counter \"d0\" \"d1\" \"d0\" at x 15, 27, 39 (found %s)", CounterText().c_str());
    Check(TimerText() == "000", "the timer \"d0\" x3 at x 128, 140, 152 (found %s)", TimerText().c_str());
    for (const Picture& picture : Pictures()) {
        if (picture.name == "nc" && (picture.size.cx != 16 || picture.size.cy != 16)) {
            Check(false, "a square is 16 x 16 (found %ld x %ld)", picture.size.cx, picture.size.cy);
            break;
        }
    }
}

std::string gamePath;

// The menu bar as built into Blastgrid.exe: Wine keeps menus inside their
// process, so the robot reads the menu resource the program loads.
void CheckMenu()
{
    Log("-- the menu (the resource of Blastgrid.exe that the program loads)");
    HMODULE exe = LoadLibraryExA(gamePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HMENU bar = exe == nullptr ? nullptr : LoadMenuA(exe, "menu");
    if (!Check(bar != nullptr && GetMenuItemCount(bar) == 3, "a menu bar of three drop-downs")) {
        if (exe != nullptr)
            FreeLibrary(exe);
        return;
    }
    const char* const titles[] = {"&Game", "&Solver", "&Help"};
    const struct {
        int menu, position;
        const char* text;
        UINT id;
    } items[] = {
        {0, 0, "New Game\tF2", CommandNewGame},
        {0, 2, "Beginner", CommandBeginner},
        {0, 3, "Intermediate", CommandIntermediate},
        {0, 4, "Expert", CommandExpert},
        {0, 5, "Custom...", CommandCustom},
        {0, 7, "Exit", CommandExit},
        {1, 0, "Hint\tH", CommandHint},
        {1, 2, "Solve!\tF3", CommandSolve},
        {2, 0, "How to Play", CommandHowToPlay},
        {2, 1, "What is Solver?", CommandAboutSolver},
        {2, 3, "About Blastgrid...", CommandAbout},
    };
    for (int menu = 0; menu < 3; ++menu) {
        char text[64] = "";
        GetMenuStringA(bar, menu, text, sizeof text, MF_BYPOSITION);
        Check(std::strcmp(text, titles[menu]) == 0, "drop-down %d is \"%s\" (found \"%s\")", menu, titles[menu], text);
    }
    const int counts[] = {8, 3, 4};
    for (int menu = 0; menu < 3; ++menu)
        Check(GetMenuItemCount(GetSubMenu(bar, menu)) == counts[menu], "drop-down %d has %d items", menu, counts[menu]);
    for (const auto& item : items) {
        HMENU menu = GetSubMenu(bar, item.menu);
        char text[64] = "";
        GetMenuStringA(menu, item.position, text, sizeof text, MF_BYPOSITION);
        Check(std::strcmp(text, item.text) == 0 && GetMenuItemID(menu, item.position) == item.id,
              "item %d.%d is \"%s\" with id %u (found \"%s\", %u)", item.menu, item.position, OneLine(item.text).c_str(),
              item.id, OneLine(text).c_str(), GetMenuItemID(menu, item.position));
    }
    for (const auto& separator : {std::make_pair(0, 1), std::make_pair(0, 6), std::make_pair(1, 1), std::make_pair(2, 2)})
        Check((GetMenuState(GetSubMenu(bar, separator.first), separator.second, MF_BYPOSITION) & MF_SEPARATOR) != 0,
              "item %d.%d is a separator", separator.first, separator.second);
    for (int position = 2; position <= 5; ++position)
        Check(((GetMenuState(GetSubMenu(bar, 0), position, MF_BYPOSITION) & MF_CHECKED) != 0) == (position == 2),
              "Game item %d %s the check", position, position == 2 ? "carries" : "does not carry");
    DestroyMenu(bar);
    FreeLibrary(exe);
}

HWND OpenMenuWindow()
{
    HWND popup = nullptr;
    WaitFor([&] { return (popup = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(popup); }, 3000);
    return popup;
}

// Opens the Game drop-down with the keyboard (Alt+G).
HWND OpenGameMenu()
{
    SetForegroundWindow(game);
    SendKey(VK_MENU, false);
    SendKey('G', false);
    SendKey('G', true);
    SendKey(VK_MENU, true);
    return OpenMenuWindow();
}

void CloseMenu()
{
    SendKey(VK_ESCAPE, false);
    SendKey(VK_ESCAPE, true);
    SendKey(VK_ESCAPE, false);
    SendKey(VK_ESCAPE, true);
    WaitFor([] { return FindWindowA("#32768", nullptr) == nullptr || !IsWindowVisible(FindWindowA("#32768", nullptr)); },
            3000);
    Sleep(200);
}

// The height, within the open Game drop-down, of the check mark in its left
// margin (the mean row of its dark pixels), or -1 when there is none. Wine
// keeps menus inside their process, so the check is read off the screen.
int CheckMarkRow(const char* screenshot)
{
    HWND popup = OpenGameMenu();
    if (popup == nullptr) {
        Log("FAIL the Game drop-down does not open with Alt+G");
        ++failures;
        return -1;
    }
    Sleep(200);
    if (screenshot != nullptr)
        Screenshot(screenshot);
    RECT rect;
    GetWindowRect(popup, &rect);
    HDC screen = GetDC(nullptr);
    long sum = 0, rows = 0;
    for (LONG y = rect.top + 2; y < rect.bottom - 2; ++y) {
        int dark = 0;
        for (LONG x = rect.left + 2; x < rect.left + 15; ++x) {
            const COLORREF colour = GetPixel(screen, x, y);
            dark += GetRValue(colour) < 80 && GetGValue(colour) < 80 && GetBValue(colour) < 80;
        }
        if (dark > 0) {
            sum += y - rect.top;
            ++rows;
        }
    }
    ReleaseDC(nullptr, screen);
    CloseMenu();
    return rows == 0 ? -1 : static_cast<int>(sum / rows);
}

// Chooses an item of the Game drop-down with the keyboard: Alt+G, then Down
// as often as asked (separators are skipped), then Enter.
void ChooseFromGameMenu(int downs)
{
    if (OpenGameMenu() == nullptr) {
        Check(false, "the Game drop-down opens with Alt+G");
        return;
    }
    for (int i = 0; i < downs; ++i) {
        SendKey(VK_DOWN, false);
        SendKey(VK_DOWN, true);
    }
    SendKey(VK_RETURN, false);
    SendKey(VK_RETURN, true);
    Sleep(300);
}

void CheckPixels()
{
    Log("-- screen pixels");
    ExpectPixelsOf("NC", 16, 48);
    ExpectPixelsOf("SMILE", 75, 11);
    ExpectPixelsOf("D1", 27, 13);
    ExpectPixel(0, 0, RGB(255, 255, 255), "the white outer frame");
    ExpectPixel(14, 46, RGB(64, 64, 64), "the dark grey field frame");
}

// Uncovers, marks and unmarks with the real mouse, then F2.
void CheckMouseAndKeys()
{
    Log("-- mouse and keys");
    ClickSquare(8, 8, true);
    Check(WaitFor([] { return SquareName(PicturesByCorner(), 8, 8) == "marked"; }, 3000), "a right click marks");
    const bool marked = WaitFor([] { return CounterText() == "009"; }, 3000);
    Check(marked, "the counter shows 009 (found %s)", CounterText().c_str());
    ClickSquare(8, 8, true);
    Check(WaitFor([] { return SquareName(PicturesByCorner(), 8, 8) == "nc"; }, 3000), "a second right click unmarks");
    ClickSquare(4, 4);
    const bool uncovered = WaitFor([] { return SquareName(PicturesByCorner(), 4, 4) != "nc"; }, 3000);
    Check(uncovered, "a left click uncovers (found \"%s\")", SquareName(PicturesByCorner(), 4, 4).c_str());
    Screenshot("after-first-click");
    if (FaceName() == "dsmile")
        Log("note the first click hit a mine");
    PressKey(VK_F2);
    Check(WaitFor(IsFreshBoard, 3000), "F2 starts a new game");

    PressKey('H');
    ExpectMessageBox("Hint", hintNothing);
    // Without a window manager Wine takes about two seconds to hide the box,
    // longer on a busy machine; the board is read once that is done.
    const bool fresh = WaitFor(IsFreshBoard, 5000);
    Check(fresh, "a hint on a fresh board changes nothing (face \"%s\", %d covered squares)", FaceName().c_str(),
          CountSquares("nc"));

    // Help by keyboard: Alt+H opens the Help drop-down, Enter takes its first item.
    SetForegroundWindow(game);
    SendKey(VK_MENU, false);
    SendKey('H', false);
    SendKey('H', true);
    SendKey(VK_MENU, true);
    Sleep(300);
    SendKey(VK_RETURN, false);
    SendKey(VK_RETURN, true);
    ExpectMessageBox("How to Play",
                     "How To Play Blastgrid\n\nYour goal is to mark all of the mines without revealing any of them.\n\n"
                     "Left-click to reveal a square, right-click to mark it as a mine.\n\nSquares with numbers in "
                     "them indicate that that many mines are in adjacent squares (including diagonals).\n\nPress H to "
                     "have Solver give you a hint (if possible) or F3 to have Solver take over.");
    Command(CommandAboutSolver);
    const MessageBoxFound about = WaitForMessageBox(5000);
    Check(about.title == "About Solver" && about.text.find("Solver's algorithm works as follows:") != std::string::npos,
          "What is Solver? shows \"About Solver\" (found \"%s\")", about.title.c_str());
    Check(about.text.find("  \xB7 Automatically reveal squares around \"solved\" squares.") != std::string::npos,
          "its list has the middle dot");
    if (about.window != nullptr)
        Dismiss(about);
    Command(CommandAbout);
    const MessageBoxFound credits = WaitForMessageBox(5000);
    Check(credits.title == "About Blastgrid" && credits.text.find("the Blastgrid developers") != std::string::npos,
          "About Blastgrid... shows the credits (found \"%s\")", credits.title.c_str());
    if (credits.window != nullptr)
        Dismiss(credits);
}

std::vector<int> checkRows;  // the check mark's height for Beginner, Intermediate, Expert, Custom

void CheckLevels()
{
    Log("-- levels");
    const int startRow = CheckMarkRow("menu-open");
    Check(startRow >= 0, "the Game drop-down shows a check mark at the start (row %d)", startRow);
    const struct {
        int downs;  // from New Game, in the drop-down
        LONG width, height;
        const char* name;
    } levels[] = {{2, 288, 320, "Intermediate"}, {3, 512, 320, "Expert"}, {1, 176, 208, "Beginner"}};
    std::map<std::string, int> rows;
    for (const auto& level : levels) {
        ChooseFromGameMenu(level.downs);
        const bool sized =
            WaitFor([&] { return ClientSize(game).cx == level.width && ClientSize(game).cy == level.height; }, 3000);
        Check(sized, "%s by the keyboard menu: client area %ld x %ld (found %ld x %ld)", level.name, level.width,
              level.height, ClientSize(game).cx, ClientSize(game).cy);
        WaitFor(IsFreshBoard, 3000);
        Check(IsFreshBoard(), "%s: a fresh board of %d squares", level.name, Columns() * Rows());
        rows[level.name] = CheckMarkRow(nullptr);
        if (level.width == 512) {
            Screenshot("expert");
            ExpectPixelsOf("NC", 16 + 16 * 29, 48 + 16 * 15);
            Check(TimerText() == "000", "Expert: the timer at x 464 shows 000 (found %s)", TimerText().c_str());
        }
    }
    Check(rows["Beginner"] >= 0 && std::abs(rows["Beginner"] - startRow) <= 2,
          "the radio mark is back on Beginner (row %d, at the start %d)", rows["Beginner"], startRow);
    Check(rows["Beginner"] < rows["Intermediate"] && rows["Intermediate"] < rows["Expert"],
          "the radio mark moves down: Beginner %d, Intermediate %d, Expert %d", rows["Beginner"],
          rows["Intermediate"], rows["Expert"]);
    checkRows = {rows["Beginner"], rows["Intermediate"], rows["Expert"]};
}

BOOL CALLBACK CountCustomWindows(HWND window, LPARAM count)
{
    if (ClassOf(window) == "cstmfld")
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void CheckCustom()
{
    Log("-- the custom game window");
    Command(CommandCustom);
    HWND custom = FindCustomWindow();
    if (!Check(custom != nullptr, "Custom... opens class \"cstmfld\" titled \"Custom Game\""))
        return;
    const SIZE client = ClientSize(custom);
    Check(client.cx == 200 && client.cy == 200, "its client area is 200 x 200 (found %ld x %ld)", client.cx, client.cy);
    Screenshot("custom-window");
    Command(CommandCustom);
    Sleep(300);
    int windows = 0;
    EnumWindows(CountCustomWindows, reinterpret_cast<LPARAM>(&windows));
    Check(windows == 1, "a second Custom... opens no second window (found %d)", windows);

    EnterCustom(custom, "16", "30", "99");
    Check(WaitFor([] { return ClientSize(game).cx == 512 && ClientSize(game).cy == 320; }, 10000),
          "rows 16, columns 30, mines 99 give a 512 x 320 client area");
    // The counter is redrawn in the game's next idle turn, which waits until
    // Wine has hidden the custom window.
    const bool counted = WaitFor([] { return CounterText() == "099"; }, 10000);
    Check(counted, "and 99 mines on the counter (found %s)", CounterText().c_str());
    Check(!IsWindow(custom), "OK closes the window");
    const int customRow = CheckMarkRow("menu-custom");
    Check(checkRows.size() == 3 && customRow > checkRows[2] && customRow - checkRows[2] < checkRows[2] - checkRows[0],
          "the radio mark is on Custom..., just below Expert (row %d)", customRow);

    const struct {
        const char *rows, *columns, *mines;
    } invalid[] = {{"50", "9", "10"}, {"9", "9", "0"}, {"3", "4", "13"}, {"", "9", "10"}};
    for (const auto& entry : invalid) {
        Command(CommandCustom);
        custom = FindCustomWindow();
        if (custom == nullptr)
            continue;
        EnterCustom(custom, entry.rows, entry.columns, entry.mines);
        Log("entered rows \"%s\", columns \"%s\", mines \"%s\"", entry.rows, entry.columns, entry.mines);
        ExpectMessageBox("Blastgrid", "Invalid minefield specifications.");
        // Without a window manager Wine waits about two seconds for each
        // window it hides (the box, then this window) before going on.
        Check(WaitFor([&] { return !IsWindow(custom); }, 10000), "the window closes after the message");
        Check(ClientSize(game).cx == 512, "the game in play is unchanged");
    }
    Command(CommandBeginner);
    WaitFor(IsFreshBoard, 3000);
}

// A board taller than the screen: the system holds the window to a little
// more than the screen, and the game keeps its top-left corner, and so its
// menu bar and face, on the screen.
void CheckBoardLargerThanScreen()
{
    Log("-- a 49 x 49 board on a small screen");
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    Command(CommandCustom);
    HWND custom = FindCustomWindow();
    if (!Check(custom != nullptr, "Custom... opens the custom game window"))
        return;
    EnterCustom(custom, "49", "49", "400");
    Check(WaitFor([] { return ClientSize(game).cx == 16 * 49 + 32; }, 20000), "49 columns give a client area %d wide",
          16 * 49 + 32);
    RECT window{};
    GetWindowRect(game, &window);
    Log("screen %d x %d, window (%ld, %ld)-(%ld, %ld)", GetSystemMetrics(SM_CXSCREEN), screenHeight, window.left,
        window.top, window.right, window.bottom);
    Check(window.bottom - window.top == GetSystemMetrics(SM_CYMAXTRACK) && window.bottom - window.top > screenHeight,
          "the window is as tall as the system allows, taller than the screen");
    Check(window.left >= 0 && window.top >= 0, "its top-left corner is on the screen");
    // The menu bar lies between the window's top and its client area's.
    POINT client{0, 0};
    ClientToScreen(game, &client);
    Check(client.y > window.top && client.y < screenHeight, "the menu bar is on the screen (client area at y %ld)",
          client.y);
    RECT face{};
    GetWindowRect(FaceWindow(), &face);
    Check(face.top >= 0 && face.bottom <= screenHeight, "the face is on the screen (top %ld)", face.top);
    Screenshot("larger-than-screen");
    Command(CommandBeginner);
    WaitFor(IsFreshBoard, 10000);
}

void CheckSolverGames()
{
    Log("-- Solver plays");
    int won = 0, lost = 0;
    for (int game_number = 1; game_number <= 6; ++game_number) {
        char what[32];
        std::snprintf(what, sizeof what, "Beginner game %d", game_number);
        PressKey(VK_F2);
        WaitFor(IsFreshBoard, 3000);
        if (LetSolverPlay(what, 60000))
            CheckFinalBoard(what);
        won += FaceName() == "csmile";
        lost += FaceName() == "dsmile";
        if (game_number == 1)
            Screenshot(FaceName() == "csmile" ? "beginner-won" : "beginner-lost");
    }
    Log("Beginner: Solver won %d and lost %d", won, lost);
    Command(CommandExpert);
    WaitFor(IsFreshBoard, 3000);
    if (LetSolverPlay("Expert game", 120000))
        CheckFinalBoard("Expert game");
    Screenshot("expert-end");
    Command(CommandBeginner);
    WaitFor(IsFreshBoard, 3000);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "floor") == 0)
        return RunFloorProgram(std::atoi(argv[2]), std::atoi(argv[3]));
    const char* const modes[] = {"check", "play", "session", "bench"};
    const char* mode = argc == 5 ? argv[1] : "";
    if (std::none_of(std::begin(modes), std::end(modes), [&](const char* m) { return std::strcmp(m, mode) == 0; })) {
        std::fprintf(stderr, "usage: robot.exe check|play|session|bench GAME.exe LOG SHOTS\n"
                             "       robot.exe floor COLUMNS ROWS\n");
        return 2;
    }
    logFile = std::fopen(argv[3], "w");
    if (logFile == nullptr) {
        std::fprintf(stderr, "robot: cannot write %s\n", argv[3]);
        return 2;
    }
    shotFolder = argv[4];
    gamePath = argv[2];
    const std::string chosen = mode;

    const PROCESS_INFORMATION process = StartGame(argv[2]);
    if (process.hProcess == nullptr)
        return 1;
    if (!FindGameWindow(process))
        return failures;

    if (chosen == "check") {
        Screenshot("start");
        CheckStartUp();
        CheckMenu();
        CheckPixels();
        CheckMouseAndKeys();
        CheckLevels();
        CheckCustom();
        CheckBoardLargerThanScreen();
        CheckSolverGames();
    } else if (chosen == "play") {
        Screenshot("before", game);
        LetSolverPlay("Solve!", 120000);
        Screenshot("after", game);
    } else if (chosen == "session") {
        RunSession(process);
    } else {
        RunBenchmark(process);
    }
    CloseGame(process);
    Log("%d failed checks", failures);
    std::fclose(logFile);
    return failures;
}
