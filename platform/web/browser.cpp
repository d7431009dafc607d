#include "platform/web/browser.h"

#include <emscripten.h>

#include <vector>

namespace {
// clang-format off
EM_JS(void, JsPageMetrics, (double* out), {
    var metrics = BlastgridPage.metrics();
    HEAPF64[(out >> 3) + 0] = metrics.width;
    HEAPF64[(out >> 3) + 1] = metrics.height;
    HEAPF64[(out >> 3) + 2] = metrics.devicePixelRatio;
    HEAPF64[(out >> 3) + 3] = metrics.zoom;
});

EM_JS(double, JsEpochMilliseconds, (), {
    return performance.timeOrigin + performance.now();
});

EM_JS(int, JsTakeEvent, (double* numbers, char* code, char* key, int textSize), {
    var event = BlastgridPage.takeEvent();
    if (!event)
        return 0;
    var at = numbers >> 3;
    HEAPF64[at + 0] = event.x || 0;
    HEAPF64[at + 1] = event.y || 0;
    HEAPF64[at + 2] = event.time || 0;
    HEAPF64[at + 3] = event.buttons || 0;
    HEAPF64[at + 4] = event.finger || 0;
    HEAPF64[at + 5] = event.repeat ? 1 : 0;
    stringToUTF8(event.code || "", code, textSize);
    stringToUTF8(event.key || "", key, textSize);
    return event.type;
});

EM_ASYNC_JS(void, JsWaitForEvent, (), {
    await BlastgridPage.nextEvent();
});

EM_ASYNC_JS(void, JsWaitForFrame, (), {
    await BlastgridPage.nextFrame();
});

EM_JS(void, JsSetIdle, (int idle), {
    BlastgridPage.setIdle(idle != 0);
});

EM_JS(int, JsMeasureText, (const char* text, int pixels), {
    return BlastgridPage.measureText(UTF8ToString(text), pixels);
});

EM_JS(void, JsShowScene, (const char* json), {
    BlastgridPage.showScene(JSON.parse(UTF8ToString(json)));
});

EM_JS(void, JsPaint, (double window, int canvasWidth, int canvasHeight, const int32_t* rects, int count,
                      const uint8_t* rgba), {
    BlastgridPage.paint(window, canvasWidth, canvasHeight, HEAP32.subarray(rects >> 2, (rects >> 2) + count * 4),
                        HEAPU8, rgba);
});

EM_JS(void, JsSetIcon, (int width, int height, const uint8_t* rgba), {
    BlastgridPage.setIcon(width, height, HEAPU8.subarray(rgba, rgba + width * height * 4));
});
// clang-format on

constexpr int keyTextSize = 64;
}  // namespace

namespace web {

PageMetrics ReadPageMetrics()
{
    double values[4] = {0, 0, 1, 0};
    JsPageMetrics(values);
    PageMetrics metrics;
    metrics.width = values[0];
    metrics.height = values[1];
    metrics.devicePixelRatio = values[2] > 0 ? values[2] : 1;
    metrics.requestedZoom = static_cast<int>(values[3]);
    return metrics;
}

double NowMilliseconds()
{
    return emscripten_get_now();
}

double EpochMilliseconds()
{
    return JsEpochMilliseconds();
}

bool TakeBrowserEvent(BrowserEvent* event)
{
    double numbers[6] = {0, 0, 0, 0, 0, 0};
    char code[keyTextSize] = "";
    char key[keyTextSize] = "";
    const int type = JsTakeEvent(numbers, code, key, keyTextSize);
    if (type == 0)
        return false;
    event->type = static_cast<EventType>(type);
    event->x = numbers[0];
    event->y = numbers[1];
    event->time = numbers[2];
    event->buttons = static_cast<int>(numbers[3]);
    event->finger = static_cast<int>(numbers[4]);
    event->repeat = numbers[5] != 0;
    event->code = code;
    event->key = key;
    return true;
}

void WaitForEvent()
{
    JsWaitForEvent();
}

void WaitForFrame()
{
    JsWaitForFrame();
}

void SetIdle(bool idle)
{
    JsSetIdle(idle ? 1 : 0);
}

int MeasureText(const std::string& utf8, int pixels)
{
    return JsMeasureText(utf8.c_str(), pixels);
}

void ShowScene(const std::string& json)
{
    JsShowScene(json.c_str());
}

void PaintClientArea(uintptr_t window, int canvasWidth, int canvasHeight, const std::vector<RECT>& rects,
                     const uint8_t* rgba)
{
    std::vector<int32_t> places;
    for (const RECT& rect : rects)
        places.insert(places.end(), {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    JsPaint(static_cast<double>(window), canvasWidth, canvasHeight, places.data(), static_cast<int>(rects.size()),
            rgba);
}

void SetPageIcon(int width, int height, const uint8_t* rgba)
{
    JsSetIcon(width, height, rgba);
}

}  // namespace web
