// GDI objects: bitmaps loaded from the program's resources. Each load makes
// an object of its own, with its own handle, that lives until DeleteObject,
// whatever happens to a window that shows it; the pixels it shows are the
// resource's, decoded once and shared unchanged by every object loaded from
// it. Like Windows, the layer refuses new objects past a per-process limit.
#include "platform/portable/window_system.h"

namespace portable {

namespace {
uintptr_t KeyOf(HGDIOBJ object)
{
    return reinterpret_cast<uintptr_t>(object);
}
}  // namespace

const Bitmap* BitmapOfObject(HBITMAP object)
{
    const auto& objects = TheSystem().bitmapObjects;
    const auto found = objects.find(KeyOf(object));
    return found == objects.end() ? nullptr : found->second.get();
}

int LiveGdiObjectCount()
{
    return static_cast<int>(TheSystem().bitmapObjects.size());
}

void SetGdiObjectLimit(int limit)
{
    TheSystem().gdiObjectLimit = limit;
}

const void* PixelsOfBitmap(HBITMAP bitmap)
{
    const Bitmap* pixels = BitmapOfObject(bitmap);
    return pixels == nullptr ? nullptr : pixels->pixels.data();
}

int DecodedBitmapCount()
{
    return static_cast<int>(TheSystem().bitmapCache.size());
}

}  // namespace portable

using namespace portable;

// Without a module instance only the system's own bitmaps are found.
HBITMAP WINAPI LoadBitmapA(HINSTANCE instance, LPCSTR name)
{
    System& system = TheSystem();
    if (instance == nullptr || LiveGdiObjectCount() >= system.gdiObjectLimit)
        return nullptr;
    std::shared_ptr<const Bitmap> resource = FindBitmap(name);
    if (resource == nullptr)
        return nullptr;
    const uintptr_t key = system.nextBitmapHandle;
    system.nextBitmapHandle += 4;  // handles are never reused
    system.bitmapObjects.emplace(key, std::move(resource));
    return reinterpret_cast<HBITMAP>(key);
}

BOOL WINAPI DeleteObject(HGDIOBJ object)
{
    if (IsStockObject(object))
        return TRUE;
    return TheSystem().bitmapObjects.erase(KeyOf(object)) == 1 ? TRUE : FALSE;
}

DWORD WINAPI GetObjectType(HGDIOBJ object)
{
    if (IsStockObject(object))
        return OBJ_BRUSH;
    return BitmapOfObject(static_cast<HBITMAP>(object)) != nullptr ? OBJ_BITMAP : 0;
}
