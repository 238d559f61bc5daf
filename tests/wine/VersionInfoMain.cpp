// qminput-version-info FILE: prints FILE's version resource as Windows reads it
// (what Explorer shows under Properties > Details), one "Name value" a line:
// the fixed file and product versions, then the strings of the first language.
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const char* const kStrings[] = {"FileVersion", "ProductVersion", "ProductName", "FileDescription",
                                "OriginalFilename"};

void PrintFixedVersion(const char* name, DWORD high, DWORD low)
{
    std::printf("%s %u.%u.%u.%u\n", name, unsigned{HIWORD(high)}, unsigned{LOWORD(high)},
                unsigned{HIWORD(low)}, unsigned{LOWORD(low)});
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qminput-version-info FILE\n");
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(argv[1], 0, size, data.data())) {
        std::printf("no version resource in %s\n", argv[1]);
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        PrintFixedVersion("Fixed.FileVersion", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        PrintFixedVersion("Fixed.ProductVersion", fixed->dwProductVersionMS,
                          fixed->dwProductVersionLS);
    }
    struct sLanguage {
        WORD nLanguage;
        WORD nCodePage;
    }* languages = nullptr;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&languages), &length)
        || length < sizeof *languages) {
        std::printf("no language in the version resource\n");
        return 1;
    }
    for (const char* name : kStrings) {
        char path[96];
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", languages->nLanguage,
                      languages->nCodePage, name);
        char* value = nullptr;
        if (VerQueryValueA(data.data(), path, reinterpret_cast<void**>(&value), &length) && value)
            std::printf("%s %s\n", name, value);
    }
    return 0;
}
