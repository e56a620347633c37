// The files a save writes, on Win32: wide-character calls, so any folder
// name works; FlushFileBuffers forces the content to the disk, and
// MoveFileExW puts the file in place with the change written through.
#pragma once

#include "framework/file_system.h"

namespace win32 {

class Win32Files : public fw::FileSystem {
public:
    std::optional<Handle> create(const std::filesystem::path& path) override;
    bool write(Handle file, std::string_view bytes) override;
    bool flush(Handle file) override;
    bool close(Handle file) override;
    bool replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void remove(const std::filesystem::path& path) override;
};

}  // namespace win32
