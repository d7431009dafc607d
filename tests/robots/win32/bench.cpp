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
// replace as many pictures, with nothing of the game around them. A program
// of the robot's own (robot.exe floor, floor.cpp), with a window of the
// game's client size, does to its pictures with the very same calls what a
// new game does, and nothing else; it is timed exactly as the game is, its
// new games taken in turns with the game's. Each new game's times are then
// given as a multiple of the floor's.
#include "robot_modes.h"
#include "robot_support.h"

#include "shell/command_ids.h"

#include <algorithm>

namespace {

constexpr int repetitions = 7;

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
    const bool sent = SendCommand(CommandNewGame);
    *command = NowMs() - start;
    const bool ok = sent && WaitBriefly([&] { return BoardShown(faceBefore); }, 60000);
    *shown = NowMs() - start;
    return ok;
}

// The floor program for the game's present size, started, its window found
// and its board shown; its process handle is null when it did not start.
PROCESS_INFORMATION StartFloor(HWND& window)
{
    char robotPath[MAX_PATH];
    GetModuleFileNameA(nullptr, robotPath, sizeof robotPath);
    char commandLine[MAX_PATH + 40];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" floor %d %d", robotPath, Columns(), Rows());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(robotPath, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        Log("FAIL cannot start the floor program (error %lu)", GetLastError());
        return {};
    }
    window = nullptr;
    WaitFor([&] { return (window = FindWindowA(floorClass, nullptr)) != nullptr; }, 30000);
    return process;
}

void StopFloor(const PROCESS_INFORMATION& process, HWND window)
{
    if (window != nullptr)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

// New games of the window `window` (the game's or the floor's): the
// command's times and the times until shown; false when one was not shown.
bool TimeNewGames(const char* board, const char* whose, HWND window, std::vector<double>& commands,
                  std::vector<double>& shown)
{
    const HWND gameWindow = game;
    game = window;
    bool allShown = true;
    for (int i = 0; i < repetitions && allShown; ++i) {
        double command = 0, onScreen = 0;
        allShown = Check(TimeNewGame(&command, &onScreen), "%s: a new game of the %s is shown", board, whose);
        commands.push_back(command);
        shown.push_back(onScreen);
    }
    game = gameWindow;
    return allShown;
}

// Times the change to a size (window layout and new picture store as well),
// then new games of that size, and the floor's.
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
    // The game's new games, then, in a window over the game's, the floor's.
    std::vector<double> commands, shown, floorCommands, floorShown;
    if (!TimeNewGames(board, "game", game, commands, shown))
        return;
    HWND floorWindow = nullptr;
    const PROCESS_INFORMATION floor = StartFloor(floorWindow);
    if (floor.hProcess == nullptr)
        return;
    const bool timed = Check(floorWindow != nullptr, "%s: the floor's window appears", board) &&
                       TimeNewGames(board, "floor", floorWindow, floorCommands, floorShown);
    StopFloor(floor, floorWindow);
    if (!timed)
        return;
    char first[64] = "typed in the custom window";
    if (!typed)
        std::snprintf(first, sizeof first, "%.0f ms", change);
    Log("BENCH %-22s %4d squares | new game: command %7.1f ms median, %7.1f max; on screen %7.1f median, %7.1f "
        "max | %.3f ms per square | first game of this size: %s",
        board, pictures, Median(commands), Max(commands), Median(shown), Max(shown), Median(shown) / pictures, first);
    Log("BENCH %-22s %4d squares | floor:    command %7.1f ms median, %7.1f max; on screen %7.1f median, %7.1f "
        "max | new game / floor: command %.2fx, on screen %.2fx",
        "", pictures, Median(floorCommands), Max(floorCommands), Median(floorShown), Max(floorShown),
        Median(commands) / Median(floorCommands), Median(shown) / Median(floorShown));
}

void ChooseCustom(const char* rows, const char* columns, const char* mines)
{
    Command(CommandCustom);
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
        SendCommand(CommandSolve);
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
    TimeBoard("Beginner, 9 x 9", [] { SendCommand(CommandBeginner); });
    TimeBoard("Intermediate, 16 x 16", [] { SendCommand(CommandIntermediate); });
    TimeBoard("Expert, 30 x 16", [] { SendCommand(CommandExpert); });
    TimeBoard("Custom, 49 x 49", [] { ChooseCustom("49", "49", "480"); }, true);
    Log("-- Solve! on Expert");
    SendCommand(CommandExpert);
    WaitFor([] { return FaceName() == "smile"; }, 10000);
    TimeSolveRuns();
}
