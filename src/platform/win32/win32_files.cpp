#include "platform/win32/win32_files.h"

#include <windows.h>

namespace win32 {
namespace {

HANDLE handleOf(fw::FileSystem::Handle file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

std::optional<fw::FileSystem::Handle> Win32Files::create(const std::filesystem::path& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    return reinterpret_cast<Handle>(h);
}

bool Win32Files::write(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(handleOf(file), bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

bool Win32Files::flush(Handle file) {
    return FlushFileBuffers(handleOf(file)) != FALSE;
}

bool Win32Files::close(Handle file) {
    return CloseHandle(handleOf(file)) != FALSE;
}

bool Win32Files::replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void Win32Files::remove(const std::filesystem::path& path) {
    DeleteFileW(path.c_str());
}

}  // namespace win32
