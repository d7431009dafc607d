// The main window's painting and the rendered window at the end of games.
#include <gtest/gtest.h>

#include "platform/app_handles.h"
#include "shell/game.h"
#include "support/game_harness.h"

namespace {
std::string OutputPath(const std::string& name)
{
    return std::string(BLASTGRID_TEST_OUTPUT_DIR) + "/" + name;
}

struct ExpectedFill {
    LONG left, top, right, bottom;
    int brush;
};
}  // namespace

TEST(Painting, ElevenFillsDrawTheFramePanelWellsAndFieldEdge)
{
    Script script;
    script.Turn()
        .Do([] {
            const std::vector<portable::Fill>& fills = portable::LastPaint(mainWindow);
            const LONG w = 176, h = 208, m = 9, n = 9;
            const ExpectedFill expected[] = {
                {0, 0, w, h, WHITE_BRUSH},
                {2, 2, w - 2, h - 2, LTGRAY_BRUSH},
                {6, 6, w - 6, 42, DKGRAY_BRUSH},
                {8, 8, w - 6, 42, WHITE_BRUSH},
                {8, 8, w - 8, 40, LTGRAY_BRUSH},
                {w - 50, 11, w - 10, 36, DKGRAY_BRUSH},
                {13, 11, 52, 36, DKGRAY_BRUSH},
                {14, 48, 16, 16 * n + 50, DKGRAY_BRUSH},
                {14, 46, 16 * m + 16, 48, DKGRAY_BRUSH},
                {16 * m + 16, 48, 16 * m + 18, 16 * n + 48, WHITE_BRUSH},
                {16, 16 * n + 48, 16 * m + 18, 16 * n + 50, WHITE_BRUSH},
            };
            ASSERT_EQ(fills.size(), 11u);
            for (size_t i = 0; i < 11; ++i) {
                EXPECT_EQ(fills[i].rect.left, expected[i].left) << i;
                EXPECT_EQ(fills[i].rect.top, expected[i].top) << i;
                EXPECT_EQ(fills[i].rect.right, expected[i].right) << i;
                EXPECT_EQ(fills[i].rect.bottom, expected[i].bottom) << i;
                EXPECT_EQ(fills[i].colour, portable::StockBrushColour(expected[i].brush)) << i;
            }
        })
        .Exit();
    EXPECT_EQ(RunProgram(script), 0);
}

TEST(Painting, TheWindowAfterALostAndAWonGame)
{
    // A game that Solver loses and one that it wins, rendered at their end.
    bool lostSaved = false, wonSaved = false;
    for (uint32_t ticks = 100; ticks < 100 + 40 * 997 && !(lostSaved && wonSaved); ticks += 997) {
        Script script;
        script.Turn().Command(10002).Turn().Key(VK_F3).WaitUntil([] { return !solving; }).Turn().Turn().Do([&] {
            const portable::Image image = portable::RenderClientArea(mainWindow);
            EXPECT_EQ(image.width, 16 * 16 + 32);
            if (gameState == Lost && !lostSaved)
                lostSaved = portable::WritePng(image, OutputPath("game-lost.png"));
            if (gameState == Won && !wonSaved)
                wonSaved = portable::WritePng(image, OutputPath("game-won.png"));
            // The frame: white outside, dark grey at the field's top-left edge.
            EXPECT_EQ(image.At(0, 0), portable::StockBrushColour(WHITE_BRUSH));
            EXPECT_EQ(image.At(14, 46), portable::StockBrushColour(DKGRAY_BRUSH));
            EXPECT_EQ(image.At(16 * 16 + 17, 16 * 16 + 49), portable::StockBrushColour(WHITE_BRUSH));
        });
        script.Exit();
        ASSERT_EQ(RunProgram(script, ticks), 0);
    }
    EXPECT_TRUE(lostSaved);
    EXPECT_TRUE(wonSaved);
}
