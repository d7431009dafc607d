// The floor of the Wine benchmark: a program that does nothing but what a
// new game does to its pictures. Its window has the game's client size and
// the game's pictures; the command a new game takes (WM_COMMAND CommandNewGame)
// replaces every square's picture (covered), the face (pressed) and the
// timer's three digits with the very calls the game makes (the bitmap asked
// of the picture, the window destroyed, the bitmap deleted, a new "static"
// SS_BITMAP window with the bitmap's name at the same place), and, as the
// game's idle turn does once the messages are handled, the face again. The
// benchmark times it exactly as it times the game.
#include "robot_modes.h"

#include "shell/command_ids.h"

#include <vector>

namespace {

struct FloorPicture {
    const char* name;
    int x, y, width, height;
};

struct FloorState {
    HWND window = nullptr;
    int columns = 0, rows = 0, clientWidth = 0;
    std::vector<HWND> squares;
    HWND face = nullptr;
    bool facePressed = false;
    HWND timer[3] = {nullptr, nullptr, nullptr};
    HWND counter[3] = {nullptr, nullptr, nullptr};
};
FloorState floorState;

HWND CreateFloorPicture(const FloorPicture& picture)
{
    return CreateWindowExA(0, "static", picture.name, WS_CHILD | WS_VISIBLE | SS_BITMAP, picture.x, picture.y,
                           picture.width, picture.height, floorState.window, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

void ReplaceFloorPicture(HWND& slot, const FloorPicture& picture)
{
    if (slot != nullptr) {
        const HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(SendMessageA(slot, STM_GETIMAGE, IMAGE_BITMAP, 0));
        DestroyWindow(slot);
        if (bitmap != nullptr)
            DeleteObject(bitmap);
    }
    slot = CreateFloorPicture(picture);
}

FloorPicture Face(const char* name)
{
    return {name, floorState.clientWidth / 2 - 13, 11, 0, 0};
}

// What a new game does to its pictures, up to its idle turn.
void NewGamePictures()
{
    FloorState& state = floorState;
    for (int x = 0; x < state.columns; ++x)
        for (int y = 0; y < state.rows; ++y)
            ReplaceFloorPicture(state.squares[static_cast<size_t>(x * state.rows + y)],
                                {"nc", 16 * x + 16, 16 * y + 48, 16, 16});
    ReplaceFloorPicture(state.face, Face("psmile"));
    state.facePressed = true;
    for (int i = 0; i < 3; ++i)
        ReplaceFloorPicture(state.timer[i], {"d0", state.clientWidth - 48 + 12 * i, 13, 0, 0});
}

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == CommandNewGame) {
        NewGamePictures();
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int RunFloorProgram(int columns, int rows)
{
    FloorState& state = floorState;
    state.columns = columns;
    state.rows = rows;
    state.clientWidth = 16 * columns + 32;
    state.squares.assign(static_cast<size_t>(columns * rows), nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = floorClass;
    if (!RegisterClassA(&windowClass))
        return 1;
    RECT frame = {0, 0, state.clientWidth, 16 * rows + 64};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    state.window = CreateWindowExA(0, floorClass, "floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                   frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (state.window == nullptr)
        return 1;
    // The pictures as the game has them, the counter's among them.
    NewGamePictures();
    for (int i = 0; i < 3; ++i)
        ReplaceFloorPicture(state.counter[i], {"d0", 15 + 12 * i, 13, 0, 0});
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return 0;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // The idle turn: the face as the game shows it once nothing waits.
        if (state.facePressed) {
            ReplaceFloorPicture(state.face, Face("smile"));
            state.facePressed = false;
            continue;
        }
        WaitMessage();
    }
}
