// Pictures and their bitmaps: each picture's static control loads a bitmap
// object that outlives the window, and the process may hold only so many.
#include <gtest/gtest.h>

#include "support/test_window.h"
#include "view/cell_view.h"
#include "view/geometry.h"
#include "view/picture.h"

TEST(Pictures, DestroyingAPictureReleasesItsBitmapAndOnlyIts)
{
    CreateTestMainWindow();
    const HWND kept = CreatePicture("nc", ColumnToPixel(0), RowToPixel(0), squareSize, squareSize);
    const HWND gone = CreatePicture("nc", ColumnToPixel(1), RowToPixel(0), squareSize, squareSize);
    const auto bitmapOf = [](HWND picture) {
        return reinterpret_cast<HGDIOBJ>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    };
    const HGDIOBJ keptBitmap = bitmapOf(kept);
    const HGDIOBJ goneBitmap = bitmapOf(gone);
    ASSERT_NE(keptBitmap, goneBitmap) << "each picture has a bitmap of its own";
    EXPECT_EQ(portable::LiveGdiObjectCount(), 2);

    DestroyPicture(gone);
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_EQ(GetObjectType(goneBitmap), 0u);
    EXPECT_EQ(GetObjectType(keptBitmap), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(portable::LiveGdiObjectCount(), 1);

    DestroyPicture(nullptr);  // no window: nothing happens
    DestroyPicture(gone);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 1);

    // Replacing a picture in its slot releases the old bitmap too.
    HWND slot = kept;
    ReplacePicture(&slot, "marked", ColumnToPixel(0), RowToPixel(0));
    EXPECT_EQ(GetObjectType(keptBitmap), 0u);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 1);
    DestroyWindow(mainWindow);
}

TEST(Pictures, PastTheObjectLimitAPictureShowsNothingUntilBitmapsAreReleased)
{
    CreateTestMainWindow();
    MoveWindow(mainWindow, 0, 0, 300, 200, TRUE);
    portable::SetGdiObjectLimit(3);
    HWND pictures[4];
    for (int i = 0; i < 4; ++i)
        pictures[i] = CreatePicture("s1", ColumnToPixel(i), RowToPixel(0), squareSize, squareSize);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 3);
    ASSERT_TRUE(IsWindow(pictures[3])) << "the window is made all the same";
    EXPECT_EQ(SendMessageA(pictures[3], STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    // The middle pixel of square (column, 0) against the middle of the bitmap.
    const portable::Image s1 = portable::BitmapResource("s1");
    const int middle = squareSize / 2;
    const auto shownAt = [&](int column) {
        return portable::RenderClientArea(mainWindow).At(ColumnToPixel(column) + middle, RowToPixel(0) + middle);
    };
    EXPECT_EQ(shownAt(0), s1.At(middle, middle));
    EXPECT_NE(shownAt(3), s1.At(middle, middle)) << "the fourth picture shows nothing";

    DestroyPicture(pictures[0]);
    ReplacePicture(&pictures[3], "s1", ColumnToPixel(3), RowToPixel(0));
    EXPECT_EQ(shownAt(3), s1.At(middle, middle));
    portable::SetGdiObjectLimit(portable::defaultGdiObjectLimit);
    DestroyWindow(mainWindow);
}
