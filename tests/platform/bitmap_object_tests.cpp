// Bitmap objects and the pictures that show them: every load is an object of
// its own, with its own handle and lifetime, while the pixels of one
// resource are decoded once and shared, unchanged, by all its objects.
#include <gtest/gtest.h>

#include <vector>

#include "platform/portable/testing.h"
#include "platform/win32.h"

namespace {
const HINSTANCE programInstance = reinterpret_cast<HINSTANCE>(0x400000);

HWND MakeMainWindow()
{
    WNDCLASSEXA record = {};
    record.cbSize = sizeof record;
    record.lpfnWndProc = DefWindowProcA;
    record.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    record.lpszClassName = "pictureframe";
    RegisterClassExA(&record);
    return CreateWindowExA(0, "pictureframe", "main", WS_VISIBLE | WS_BORDER | WS_SYSMENU, 100, 100, 200, 100, nullptr,
                           nullptr, nullptr, nullptr);
}

HWND MakePicture(HWND parent, const char* name, int x, int y)
{
    return CreateWindowExA(0, "static", name, WS_CHILD | WS_VISIBLE | SS_BITMAP, x, y, 0, 0, parent, nullptr,
                           programInstance, nullptr);
}

HBITMAP BitmapOf(HWND picture)
{
    return reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// The part of an image at (x, y) of the given size.
std::vector<portable::Rgb> Cut(const portable::Image& image, int x, int y, int width, int height)
{
    std::vector<portable::Rgb> part;
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            part.push_back(image.pixels[static_cast<size_t>(row) * image.width + column]);
    return part;
}

std::vector<portable::Rgb> Solid(portable::Rgb colour, int width, int height)
{
    return std::vector<portable::Rgb>(static_cast<size_t>(width) * height, colour);
}

}  // namespace

TEST(BitmapObjects, EachLoadIsAnObjectOfItsOwnOverOneDecodedCopyOfItsResource)
{
    ASSERT_EQ(portable::LiveGdiObjectCount(), 0);
    ASSERT_EQ(portable::DecodedBitmapCount(), 0);
    const HBITMAP first = LoadBitmapA(programInstance, "nc");
    const HBITMAP second = LoadBitmapA(programInstance, "NC");
    const HBITMAP other = LoadBitmapA(programInstance, "s1");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 3) << "the count rises with every load";
    EXPECT_EQ(portable::DecodedBitmapCount(), 2) << "two resources, each decoded once";
    EXPECT_NE(portable::PixelsOfBitmap(first), nullptr);
    EXPECT_EQ(portable::PixelsOfBitmap(first), portable::PixelsOfBitmap(second)) << "one resource, one copy";
    EXPECT_NE(portable::PixelsOfBitmap(first), portable::PixelsOfBitmap(other));

    const void* shared = portable::PixelsOfBitmap(second);
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_EQ(portable::LiveGdiObjectCount(), 2) << "and falls with every delete";
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(portable::PixelsOfBitmap(first), nullptr);
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP)) << "deleting one object leaves the other";
    EXPECT_EQ(portable::PixelsOfBitmap(second), shared);
    EXPECT_FALSE(DeleteObject(first)) << "an object is deleted once";
    EXPECT_EQ(portable::LiveGdiObjectCount(), 2);

    const HBITMAP again = LoadBitmapA(programInstance, "Nc");
    EXPECT_NE(again, first) << "handles are never reused";
    EXPECT_NE(again, second);
    EXPECT_EQ(portable::PixelsOfBitmap(again), shared);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 3);

    // Loads that fail make no object and decode nothing.
    EXPECT_EQ(LoadBitmapA(programInstance, "nosuchpicture"), nullptr);
    EXPECT_EQ(LoadBitmapA(nullptr, "s2"), nullptr);
    EXPECT_EQ(LoadBitmapA(programInstance, nullptr), nullptr);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 3);
    EXPECT_EQ(portable::DecodedBitmapCount(), 2);

    // The last object of a resource gone, its pixels are still there for the
    // next load, unchanged.
    const portable::Image before = portable::BitmapResource("s1");
    EXPECT_TRUE(DeleteObject(other));
    const HBITMAP reloaded = LoadBitmapA(programInstance, "s1");
    EXPECT_NE(portable::PixelsOfBitmap(reloaded), nullptr);
    EXPECT_EQ(portable::DecodedBitmapCount(), 2);
    EXPECT_EQ(portable::BitmapResource("s1").pixels, before.pixels);
    for (HBITMAP live : {second, again, reloaded})
        EXPECT_TRUE(DeleteObject(live));
    EXPECT_EQ(portable::LiveGdiObjectCount(), 0);
}

