#include "platform/win32/win32_player_windows.h"

#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace win32 {

fw::WindowHandle Win32PlayerWindows::findByClass(const std::string& windowClass) {
    return handleOf(FindWindowA(windowClass.c_str(), nullptr));
}

std::optional<std::int32_t> Win32PlayerWindows::send(fw::WindowHandle window, UINT message,
                                                     std::int32_t wParam, std::int32_t lParam) {
    // The player's numbers are 32-bit: wParam travels as its bit pattern.
    // SMTO_BLOCK: nothing else of ours runs while we wait; SMTO_ABORTIFHUNG:
    // a player the system already knows to be hung is not waited for.
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutA(hwndOf(window), message, static_cast<WPARAM>(static_cast<DWORD>(wParam)),
                             static_cast<LPARAM>(lParam), SMTO_BLOCK | SMTO_ABORTIFHUNG, answerLimitMs_, &reply))
        return std::nullopt;
    return static_cast<std::int32_t>(reply);
}

// WM_NULL asks nothing: it only goes through the window's message handling.
std::optional<std::int32_t> Win32PlayerWindows::ping(fw::WindowHandle window) {
    return send(window, WM_NULL, 0, 0);
}

// Commands come as menu commands: the id in wParam.
std::optional<std::int32_t> Win32PlayerWindows::command(fw::WindowHandle window, std::int32_t commandId) {
    return send(window, WM_COMMAND, commandId, 0);
}

// Requests come as WM_USER: the code in lParam, its argument in wParam.
std::optional<std::int32_t> Win32PlayerWindows::request(fw::WindowHandle window, std::int32_t code,
                                                        std::int32_t argument) {
    return send(window, WM_USER, argument, code);
}

namespace {

// The window's process, opened for `access`; closed when it goes.
struct Process {
    Process(fw::WindowHandle window, DWORD access) {
        DWORD id = 0;
        if (GetWindowThreadProcessId(hwndOf(window), &id) && id) handle = OpenProcess(access, FALSE, id);
    }
    ~Process() {
        if (handle) CloseHandle(handle);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    HANDLE handle = nullptr;
};

}  // namespace

std::string Win32PlayerWindows::programOf(fw::WindowHandle window) {
    const Process process(window, PROCESS_QUERY_LIMITED_INFORMATION);
    if (!process.handle) return {};
    wchar_t path[MAX_PATH * 4];
    DWORD size = static_cast<DWORD>(std::size(path));
    if (!QueryFullProcessImageNameW(process.handle, 0, path, &size)) return {};
    const std::string full = narrow(std::wstring(path, size));
    const std::size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

std::optional<std::string> Win32PlayerWindows::readMemory(fw::WindowHandle window, std::uint32_t address,
                                                         std::size_t bytes) {
    const Process process(window, PROCESS_VM_READ | PROCESS_QUERY_LIMITED_INFORMATION);
    if (!process.handle || address == 0) return std::nullopt;
    // A 64-bit player's addresses come to a 32-bit program cut to 32 bits:
    // what they point at is not the text. Such a player's titles are not read.
    BOOL selfOn64 = FALSE, playerOn64 = FALSE;
    if (IsWow64Process(GetCurrentProcess(), &selfOn64) && selfOn64 && IsWow64Process(process.handle, &playerOn64) &&
        !playerOn64)
        return std::nullopt;
    // Page by page: a text that ends near the end of its memory is read up
    // to there, and nothing beyond is asked for.
    constexpr std::uintptr_t page = 4096;
    std::string text;
    std::uintptr_t at = address;
    while (text.size() < bytes) {
        const std::size_t chunk = std::min<std::size_t>(bytes - text.size(), page - at % page);
        std::string piece(chunk, '\0');
        SIZE_T got = 0;
        if (!ReadProcessMemory(process.handle, reinterpret_cast<LPCVOID>(at), piece.data(), chunk, &got) || got == 0)
            break;
        text.append(piece, 0, got);
        if (got < chunk) break;
        at += got;
    }
    if (text.empty()) return std::nullopt;
    return text;
}

}  // namespace win32
