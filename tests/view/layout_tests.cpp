#include <gtest/gtest.h>

#include <algorithm>

#include "model/memory.h"
#include "support/test_window.h"
#include "view/counters.h"
#include "view/face.h"
#include "view/layout.h"
#include "view/geometry.h"

namespace {
POINT ClientCorner(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(mainWindow, &corner);
    return corner;
}
}  // namespace

TEST(Layout, ClientAreaIsExactAndCentredOnScreensOfAnySize)
{
    CreateTestMainWindow();
    const struct {
        int screenWidth, screenHeight, columns, rows;
    } cases[] = {
        {1024, 768, 9, 9}, {1024, 768, 30, 16}, {1920, 1080, 49, 49}, {640, 480, 49, 49}, {801, 601, 1, 1},
    };
    for (const auto& c : cases) {
        portable::SetScreenSize(c.screenWidth, c.screenHeight);
        FreeCellViews(c.columns, c.rows, LayoutMainWindow(c.columns, c.rows));
        RECT client;
        GetClientRect(mainWindow, &client);
        RECT frame;
        GetWindowRect(mainWindow, &frame);
        // The system keeps a window with a title bar at least SM_CXMINTRACK
        // wide and at most SM_CXMAXTRACK by SM_CYMAXTRACK.
        const LONG frameWidth = frame.right - frame.left - client.right;
        const LONG frameHeight = frame.bottom - frame.top - client.bottom;
        const LONG narrowest = GetSystemMetrics(SM_CXMINTRACK) - frameWidth;
        const LONG widest = GetSystemMetrics(SM_CXMAXTRACK) - frameWidth;
        const LONG tallest = GetSystemMetrics(SM_CYMAXTRACK) - frameHeight;
        EXPECT_EQ(client.right, std::min(std::max<LONG>(ClientWidthFor(c.columns), narrowest), widest));
        EXPECT_EQ(client.bottom, std::min<LONG>(ClientHeightFor(c.rows), tallest));
        // The corner is where centring the client rectangle and widening it
        // by the frame estimate put it, kept on the screen; only the size is
        // corrected.
        RECT expected;
        SetRect(&expected, (c.screenWidth - ClientWidthFor(c.columns)) / 2, (c.screenHeight - client.bottom) / 2, 0,
                0);
        AdjustWindowRect(&expected, mainWindowStyle, TRUE);
        RECT window;
        GetWindowRect(mainWindow, &window);
        EXPECT_EQ(window.left, std::max<LONG>(expected.left, 0));
        EXPECT_EQ(window.top, std::max<LONG>(expected.top, 0));
        EXPECT_TRUE(IsWindowVisible(mainWindow));
        if (c.screenWidth == 640) {
            EXPECT_EQ(window.left, 0) << "too large for the screen: its top-left corner stays on it";
            EXPECT_EQ(window.top, 0);
            EXPECT_LT(client.bottom, ClientHeightFor(c.rows)) << "and the screen cuts the board";
        }
    }
}

TEST(Layout, FaceAndTimerFollowTheWidth)
{
    CreateTestMainWindow();
    // The game starts now, whatever ran before in this process: the timer shows 000.
    startTick = GetTickCount();
    const struct {
        int columns, rows;
    } cases[] = {{9, 9}, {30, 16}, {1, 1}};
    for (const auto& c : cases) {
        CellViewStore store = LayoutMainWindow(c.columns, c.rows);
        ASSERT_NE(store, nullptr);
        RECT client;
        GetClientRect(mainWindow, &client);
        // A 1 by 1 board's window is held to the system's minimum width:
        // the face and the timer follow the width the client area has.
        const LONG width = client.right;
        EXPECT_GE(width, ClientWidthFor(c.columns));
        EXPECT_EQ(width == ClientWidthFor(c.columns), c.columns > 1);
        EXPECT_EQ(client.bottom, ClientHeightFor(c.rows));
        EXPECT_EQ(WindowText(faceWindow), "smile");
        EXPECT_EQ(ClientCorner(faceWindow).x, FaceLeft(width));
        EXPECT_EQ(ClientCorner(faceWindow).y, faceTop);
        const RECT face = FaceRectangle();
        EXPECT_EQ(face.left, FaceLeft(width));
        EXPECT_EQ(face.right, FaceLeft(width) + faceSize);
        EXPECT_EQ(face.bottom, faceTop + faceSize);
        for (int i = 0; i < digitCount; ++i) {
            EXPECT_EQ(ClientCorner(timerDigits[i]).x, TimerLeft(width) + digitWidth * i);
            EXPECT_EQ(WindowText(timerDigits[i]), "d0");
        }
        FreeCellViews(c.columns, c.rows, store);
    }
    // One face, three timer digits: each layout replaced the last ones.
    EXPECT_EQ(portable::WindowCount(), 1 + 1 + 3);
}

TEST(Layout, AFailedStoreStillLeavesFaceAndTimer)
{
    CreateTestMainWindow();
    FailAllocationAfter(0);
    EXPECT_EQ(LayoutMainWindow(9, 9), nullptr);
    FailAllocationAfter(-1);
    ASSERT_EQ(portable::MessageBoxLog().size(), 1u);
    EXPECT_EQ(portable::MessageBoxLog()[0].text, "Out of memory to allocate minefield!");
    EXPECT_TRUE(IsWindow(faceWindow));
    EXPECT_TRUE(IsWindow(timerDigits[2]));
}
