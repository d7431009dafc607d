// The native program: the game's own WinMain on the portable window
// system, shown on the display through the presenter.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/desktop/presenter.h"
#include "platform/desktop/zoom.h"
#include "platform/win32.h"

#ifndef BLASTGRID_VERSION_TEXT
#error "the build passes the version from the VERSION file as BLASTGRID_VERSION_TEXT"
#endif

namespace {
// The program's module: the address at which Windows loads an executable.
// The window system gives the program's resources to any module but none.
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);

constexpr int usageError = 2;

void PrintUsage(FILE* to)
{
    std::fprintf(to,
                 "Usage: blastgrid [--zoom N]\n"
                 "  --zoom N    show every pixel N times as large (1 to %d); by default the\n"
                 "              display's scale (GDK_SCALE, Xft.dpi) decides\n"
                 "  --help      show this text\n"
                 "  --version   show the version\n"
                 "Environment: BLASTGRID_ZOOM (as --zoom), BLASTGRID_FONT (a font file for\n"
                 "menus and boxes); BLASTGRID_TRACE and BLASTGRID_SNAPSHOT write files for tests.\n",
                 desktop::maxZoom);
}

int UsageError(const char* problem, const char* value)
{
    std::fprintf(stderr, "blastgrid: %s \"%s\"\n", problem, value);
    PrintUsage(stderr);
    return usageError;
}

const char* Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? "" : value;
}

// The options; false with the exit code in `code` when the program is not
// to run (help, version, or a mistake).
bool ReadOptions(int argc, char** argv, desktop::PresenterOptions* options, int* code)
{
    const char* zoomText = Environment("BLASTGRID_ZOOM");
    const char* zoomSource = "BLASTGRID_ZOOM";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintUsage(stdout);
            *code = 0;
            return false;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("blastgrid %s\n", BLASTGRID_VERSION_TEXT);
            *code = 0;
            return false;
        }
        if (std::strcmp(argv[i], "--zoom") == 0) {
            if (i + 1 >= argc) {
                *code = UsageError("--zoom needs a whole number from 1 to 8, after", "--zoom");
                return false;
            }
            zoomText = argv[++i];
            zoomSource = "--zoom";
            continue;
        }
        *code = UsageError("unknown argument", argv[i]);
        return false;
    }
    if (*zoomText != '\0') {
        options->zoom = desktop::ParseZoom(zoomText);
        if (options->zoom == 0) {
            std::fprintf(stderr, "blastgrid: %s must be a whole number from 1 to %d, not \"%s\"\n", zoomSource,
                         desktop::maxZoom, zoomText);
            PrintUsage(stderr);
            *code = usageError;
            return false;
        }
    }
    options->tracePath = Environment("BLASTGRID_TRACE");
    options->snapshotPath = Environment("BLASTGRID_SNAPSHOT");
    return true;
}
}  // namespace

int main(int argc, char** argv)
{
    desktop::PresenterOptions options;
    int code = 0;
    if (!ReadOptions(argc, argv, &options, &code))
        return code;
    if (!desktop::StartPresenter(options))
        return 1;
    code = WinMain(programInstance, nullptr, nullptr, SW_SHOWNORMAL);
    desktop::StopPresenter();
    return code;
}
