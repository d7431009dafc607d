#include "solver/messages.h"

#include "platform/app_handles.h"

namespace {
void ShowSolverMessage(LPCSTR text, UINT type)
{
    MessageBoxA(mainWindow, text, "Solver", type);
}
}  // namespace

void ReportWrongMark()
{
    ShowSolverMessage(
        "Solver cannot work on a board with incorrectly marked mines.\n"
        "Please remove these marks and retry Solver.",
        MB_OK | MB_ICONEXCLAMATION);
}

void ReportFillOutHitMine()
{
    ShowSolverMessage("Hit a mine while filling out board.\nA mine was incorrectly placed.", MB_OK | MB_ICONEXCLAMATION);
}

void ReportLogicalMistake()
{
    ShowSolverMessage("Ooops!  Solver made a logical mistake and failed to solve the puzzle.", MB_OK | MB_ICONHAND);
}

void ReportGuessHitMine()
{
    ShowSolverMessage("Ooops!  Solver accidentally chose a square that contained a mine.", MB_OK | MB_ICONEXCLAMATION);
}
