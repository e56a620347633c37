#include "platform/win32/wide_text.h"

#include <windows.h>

namespace win32 {
namespace {

// 0 when the text is not valid in the code page with these flags.
int convert(UINT codePage, DWORD flags, const std::string& text, wchar_t* out, int room) {
    return MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out, room);
}

}  // namespace

std::wstring widen(const std::string& text) {
    if (text.empty()) return {};
    UINT codePage = CP_UTF8;
    DWORD flags = MB_ERR_INVALID_CHARS;
    int n = convert(codePage, flags, text, nullptr, 0);
    if (n <= 0) {
        codePage = CP_ACP;
        flags = 0;
        n = convert(codePage, flags, text, nullptr, 0);
    }
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) convert(codePage, flags, text, out.data(), n);
    return out;
}

std::string narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace win32
