// Reads the version resource of a Windows program through the Win32 version
// calls, as the file's properties in Windows do, and checks what a player
// sees there. Prints each value; exits with the number of failed checks.
//
//   version_check.exe PROGRAM.exe VERSION
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
int failures = 0;

void Expect(const char* what, const std::string& found, const std::string& expected)
{
    const bool ok = found == expected;
    std::printf("%s %s: \"%s\"%s%s%s\n", ok ? "ok  " : "FAIL", what, found.c_str(), ok ? "" : " (expected \"",
                ok ? "" : expected.c_str(), ok ? "" : "\")");
    failures += !ok;
}

std::string StringValue(const std::vector<char>& block, const char* name)
{
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || value == nullptr)
        return "(none)";
    return std::string(value, strnlen(value, length));
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: version_check PROGRAM.exe VERSION\n");
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(argv[1], 0, size, block.data())) {
        std::printf("FAIL %s has no version resource (error %lu)\n", argv[1], GetLastError());
        return 1;
    }

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr) {
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%lu.%lu.%lu", HIWORD(fixed->dwFileVersionMS) + 0ul,
                      LOWORD(fixed->dwFileVersionMS) + 0ul, HIWORD(fixed->dwFileVersionLS) + 0ul);
        Expect("file version numbers", numbers, argv[2]);
        Expect("file type", fixed->dwFileType == VFT_APP ? "application" : "other", "application");
    } else {
        Expect("fixed file information", "(none)", "present");
    }
    Expect("ProductName", StringValue(block, "ProductName"), "Blastgrid");
    Expect("FileDescription", StringValue(block, "FileDescription"),
           "Blastgrid, a mine-field puzzle game with its own automatic player");
    Expect("FileVersion", StringValue(block, "FileVersion"), argv[2]);
    Expect("ProductVersion", StringValue(block, "ProductVersion"), argv[2]);
    Expect("OriginalFilename", StringValue(block, "OriginalFilename"), "Blastgrid.exe");
    return failures;
}
