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

void OnLeftRelease(HWND window, LPARAM lParam)
{
    if (!leftDown)
        return;
    const POINT point = PointOf(lParam);
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

void OnRightRelease(LPARAM lParam)
{
    if (!rightDown)
        return;
    int32_t column = 0;
    int32_t row = 0;
    if (!SquareAt(PointOf(lParam), &column, &row) || (gameState != Fresh && gameState != Running) || !GameReady())
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

// The frame, the header panel, the wells behind the counters and the frame
// around the field; the squares and digits are windows of their own.
void Paint(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    const LONG w = client.right - client.left;
    const LONG h = client.bottom - client.top;
    const LONG fieldRight = FieldRight(boardColumns);
    const LONG fieldBottom = FieldBottom(boardRows);
    const LONG inner = panelInset + frameEdge;

    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
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
    EndPaint(window, &paint);

    ShowWindow(faceWindow, SW_SHOW);
    for (int i = 0; i < digitCount; ++i) {
        ShowWindow(timerDigits[i], SW_SHOW);
        ShowWindow(counterDigits[i], SW_SHOW);
    }
}
}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        leftDown = 1;
        return 0;
    case WM_LBUTTONUP:
        OnLeftRelease(window, lParam);
        leftDown = 0;
        return 0;
    case WM_RBUTTONDOWN:
        rightDown = 1;
        return 0;
    case WM_RBUTTONUP:
        OnRightRelease(lParam);
        rightDown = 0;
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        break;
    case WM_KEYDOWN:
        if (wParam == VK_F2)
            SendCommand(window, CommandNewGame);
        else if (wParam == VK_F3)
            SendCommand(window, CommandSolve);
        return 0;
    case WM_CHAR:
        if ((wParam & 0xFF) == 'h' || (wParam & 0xFF) == 'H')
            SendCommand(window, CommandHint);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        Paint(window);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
