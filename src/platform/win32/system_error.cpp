#include "platform/win32/system_error.h"

#include "platform/win32/wide_text.h"

namespace win32 {

std::string errorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = n && text ? std::wstring(text, n) : std::wstring();
    if (text) LocalFree(text);
    // The system ends its sentences with a line break.
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) words.pop_back();
    if (words.empty()) return "Error " + std::to_string(code);
    return narrow(words);
}

}  // namespace win32
