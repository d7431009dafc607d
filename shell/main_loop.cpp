#include "shell/main_loop.h"

#include <cstring>

#include "custom/custom_window.h"
#include "model/board.h"
#include "platform/app_handles.h"
#include "platform/random.h"
#include "shell/game.h"
#include "shell/main_window.h"
#include "solver/solver.h"
#include "view/counters.h"
#include "view/face.h"
#include "view/layout.h"

uint32_t lastTimerTick = 0;
char faceName[20] = "";

namespace {
constexpr int32_t solvePassLimit = noPassLimit;  // every pass, the guess included

bool FaceIs(const char* name)
{
    GetWindowTextA(faceWindow, faceName, sizeof faceName);
    return std::strcmp(faceName, name) == 0;
}

const char* FaceForState()
{
    return gameState == Lost ? "dsmile" : gameState == Won ? "csmile" : "smile";
}

// One Solver step on the live board. An outcome that arrives after a new
// game began (during one of Solver's messages) ends Solve! mode but is not
// applied to the new game.
void SolveStep()
{
    if (gameState == Lost || gameState == Won || !GameReady()) {
        solving = 0;
        return;
    }
    const uint32_t game = gamesStarted;
    solvePass = SolverStep(solvePass, boardColumns, boardRows, GetSettingMines(), liveBoard, cellViews,
                           solvePassLimit, 0);
    RefreshCells(boardColumns, boardRows, liveBoard, cellViews);
    if (solvePass < OutcomeStop)
        return;
    solving = 0;
    DrawTimer();
    if (gamesStarted != game)
        return;
    if (solvePass == OutcomeFinished)
        WinGame();
    else if (solvePass == OutcomeFailed)
        LoseGame();
}

ATOM RegisterWindowClass(WNDCLASSEXA& record, WNDPROC procedure, const char* name)
{
    record.lpfnWndProc = procedure;
    record.lpszClassName = name;
    return RegisterClassExA(&record);
}
}  // namespace

void IdleTurn()
{
    const RECT face = FaceRectangle();
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(mainWindow, &cursor);

    if (PtInRect(&face, cursor) && leftDown) {
        if (!FaceIs("psmile")) {
            ShowFace("psmile");
            return;
        }
    } else if (FaceIs("psmile")) {
        ShowFace(FaceForState());
        return;
    }

    const uint32_t now = GetTickCount();
    if (now / 1000 != lastTimerTick / 1000 && gameState == Running) {
        lastTimerTick = now;
        DrawTimer();
    }

    TallyBoard();

    if (solving)
        SolveStep();
}

void ReleaseGame()
{
    FreeCellViews(boardColumns, boardRows, cellViews);
    cellViews = nullptr;
    FreeBoard(boardColumns, boardRows, liveBoard);
    liveBoard = nullptr;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SeedRandom(GetTickCount());
    appInstance = instance;

    WNDCLASSEXA record = {};
    record.cbSize = sizeof record;
    record.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    record.hInstance = instance;
    record.hIcon = LoadIconA(instance, "icon");
    record.hIconSm = record.hIcon;
    record.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    record.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    if (!RegisterWindowClass(record, MainWndProc, "_bgwndw"))
        return 0;
    if (!RegisterWindowClass(record, CustomWndProc, "cstmfld"))
        return 0;

    mainWindow = CreateWindowExA(0, "_bgwndw", "Blastgrid", mainWindowStyle, 0, 0, 0, 0, nullptr,
                                 LoadMenuA(instance, "menu"), instance, nullptr);
    if (mainWindow == nullptr)
        return 0;
    NewGame(9, 9, 10, &liveBoard, &cellViews, 1);
    menuBar = GetMenu(mainWindow);
    difficultyMenu = GetSubMenu(menuBar, 0);

    MSG message = {};
    for (;;) {
        if (!solving)
            WaitMessage();
        bool quit = false;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (quit)
            break;
        IdleTurn();
    }
    ReleaseGame();
    return static_cast<int>(message.wParam);
}
