#include "view/counters.h"

#include <cstdio>

#include "platform/app_handles.h"
#include "view/geometry.h"
#include "view/picture.h"

HWND timerDigits[digitCount] = {nullptr, nullptr, nullptr};
HWND counterDigits[digitCount] = {nullptr, nullptr, nullptr};
uint32_t startTick = 0;

namespace {
// Replaces the three digit pictures with the first three characters of the
// value's "%03d" text, starting at client x `left`.
void DrawDigits(HWND digits[digitCount], int32_t value, LONG left, LONG top)
{
    char text[16];
    std::snprintf(text, sizeof text, "%03d", static_cast<int>(value));
    for (int i = 0; i < digitCount; ++i)
        ReplacePicture(&digits[i], DigitPictureName(text[i]), left + digitWidth * i, top + digitTop);
}
}  // namespace

const char* DigitPictureName(char character)
{
    static const char* const digits[] = {"d0", "d1", "d2", "d3", "d4", "d5", "d6", "d7", "d8", "d9"};
    if (character >= '0' && character <= '9')
        return digits[character - '0'];
    return "dz";
}

void DrawMineCounter(int32_t value)
{
    RECT client;
    GetClientRect(mainWindow, &client);
    if (value > 999)
        value = 999;
    DrawDigits(counterDigits, value, client.left + counterLeft, client.top);
}

void DrawTimer()
{
    RECT client;
    GetClientRect(mainWindow, &client);
    uint32_t elapsed = (GetTickCount() - startTick) / 1000u;
    if (elapsed > 999)
        elapsed = 999;
    DrawDigits(timerDigits, static_cast<int32_t>(elapsed), TimerLeft(client.right), client.top);
}
