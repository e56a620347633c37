#include "platform/win32/win32_text_folding.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace win32 {

namespace {

// A decomposed character takes at most a few more: what it takes beyond
// this is asked of the system again with the size it names.
std::wstring decomposed(const std::wstring& text) {
    constexpr DWORD flags = MAP_COMPOSITE | MAP_FOLDCZONE;
    std::wstring out(text.size() * 3 + 8, L'\0');
    int n = FoldStringW(flags, text.data(), static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()));
    if (n <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        n = FoldStringW(flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
        if (n <= 0) return text;
        out.assign(static_cast<std::size_t>(n), L'\0');
        n = FoldStringW(flags, text.data(), static_cast<int>(text.size()), out.data(), n);
    }
    // A text the system will not fold is compared as it is.
    if (n <= 0) return text;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::wstring withoutMarks(const std::wstring& text) {
    if (text.empty()) return text;
    std::vector<WORD> types(text.size());
    if (!GetStringTypeW(CT_CTYPE3, text.data(), static_cast<int>(text.size()), types.data())) return text;
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(types[i] & C3_NONSPACING)) out.push_back(text[i]);
    return out;
}

std::wstring lowered(const std::wstring& text) {
    if (text.empty()) return text;
    std::wstring out(text.size(), L'\0');
    const int n = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.data(), static_cast<int>(text.size()),
                                out.data(), static_cast<int>(out.size()), nullptr, nullptr, 0);
    if (n <= 0) return text;
    out.resize(static_cast<std::size_t>(n));
    return out;
}

}  // namespace

std::string Win32TextFolding::fold(std::string_view utf8) const {
    return narrow(lowered(withoutMarks(decomposed(widen(std::string(utf8))))));
}

}  // namespace win32
