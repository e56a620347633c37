#include "platform/win32/win32_launcher.h"

#include "platform/win32/system_error.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace win32 {

fw::WindowHandle Win32Launcher::findByTitle(const std::string& title) {
    return handleOf(FindWindowA(nullptr, title.c_str()));
}

void Win32Launcher::requestActivation(fw::WindowHandle window) {
    PostMessageA(hwndOf(window), activationMessage, 0, 0);
}

bool Win32Launcher::isActivationRequest(const fw::Message& message) const {
    return message.msg == activationMessage;
}

bool Win32Launcher::fileExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<platform::LaunchFailure> Win32Launcher::runFile(const platform::Launch& launch) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION pi{};
    std::wstring commandLine = widen(launch.commandLine);
    const std::wstring folder = widen(launch.folder);
    if (!CreateProcessW(widen(launch.file).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        // 740: the file asks to run as administrator, which a plain start
        // cannot give it.
        const DWORD error = GetLastError();
        return platform::LaunchFailure{error, errorText(error)};
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return std::nullopt;
}

std::optional<std::string> Win32Launcher::environment(const std::string& name) {
    const std::wstring wideName = widen(name);
    const DWORD n = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (n == 0) return std::nullopt;
    std::wstring value(n, L'\0');
    const DWORD got = GetEnvironmentVariableW(wideName.c_str(), value.data(), n);
    if (got == 0 || got >= n) return std::nullopt;
    value.resize(got);
    return narrow(value);
}

std::optional<std::string> Win32Launcher::userSetting(const std::string& key, const std::string& value) {
    // A REG_EXPAND_SZ value comes expanded, as REG_SZ.
    const std::wstring wideKey = widen(key), wideValue = widen(value);
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), wideValue.c_str(), RRF_RT_REG_SZ,
                     nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, wideKey.c_str(), wideValue.c_str(), RRF_RT_REG_SZ,
                     nullptr, text.data(), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return narrow(text);
}

}  // namespace win32
