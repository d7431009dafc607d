#include "shell/commands.h"

#include "custom/custom_window.h"
#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "shell/help_texts.h"
#include "shell/hint.h"
#include "solver/solver.h"

namespace {
void ChooseDifficulty(int32_t columns, int32_t rows, int32_t mines, unsigned position)
{
    if (SetGameSettings(columns, rows, mines))
        CheckMenuRadioItem(difficultyMenu, PositionBeginner, PositionCustom, position, MF_BYPOSITION);
}

void StartSolving()
{
    solving = 1;
    solvePass = PassStart;
    StartClock();
}
}  // namespace

Truth OnCommand(unsigned short id)
{
    switch (id) {
    case CommandNewGame:
        NewGame(GetSettingColumns(), GetSettingRows(), GetSettingMines(), &liveBoard, &cellViews, 0);
        break;
    case CommandBeginner:
        ChooseDifficulty(9, 9, 10, PositionBeginner);
        break;
    case CommandIntermediate:
        ChooseDifficulty(16, 16, 40, PositionIntermediate);
        break;
    case CommandExpert:
        ChooseDifficulty(30, 16, 99, PositionExpert);
        break;
    case CommandCustom:
        OpenCustomWindow();
        break;
    case CommandExit:
        DestroyWindow(mainWindow);
        break;
    case CommandSolve:
        StartSolving();
        break;
    case CommandAbout:
        MessageBoxA(mainWindow, aboutBlastgridText, "About Blastgrid", MB_OK);
        break;
    case CommandHint:
        GiveHint();
        break;
    case CommandHowToPlay:
        MessageBoxA(mainWindow, howToPlayText, "How to Play", MB_OK);
        break;
    case CommandAboutSolver:
        MessageBoxA(mainWindow, aboutSolverText, "About Solver", MB_OK);
        break;
    default:
        break;
    }
    return 0;
}
