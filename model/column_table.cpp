#include "model/column_table.h"

#include "platform/app_handles.h"

namespace {
void ShowRefusal(LPCSTR text, LPCSTR title)
{
    MessageBoxA(mainWindow, text, title, MB_OK | MB_ICONEXCLAMATION);
}
}  // namespace

Truth CheckMinefieldSize(int32_t width, int32_t height)
{
    if (width < 1 || height < 1) {
        ShowRefusal("A minefield must have positive width and height.", "Can't Start Puzzle");
        return 0;
    }
    if (width > maxBoardSide || height > maxBoardSide) {
        ShowRefusal("The dimensions of that minefield are too large.", "Can't Start Puzzle");
        return 0;
    }
    return 1;
}

void ReportMinefieldOutOfMemory()
{
    ShowRefusal("Out of memory to allocate minefield!", "No Memory");
}
