#include "platform/win32/win32_launcher.h"

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
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32Launcher::runCommandLine(const std::string& commandLine) {
    WinExec(commandLine.c_str(), SW_SHOW);
}

void Win32Launcher::runFile(const std::string& path) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION pi{};
    std::string commandLine = "\"" + path + "\"";
    if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

}  // namespace win32