TEST(BitmapObjects, APictureShowsItsPixelsWhateverHappensToOtherPicturesOfItsResource)
{
    const HWND main = MakeMainWindow();
    const portable::Image covered = portable::BitmapResource("nc");
    const portable::Image one = portable::BitmapResource("s1");
    ASSERT_EQ(covered.width, 16);
    ASSERT_EQ(covered.height, 16);
    const portable::Rgb background = portable::StockBrushColour(LTGRAY_BRUSH);
    const HWND gone = MakePicture(main, "nc", 0, 0);
    const HWND kept = MakePicture(main, "nc", 16, 0);
    const HWND emptied = MakePicture(main, "nc", 32, 0);
    const HWND neighbour = MakePicture(main, "s1", 48, 0);
    ASSERT_NE(BitmapOf(gone), BitmapOf(kept)) << "each picture holds a bitmap of its own";
    EXPECT_EQ(portable::LiveGdiObjectCount(), 4);

    // Gone as the program lets a picture go: the window, then its bitmap.
    const HBITMAP goneBitmap = BitmapOf(gone);
    DestroyWindow(gone);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 4) << "the bitmap outlives its window";
    EXPECT_TRUE(DeleteObject(goneBitmap));
    // A bitmap deleted under a picture that still stands: that picture shows
    // nothing, the others of the same resource are untouched.
    EXPECT_TRUE(DeleteObject(BitmapOf(emptied)));
    EXPECT_EQ(portable::LiveGdiObjectCount(), 2);

    portable::Image image = portable::RenderClientArea(main);
    EXPECT_EQ(Cut(image, 0, 0, 16, 16), Solid(background, 16, 16));
    EXPECT_EQ(Cut(image, 16, 0, 16, 16), covered.pixels);
    EXPECT_EQ(Cut(image, 32, 0, 16, 16), Solid(background, 16, 16));
    EXPECT_EQ(Cut(image, 48, 0, 16, 16), one.pixels);

    // A new picture of the resource, after all that, shows it as it was.
    MakePicture(main, "NC", 0, 0);
    image = portable::RenderClientArea(main);
    EXPECT_EQ(Cut(image, 0, 0, 16, 16), covered.pixels);
    EXPECT_EQ(Cut(image, 16, 0, 16, 16), covered.pixels);
    EXPECT_EQ(portable::BitmapResource("nc").pixels, covered.pixels) << "nothing shared was changed";
    EXPECT_EQ(portable::LiveGdiObjectCount(), 3);
    EXPECT_TRUE(IsWindow(kept));
    EXPECT_TRUE(IsWindow(neighbour));
}

TEST(BitmapObjects, PicturesPastTheLimitShowNothingAndTheOthersStillShowTheirs)
{
    const HWND main = MakeMainWindow();
    portable::SetGdiObjectLimit(2);
    const HWND first = MakePicture(main, "nc", 0, 0);
    const HWND second = MakePicture(main, "nc", 16, 0);
    const HWND refused = MakePicture(main, "nc", 32, 0);
    EXPECT_EQ(BitmapOf(refused), nullptr);
    EXPECT_EQ(portable::LiveGdiObjectCount(), 2);
    const portable::Image image = portable::RenderClientArea(main);
    const portable::Image covered = portable::BitmapResource("nc");
    EXPECT_EQ(Cut(image, 0, 0, 16, 16), covered.pixels);
    EXPECT_EQ(Cut(image, 16, 0, 16, 16), covered.pixels);
    EXPECT_EQ(Cut(image, 32, 0, 16, 16), Solid(portable::StockBrushColour(LTGRAY_BRUSH), 16, 16));
    EXPECT_NE(BitmapOf(first), BitmapOf(second));
    portable::SetGdiObjectLimit(portable::defaultGdiObjectLimit);
}
