#include "platform/win32/win32_run_at_logon.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t valueName[] = L"ZAV Amp";

// The key, opened for what the caller needs; none when it cannot be.
HKEY openRun(REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

// "%USERPROFILE%\zav\zav_amp.exe" as the system starts it; as stored
// when a variable cannot be expanded.
std::wstring expanded(const std::wstring& text) {
    const DWORD n = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (n == 0) return text;
    std::wstring out(n, L'\0');
    const DWORD got = ExpandEnvironmentStringsW(text.c_str(), out.data(), n);
    if (got == 0 || got > n) return text;
    out.resize(wcsnlen(out.c_str(), out.size()));
    return out;
}

}  // namespace

bool Win32RunAtLogon::sameFile(const std::string& a, const std::string& b) const {
    return CompareStringOrdinal(widen(a).c_str(), -1, widen(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::string Win32RunAtLogon::place() const {
    return "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
}

std::optional<std::string> Win32RunAtLogon::read() {
    HKEY key = openRun(KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    DWORD type = 0, bytes = 0;
    std::optional<std::string> value;
    if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got) ==
            ERROR_SUCCESS) {
            std::wstring stored(text.data());  // the stored text need not end in a zero
            if (type == REG_EXPAND_SZ) stored = expanded(stored);
            value = narrow(stored);
        }
    }
    RegCloseKey(key);
    return value;
}

bool Win32RunAtLogon::write(const std::string& commandLine) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, runKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const std::wstring text = widen(commandLine);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    const bool ok = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
                    ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool Win32RunAtLogon::remove() {
    HKEY key = openRun(KEY_SET_VALUE);
    if (!key) return true;  // no list, no value
    const LONG result = RegDeleteValueW(key, valueName);
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace win32
