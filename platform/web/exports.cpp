// What the page's script calls in the program: whether to keep a key from
// the browser (decided while the event is still the browser's), and the
// main window's client area as the window system renders it, which the
// end-to-end test compares with the canvas.
#include <emscripten.h>

#include <cstdint>
#include <vector>

#include "platform/web/keys.h"
#include "platform/web/window_system.h"

namespace {
std::vector<uint8_t> snapshot;
int snapshotWidth = 0;
int snapshotHeight = 0;
}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int BlastgridKeepKey(const char* code, const char* key, int control, int meta)
{
    return web::KeepFromBrowser(web::VirtualKeyOf(code, key), control != 0, meta != 0) ? 1 : 0;
}

// Renders the main window's client area into RGBA pixels; returns them,
// with their size from the two calls below (0 × 0 without a main window).
EMSCRIPTEN_KEEPALIVE const uint8_t* BlastgridClientSnapshot()
{
    snapshot.clear();
    snapshotWidth = 0;
    snapshotHeight = 0;
    for (const driver::WindowView& view : driver::VisibleWindows()) {
        if (view.menuBar.right <= view.menuBar.left)
            continue;
        const driver::Image image = driver::RenderClientArea(view.window);
        snapshotWidth = image.width;
        snapshotHeight = image.height;
        for (const driver::Rgb& pixel : image.pixels)
            snapshot.insert(snapshot.end(), {pixel.r, pixel.g, pixel.b, 255});
        break;
    }
    return snapshot.data();
}

EMSCRIPTEN_KEEPALIVE int BlastgridSnapshotWidth()
{
    return snapshotWidth;
}

EMSCRIPTEN_KEEPALIVE int BlastgridSnapshotHeight()
{
    return snapshotHeight;
}

}  // extern "C"
