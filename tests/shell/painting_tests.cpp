// The main window's painting and the rendered window at the end of games.
#include <gtest/gtest.h>

#include "platform/app_handles.h"
#include "shell/command_ids.h"
#include "shell/game.h"
#include "support/game_harness.h"
#include "view/geometry.h"

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
            const LONG w = ClientWidthFor(9), h = ClientHeightFor(9);
            const LONG right = FieldRight(9), bottom = FieldBottom(9), edge = frameEdge;
            const LONG panel = panelInset, inner = panelInset + frameEdge;
            const ExpectedFill expected[] = {
                {0, 0, w, h, WHITE_BRUSH},
                {edge, edge, w - edge, h - edge, LTGRAY_BRUSH},
                {panel, panel, w - panel, panelBottom, DKGRAY_BRUSH},
                {inner, inner, w - panel, panelBottom, WHITE_BRUSH},
                {inner, inner, w - inner, panelBottom - edge, LTGRAY_BRUSH},
                {TimerWellLeft(w), wellTop, TimerWellRight(w), wellBottom, DKGRAY_BRUSH},
                {counterWellLeft, wellTop, counterWellRight, wellBottom, DKGRAY_BRUSH},
                {fieldLeft - edge, fieldTop, fieldLeft, bottom + edge, DKGRAY_BRUSH},
                {fieldLeft - edge, fieldTop - edge, right, fieldTop, DKGRAY_BRUSH},
                {right, fieldTop, right + edge, bottom, WHITE_BRUSH},
                {fieldLeft, bottom, right + edge, bottom + edge, WHITE_BRUSH},
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
        script.Turn().Command(CommandIntermediate).Turn().Key(VK_F3).WaitUntil([] { return !solving; }).Turn().Turn().Do([&] {
            const portable::Image image = portable::RenderClientArea(mainWindow);
            EXPECT_EQ(image.width, ClientWidthFor(16));
            if (gameState == Lost && !lostSaved)
                lostSaved = portable::WritePng(image, OutputPath("game-lost.png"));
            if (gameState == Won && !wonSaved)
                wonSaved = portable::WritePng(image, OutputPath("game-won.png"));
            // The frame: white outside, dark grey at the field's top-left edge.
            EXPECT_EQ(image.At(0, 0), portable::StockBrushColour(WHITE_BRUSH));
            EXPECT_EQ(image.At(fieldLeft - frameEdge, fieldTop - frameEdge), portable::StockBrushColour(DKGRAY_BRUSH));
            EXPECT_EQ(image.At(FieldRight(16) + 1, FieldBottom(16) + 1), portable::StockBrushColour(WHITE_BRUSH));
        });
        script.Exit();
        ASSERT_EQ(RunProgram(script, ticks), 0);
    }
    EXPECT_TRUE(lostSaved);
    EXPECT_TRUE(wonSaved);
}
