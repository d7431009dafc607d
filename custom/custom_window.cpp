#include "custom/custom_window.h"

#include "custom/entry_number.h"
#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "view/layout.h"

HWND customWindow = nullptr;
Truth customWindowOpen = 0;
HWND rowsEdit = nullptr;
HWND columnsEdit = nullptr;
HWND minesEdit = nullptr;

namespace {
constexpr LONG clientSize = 200;
constexpr int fieldTextSize = 50;

HWND CreateControl(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y, int width,
                   int height, int id)
{
    return CreateWindowExA(exStyle, className, text, style, x, y, width, height, customWindow,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), appInstance, nullptr);
}

void CreateControls()
{
    const DWORD child = WS_CHILD | WS_VISIBLE;
    CreateControl(WS_EX_DLGMODALFRAME, "static", "", child, 0, 0, 200, 200, 0);
    CreateControl(0, "static", "Rows:", child | SS_RIGHT, 10, 10, 75, 30, 0);
    CreateControl(0, "static", "Columns:", child | SS_RIGHT, 10, 40, 75, 20, 0);
    CreateControl(0, "static", "Mines:", child | SS_RIGHT, 10, 70, 75, 20, 0);
    rowsEdit = CreateControl(WS_EX_CLIENTEDGE, "edit", "", child | ES_NUMBER, 95, 7, 30, 30, 0);
    columnsEdit = CreateControl(WS_EX_CLIENTEDGE, "edit", "", child | ES_NUMBER, 95, 37, 30, 30, 0);
    minesEdit = CreateControl(WS_EX_CLIENTEDGE, "edit", "", child | ES_NUMBER, 95, 67, 45, 30, 0);
    CreateControl(0, "button", "OK", child, 50, 120, 100, 25, customOkId);
    CreateControl(0, "button", "Cancel", child, 50, 155, 100, 25, customCancelId);
}

// A field's number; false when it does not fit in 32 bits.
Truth ReadField(HWND field, int32_t* value)
{
    char text[fieldTextSize];
    GetWindowTextA(field, text, fieldTextSize);
    return ReadEntryNumber(text, value);
}

// Stores valid settings and starts the game; otherwise says the entry is
// invalid. The window closes either way.
void AcceptEntry()
{
    int32_t rows = 0;
    int32_t columns = 0;
    int32_t mines = 0;
    const bool read = ReadField(rowsEdit, &rows) && ReadField(columnsEdit, &columns) && ReadField(minesEdit, &mines);
    const bool valid = read && rows > 0 && columns > 0 && rows < 50 && columns < 50 && mines > 0 &&
                       mines <= rows * columns;
    if (valid) {
        SetGameSettings(columns, rows, mines);
        CheckMenuRadioItem(difficultyMenu, PositionBeginner, PositionCustom, PositionCustom, MF_BYPOSITION);
    } else {
        MessageBoxA(mainWindow, "Invalid minefield specifications.", "Blastgrid", MB_OK);
    }
    DestroyWindow(customWindow);
}

void OnDestroy()
{
    customWindowOpen = 0;
}

// Nothing is painted: the controls cover the window.
void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

// OK and Cancel; returns whether the command was one of them.
bool OnButton(int id)
{
    if (id == customCancelId) {
        DestroyWindow(customWindow);
        return true;
    }
    if (id == customOkId) {
        AcceptEntry();
        return true;
    }
    return false;
}
}  // namespace

void OpenCustomWindow()
{
    if (customWindowOpen)
        return;
    const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const LONG screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT rect;
    SetRect(&rect, (screenWidth - clientSize) / 2, (screenHeight - clientSize) / 2, (screenWidth + clientSize) / 2,
            (screenHeight + clientSize) / 2);
    AdjustWindowRect(&rect, mainWindowStyle, TRUE);
    customWindow = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, "cstmfld", "Custom Game",
                                   WS_VISIBLE | WS_BORDER, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, mainWindow, nullptr, appInstance, nullptr);
    if (customWindow == nullptr)
        return;

    // The frame estimate may be off: measure the client area and correct it.
    RECT client;
    GetClientRect(customWindow, &client);
    rect.right += clientSize - (client.right - client.left);
    rect.bottom += clientSize - (client.bottom - client.top);
    MoveWindow(customWindow, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    ShowWindow(customWindow, SW_SHOW);

    CreateControls();
    customWindowOpen = 1;
}

LRESULT CALLBACK CustomWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_PAINT:
        OnPaint(window);
        break;
    case WM_COMMAND:
        if (OnButton(LOWORD(wParam)))
            return 0;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
