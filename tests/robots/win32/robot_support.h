// What every mode of the robot shares: the log and its checks, waiting,
// screenshots, reading the game's windows and pictures, real mouse and key
// input, commands, message boxes, screen pixels, and starting and closing
// the game. Everything goes through Win32 calls only.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// ---- The log and its checks ---------------------------------------------------

extern FILE* logFile;
extern int failures;         // checks that failed so far
extern std::string shotFolder;

void Log(const char* format, ...);
// Logs the check as "ok" or "FAIL" and counts failures; returns the condition.
bool Check(bool condition, const char* format, ...);
// Polls until the condition holds or the time is up.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds);
// Asks the runner for a screenshot of the whole screen, or with `window` of that window only.
void Screenshot(const char* name, HWND window = nullptr);
std::string OneLine(std::string text);

// ---- The game's windows -------------------------------------------------------

extern HWND game;  // the main window

std::string TextOf(HWND window);
std::string ClassOf(HWND window);
POINT ClientCorner(HWND parent, HWND child);
SIZE ClientSize(HWND window);

struct Picture {
    std::string className;
    std::string name;
    POINT corner;
    SIZE size;
};

std::vector<Picture> Pictures();
// The picture names at client positions.
std::map<std::pair<LONG, LONG>, std::string> PicturesByCorner();
int Columns();
int Rows();
std::string SquareName(const std::map<std::pair<LONG, LONG>, std::string>& byCorner, int column, int row);
// The face's picture window, or none.
HWND FaceWindow();
std::string FaceName();
std::string CounterText();
std::string TimerText();
int CountSquares(const char* name);
bool IsFreshBoard();

// ---- Input and commands ---------------------------------------------------------

void SendMouse(DWORD flags);
void MoveTo(HWND window, LONG x, LONG y);
void Click(HWND window, LONG x, LONG y, bool right = false);
void ClickSquare(int column, int row, bool right = false);
void SendKey(WORD key, bool up);
void PressKey(WORD key, WORD modifier = 0);
// A key to another window of the game (the custom window's fields).
void PressKeyTo(HWND window, WORD key);
// Posts a menu command to the main window.
void Command(WORD id);
// Sends a menu command and returns once the game has carried it out; false
// when it did not answer within the time.
bool SendCommand(WORD id, DWORD milliseconds = 60000);

// ---- Message boxes ----------------------------------------------------------------

struct MessageBoxFound {
    HWND window = nullptr;
    std::string title;
    std::string text;
};

MessageBoxFound CurrentMessageBox();
MessageBoxFound WaitForMessageBox(DWORD milliseconds);
void Dismiss(const MessageBoxFound& box);
void ExpectMessageBox(const char* title, const std::string& text);

// ---- Pixels -------------------------------------------------------------------------

void ExpectPixelsOf(const char* name, LONG left, LONG top);
void ExpectPixel(LONG x, LONG y, COLORREF colour, const char* what);

// ---- The custom window and Solver's play ----------------------------------------------

HWND FindCustomWindow();
// Types into the custom window's fields with the real keyboard, then OK.
void EnterCustom(HWND custom, const char* rows, const char* columns, const char* mines);
// Every number shown equals the mines the end-of-game pictures show around it.
void CheckFinalBoard(const char* what);
// F3 and wait for the end, dismissing Solver's own message; true when it ended.
bool LetSolverPlay(const char* what, DWORD milliseconds);

// ---- Running the game ---------------------------------------------------------------------

PROCESS_INFORMATION StartGame(const char* path);
// Waits for the main window and its first fresh board; false when it never came.
bool FindGameWindow(const PROCESS_INFORMATION& process);
// Closes the game with its close box's message and checks its exit code.
void CloseGame(const PROCESS_INFORMATION& process);
