// The benchmark: what the picture windows cost the real game. Every new
// game destroys and creates the picture of every square, so its time grows
// with the board; a Solve! run redraws the squares it uncovers one step at a
// time. It prints figures only and checks nothing about speed.
//
// A new game is timed twice: until the command returns (every picture
// window replaced) and until the board is on screen (the first idle turn
// after every picture has been painted, when the face goes back to "smile").
//
// Beside each size, the floor: what the window system itself takes to
// replace as many pictures, with nothing of the game around them. In a
// window of the robot's own, as large as the game's client area, the very
// calls a new game makes for its pictures (the bitmap asked of the picture,
// the window destroyed, the bitmap deleted, a new "static" SS_BITMAP window
// with the same bitmap's name at the same place) are made for every square,
// the face twice and the timer's three digits, and timed until they return
// and until every message they caused has been handled (the pictures are
// painted). Each new game's times are then given as a multiple of the floor.
// The floor is timed again, in turns with it, with the ShowWindow the game
// calls after making each square's picture, to show what that call costs.
#include "robot_modes.h"
#include "robot_support.h"

#include <algorithm>

namespace {

constexpr int repetitions = 7;
constexpr WORD commandNewGame = 10000;
constexpr WORD commandCustom = 10004;
constexpr WORD commandSolve = 10007;

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Max(const std::vector<double>& values)
{
    return *std::max_element(values.begin(), values.end());
}

// Polls often: the figures should not wait on the robot.
bool WaitBriefly(const std::function<bool()>& condition, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(1);
    }
    return true;
}

bool BoardShown(HWND faceBefore)
{
    HWND face = FaceWindow();
    return face != nullptr && face != faceBefore && TextOf(face) == "smile";
}

// One new game by command: the command's time and the time until shown.
bool TimeNewGame(double* command, double* shown)
{
    const HWND faceBefore = FaceWindow();
    const double start = NowMs();
    const bool sent = SendCommand(commandNewGame);
    *command = NowMs() - start;
    const bool ok = sent && WaitBriefly([&] { return BoardShown(faceBefore); }, 60000);
    *shown = NowMs() - start;
    return ok;
}

// A picture of the floor: its bitmap's name and its place.
struct FloorPicture {
    const char* name;
    int x, y, width, height;
};

