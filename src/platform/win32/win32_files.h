// The files a save writes, on Win32: wide-character calls, so any folder
// name works. FlushFileBuffers forces a new file's content to the disk
// before it takes the old one's place (no flag of the replace promises
// that). The replace is ReplaceFileW where the old file exists, so its
// attributes and permissions stay, with a backup name so that a replace
// that fails halfway leaves the old file at a known place, and MoveFileExW
// where it does not. An
// antivirus, the search indexer or a sync client may hold the file for a
// moment: a read or a replace that meets a sharing violation or a refused
// access is tried again for about a second. 8-bit text is read in the
// system's ANSI code page, as the system's own profile calls read it.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/file_system.h"

namespace win32 {

class Win32Files : public fw::FileSystem {
public:
    // `retries` waits of `retryMs` each are made before a busy file counts
    // as refused.
    explicit Win32Files(int retries = 10, std::uint32_t retryMs = 100);
    ~Win32Files() override;

    fw::FileContent read(const std::filesystem::path& path, std::uintmax_t maxSize) override;
    std::optional<Handle> create(const std::filesystem::path& path) override;
    bool write(Handle file, std::string_view bytes) override;
    bool flush(Handle file) override;
    bool close(Handle file) override;
    fw::ReplaceStep replace(const std::filesystem::path& from, const std::filesystem::path& to,
                            const std::filesystem::path& backup) override;
    bool move(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void remove(const std::filesystem::path& path) override;
    const fw::CodePage& codePage() const override;

private:
    int retries_;
    std::uint32_t retryMs_;
    std::unique_ptr<fw::CodePage> ansi_;
};

// The system's ANSI code page (CP_ACP), or another by number.
std::unique_ptr<fw::CodePage> systemCodePage(unsigned codePage = 0);

}  // namespace win32
