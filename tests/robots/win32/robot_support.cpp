#include "robot_support.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

FILE* logFile = nullptr;
int failures = 0;
std::string shotFolder;

void Log(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    vfprintf(logFile, format, arguments);
    va_end(arguments);
    fputc('\n', logFile);
    fflush(logFile);
}

bool Check(bool condition, const char* format, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    Log("%s %s", condition ? "ok  " : "FAIL", text);
    if (!condition)
        ++failures;
    return condition;
}

// Polls until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(20);
    }
}

// Asks for a screenshot of the whole screen, or with `window` of that
// window only: the request file then holds its screen rectangle.
void Screenshot(const char* name, HWND window)
{
    const std::string request = shotFolder + "\\" + name + ".request";
    FILE* file = fopen(request.c_str(), "w");
    if (file == nullptr) {
        Log("note cannot ask for screenshot %s", name);
        return;
    }
    RECT rect;
    if (window != nullptr && GetWindowRect(window, &rect))
        fprintf(file, "%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
    fclose(file);
    const bool taken = WaitFor([&] { return GetFileAttributesA(request.c_str()) == INVALID_FILE_ATTRIBUTES; }, 15000);
    Log("%s screenshot %s", taken ? "took" : "no", name);
}

// ---- The game's windows ----------------------------------------------------

HWND game = nullptr;

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassOf(HWND window)
{
    char text[64] = "";
    GetClassNameA(window, text, sizeof text);
    return text;
}

POINT ClientCorner(HWND parent, HWND child)
{
    RECT rect;
    GetWindowRect(child, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(parent, &corner);
    return corner;
}

SIZE ClientSize(HWND window)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

static BOOL CALLBACK CollectChild(HWND child, LPARAM parameter)
{
    auto* pictures = reinterpret_cast<std::vector<Picture>*>(parameter);
    RECT rect;
    GetWindowRect(child, &rect);
    pictures->push_back({ClassOf(child), TextOf(child), ClientCorner(game, child),
                         {rect.right - rect.left, rect.bottom - rect.top}});
    return TRUE;
}

std::vector<Picture> Pictures()
{
    std::vector<Picture> pictures;
    EnumChildWindows(game, CollectChild, reinterpret_cast<LPARAM>(&pictures));
    return pictures;
}

// The picture names at client positions.
std::map<std::pair<LONG, LONG>, std::string> PicturesByCorner()
{
    std::map<std::pair<LONG, LONG>, std::string> byCorner;
    for (const Picture& picture : Pictures())
        byCorner[{picture.corner.x, picture.corner.y}] = picture.name;
    return byCorner;
}

int Columns()
{
    return (ClientSize(game).cx - 32) / 16;
}

int Rows()
{
    return (ClientSize(game).cy - 64) / 16;
}

std::string SquareName(const std::map<std::pair<LONG, LONG>, std::string>& byCorner, int column, int row)
{
    auto found = byCorner.find({16 * column + 16, 16 * row + 48});
    return found == byCorner.end() ? std::string() : found->second;
}

static BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

HWND FaceWindow()
{
    // Every picture window is created on top of its siblings and the face
    // is among the last made, so it is looked for from the top down: far
    // cheaper than reading every picture while the game is busy.
    POINT corner = {ClientSize(game).cx / 2 - 13, 11};
    ClientToScreen(game, &corner);
    HWND child = GetWindow(game, GW_CHILD);
    for (int i = 0; child != nullptr && i < 16; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        if (GetWindowRect(child, &rect) && rect.left == corner.x && rect.top == corner.y)
            return child;
    }
    const LONG faceLeft = ClientSize(game).cx / 2 - 13;
    std::vector<HWND> children;
    EnumChildWindows(game, CollectWindow, reinterpret_cast<LPARAM>(&children));
    for (HWND window : children) {
        const POINT found = ClientCorner(game, window);
        if (found.x == faceLeft && found.y == 11)
            return window;
    }
    return nullptr;
}

std::string FaceName()
{
    HWND face = FaceWindow();
    return face == nullptr ? std::string() : TextOf(face);
}

static std::string DigitsAt(LONG left)
{
    std::string digits;
    const auto byCorner = PicturesByCorner();
    for (int i = 0; i < 3; ++i) {
        auto found = byCorner.find({left + 12 * i, 13});
        digits += found == byCorner.end() ? "?" : found->second == "dz" ? "-" : found->second.substr(1);
    }
    return digits;
}

std::string CounterText()
{
    return DigitsAt(15);
}

std::string TimerText()
{
    return DigitsAt(ClientSize(game).cx - 48);
}

int CountSquares(const char* name)
{
    const auto byCorner = PicturesByCorner();
    int count = 0;
    for (int column = 0; column < Columns(); ++column)
        for (int row = 0; row < Rows(); ++row)
            count += SquareName(byCorner, column, row) == name;
    return count;
}

bool IsFreshBoard()
{
    return CountSquares("nc") == Columns() * Rows() && FaceName() == "smile";
}

// ---- Input -------------------------------------------------------------------

void SendMouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

void MoveTo(HWND window, LONG x, LONG y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    Sleep(30);
}

void Click(HWND window, LONG x, LONG y, bool right)
{
    MoveTo(window, x, y);
    SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    Sleep(600);  // the next click is not a double click
}

void ClickSquare(int column, int row, bool right)
{
    Click(game, 16 * column + 24, 16 * row + 56, right);
}

void SendKey(WORD key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

void PressKey(WORD key, WORD modifier)
{
    SetForegroundWindow(game);
    if (modifier != 0)
        SendKey(modifier, false);
    SendKey(key, false);
    SendKey(key, true);
    if (modifier != 0)
        SendKey(modifier, true);
    Sleep(100);
}

// A key to another window of the game (the custom window's fields).
void PressKeyTo(HWND window, WORD key)
{
    SetForegroundWindow(window);
    SendKey(key, false);
    SendKey(key, true);
}

void Command(WORD id)
{
    PostMessageA(game, WM_COMMAND, id, 0);
    Sleep(100);
}

bool SendCommand(WORD id, DWORD milliseconds)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(game, WM_COMMAND, id, 0, SMTO_NORMAL, milliseconds, &result) != 0;
}

// ---- Message boxes ------------------------------------------------------------

static BOOL CALLBACK FindBox(HWND window, LPARAM parameter)
{
    auto* found = reinterpret_cast<MessageBoxFound*>(parameter);
    if (ClassOf(window) == "#32770" && IsWindowVisible(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// The message box that is up, if any: its title and its text.
MessageBoxFound CurrentMessageBox()
{
    MessageBoxFound found;
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&found));
    if (found.window != nullptr) {
        found.title = TextOf(found.window);
        char text[2048] = "";
        GetDlgItemTextA(found.window, 0xFFFF, text, sizeof text);
        found.text = text;
    }
    return found;
}

MessageBoxFound WaitForMessageBox(DWORD milliseconds)
{
    MessageBoxFound found;
    WaitFor([&] { return (found = CurrentMessageBox()).window != nullptr; }, milliseconds);
    return found;
}

// Presses Enter on the box, as a player would. (A posted IDOK alone closes
// the box under Wine, but its modal loop returns only at the next message.)
void Dismiss(const MessageBoxFound& box)
{
    SetForegroundWindow(box.window);
    SendKey(VK_RETURN, false);
    SendKey(VK_RETURN, true);
    if (!WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, 3000)) {
        PostMessageA(box.window, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, 3000);
    }
    Sleep(100);
}

// Shows the box's text on one line in the log.
std::string OneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = '|';
    return text;
}

void ExpectMessageBox(const char* title, const std::string& text)
{
    const MessageBoxFound box = WaitForMessageBox(5000);
    if (!Check(box.window != nullptr, "a message box \"%s\" appears", title))
        return;
    Check(box.title == title, "its title is \"%s\" (found \"%s\")", title, box.title.c_str());
    Check(box.text == text, "its text is \"%s\" (found \"%s\")", OneLine(text).c_str(), OneLine(box.text).c_str());
    Dismiss(box);
}

// ---- Pixels -------------------------------------------------------------------

// Compares the client pixels under a picture with the bitmap resource of the
// same name (linked into the robot from the game's own resource script).
void ExpectPixelsOf(const char* name, LONG left, LONG top)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), name);
    if (!Check(bitmap != nullptr, "the robot has bitmap %s", name))
        return;
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    HDC screen = GetDC(game);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int differing = 0, compared = 0;
    for (int y = 0; y < info.bmHeight; y += 3) {
        for (int x = 0; x < info.bmWidth; x += 3) {
            ++compared;
            differing += GetPixel(screen, left + x, top + y) != GetPixel(memory, x, y);
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(game, screen);
    DeleteObject(bitmap);
    Check(differing == 0, "the screen shows %s at (%ld, %ld): %d of %d sampled pixels differ", name, left, top,
          differing, compared);
}

void ExpectPixel(LONG x, LONG y, COLORREF colour, const char* what)
{
    HDC screen = GetDC(game);
    const COLORREF found = GetPixel(screen, x, y);
    ReleaseDC(game, screen);
    Check(found == colour, "%s at (%ld, %ld): %06lx (found %06lx)", what, x, y, static_cast<unsigned long>(colour),
          static_cast<unsigned long>(found));
}


HWND FindCustomWindow()
{
    // The window is shown before its fields and buttons are made; Cancel is
    // made last.
    HWND found = nullptr;
    WaitFor(
        [&] {
            found = FindWindowA("cstmfld", "Custom Game");
            return found != nullptr && FindWindowExA(found, nullptr, "Button", "Cancel") != nullptr;
        },
        5000);
    return found;
}

static BOOL CALLBACK CollectEdit(HWND child, LPARAM parameter)
{
    if (ClassOf(child) == "Edit")
        reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(child);
    return TRUE;
}

// Types into the custom window's fields with the real keyboard, then OK.
void EnterCustom(HWND custom, const char* rows, const char* columns, const char* mines)
{
    std::vector<HWND> edits;
    EnumChildWindows(custom, CollectEdit, reinterpret_cast<LPARAM>(&edits));
    if (!Check(edits.size() == 3, "the custom window has three fields"))
        return;
    const char* const texts[] = {rows, columns, mines};
    for (int i = 0; i < 3; ++i) {
        const POINT corner = ClientCorner(custom, edits[i]);
        Click(custom, corner.x + 10, corner.y + 10);
        for (const char* c = texts[i]; *c; ++c)
            PressKeyTo(custom, static_cast<WORD>(*c));
    }
    Click(custom, 100, 132);
}


// Every number shown equals the mines the end-of-game pictures show around it.
void CheckFinalBoard(const char* what)
{
    const auto byCorner = PicturesByCorner();
    const int columns = Columns(), rows = Rows();
    const auto isMine = [&](int column, int row) {
        const std::string name = SquareName(byCorner, column, row);
        return name == "marked" || name == "mine" || name == "rmine";
    };
    int wrong = 0, exploded = 0, covered = 0;
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < rows; ++row) {
            const std::string name = SquareName(byCorner, column, row);
            exploded += name == "rmine";
            covered += name == "nc";
            if (name.size() != 2 || name[0] != 's')
                continue;
            int mines = 0;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    if ((dx || dy) && column + dx >= 0 && row + dy >= 0 && column + dx < columns && row + dy < rows)
                        mines += isMine(column + dx, row + dy);
            wrong += mines != name[1] - '0';
        }
    }
    Check(wrong == 0, "%s: every number equals the mines shown around it (%d differ)", what, wrong);
    if (FaceName() == "csmile") {
        Check(covered == 0 && CountSquares("mine") == 0, "%s: a win shows every mine marked", what);
        Check(exploded == 0, "%s: a win shows no exploded mine", what);
    } else {
        Check(FaceName() == "dsmile", "%s: a loss shows \"dsmile\" (found \"%s\")", what, FaceName().c_str());
        Check(exploded >= 1, "%s: a loss shows \"rmine\"", what);
    }
}

