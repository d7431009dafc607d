// The long session: the real game through hundreds of new games, Expert and
// 49 x 49, with Solve! runs, hints and clicks among them, as a player who
// keeps the game open all day. Every new game replaces every picture
// window, so a resource lost per picture adds up here. Afterwards every
// picture must still show its bitmap on screen, and the game's resident
// memory may have grown only a little since the early part of the session.
//
// Most new games are sent as commands (fast and synchronous); some come
// from F2 and the face, the custom size from the custom window, Solve! from
// F3 and hints from H, all by real input.
#include "robot_modes.h"
#include "robot_support.h"

#include "shell/command_ids.h"

#include <psapi.h>

#include <cstring>
#include <map>

namespace {

constexpr int earlyExpertGames = 20;  // before the first memory reading
constexpr int expertGames = 200;
constexpr int bigGames = 20;          // 49 x 49
constexpr int expertSolveRuns = 5;
constexpr SIZE_T allowedGrowthKB = 4096;

int expertPlayed = 0;
int bigPlayed = 0;
int solveRuns = 0;
DWORD sessionStart = 0;

// ---- Memory -----------------------------------------------------------------------

struct Memory {
    bool read = false;
    SIZE_T residentKB = 0;
    SIZE_T privateKB = 0;
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

Memory ReadMemory(const PROCESS_INFORMATION& process)
{
    Memory memory;
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    memory.read = GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters) != 0;
    memory.residentKB = counters.WorkingSetSize / 1024;
    memory.privateKB = counters.PagefileUsage / 1024;
    memory.gdiObjects = GetGuiResources(process.hProcess, GR_GDIOBJECTS);
    memory.userObjects = GetGuiResources(process.hProcess, GR_USEROBJECTS);
    return memory;
}

Memory LogMemory(const PROCESS_INFORMATION& process, const char* when)
{
    const Memory memory = ReadMemory(process);
    Log("memory %s: resident %lu KB, private %lu KB, GDI objects %lu, user objects %lu (%d Expert and %d 49 x 49 "
        "games so far, %lu s)",
        when, static_cast<unsigned long>(memory.residentKB), static_cast<unsigned long>(memory.privateKB),
        memory.gdiObjects, memory.userObjects, expertPlayed, bigPlayed,
        static_cast<unsigned long>((GetTickCount() - sessionStart) / 1000));
    return memory;
}

// ---- Pictures on screen -----------------------------------------------------------

// 32-bit pixels, top row first, of a rectangle of the screen or a bitmap.
struct Pixels {
    LONG width = 0;
    LONG height = 0;
    std::vector<DWORD> data;
    DWORD At(LONG x, LONG y) const { return data[static_cast<size_t>(y * width + x)] & 0xFFFFFF; }
};

BITMAPINFO TopDownInfo(LONG width, LONG height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The game's client area as the screen shows it, taken in one copy.
Pixels CaptureClient()
{
    Pixels pixels;
    const SIZE size = ClientSize(game);
    POINT origin = {0, 0};
    ClientToScreen(game, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = TopDownInfo(size.cx, size.cy);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section != nullptr) {
        HGDIOBJ old = SelectObject(memory, section);
        BitBlt(memory, 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const DWORD* first = static_cast<const DWORD*>(bits);
        pixels.width = size.cx;
        pixels.height = size.cy;
        pixels.data.assign(first, first + size.cx * size.cy);
        SelectObject(memory, old);
        DeleteObject(section);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The bitmap resource of a picture name, from the robot's own copy of the
// game's resources; empty when there is none.
const Pixels& BitmapPixels(const std::string& name)
{
    static std::map<std::string, Pixels> loaded;
    auto found = loaded.find(name);
    if (found != loaded.end())
        return found->second;
    Pixels& pixels = loaded[name];
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name.c_str());
    BITMAP header;
    if (bitmap != nullptr && GetObjectA(bitmap, sizeof header, &header) != 0) {
        BITMAPINFO info = TopDownInfo(header.bmWidth, header.bmHeight);
        pixels.data.resize(static_cast<size_t>(header.bmWidth * header.bmHeight));
        HDC screen = GetDC(nullptr);
        if (GetDIBits(screen, bitmap, 0, header.bmHeight, pixels.data.data(), &info, DIB_RGB_COLORS) ==
            header.bmHeight) {
            pixels.width = header.bmWidth;
            pixels.height = header.bmHeight;
        } else {
            pixels.data.clear();
        }
        ReleaseDC(nullptr, screen);
    }
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    return pixels;
}

// Why a picture window does not show its bitmap, or empty when it does: its
// size and every one of its pixels on screen must be the bitmap's.
std::string PictureFault(const Picture& picture, const Pixels& screen)
{
    const Pixels& bitmap = BitmapPixels(picture.name);
    if (bitmap.width == 0)
        return "no bitmap of that name";
    if (picture.size.cx != bitmap.width || picture.size.cy != bitmap.height)
        return "window " + std::to_string(picture.size.cx) + " x " + std::to_string(picture.size.cy);
    if (picture.corner.x < 0 || picture.corner.y < 0 || picture.corner.x + bitmap.width > screen.width ||
        picture.corner.y + bitmap.height > screen.height)
        return "outside the client area";
    int differing = 0;
    for (LONG y = 0; y < bitmap.height; ++y)
        for (LONG x = 0; x < bitmap.width; ++x)
            differing += screen.At(picture.corner.x + x, picture.corner.y + y) != bitmap.At(x, y);
    return differing == 0 ? std::string() : std::to_string(differing) + " pixels differ";
}

// Every picture of the game, squares, face and digits, against its bitmap.
void ExpectEveryPictureShown(const char* when)
{
    Sleep(500);  // the last pictures reach the screen
    const int squares = Columns() * Rows();
    const Pixels screen = CaptureClient();
    const std::vector<Picture> pictures = Pictures();
    int shown = 0, reported = 0;
    for (const Picture& picture : pictures) {
        const std::string fault = PictureFault(picture, screen);
        if (fault.empty())
            ++shown;
        else if (++reported <= 5)
            Log("note %s: \"%s\" at (%ld, %ld): %s", when, picture.name.c_str(), picture.corner.x, picture.corner.y,
                fault.c_str());
    }
    Check(static_cast<int>(pictures.size()) == squares + 7, "%s: %d squares, a face and six digits (found %d pictures)",
          when, squares, static_cast<int>(pictures.size()));
    Check(screen.width > 0 && shown == static_cast<int>(pictures.size()),
          "%s: every picture shows its bitmap on screen (%d of %d do)", when, shown,
          static_cast<int>(pictures.size()));
}

// ---- New games ----------------------------------------------------------------------

// A new game draws every square, then puts up a new face window showing
// "psmile"; the first idle turn after every picture has been painted puts
// "smile" back in another new window.
bool WaitForNewBoard(HWND faceBefore)
{
    return WaitFor(
        [&] {
            HWND face = FaceWindow();
            return face != nullptr && face != faceBefore && TextOf(face) == "smile";
        },
        30000);
}

enum class Way { Command, KeyF2, Face };

// Counts every new game by the size it has.
void CountGame()
{
    if (Columns() == 49 && Rows() == 49)
        ++bigPlayed;
    else if (Columns() == 30 && Rows() == 16)
        ++expertPlayed;
}

bool NewGame(Way way)
{
    const HWND faceBefore = FaceWindow();
    switch (way) {
    case Way::Command:
        SendCommand(CommandNewGame);
        break;
    case Way::KeyF2:
        PressKey(VK_F2);
        break;
    case Way::Face:
        Click(game, ClientSize(game).cx / 2, 24);
        break;
    }
    const bool started = WaitForNewBoard(faceBefore);
    CountGame();
    return started;
}

// New Expert games, one in ten by F2 or the face.
void PlayExpertGames(int count)
{
    if (count <= 0)
        return;
    int started = 0;
    for (int i = 0; i < count; ++i) {
        const Way way = i % 20 == 7 ? Way::KeyF2 : i % 20 == 17 ? Way::Face : Way::Command;
        started += NewGame(way);
    }
    Check(started == count, "%d new Expert games start (%d did)", count, started);
}

void StartExpert()
{
    const HWND faceBefore = FaceWindow();
    SendCommand(CommandExpert);
    const bool started = WaitForNewBoard(faceBefore);
    Check(started && Columns() == 30 && Rows() == 16, "Expert: a board of 30 x 16 (found %d x %d)", Columns(), Rows());
    CountGame();
}

// Two clicks with the real mouse, then H: the hint uncovers a square, or
// says in a box that it has none (dismissed here), or does nothing when the
// click lost the game.
void ClicksAndHint()
{
    ClickSquare(Columns() / 2, Rows() / 2);
    ClickSquare(1, 1, true);
    PressKey('H');
    const MessageBoxFound box = WaitForMessageBox(1500);
    if (box.window != nullptr) {
        Log("hint: \"%s\"", OneLine(box.text).c_str());
        Dismiss(box);
    } else {
        Log("hint: no message (face \"%s\")", FaceName().c_str());
    }
}

// Solver plays a new game to its end.
void SolveRun(const char* board)
{
    NewGame(Way::Command);
    char what[64];
    std::snprintf(what, sizeof what, "Solve! run %d (%s)", ++solveRuns, board);
    if (LetSolverPlay(what, 300000))
        CheckFinalBoard(what);
}

// The custom size through the custom window, typed with the real keyboard.
bool StartBigGame()
{
    const HWND faceBefore = FaceWindow();
    Command(CommandCustom);
    HWND custom = FindCustomWindow();
    if (!Check(custom != nullptr, "Custom... opens the custom window"))
        return false;
    EnterCustom(custom, "49", "49", "480");
    const bool started = WaitForNewBoard(faceBefore) && Columns() == 49 && Rows() == 49;
    Check(started, "rows 49, columns 49, mines 480 give a board of 49 x 49 (found %d x %d)", Columns(), Rows());
    WaitFor([&] { return !IsWindow(custom); }, 10000);
    CountGame();
    return started;
}

// The custom size again, then more new games of it by command and F2.
void PlayBigGames(int count)
{
    if (!StartBigGame())
        return;
    int started = 1;
    for (int i = 1; i < count; ++i)
        started += NewGame(i == count / 2 ? Way::KeyF2 : Way::Command);
    Check(started == count, "%d new 49 x 49 games start (%d did)", count, started);
}

}  // namespace

void RunSession(const PROCESS_INFORMATION& process)
{
    sessionStart = GetTickCount();
    LogMemory(process, "at the start");

    // The early reading comes once every kind of game has been played: the
    // window of a 49 x 49 board takes memory that is not all given back.
    Log("-- the early part: %d new Expert games, clicks, a hint, a Solve! run and a 49 x 49 game", earlyExpertGames);
    StartExpert();
    PlayExpertGames(earlyExpertGames - 1);
    ClicksAndHint();
    SolveRun("Expert");
    StartBigGame();
    StartExpert();
    const Memory early = LogMemory(process, "early");

    Log("-- %d new 49 x 49 games, clicks, a hint and a Solve! run", bigGames - 1);
    PlayBigGames(bigGames - 1);
    ClicksAndHint();
    SolveRun("49 x 49");
    NewGame(Way::Command);
    ExpectEveryPictureShown("a new 49 x 49 game");
    Screenshot("session-49x49", game);
    LogMemory(process, "after the 49 x 49 games");

    Log("-- the rest of the %d new Expert games, with clicks, hints and Solve! runs", expertGames);
    StartExpert();
    const int share = (expertGames - expertPlayed) / (expertSolveRuns - 1);
    for (int run = 0; run < expertSolveRuns - 1; ++run) {
        PlayExpertGames(share);
        ClicksAndHint();
        SolveRun("Expert");
        LogMemory(process, "after a Solve! run");
    }
    PlayExpertGames(expertGames - expertPlayed);
    NewGame(Way::Command);
    const Memory late = LogMemory(process, "late");

    Log("-- pictures, memory and the count of games");
    ExpectEveryPictureShown("a new Expert game");
    Screenshot("session-expert-new", game);
    SolveRun("Expert");
    ExpectEveryPictureShown("the end of a Solve! run");
    Screenshot("session-expert-solved", game);
    Check(expertPlayed >= expertGames && bigPlayed >= bigGames && solveRuns >= expertSolveRuns + 1,
          "the session played %d new Expert games, %d new 49 x 49 games and %d Solve! runs", expertPlayed, bigPlayed,
          solveRuns);
    if (Check(early.read && late.read, "the game's memory can be read (GetProcessMemoryInfo)")) {
        const long growth = static_cast<long>(late.residentKB) - static_cast<long>(early.residentKB);
        Check(growth < static_cast<long>(allowedGrowthKB),
              "resident memory grew by less than %lu KB from the early reading to the late one (grew %ld KB: %lu KB "
              "to %lu KB)",
              static_cast<unsigned long>(allowedGrowthKB), growth, static_cast<unsigned long>(early.residentKB),
              static_cast<unsigned long>(late.residentKB));
    }
    if (late.gdiObjects == 0)
        Log("note GetGuiResources gives no GDI object count here (0)");
    Log("the session took %lu s", static_cast<unsigned long>((GetTickCount() - sessionStart) / 1000));
}
