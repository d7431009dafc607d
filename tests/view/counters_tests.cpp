#include <gtest/gtest.h>

#include "support/test_window.h"
#include "view/counters.h"
#include "view/face.h"
#include "view/layout.h"

namespace {
std::vector<std::string> DigitNames(HWND digits[3])
{
    return {WindowText(digits[0]), WindowText(digits[1]), WindowText(digits[2])};
}

std::vector<LONG> DigitLefts(HWND digits[3])
{
    std::vector<LONG> lefts;
    for (int i = 0; i < 3; ++i) {
        RECT rect;
        GetWindowRect(digits[i], &rect);
        POINT corner = {rect.left, rect.top};
        ScreenToClient(mainWindow, &corner);
        EXPECT_EQ(corner.y, digitTop);
        EXPECT_EQ(rect.right - rect.left, digitWidth);
        EXPECT_EQ(rect.bottom - rect.top, digitHeight);
        lefts.push_back(corner.x);
    }
    return lefts;
}

typedef std::vector<std::string> Names;
}  // namespace

TEST(MineCounter, ShowsThreePlacesCappedAtNineHundredNinetyNine)
{
    CreateTestMainWindow();
    FreeCellViews(9, 9, LayoutMainWindow(9, 9));
    const struct {
        int32_t value;
        Names names;
    } cases[] = {
        {10, {"d0", "d1", "d0"}},   {0, {"d0", "d0", "d0"}},     {999, {"d9", "d9", "d9"}},
        {1000, {"d9", "d9", "d9"}}, {-5, {"dz", "d0", "d5"}},    {-42, {"dz", "d4", "d2"}},
        {-99, {"dz", "d9", "d9"}},  {-123, {"dz", "d1", "d2"}},  {7, {"d0", "d0", "d7"}},
    };
    for (const auto& c : cases) {
        DrawMineCounter(c.value);
        EXPECT_EQ(DigitNames(counterDigits), c.names) << c.value;
        const std::vector<LONG> lefts = {counterLeft, counterLeft + digitWidth, counterLeft + 2 * digitWidth};
        EXPECT_EQ(DigitLefts(counterDigits), lefts);
    }
    const int windows = portable::WindowCount();
    DrawMineCounter(5);
    EXPECT_EQ(portable::WindowCount(), windows);  // the old digits are gone
}

TEST(Timer, ShowsWholeSecondsSinceTheStartAcrossTheTickWrap)
{
    CreateTestMainWindow();
    FreeCellViews(30, 16, LayoutMainWindow(30, 16));
    const struct {
        uint32_t start, now;
        Names names;
    } cases[] = {
        {5000, 5999, {"d0", "d0", "d0"}},
        {5000, 6000, {"d0", "d0", "d1"}},
        {0, 1000000, {"d9", "d9", "d9"}},
        {0, 999999, {"d9", "d9", "d9"}},
        {0, 998999, {"d9", "d9", "d8"}},
        {0xFFFFF000u, 0x00001000u, {"d0", "d0", "d8"}},  // 8192 ms across the wrap
        {100, 99, {"d9", "d9", "d9"}},                     // a start in the future reads as a long time
    };
    for (const auto& c : cases) {
        startTick = c.start;
        portable::SetTickCount(c.now);
        DrawTimer();
        EXPECT_EQ(DigitNames(timerDigits), c.names) << c.start << " " << c.now;
        EXPECT_EQ(DigitLefts(timerDigits), (std::vector<LONG>{464, 476, 488}));
    }
}
