// The web page's program: the game's own WinMain on the portable window
// system, shown on the page through the web presenter.
#include "platform/web/presenter.h"
#include "platform/win32.h"

namespace {
// The program's module: the address at which Windows loads an executable.
// The window system gives the program's resources to any module but none.
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);
}  // namespace

int main()
{
    web::StartPresenter();
    const int code = WinMain(programInstance, nullptr, nullptr, SW_SHOWNORMAL);
    web::ShowEnded(code);
    return code;
}
