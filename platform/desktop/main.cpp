// The native program: the game's own WinMain on the portable window
// system, shown on the display through the presenter.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/desktop/presenter.h"
#include "platform/desktop/zoom.h"
#include "platform/win32.h"

namespace {
// The program's module: the address at which Windows loads an executable.
// The window system gives the program's resources to any module but none.
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);

void PrintUsage()
{
    std::printf(
        "Usage: blastgrid [--zoom N]\n"
        "  --zoom N   show every pixel N times as large (1 to %d); by default the\n"
        "             display's scale (GDK_SCALE) or its dots per inch decide.\n"
        "Environment: BLASTGRID_ZOOM (as --zoom), BLASTGRID_FONT (the font file),\n"
        "BLASTGRID_TRACE and BLASTGRID_SNAPSHOT (files written for tests).\n",
        desktop::maxZoom);
}

const char* Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? "" : value;
}
}  // namespace

int main(int argc, char** argv)
{
    desktop::PresenterOptions options;
    options.zoom = desktop::ParseZoom(Environment("BLASTGRID_ZOOM"));
    options.tracePath = Environment("BLASTGRID_TRACE");
    options.snapshotPath = Environment("BLASTGRID_SNAPSHOT");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--zoom") == 0 && i + 1 < argc) {
            options.zoom = desktop::ParseZoom(argv[++i]);
            if (options.zoom == 0) {
                std::fprintf(stderr, "blastgrid: the zoom must be a whole number from 1 to %d, not \"%s\"\n",
                             desktop::maxZoom, argv[i]);
                return 2;
            }
            continue;
        }
        std::fprintf(stderr, "blastgrid: unknown argument \"%s\"\n", argv[i]);
        PrintUsage();
        return 2;
    }
    if (!desktop::StartPresenter(options))
        return 1;
    const int code = WinMain(programInstance, nullptr, nullptr, SW_SHOWNORMAL);
    desktop::StopPresenter();
    return code;
}
