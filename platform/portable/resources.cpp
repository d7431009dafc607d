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

// The largest image of an icon file: an uncompressed BMP of 4, 8, 24 or
// 32 bits a pixel (with its palette), twice as high as the icon, followed
// by the one-bit mask (set bits are transparent). False for anything else.
bool DecodeIcon(const EmbeddedResource& resource, Icon& icon)
{
    const unsigned char* data = resource.data;
    const size_t size = resource.size;
    if (size < 6 || ReadLittleEndian(data + 2, 2) != 1)
        return false;
    const uint32_t count = ReadLittleEndian(data + 4, 2);
    uint32_t best = 0;
    uint32_t bestArea = 0;
    for (uint32_t i = 0; i < count && 6 + 16 * (i + 1) <= size; ++i) {
        const unsigned char* entry = data + 6 + 16 * i;
        const uint32_t width = entry[0] == 0 ? 256 : entry[0];
        const uint32_t height = entry[1] == 0 ? 256 : entry[1];
        if (width * height > bestArea) {
            bestArea = width * height;
            best = i;
        }
    }
    if (bestArea == 0)
        return false;
    const unsigned char* entry = data + 6 + 16 * best;
    const uint32_t imageSize = ReadLittleEndian(entry + 8, 4);
    const uint32_t offset = ReadLittleEndian(entry + 12, 4);
    if (offset > size || imageSize > size - offset || imageSize < 40)
        return false;
    const unsigned char* header = data + offset;
    const int32_t width = static_cast<int32_t>(ReadLittleEndian(header + 4, 4));
    const int32_t height = static_cast<int32_t>(ReadLittleEndian(header + 8, 4)) / 2;
    const uint32_t bits = ReadLittleEndian(header + 14, 2);
    const uint32_t compression = ReadLittleEndian(header + 16, 4);
    if (width <= 0 || height <= 0 || width > 256 || height > 256 || compression != 0 ||
        (bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return false;
    const uint32_t headerSize = ReadLittleEndian(header, 4);
    uint32_t colours = bits <= 8 ? ReadLittleEndian(header + 32, 4) : 0;
    if (bits <= 8 && colours == 0)
        colours = 1u << bits;
    const size_t paletteAt = headerSize;
    const size_t pixelsAt = paletteAt + 4 * static_cast<size_t>(colours);
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t maskStride = ((static_cast<size_t>(width) + 31) / 32) * 4;
    const size_t maskAt = pixelsAt + stride * height;
    if (maskAt + maskStride * height > imageSize)
        return false;
    icon.image.width = width;
    icon.image.height = height;
    icon.image.pixels.assign(static_cast<size_t>(width) * height, Rgb{0, 0, 0});
    icon.opaque.assign(static_cast<size_t>(width) * height, true);
    for (int32_t y = 0; y < height; ++y) {
        const unsigned char* row = header + pixelsAt + stride * (height - 1 - y);
        const unsigned char* maskRow = header + maskAt + maskStride * (height - 1 - y);
        for (int32_t x = 0; x < width; ++x) {
            const unsigned char* colour = nullptr;
            if (bits <= 8) {
                const uint32_t perByte = 8 / bits;
                const uint32_t shift = 8 - bits * (1 + x % perByte);
                const uint32_t index = (row[x / perByte] >> shift) & ((1u << bits) - 1);
                if (index >= colours)
                    return false;
                colour = header + paletteAt + 4 * index;
            } else {
                colour = row + x * (bits / 8);
            }
            const size_t at = static_cast<size_t>(y) * width + x;
            icon.image.pixels[at] = {colour[2], colour[1], colour[0]};
            const bool transparent = (maskRow[x / 8] >> (7 - x % 8)) & 1;
            icon.opaque[at] = bits == 32 ? colour[3] >= 128 : !transparent;
        }
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

std::shared_ptr<const Bitmap> FindBitmap(const char* name)
{
    if (name == nullptr)
        return nullptr;
    const std::string key = UpperCase(name);
    auto& cache = TheSystem().bitmapCache;
    auto cached = cache.find(key);
    if (cached != cache.end())
        return cached->second;
    const EmbeddedResource* resource = FindResource("BITMAP", name);
    auto bitmap = std::make_shared<Bitmap>();
    if (resource == nullptr || !DecodeBitmap(*resource, *bitmap))
        return nullptr;
    return cache.emplace(key, std::move(bitmap)).first->second;
}

Icon IconResource(const char* name)
{
    Icon icon;
    const EmbeddedResource* resource = FindResource("ICON", name);
    if (resource == nullptr || !DecodeIcon(*resource, icon))
        return Icon();
    return icon;
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
