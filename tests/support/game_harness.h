// Runs the real program, WinMain and its main loop, on the portable window
// system with scripted input: each step of a script runs when the program
// finds its queue empty, in order. A step returns false to wait (it is asked
// again later); once the script is done and the program waits for input,
// the input is exhausted and WinMain returns portable::inputExhaustedExitCode.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/portable/testing.h"
#include "platform/win32.h"

typedef std::function<bool()> ScriptStep;

struct Script {
    std::deque<ScriptStep> steps;

    // Steps that always act once.
    Script& Do(std::function<void()> action);
    // A step that waits until the condition holds.
    Script& WaitUntil(std::function<bool()> condition);

    Script& ClickSquare(int column, int row, portable::MouseButton button = portable::MouseButton::Left);
    Script& Click(int x, int y, portable::MouseButton button = portable::MouseButton::Left);
    Script& Press(int x, int y, portable::MouseButton button = portable::MouseButton::Left);
    Script& Release(int x, int y, portable::MouseButton button = portable::MouseButton::Left);
    Script& Move(int x, int y);
    Script& Key(int virtualKey, bool shift = false);
    Script& Command(unsigned id);
    // Lets the virtual clock run: quick second clicks become double clicks.
    Script& Pause(unsigned milliseconds);
    Script& Exit();
    // A mouse move in the corner of the client area: one more turn of the
    // main loop, as any message brings.
    Script& Turn();
};

// Input given at once, from inside a step or a message-box handler. Each
// click lets 600 ms pass afterwards so that the next is not a double click.
void ClickNow(POINT point, portable::MouseButton button = portable::MouseButton::Left);
void ClickSquareNow(POINT square, portable::MouseButton button = portable::MouseButton::Left);

// Fills the custom-game window's fields and clicks its OK button; the
// window must be open.
void EnterCustomGame(const char* rows, const char* columns, const char* mines);

// Puts the program's globals and the window system back to the state of a
// fresh process, with the tick count (and so the generator's seed) at
// `startTicks`.
void ResetProgram(uint32_t startTicks);

// Resets, then runs WinMain with the script, message boxes answered by
// `handler` (IDOK when none); returns WinMain's exit code.
int RunProgram(Script& script, uint32_t startTicks = 1000, portable::MessageBoxHandler handler = nullptr);

// Client point of the centre of a square, and of the face.
POINT SquareCentre(int column, int row);
POINT FaceCentre();

// The number of squares of the live board in a state.
int CountSquares(uint32_t state);

// What is on screen.
std::string FaceName();
std::string CounterText();  // e.g. "010", "-05"
std::string TimerText();
std::string SquarePicture(int column, int row);
RECT MainClientRect();
bool DifficultyChecked(int position);

// The squares whose picture is not the one their state calls for: a change
// to the board that was not drawn.
std::vector<POINT> SquaresNotAsShown();

// The squares of the live board that hold a mine, or do not.
std::vector<POINT> MineSquares();
std::vector<POINT> SafeSquares();
// The safe squares that are still covered.
std::vector<POINT> CoveredSafeSquares();

// The message boxes shown so far, as "title: text".
std::vector<std::string> MessageBoxes();
