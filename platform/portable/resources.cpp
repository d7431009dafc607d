// Lookup of the embedded resources and decoding of 24-bit bitmaps.
#include <cstring>

#include "platform/portable/embedded_resources.h"
#include "platform/portable/window_system.h"

namespace portable {

namespace {
const EmbeddedResource* FindResource(const char* type, const char* name)
{
    for (size_t i = 0; i < embeddedResourceCount; ++i)
        if (SameName(embeddedResources[i].type, type) && SameName(embeddedResources[i].name, name))
            return &embeddedResources[i];
    return nullptr;
}

uint32_t ReadLittleEndian(const unsigned char* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

// An uncompressed 24-bit BMP (rows bottom-up unless the height is
// negative, each padded to four bytes); false for anything else.
bool DecodeBitmap(const EmbeddedResource& resource, Bitmap& bitmap)
{
    const unsigned char* data = resource.data;
    if (resource.size < 54 || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t offset = ReadLittleEndian(data + 10, 4);
    const int32_t width = static_cast<int32_t>(ReadLittleEndian(data + 18, 4));
    const int32_t height = static_cast<int32_t>(ReadLittleEndian(data + 22, 4));
    const uint32_t bitsPerPixel = ReadLittleEndian(data + 28, 2);
    const uint32_t compression = ReadLittleEndian(data + 30, 4);
    if (bitsPerPixel != 24 || compression != 0 || width <= 0 || height == 0 || width > 4096 || height > 4096 ||
        height < -4096)
        return false;
    const int32_t rows = height < 0 ? -height : height;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
    if (offset + stride * rows > resource.size)
        return false;
    bitmap.width = width;
    bitmap.height = rows;
    bitmap.pixels.resize(static_cast<size_t>(width) * rows);
    for (int32_t y = 0; y < rows; ++y) {
        const int32_t sourceRow = height < 0 ? y : rows - 1 - y;
        const unsigned char* row = data + offset + stride * sourceRow;
        for (int32_t x = 0; x < width; ++x)
            bitmap.pixels[static_cast<size_t>(y) * width + x] = {row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    }
    return true;
}

std::string UpperCase(const char* name)
{
    std::string upper = name;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}
}  // namespace

const Bitmap* FindBitmap(const char* name)
{
    if (name == nullptr)
        return nullptr;
    const std::string key = UpperCase(name);
    auto& cache = TheSystem().bitmapCache;
    auto cached = cache.find(key);
    if (cached != cache.end())
        return &cached->second;
    const EmbeddedResource* resource = FindResource("BITMAP", name);
    Bitmap bitmap;
    if (resource == nullptr || !DecodeBitmap(*resource, bitmap))
        return nullptr;
    return &cache.emplace(key, std::move(bitmap)).first->second;
}

bool HasResource(const char* type, const char* name)
{
    return FindResource(type, name) != nullptr;
}

std::string ResourceScript()
{
    const EmbeddedResource* script = FindResource("RC", "SCRIPT");
    return script == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(script->data));
}

}  // namespace portable
