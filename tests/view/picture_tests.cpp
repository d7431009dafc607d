// Pictures and their bitmaps: each picture's static control loads a bitmap
// object that outlives the window, and the process may hold only so many.
#include <gtest/gtest.h>

#include "support/test_window.h"
#include "view/picture.h"

TEST(Pictures, DestroyingAPictureReleasesItsBitmapAndOnlyIts)
{
    CreateTestMainWindow();
    const HWND kept = CreatePicture("nc", 16, 48, 16, 16);
    const HWND gone = CreatePicture("nc", 32, 48, 16, 16);
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
    ReplacePicture(&slot, "marked", 16, 48);
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
        pictures[i] = CreatePicture("s1", 16 + 16 * i, 48, 16, 16);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 3);
    ASSERT_TRUE(IsWindow(pictures[3])) << "the window is made all the same";
    EXPECT_EQ(SendMessageA(pictures[3], STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    const portable::Image screen = portable::RenderClientArea(mainWindow);
    const portable::Image s1 = portable::BitmapResource("s1");
    EXPECT_EQ(screen.At(16 + 8, 48 + 8), s1.At(8, 8));
    EXPECT_NE(screen.At(16 * 4 + 8, 48 + 8), s1.At(8, 8)) << "the fourth picture shows nothing";

    DestroyPicture(pictures[0]);
    ReplacePicture(&pictures[3], "s1", 16 * 4, 48);
    EXPECT_EQ(portable::RenderClientArea(mainWindow).At(16 * 4 + 8, 48 + 8), s1.At(8, 8));
    portable::SetGdiObjectLimit(portable::defaultGdiObjectLimit);
    DestroyWindow(mainWindow);
}