HWND CreateFloorPicture(HWND parent, const FloorPicture& picture)
{
    return CreateWindowExA(0, "static", picture.name, WS_CHILD | WS_VISIBLE | SS_BITMAP, picture.x, picture.y,
                           picture.width, picture.height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// As the game destroys a picture: the bitmap asked of the window, the window
// destroyed, the bitmap deleted.
void DestroyFloorPicture(HWND& slot)
{
    if (slot == nullptr)
        return;
    const HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(SendMessageA(slot, STM_GETIMAGE, IMAGE_BITMAP, 0));
    DestroyWindow(slot);
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    slot = nullptr;
}

void ReplaceFloorPicture(HWND parent, HWND& slot, const FloorPicture& picture)
{
    DestroyFloorPicture(slot);
    slot = CreateFloorPicture(parent, picture);
}

// The pictures a new game of the present size replaces, in its order: every
// square (covered), the face pressed, the timer's three digits, and the
// face again in the next idle turn. The mine counter keeps its value from
// one new game to the next, and with it its pictures.
struct FloorWindows {
    std::vector<HWND> squares;
    HWND face = nullptr;
    HWND digits[3] = {nullptr, nullptr, nullptr};
};

// With `show`, each square is also shown once made, as the game does (its
// pictures are made visible already): what that call adds.
int ReplaceNewGamePictures(HWND parent, FloorWindows& windows, int columns, int rows, int clientWidth, bool show)
{
    windows.squares.resize(static_cast<size_t>(columns * rows), nullptr);
    for (int x = 0; x < columns; ++x)
        for (int y = 0; y < rows; ++y) {
            HWND& square = windows.squares[static_cast<size_t>(x * rows + y)];
            ReplaceFloorPicture(parent, square, {"nc", 16 * x + 16, 16 * y + 48, 16, 16});
            if (show)
                ShowWindow(square, SW_SHOW);
        }
    ReplaceFloorPicture(parent, windows.face, {"psmile", clientWidth / 2 - 13, 11, 0, 0});
    for (int i = 0; i < 3; ++i)
        ReplaceFloorPicture(parent, windows.digits[i], {"d0", clientWidth - 48 + 12 * i, 13, 0, 0});
    ReplaceFloorPicture(parent, windows.face, {"smile", clientWidth / 2 - 13, 11, 0, 0});
    return columns * rows + 5;
}

// Handles every message of the robot's own windows until none is left.
void HandleMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

struct Floor {
    std::vector<double> calls, shown;
    std::vector<double> callsShowing, shownShowing;  // with the game's ShowWindow for each square
    int pictures = 0;
};

// The floor for the game's present size (see the top of this file).
Floor TimeFloor()
{
    Floor floor;
    static const bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        windowClass.lpszClassName = "robotfloor";
        return RegisterClassA(&windowClass) != 0;
    }();
    const SIZE client = ClientSize(game);
    RECT frame = {0, 0, client.cx, client.cy};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    const HWND window = registered ? CreateWindowExA(0, "robotfloor", "floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                                     frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                                     nullptr, GetModuleHandleA(nullptr), nullptr)
                                   : nullptr;
    if (!Check(window != nullptr, "the floor's window is made"))
        return floor;
    // The pictures as the game has them, then replaced as a new game does.
    FloorWindows windows;
    ReplaceNewGamePictures(window, windows, Columns(), Rows(), client.cx, false);
    HandleMessages();
    for (int repetition = 0; repetition < 2 * repetitions; ++repetition) {
        const bool show = repetition % 2 == 1;
        const double start = NowMs();
        floor.pictures = ReplaceNewGamePictures(window, windows, Columns(), Rows(), client.cx, show);
        (show ? floor.callsShowing : floor.calls).push_back(NowMs() - start);
        HandleMessages();
        (show ? floor.shownShowing : floor.shown).push_back(NowMs() - start);
    }
    for (HWND& square : windows.squares)
        DestroyFloorPicture(square);
    DestroyFloorPicture(windows.face);
    for (HWND& digit : windows.digits)
        DestroyFloorPicture(digit);
    DestroyWindow(window);
    HandleMessages();
    return floor;
}

// Times the change to a size (window layout and new picture store as well),
// then new games of that size, then the floor of that size.
void TimeBoard(const char* board, const std::function<void()>& choose, bool typed = false)
{
    const HWND faceBefore = FaceWindow();
    const double start = NowMs();
    choose();
    const bool changed = WaitBriefly([&] { return BoardShown(faceBefore); }, 60000);
    const double change = NowMs() - start;
    const int pictures = Columns() * Rows();
    if (!Check(changed, "%s: the board is shown", board))
        return;
    std::vector<double> commands, shown;
    for (int i = 0; i < repetitions; ++i) {
        double command = 0, onScreen = 0;
        if (!Check(TimeNewGame(&command, &onScreen), "%s: a new game is shown", board))
            return;
        commands.push_back(command);
        shown.push_back(onScreen);
    }
    char first[64] = "typed in the custom window";
    if (!typed)
        std::snprintf(first, sizeof first, "%.0f ms", change);
    Log("BENCH %-22s %4d squares | new game: command %7.1f ms median, %7.1f max; on screen %7.1f median, %7.1f "
        "max | %.3f ms per square | first game of this size: %s",
        board, pictures, Median(commands), Max(commands), Median(shown), Max(shown), Median(shown) / pictures, first);
    const Floor floor = TimeFloor();
    if (floor.calls.empty())
        return;
    Log("BENCH %-22s %4d pictures | floor: calls %7.1f ms median, %7.1f max; on screen %7.1f median, %7.1f max | "
        "new game / floor: command %.2fx, on screen %.2fx",
        "", floor.pictures, Median(floor.calls), Max(floor.calls), Median(floor.shown), Max(floor.shown),
        Median(commands) / Median(floor.calls), Median(shown) / Median(floor.shown));
    Log("BENCH %-22s %4s          | floor with ShowWindow for each square, as the game: calls %7.1f ms median; "
        "on screen %7.1f median | new game / that: command %.2fx, on screen %.2fx",
        "", "", Median(floor.callsShowing), Median(floor.shownShowing), Median(commands) / Median(floor.callsShowing),
        Median(shown) / Median(floor.shownShowing));
}

void ChooseCustom(const char* rows, const char* columns, const char* mines)
{
    Command(commandCustom);
    HWND custom = FindCustomWindow();
    if (Check(custom != nullptr, "Custom... opens the custom window"))
        EnterCustom(custom, rows, columns, mines);
}

// Solve! on new Expert games, from the command until Solver is done: the
// face shows the outcome, or Solver's message is up (before a loss is shown).
void TimeSolveRuns()
{
    std::vector<double> times;
    int won = 0;
    for (int i = 0; i < repetitions; ++i) {
        double command = 0, shown = 0;
        if (!Check(TimeNewGame(&command, &shown), "Expert: a new game before Solve!"))
            return;
        const double start = NowMs();
        SendCommand(commandSolve);
        MessageBoxFound box;
        const bool ended = WaitBriefly(
            [&] {
                if ((box = CurrentMessageBox()).window != nullptr)
                    return true;
                const std::string face = FaceName();
                return face == "csmile" || face == "dsmile";
            },
            300000);
        const double time = NowMs() - start;
        if (!Check(ended, "Solve! run %d ends", i + 1))
            return;
        if (box.window != nullptr)
            Dismiss(box);
        // After Solver's message the loss is shown in the next turn.
        WaitFor([] { return FaceName() == "csmile" || FaceName() == "dsmile"; }, 5000);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(game, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
        const std::string face = FaceName();
        int uncovered = 0;
        for (const auto& picture : PicturesByCorner())
            uncovered += picture.second.size() == 2 && picture.second[0] == 's';
        won += face == "csmile";
        Log("Solve! run %d: %s, %d of %d squares uncovered, %.0f ms%s%s", i + 1,
            face == "csmile" ? "won" : face == "dsmile" ? "lost" : "stopped", uncovered, Columns() * Rows(), time,
            box.window != nullptr ? ", then the message " : "", OneLine(box.text).c_str());
        times.push_back(time);
    }
    Log("BENCH %-22s %4d squares | Solve! to the end: %7.1f ms median, %7.1f max over %d runs (%d won)",
        "Expert, 30 x 16", 480, Median(times), Max(times), repetitions, won);
}

}  // namespace

void RunBenchmark(const PROCESS_INFORMATION&)
{
    Log("-- new games: %d of each size after the first; times in ms", repetitions);
    TimeBoard("Beginner, 9 x 9", [] { SendCommand(10001); });
    TimeBoard("Intermediate, 16 x 16", [] { SendCommand(10002); });
    TimeBoard("Expert, 30 x 16", [] { SendCommand(10003); });
    TimeBoard("Custom, 49 x 49", [] { ChooseCustom("49", "49", "480"); }, true);
    Log("-- Solve! on Expert");
    SendCommand(10003);
    WaitFor([] { return FaceName() == "smile"; }, 10000);
    TimeSolveRuns();
}
