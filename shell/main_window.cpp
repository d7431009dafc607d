#include "shell/main_window.h"

#include "model/neighbours.h"
#include "model/reveal.h"
#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/commands.h"
#include "shell/game.h"
#include "view/counters.h"
#include "view/face.h"
#include "view/geometry.h"

Truth leftDown = 0;
Truth rightDown = 0;

namespace {
void SendCommand(HWND window, unsigned short id)
{
    SendMessageA(window, WM_COMMAND, id, 0);
}

POINT PointOf(LPARAM lParam)
{
    return {static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
}

// The square under a client point, if it is on the board.
bool SquareAt(POINT point, int32_t* column, int32_t* row)
{
    *column = PixelToColumn(point.x);
    *row = PixelToRow(point.y);
    return *column >= 0 && *column < boardColumns && *row >= 0 && *row < boardRows;
}

// Both buttons over an uncovered square whose marks match its number:
// uncover the rest of its neighbours.
void AreaRevealTest(int32_t column, int32_t row)
{
    const Cell& cell = liveBoard[column][row];
    if (CountMarkedNeighbours(column, row, boardColumns, boardRows, liveBoard) == cell.adjacentMines &&
        cell.state == Revealed) {
        if (RevealAround(column, row, boardColumns, boardRows, liveBoard, 0))
            LoseGame();
    }
}

// A left release over the face starts a new game; over a square of a game
// still in play it uncovers the square, starts the clock and, with the
// right button down, tries the area reveal.
void UncoverAt(HWND window, POINT point)
{
    const RECT face = FaceRectangle();
    if (PtInRect(&face, point)) {
        SendCommand(window, CommandNewGame);
        return;
    }
    if (gameState == Lost || gameState == Won || !GameReady())
        return;
    int32_t column = 0;
    int32_t row = 0;
    if (!SquareAt(point, &column, &row))
        return;
    if (RevealCell(column, row, boardColumns, boardRows, liveBoard, 0))
        LoseGame();
    StartClock();
    if (rightDown)
        AreaRevealTest(column, row);
    RefreshCells(boardColumns, boardRows, liveBoard, cellViews);
}

// A right release over a square of a game still in play marks or unmarks
// it and, with the left button down, tries the area reveal.
void MarkAt(POINT point)
{
    int32_t column = 0;
    int32_t row = 0;
    if (!SquareAt(point, &column, &row) || (gameState != Fresh && gameState != Running) || !GameReady())
        return;
    if (liveBoard[column][row].state == Marked)
        UnmarkCell(column, row, boardColumns, boardRows, liveBoard);
    else
        MarkCell(column, row, boardColumns, boardRows, liveBoard);
    if (leftDown)
        AreaRevealTest(column, row);
    RefreshCells(boardColumns, boardRows, liveBoard, cellViews);
}

void Fill(HDC dc, LONG left, LONG top, LONG right, LONG bottom, int brush)
{
    RECT rect;
    SetRect(&rect, left, top, right, bottom);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(brush)));
}

void OnLeftPress()
{
    leftDown = 1;
}

void OnRightPress()
{
    rightDown = 1;
}

// A release counts only after a press in this window.
void OnLeftRelease(HWND window, LPARAM lParam)
{
    if (leftDown)
        UncoverAt(window, PointOf(lParam));
    leftDown = 0;
}

void OnRightRelease(LPARAM lParam)
{
    if (rightDown)
        MarkAt(PointOf(lParam));
    rightDown = 0;
}

void OnKeyDown(HWND window, WPARAM key)
{
    if (key == VK_F2)
        SendCommand(window, CommandNewGame);
    else if (key == VK_F3)
        SendCommand(window, CommandSolve);
}

void OnChar(HWND window, WPARAM character)
{
    if ((character & 0xFF) == 'h' || (character & 0xFF) == 'H')
        SendCommand(window, CommandHint);
}

void OnDestroy()
{
    PostQuitMessage(0);
}

// The frame is painted through BeginPaint; the picture windows of the face
// and the digits are then shown again over it.
void OnPaint(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    PaintFrame(dc, client.right - client.left, client.bottom - client.top);
    EndPaint(window, &paint);

    ShowWindow(faceWindow, SW_SHOW);
    for (int i = 0; i < digitCount; ++i) {
        ShowWindow(timerDigits[i], SW_SHOW);
        ShowWindow(counterDigits[i], SW_SHOW);
    }
}
}  // namespace

// The frame, the header panel, the wells behind the counters and the frame
// around the field; the squares and digits are windows of their own.
void PaintFrame(HDC dc, LONG w, LONG h)
{
    const LONG fieldRight = FieldRight(boardColumns);
    const LONG fieldBottom = FieldBottom(boardRows);
    const LONG inner = panelInset + frameEdge;
    Fill(dc, 0, 0, w, h, WHITE_BRUSH);
    Fill(dc, frameEdge, frameEdge, w - frameEdge, h - frameEdge, LTGRAY_BRUSH);
    Fill(dc, panelInset, panelInset, w - panelInset, panelBottom, DKGRAY_BRUSH);
    Fill(dc, inner, inner, w - panelInset, panelBottom, WHITE_BRUSH);
    Fill(dc, inner, inner, w - inner, panelBottom - frameEdge, LTGRAY_BRUSH);
    Fill(dc, TimerWellLeft(w), wellTop, TimerWellRight(w), wellBottom, DKGRAY_BRUSH);
    Fill(dc, counterWellLeft, wellTop, counterWellRight, wellBottom, DKGRAY_BRUSH);
    Fill(dc, fieldLeft - frameEdge, fieldTop, fieldLeft, fieldBottom + frameEdge, DKGRAY_BRUSH);
    Fill(dc, fieldLeft - frameEdge, fieldTop - frameEdge, fieldRight, fieldTop, DKGRAY_BRUSH);
    Fill(dc, fieldRight, fieldTop, fieldRight + frameEdge, fieldBottom, WHITE_BRUSH);
    Fill(dc, fieldLeft, fieldBottom, fieldRight + frameEdge, fieldBottom + frameEdge, WHITE_BRUSH);
}

// Each message goes to its handler; the menu commands and painting then
// take the default processing as well.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        OnLeftPress();
        return 0;
    case WM_LBUTTONUP:
        OnLeftRelease(window, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        OnRightPress();
        return 0;
    case WM_RBUTTONUP:
        OnRightRelease(lParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(window, wParam);
        return 0;
    case WM_CHAR:
        OnChar(window, wParam);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        break;
    case WM_PAINT:
        OnPaint(window);
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
