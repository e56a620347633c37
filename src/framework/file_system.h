// The files a save writes, as the operating system offers them: a file
// made new, written, forced to the disk and closed, then put in place of
// another in one step. The order of those steps, which makes a save
// survive a power cut, is the caller's (see replaceFile); each system
// gives the steps themselves.
//
// Paths in the program are UTF-8 text; pathFromUtf8 makes a path of one
// whatever the code page the standard library would read a narrow string in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8Of(const std::filesystem::path& path);

class FileSystem {
public:
    using Handle = std::uintptr_t;
    virtual ~FileSystem() = default;

    // A file made empty for writing (made if missing); none when refused.
    virtual std::optional<Handle> create(const std::filesystem::path& path) = 0;
    virtual bool write(Handle file, std::string_view bytes) = 0;
    // What was written reaches the disk, not only the system's cache.
    virtual bool flush(Handle file) = 0;
    virtual bool close(Handle file) = 0;
    // `from` takes the place of `to` (which may or may not exist) in one
    // step, and the change itself reaches the disk before this returns.
    virtual bool replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual void remove(const std::filesystem::path& path) = 0;
};

// The standard library's files: streams and a rename. Where nothing more
// is known of the system (the tests' own machine), the flush is the
// stream's.
FileSystem& standardFiles();

// Writes `content` to a new file beside `path`, forces it to the disk,
// then puts it in place of `path`. False, with nothing left behind and
// `path` as it was, when any step fails.
bool replaceFile(FileSystem& files, const std::filesystem::path& path, std::string_view content);

}  // namespace fw
