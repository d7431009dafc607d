// Reads the icon and the application manifest of a Windows program back
// through the Win32 resource calls, as Explorer and the program loader do,
// and checks what a player's system finds there. Prints each check; exits
// with the number of failed checks.
//
//   exe_resources_check.exe PROGRAM.exe
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {
int failures = 0;

void Check(bool ok, const std::string& what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    failures += !ok;
}

// A resource's bytes, or nothing when the module has no such resource.
std::vector<unsigned char> ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type)
{
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const unsigned char*>(LockResource(loaded));
    if (data == nullptr)
        return {};
    return std::vector<unsigned char>(data, data + SizeofResource(module, found));
}

uint32_t Little(const unsigned char* at, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | at[i];
    return value;
}

uint32_t Big(const unsigned char* at)
{
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | at[3];
}

// One image of the icon group: its size, bits per pixel and resource id.
struct IconImage {
    int size;
    int bits;
    int id;
};

std::string Describe(int size, int bits)
{
    return std::to_string(size) + " px, " + std::to_string(bits) + "-bit";
}

// The group's directory (GRPICONDIR: 6 bytes, then 14 bytes an entry).
std::vector<IconImage> IconGroup(const std::vector<unsigned char>& group)
{
    std::vector<IconImage> images;
    if (group.size() < 6 || Little(&group[2], 2) != 1)
        return images;
    const uint32_t count = Little(&group[4], 2);
    for (uint32_t i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
        const unsigned char* entry = &group[6 + 14 * i];
        images.push_back({entry[0] == 0 ? 256 : entry[0], static_cast<int>(Little(entry + 6, 2)),
                          static_cast<int>(Little(entry + 12, 2))});
    }
    return images;
}

// An image's own header agrees with its directory entry: a PNG of that
// size (for 256 pixels), or an uncompressed bitmap twice as high (for the
// AND mask) with that many bits per pixel.
bool ImageMatches(const std::vector<unsigned char>& image, const IconImage& entry)
{
    static const unsigned char pngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (image.size() >= 24 && std::memcmp(image.data(), pngSignature, 8) == 0)
        return entry.size == 256 && Big(&image[16]) == 256 && Big(&image[20]) == 256;
    if (image.size() < 40 || Little(&image[0], 4) != 40)
        return false;
    return entry.size < 256 && static_cast<int>(Little(&image[4], 4)) == entry.size &&
           static_cast<int>(Little(&image[8], 4)) == 2 * entry.size &&
           static_cast<int>(Little(&image[14], 2)) == entry.bits && Little(&image[16], 4) == 0;
}

// The system draws the image it picks for the size: the icon it makes has
// that size (for 256 pixels, from the PNG).
bool SystemDrawsIconAt(HMODULE module, int size)
{
    HICON icon = static_cast<HICON>(LoadImageA(module, "icon", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (icon == nullptr)
        return false;
    ICONINFO info = {};
    BITMAP bitmap = {};
    const bool ok = GetIconInfo(icon, &info) && GetObjectA(info.hbmColor, sizeof bitmap, &bitmap) &&
                    bitmap.bmWidth == size && bitmap.bmHeight == size;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return ok;
}

void CheckIcon(HMODULE module)
{
    const std::vector<unsigned char> group = ResourceBytes(module, "icon", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    Check(!group.empty(), "the icon group \"icon\" is there");
    const std::vector<IconImage> images = IconGroup(group);

    std::set<std::pair<int, int>> found;
    for (const IconImage& image : images) {
        const std::vector<unsigned char> bytes = ResourceBytes(module, MAKEINTRESOURCEA(image.id), MAKEINTRESOURCEA(3));
        Check(ImageMatches(bytes, image), "icon image " + Describe(image.size, image.bits) + " (resource " +
                                              std::to_string(image.id) + ") is what its entry says");
        found.insert({image.size, image.bits});
    }
    const std::set<std::pair<int, int>> expected = {{16, 4}, {32, 4}, {48, 4}, {16, 32}, {32, 32}, {48, 32}, {256, 32}};
    for (const auto& [size, bits] : expected)
        Check(found.count({size, bits}) == 1, "the icon holds " + Describe(size, bits));
    Check(images.size() == expected.size(), "the icon holds no other image (" + std::to_string(images.size()) + ")");

    // Which image the system picks for a size: the 32-bit one, on a
    // true-colour screen.
    for (int size : {16, 32, 48}) {
        const int id = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.data()), TRUE, size, size, LR_DEFAULTCOLOR);
        int bits = 0;
        for (const IconImage& image : images)
            if (image.id == id)
                bits = image.size == size ? image.bits : -1;
        Check(bits == 32, "at " + std::to_string(size) + " px the system picks the 32-bit image");
    }
    for (int size : {16, 32, 48, 256})
        Check(SystemDrawsIconAt(module, size), "the system makes a " + std::to_string(size) + " px icon of it");
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void CheckManifest(HMODULE module)
{
    const std::vector<unsigned char> bytes = ResourceBytes(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    Check(!bytes.empty(), "the manifest is resource 1 of type RT_MANIFEST");
    int manifests = 0;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(24), CountName, reinterpret_cast<LONG_PTR>(&manifests));
    Check(manifests == 1, "it is the only manifest (" + std::to_string(manifests) + ")");

    const std::string text(bytes.begin(), bytes.end());
    Check(Contains(text, "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">") &&
              Contains(text, "</assembly>"),
          "it is an assembly manifest");
    Check(Contains(text, "<requestedExecutionLevel level=\"asInvoker\""), "the game runs with the player's rights");
    const char* const systems[][2] = {
        {"Vista", "{e2011457-1546-43c5-a5fe-008deee3d3f0}"}, {"7", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"},
        {"8", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"},     {"8.1", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"},
        {"10 and 11", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"},
    };
    for (const auto& system : systems)
        Check(Contains(text, std::string("<supportedOS Id=\"") + system[1] + "\"/>"),
              std::string("it supports Windows ") + system[0]);
    Check(Contains(text, ">false</dpiAware>") && Contains(text, ">true</gdiScaling>") &&
              !Contains(text, "dpiAwareness"),
          "unaware of the screen's density, with GDI scaling");
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: exe_resources_check PROGRAM.exe\n");
        return 2;
    }
    HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        std::printf("FAIL %s cannot be loaded for its resources (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    CheckIcon(module);
    CheckManifest(module);
    FreeLibrary(module);
    return failures;
}
