// The files the settings are read from and saved to, as the operating
// system offers them: a whole small file read; a file made new, written,
// forced to the disk and closed, then put in place of another in one step;
// and the code page the system reads 8-bit text in. The order of a save's
// steps is the caller's (see replaceFile); each system gives the steps
// themselves, and waits out what it knows to pass (a file another program
// holds for a moment).
//
// Paths in the program are UTF-8 text; pathFromUtf8 makes a path of one
// whatever the code page the standard library would read a narrow string in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "framework/code_page.h"

namespace fw {

std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8Of(const std::filesystem::path& path);

// What reading a whole file came to.
struct FileContent {
    enum class State {
        read,
        missing,
        // There, but not to be read: not a plain file, larger than asked
        // for, or refused.
        unreadable,
    };
    State state = State::missing;
    std::string bytes;
};

// What a save came to.
enum class Replaced { done, readOnly, failed };

// What one step that puts a new file in place of the old came to, each
// outcome a known place for both files.
enum class ReplaceStep {
    done,      // the new file has the name; the old one is at the backup name
    readOnly,  // the old file is marked read-only: nothing was changed
    unchanged, // it failed, and both files are where they were
    oldGone,   // the old file no longer exists; the new one keeps its own name
    oldAtBackup,  // the old file was moved to the backup name; the new one keeps its own
};

class FileSystem {
public:
    using Handle = std::uintptr_t;
    virtual ~FileSystem() = default;

    // The whole file, up to `maxSize` bytes.
    virtual FileContent read(const std::filesystem::path& path, std::uintmax_t maxSize) = 0;
    // A file made empty for writing (made if missing); none when refused.
    virtual std::optional<Handle> create(const std::filesystem::path& path) = 0;
    virtual bool write(Handle file, std::string_view bytes) = 0;
    // What was written reaches the disk, not only the system's cache.
    virtual bool flush(Handle file) = 0;
    virtual bool close(Handle file) = 0;
    // `from` takes the place of `to` (which may or may not exist) in one
    // step, `to`'s attributes kept where the system keeps them, and the old
    // `to` left at `backup`.
    virtual ReplaceStep replace(const std::filesystem::path& from, const std::filesystem::path& to,
                                const std::filesystem::path& backup) = 0;
    // `from` renamed to `to`, where nothing is; false when it could not be.
    virtual bool move(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual void remove(const std::filesystem::path& path) = 0;
    // How the system reads 8-bit text in a file without an encoding mark.
    virtual const CodePage& codePage() const = 0;
};

// The standard library's files: streams and a rename, 8-bit text as
// Latin-1. Where nothing more is known of the system (the tests' own
// machine), the flush is the stream's.
FileSystem& standardFiles();

// Writes `content` to a new file beside `path`, forces it to the disk,
// then puts it in place of `path`: a power cut can then leave the old file
// or the new one, never a name on content that never reached the disk.
// However the replace goes, a file stays at `path` (the old one, or the
// new one where the old one was lost on the way), and the new file is
// removed only while one does; done leaves nothing else behind.
Replaced replaceFile(FileSystem& files, const std::filesystem::path& path, std::string_view content);

}  // namespace fw