// F3 and wait for the end, dismissing Solver's own message; true when it ended.
bool LetSolverPlay(const char* what, DWORD milliseconds)
{
    PressKey(VK_F3);
    std::string message;
    const bool ended = WaitFor(
        [&] {
            const MessageBoxFound box = CurrentMessageBox();
            if (box.window != nullptr) {
                message = box.title + ": " + box.text;
                Dismiss(box);
            }
            const std::string face = FaceName();
            return face == "csmile" || face == "dsmile";
        },
        milliseconds);
    // A loss puts up its face before it redraws the squares, in the same
    // turn of the game's loop: a message sent now is answered after it.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(game, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
    Sleep(300);
    Log("%s: Solver %s%s%s", what, FaceName() == "csmile" ? "won" : FaceName() == "dsmile" ? "lost" : "did not finish",
        message.empty() ? "" : " after the message ", OneLine(message).c_str());
    if (FaceName() == "dsmile")
        Check(message == "Solver: Ooops!  Solver accidentally chose a square that contained a mine.",
              "%s: Solver's loss came with its message", what);
    return Check(ended, "%s: Solver plays the game to its end", what);
}


// ---- Running the game ------------------------------------------------------------

PROCESS_INFORMATION StartGame(const char* path)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char commandLine[MAX_PATH + 2];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", path);
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        Log("FAIL cannot start %s (error %lu)", path, GetLastError());
    return process;
}

// Closes the game with its close box's message and checks its exit code.
void CloseGame(const PROCESS_INFORMATION& process)
{
    Log("-- closing");
    PostMessageA(game, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    Check(ended && code == 0, "the game ends with exit code 0 (found %lu)", code);
}

bool FindGameWindow(const PROCESS_INFORMATION& process)
{
    WaitFor([] { return (game = FindWindowA("_bgwndw", "Blastgrid")) != nullptr; }, 30000);
    if (!Check(game != nullptr, "the main window of class \"_bgwndw\" titled \"Blastgrid\" appears")) {
        TerminateProcess(process.hProcess, 1);
        return false;
    }
    WaitFor([] { return FaceName() == "smile" && CounterText() == "010"; }, 10000);
    return true;
}
