#include "shell/game.h"

#include "model/board.h"
#include "model/mines.h"
#include "model/reveal.h"
#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "view/counters.h"
#include "view/face.h"
#include "view/layout.h"
#include "view/picture.h"

GameSettings gameSettings = {9, 9, 10};
HMENU menuBar = nullptr;
HMENU difficultyMenu = nullptr;
Board liveBoard = nullptr;
CellViewStore cellViews = nullptr;
int32_t boardColumns = 0;
int32_t boardRows = 0;
GameState gameState = Fresh;
int32_t minesLeft = 0;
int32_t coveredCount = 0;
int32_t shownMinesLeft = 0;
Truth solving = 0;
int32_t solvePass = 0;
uint32_t gamesStarted = 0;

int32_t GetSettingColumns()
{
    return gameSettings.columns;
}

int32_t GetSettingRows()
{
    return gameSettings.rows;
}

int32_t GetSettingMines()
{
    return gameSettings.mines;
}

Truth SetGameSettings(int32_t columns, int32_t rows, int32_t mines)
{
    gameSettings = {columns, rows, mines};
    SendMessageA(mainWindow, WM_COMMAND, CommandNewGame, 0);
    return 1;
}

namespace {
// The face's present top-left corner in client coordinates; the face
// rectangle's when there is no face window.
POINT FaceCorner()
{
    RECT rect;
    if (!GetWindowRect(faceWindow, &rect)) {
        const RECT face = FaceRectangle();
        return {face.left, face.top};
    }
    POINT corner = {rect.left, rect.top};
    ScreenToClient(mainWindow, &corner);
    return corner;
}
}  // namespace

void NewGame(int32_t columns, int32_t rows, int32_t mines, Board* boardSlot, CellViewStore* viewSlot,
             Truth forceView)
{
    const uint32_t thisGame = ++gamesStarted;
    startTick = GetTickCount();
    if (*boardSlot != nullptr) {
        FreeBoard(boardColumns, boardRows, *boardSlot);
        *boardSlot = nullptr;
    }
    if (forceView || *viewSlot == nullptr || columns != boardColumns || rows != boardRows) {
        if (*viewSlot != nullptr) {
            FreeCellViews(boardColumns, boardRows, *viewSlot);
            *viewSlot = nullptr;
        }
        // A failure here shows a message box, during which the custom-game
        // window can begin a later game; the later game then wins.
        const CellViewStore store = LayoutMainWindow(columns, rows);
        if (gamesStarted != thisGame) {
            FreeCellViews(columns, rows, store);
            return;
        }
        *viewSlot = store;
    }
    boardColumns = columns;
    boardRows = rows;
    const Board board = CreateBoard(columns, rows);
    if (gamesStarted != thisGame) {
        FreeBoard(columns, rows, board);
        return;
    }
    *boardSlot = board;
    if (*boardSlot != nullptr)
        PlaceMines(columns, rows, *boardSlot, mines);
    RefreshCells(columns, rows, *boardSlot, *viewSlot);

    const POINT corner = FaceCorner();
    DestroyPicture(faceWindow);
    faceWindow = CreatePicture("psmile", corner.x, corner.y, 0, 0);

    gameState = Fresh;
    // Drawing the board, or a message box on the way, can take more than a
    // second; the fresh game's timer must still read 000.
    startTick = GetTickCount();
    DrawTimer();
}

Truth GameReady()
{
    return liveBoard != nullptr && cellViews != nullptr;
}

void StartClock()
{
    if (gameState == Fresh) {
        gameState = Running;
        startTick = GetTickCount();
    }
}

void LoseGame()
{
    ShowFace("dsmile");
    gameState = Lost;
    if (!GameReady())
        return;
    for (int32_t x = 0; x < boardColumns; ++x) {
        for (int32_t y = 0; y < boardRows; ++y) {
            Cell& cell = liveBoard[x][y];
            if (cell.isMine) {
                if (cell.state == Revealed)
                    cell.state = Exploded;
                else if (cell.state != Marked)
                    cell.state = Revealed;
                cell.dirty = 1;
            } else if (cell.state == Marked) {
                cell.state = FalseMark;
                cell.dirty = 1;
            }
        }
    }
    RefreshCells(boardColumns, boardRows, liveBoard, cellViews);
}

void WinGame()
{
    ShowFace("csmile");
    gameState = Won;
}

void TallyBoard()
{
    if (!GameReady())
        return;
    minesLeft = GetSettingMines();
    coveredCount = 0;
    for (int32_t x = 0; x < boardColumns; ++x) {
        for (int32_t y = 0; y < boardRows; ++y) {
            if (liveBoard[x][y].state == Covered)
                ++coveredCount;
            else if (liveBoard[x][y].state == Marked)
                --minesLeft;
        }
    }
    if (gameState != Won && gameState != Lost && minesLeft == coveredCount) {
        for (int32_t x = 0; x < boardColumns; ++x)
            for (int32_t y = 0; y < boardRows; ++y)
                MarkCell(x, y, boardColumns, boardRows, liveBoard);
        RefreshCells(boardColumns, boardRows, liveBoard, cellViews);
        WinGame();
    }
    if (minesLeft != shownMinesLeft) {
        shownMinesLeft = minesLeft;
        DrawMineCounter(minesLeft);
    }
}
