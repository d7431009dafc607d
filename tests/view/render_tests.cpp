// The board as it appears: rendered client areas, checked at chosen pixels
// against what each picture must show, and written as PNG files to look at.
#include <gtest/gtest.h>

#include "support/boards.h"
#include "support/test_window.h"
#include "view/counters.h"
#include "view/face.h"
#include "view/layout.h"
#include "view/geometry.h"

namespace {
const portable::Rgb white = {255, 255, 255}, silver = {192, 192, 192}, grey = {128, 128, 128},
                    black = {0, 0, 0}, red = {255, 0, 0}, yellow = {255, 255, 0};

int CountColour(const portable::Image& image, int left, int top, int width, int height, portable::Rgb colour)
{
    int count = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            count += image.At(x, y) == colour;
    return count;
}

int CountSquare(const portable::Image& image, int column, int row, portable::Rgb colour)
{
    return CountColour(image, ColumnToPixel(column), RowToPixel(row), squareSize, squareSize, colour);
}

std::string OutputPath(const std::string& name)
{
    return std::string(BLASTGRID_TEST_OUTPUT_DIR) + "/" + name;
}

struct RenderedBoard {
    ScopedBoard board{{"01234567",
                       "8.fMXB..",
                       "........"}};
    CellViewStore store = nullptr;

    RenderedBoard()
    {
        CreateTestMainWindow();
        store = LayoutMainWindow(8, 3);
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 3; ++y)
                board.at(x, y).dirty = 1;
        RefreshCells(8, 3, board.board, store);
    }
    ~RenderedBoard() { FreeCellViews(8, 3, store); }
};
}  // namespace

TEST(Render, EverySquarePictureShowsWhatItMeans)
{
    RenderedBoard rendered;
    DrawMineCounter(-5);
    const portable::Image image = portable::RenderClientArea(mainWindow);
    ASSERT_EQ(image.width, ClientWidthFor(8));
    ASSERT_EQ(image.height, ClientHeightFor(3));
    EXPECT_TRUE(portable::WritePng(image, OutputPath("board-pictures.png")));

    // The numbers in their colours; s0 is empty.
    const portable::Rgb numberColours[] = {{0, 0, 255},   {0, 128, 0},   {255, 0, 0}, {0, 0, 128},
                                           {128, 0, 0},   {0, 128, 128}, {0, 0, 0},   {128, 128, 128}};
    for (int n = 1; n <= 8; ++n) {
        const int column = n <= 7 ? n : 0;
        const int row = n <= 7 ? 0 : 1;
        EXPECT_GE(CountSquare(image, column, row, numberColours[n - 1]), 20) << "s" << n;
    }
    EXPECT_EQ(CountSquare(image, 0, 0, silver) + CountSquare(image, 0, 0, grey), 256) << "s0";

    // Covered: raised, white at the top left, grey at the bottom right.
    const int coveredX = ColumnToPixel(1), coveredY = RowToPixel(1);
    EXPECT_EQ(image.At(coveredX + 1, coveredY + 1), white);
    EXPECT_EQ(image.At(coveredX + 14, coveredY + 14), grey);
    EXPECT_EQ(image.At(coveredX + 8, coveredY + 8), silver);
    // Uncovered squares are flat, with a thin grey line at the top left.
    EXPECT_EQ(image.At(ColumnToPixel(0), RowToPixel(0) + 8), grey);
    EXPECT_EQ(image.At(ColumnToPixel(0) + 8, RowToPixel(0) + 8), silver);

    EXPECT_GE(CountSquare(image, 2, 1, red), 5) << "marked: a red flag";
    EXPECT_EQ(image.At(ColumnToPixel(2) + 1, RowToPixel(1) + 1), white) << "marked: on a raised square";
    EXPECT_GE(CountSquare(image, 3, 1, black), 30) << "mine: black";
    EXPECT_EQ(CountSquare(image, 3, 1, red), 0);
    EXPECT_GE(CountSquare(image, 4, 1, red), 100) << "rmine: on red";
    EXPECT_GE(CountSquare(image, 4, 1, black), 30);
    EXPECT_GE(CountSquare(image, 5, 1, red), 10) << "bmine: crossed out in red";
    EXPECT_GE(CountSquare(image, 5, 1, black), 10);

    // The counter shows -05: a lone middle segment, then 0 and 5, red on black.
    const int second = counterLeft + digitWidth;
    EXPECT_GE(CountColour(image, counterLeft, digitTop, digitWidth, digitHeight, black), digitWidth * digitHeight / 2);
    EXPECT_GE(CountColour(image, counterLeft, digitTop, digitWidth, digitHeight, red), 6);
    EXPECT_GT(CountColour(image, second, digitTop, digitWidth, digitHeight, red),
              CountColour(image, counterLeft, digitTop, digitWidth, digitHeight, red));
    EXPECT_EQ(image.At(counterLeft + digitWidth / 2, digitTop + digitHeight / 2), red)
        << "the minus sign's middle segment";
}

TEST(Render, TheFourFacesReadAtAGlance)
{
    RenderedBoard rendered;
    const RECT face = FaceRectangle();
    int yellowPixels[4];
    const char* const faces[] = {"smile", "psmile", "dsmile", "csmile"};
    for (int i = 0; i < 4; ++i) {
        ShowFace(faces[i]);
        const portable::Image image = portable::RenderClientArea(mainWindow);
        EXPECT_TRUE(portable::WritePng(image, OutputPath(std::string("face-") + faces[i] + ".png")));
        yellowPixels[i] = CountColour(image, face.left, face.top, faceSize, faceSize, yellow);
        EXPECT_GE(yellowPixels[i], 100) << faces[i];
        if (i != 1) {
            EXPECT_EQ(image.At(face.left + 1, face.top + 1), white) << faces[i] << ": a raised button";
        } else {
            EXPECT_NE(image.At(face.left + 1, face.top + 1), white) << "psmile: a sunken button";
        }
    }
    // Sunglasses cover much of the face: the won face has the least yellow.
    EXPECT_LT(yellowPixels[3], yellowPixels[0]);
}

TEST(Render, PicturesFollowCreationOrderAndHiddenOnesAreNotDrawn)
{
    RenderedBoard rendered;
    const int x = ColumnToPixel(1), y = RowToPixel(1);
    const HWND overlay = CreateWindowExA(0, "static", "rmine", WS_CHILD | WS_VISIBLE | SS_BITMAP, x, y, 0, 0,
                                         mainWindow, nullptr, appInstance, nullptr);
    EXPECT_GE(CountSquare(portable::RenderClientArea(mainWindow), 1, 1, red), 100);
    ShowWindow(overlay, SW_HIDE);
    EXPECT_EQ(CountSquare(portable::RenderClientArea(mainWindow), 1, 1, red), 0);
}
