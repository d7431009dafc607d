#include "shell/command_ids.h"
#include "support/game_harness.h"

#include <cstring>

#include "custom/custom_window.h"
#include "model/board.h"
#include "model/memory.h"
#include "platform/app_handles.h"
#include "platform/random.h"
#include "shell/game.h"
#include "shell/main_loop.h"
#include "shell/main_window.h"
#include "view/cell_view.h"
#include "view/counters.h"
#include "view/face.h"
#include "view/geometry.h"

Script& Script::Do(std::function<void()> action)
{
    steps.push_back([action] {
        action();
        return true;
    });
    return *this;
}

Script& Script::WaitUntil(std::function<bool()> condition)
{
    steps.push_back(condition);
    return *this;
}

Script& Script::ClickSquare(int column, int row, portable::MouseButton button)
{
    const POINT centre = SquareCentre(column, row);
    return Click(centre.x, centre.y, button);
}

Script& Script::Click(int x, int y, portable::MouseButton button)
{
    return Do([=] { portable::ClickMouse(mainWindow, button, x, y); }).Pause(600);
}

Script& Script::Press(int x, int y, portable::MouseButton button)
{
    return Do([=] { portable::PressMouse(mainWindow, button, x, y); });
}

Script& Script::Release(int x, int y, portable::MouseButton button)
{
    return Do([=] { portable::ReleaseMouse(mainWindow, button, x, y); });
}

Script& Script::Move(int x, int y)
{
    return Do([=] { portable::MoveMouse(mainWindow, x, y); });
}

Script& Script::Key(int virtualKey, bool shift)
{
    return Do([=] { portable::PressKey(virtualKey, shift); });
}

Script& Script::Command(unsigned id)
{
    return Do([=] { portable::ChooseMenuItem(mainWindow, id); });
}

Script& Script::Pause(unsigned milliseconds)
{
    steps.push_back([milliseconds] {
        portable::AdvanceTickCount(milliseconds);
        return true;
    });
    return *this;
}

Script& Script::Turn()
{
    return Move(1, 1);
}

Script& Script::Exit()
{
    return Command(CommandExit);
}

void ResetProgram(uint32_t startTicks)
{
    portable::ResetWindowSystem();
    portable::SetTickCount(startTicks);
    FailAllocationAfter(-1);
    randomState = 1;

    // A board or store left by a run that did not reach its end.
    FreeCellViews(boardColumns, boardRows, cellViews);
    FreeBoard(boardColumns, boardRows, liveBoard);

    appInstance = nullptr;
    mainWindow = nullptr;
    gameSettings = {9, 9, 10};
    menuBar = nullptr;
    difficultyMenu = nullptr;
    liveBoard = nullptr;
    cellViews = nullptr;
    boardColumns = 0;
    boardRows = 0;
    gameState = Fresh;
    minesLeft = 0;
    coveredCount = 0;
    shownMinesLeft = 0;
    solving = 0;
    solvePass = 0;
    gamesStarted = 0;
    leftDown = 0;
    rightDown = 0;
    lastTimerTick = 0;
    faceName[0] = '\0';
    faceWindow = nullptr;
    startTick = 0;
    for (int i = 0; i < 3; ++i) {
        timerDigits[i] = nullptr;
        counterDigits[i] = nullptr;
    }
    customWindow = nullptr;
    customWindowOpen = 0;
    rowsEdit = columnsEdit = minesEdit = nullptr;
}

int RunProgram(Script& script, uint32_t startTicks, portable::MessageBoxHandler handler)
{
    ResetProgram(startTicks);
    portable::SetMessageBoxHandler(handler);
    portable::SetInputSource([&script] {
        if (script.steps.empty())
            return false;
        if (!script.steps.front()())
            return false;
        script.steps.pop_front();
        return true;
    });
    const int exitCode = WinMain(reinterpret_cast<HINSTANCE>(0x400000), nullptr, nullptr, SW_SHOWNORMAL);
    portable::SetInputSource(nullptr);
    return exitCode;
}

void ClickNow(POINT point, portable::MouseButton button)
{
    portable::ClickMouse(mainWindow, button, point.x, point.y);
    portable::AdvanceTickCount(600);
}

void ClickSquareNow(POINT square, portable::MouseButton button)
{
    ClickNow(SquareCentre(square.x, square.y), button);
}

void EnterCustomGame(const char* rows, const char* columns, const char* mines)
{
    SetWindowTextA(rowsEdit, rows);
    SetWindowTextA(columnsEdit, columns);
    SetWindowTextA(minesEdit, mines);
    portable::ClickMouse(customWindow, portable::MouseButton::Left, 100, 132);
}

int CountSquares(uint32_t state)
{
    int count = 0;
    for (int32_t x = 0; x < boardColumns; ++x)
        for (int32_t y = 0; y < boardRows; ++y)
            count += liveBoard[x][y].state == state;
    return count;
}

POINT SquareCentre(int column, int row)
{
    return {ColumnToPixel(column) + squareSize / 2, RowToPixel(row) + squareSize / 2};
}

POINT FaceCentre()
{
    const RECT face = FaceRectangle();
    return {face.left + faceSize / 2, face.top + faceSize / 2};
}

namespace {
std::string TextOf(HWND window)
{
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string DigitsText(HWND digits[3])
{
    std::string text;
    for (int i = 0; i < 3; ++i) {
        const std::string name = TextOf(digits[i]);
        text.push_back(name == "dz" ? '-' : name.size() == 2 ? name[1] : '?');
    }
    return text;
}

std::vector<POINT> SquaresWhere(bool mine)
{
    std::vector<POINT> squares;
    for (int32_t x = 0; x < boardColumns; ++x)
        for (int32_t y = 0; y < boardRows; ++y)
            if ((liveBoard[x][y].isMine != 0) == mine)
                squares.push_back({x, y});
    return squares;
}
}  // namespace

std::string FaceName()
{
    return TextOf(faceWindow);
}

std::string CounterText()
{
    return DigitsText(counterDigits);
}

std::string TimerText()
{
    return DigitsText(timerDigits);
}

std::string SquarePicture(int column, int row)
{
    return TextOf(cellViews[column][row].window);
}

RECT MainClientRect()
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(mainWindow, &client);
    return client;
}

bool DifficultyChecked(int position)
{
    return (GetMenuState(difficultyMenu, static_cast<UINT>(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

std::vector<POINT> SquaresNotAsShown()
{
    std::vector<POINT> squares;
    for (int32_t x = 0; x < boardColumns; ++x)
        for (int32_t y = 0; y < boardRows; ++y)
            if (SquarePicture(x, y) != CellPictureName(liveBoard[x][y]))
                squares.push_back({x, y});
    return squares;
}

std::vector<POINT> MineSquares()
{
    return SquaresWhere(true);
}

std::vector<POINT> SafeSquares()
{
    return SquaresWhere(false);
}

std::vector<POINT> CoveredSafeSquares()
{
    std::vector<POINT> covered;
    for (POINT square : SafeSquares())
        if (liveBoard[square.x][square.y].state == Covered)
            covered.push_back(square);
    return covered;
}

std::vector<std::string> MessageBoxes()
{
    std::vector<std::string> boxes;
    for (const portable::MessageBoxCall& call : portable::MessageBoxLog())
        boxes.push_back(call.title + ": " + call.text);
    return boxes;
}
