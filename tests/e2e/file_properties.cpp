// What Windows shows of a program file: the strings of its version
// resource and whether its manifest declares DPI awareness, read as
// Explorer's file properties read them.
//
//   file_properties.exe PROGRAM.exe
//
// Prints "Name: value" lines, then "dpiAware: yes|no"; exits 1 when the
// file has no version resource.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string manifestOf(const char* path) {
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
        if (HGLOBAL loaded = LoadResource(module, found)) {
            const char* bytes = static_cast<const char*>(LockResource(loaded));
            if (bytes) text.assign(bytes, SizeofResource(module, found));
        }
    }
    FreeLibrary(module);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: file_properties PROGRAM.exe\n");
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
    std::vector<char> info(size);
    if (!size || !GetFileVersionInfoA(argv[1], 0, size, info.data())) {
        std::printf("no version resource\n");
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
        std::printf("Fixed: %lu.%lu.%lu.%lu\n", fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
                    fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF);
    for (const char* name : {"ProductName", "FileDescription", "FileVersion", "ProductVersion", "CompanyName",
                             "OriginalFilename"}) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
        if (VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && value)
            std::printf("%s: %s\n", name, value);
    }
    const std::string manifest = manifestOf(argv[1]);
    std::printf("dpiAware: %s\n", manifest.find(">true</dpiAware>") != std::string::npos ? "yes" : "no");
    return 0;
}
