// The native program: starts the presenter and runs the game's WinMain.
#include "platform/win32.h"

int main()
{
    return WinMain(nullptr, nullptr, nullptr, 1);
}
