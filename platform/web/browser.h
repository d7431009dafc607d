// The page's script as the presenter reaches it: the page's size, the
// clock, the events the page queued, the waits that yield to the browser,
// text measuring and drawing. Implemented with the page's script
// (site/page.js) in browser.cpp, the only file with emscripten's calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace web {

struct PageMetrics {
    double width = 0;   // the page's viewport, CSS pixels
    double height = 0;
    double devicePixelRatio = 1;
    int requestedZoom = 0;  // "?zoom=N" in the page's address, else 0
};
PageMetrics ReadPageMetrics();

// performance.now(): milliseconds since the page began, as event times are.
double NowMilliseconds();
// Milliseconds since 1970 at the same pace: the page's tick count.
double EpochMilliseconds();

// One event of the page, in the order they came.
enum class EventType {
    None = 0,
    Mouse = 1,       // a mouse (or pen) pointer moved, or its buttons changed
    TouchStart = 2,
    TouchMove = 3,
    TouchEnd = 4,
    TouchCancel = 5,
    KeyDown = 6,
    KeyUp = 7,
    Resize = 8,      // the page's size or devicePixelRatio changed
    Tick = 9,        // a finger is still down: time for a long press
    Blur = 10,       // the page lost the keyboard: keys and buttons held are let go
};
struct BrowserEvent {
    EventType type = EventType::None;
    double x = 0;  // CSS pixels of the page
    double y = 0;
    double time = 0;  // milliseconds, as NowMilliseconds
    int buttons = 0;  // mouse: PointerEvent.buttons
    int finger = 0;   // touch: the pointer's id
    bool repeat = false;
    std::string code;  // keys: KeyboardEvent.code and .key
    std::string key;
};
// The next event queued by the page; false when there is none.
bool TakeBrowserEvent(BrowserEvent* event);

// Yield to the browser until the page queues an event.
void WaitForEvent();
// Yield to the browser until its next animation frame; returns inside it.
void WaitForFrame();
// The program waits for input and the page has nothing queued: what the
// end-to-end test waits for before it compares pixels.
void SetIdle(bool idle);

// The width in program pixels of a line of text in the page's font for
// menus, boxes and controls, at the program's text size.
int MeasureText(const std::string& utf8, int pixels);

// Shows the scene (see scene.h) as the page's elements.
void ShowScene(const std::string& json);
// Puts RGBA pixels into `rects` of the canvas of a window's client area,
// which is `canvasWidth` × `canvasHeight`: the rectangles' pixels one
// rectangle after the other, each row by row.
void PaintClientArea(uintptr_t window, int canvasWidth, int canvasHeight, const std::vector<RECT>& rects,
                     const uint8_t* rgba);
// The page's icon, from RGBA pixels.
void SetPageIcon(int width, int height, const uint8_t* rgba);

}  // namespace web
