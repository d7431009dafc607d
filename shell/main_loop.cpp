// Start-up and the main loop. (The game itself is not built yet: for now the
// program only shows that it is not.)
#include "platform/app_handles.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    appInstance = instance;
    MessageBoxA(nullptr, "Blastgrid is not playable yet: only its minefield model is built.", "Blastgrid",
                MB_OK | MB_ICONINFORMATION);
    return 0;
}
