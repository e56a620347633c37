#include "platform/win32/win32_files.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

HANDLE handleOf(fw::FileSystem::Handle file) { return reinterpret_cast<HANDLE>(file); }

// What another program's moment with the file looks like.
bool busy(DWORD error) {
    switch (error) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_ACCESS_DENIED:
        case ERROR_UNABLE_TO_REMOVE_REPLACED: return true;
        default: return false;
    }
}

class AnsiCodePage : public fw::CodePage {
public:
    explicit AnsiCodePage(UINT page) : page_(page) {}

    std::string toUtf8(std::string_view bytes) const override {
        if (bytes.empty()) return {};
        const int n = MultiByteToWideChar(page_, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
        if (n > 0) MultiByteToWideChar(page_, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
        return narrow(wide);
    }
    std::optional<std::string> fromUtf8(std::string_view text) const override {
        if (text.empty()) return std::string();
        const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                              nullptr, 0);
        if (units <= 0) return std::nullopt;
        std::wstring wide(static_cast<std::size_t>(units), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
        // No best fit: a letter the code page lacks is not turned into a
        // look-alike, it makes the text one the code page cannot hold.
        BOOL lost = FALSE;
        const DWORD flags = page_ == CP_UTF7 || page_ == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
        BOOL* lostOut = flags ? &lost : nullptr;
        const int n = WideCharToMultiByte(page_, flags, wide.data(), units, nullptr, 0, nullptr, lostOut);
        if (n <= 0 || lost) return std::nullopt;
        std::string bytes(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(page_, flags, wide.data(), units, bytes.data(), n, nullptr, lostOut);
        if (lost) return std::nullopt;
        return bytes;
    }

private:
    UINT page_;
};

}  // namespace

std::unique_ptr<fw::CodePage> systemCodePage(unsigned codePage) {
    return std::make_unique<AnsiCodePage>(codePage ? codePage : GetACP());
}

Win32Files::Win32Files(int retries, std::uint32_t retryMs)
    : retries_(retries), retryMs_(retryMs), ansi_(systemCodePage()) {}

Win32Files::~Win32Files() = default;

const fw::CodePage& Win32Files::codePage() const { return *ansi_; }

fw::FileContent Win32Files::read(const std::filesystem::path& path, std::uintmax_t maxSize) {
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0;; ++attempt) {
        h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) break;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {fw::FileContent::State::missing, {}};
        // A folder of that name is no file, and waiting changes nothing.
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return {fw::FileContent::State::unreadable, {}};
        if (!busy(error) || attempt >= retries_) return {fw::FileContent::State::unreadable, {}};
        Sleep(retryMs_);
    }
    fw::FileContent content{fw::FileContent::State::unreadable, {}};
    LARGE_INTEGER size{};
    if (GetFileSizeEx(h, &size) && size.QuadPart >= 0 && static_cast<std::uintmax_t>(size.QuadPart) <= maxSize &&
        GetFileType(h) == FILE_TYPE_DISK) {
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        std::size_t got = 0;
        bool ok = true;
        while (ok && got < bytes.size()) {
            DWORD n = 0;
            const DWORD chunk = bytes.size() - got > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size() - got);
            ok = ReadFile(h, bytes.data() + got, chunk, &n, nullptr) && n > 0;
            got += n;
        }
        if (ok) content = {fw::FileContent::State::read, std::move(bytes)};
    }
    CloseHandle(h);
    return content;
}

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

fw::ReplaceStep Win32Files::replace(const std::filesystem::path& from, const std::filesystem::path& to,
                                    const std::filesystem::path& backup) {
    // A backup left by a save that never finished is of no use now that the
    // old file is there, and could make the replace fail.
    if (GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES) DeleteFileW(backup.c_str());
    for (int attempt = 0;; ++attempt) {
        const DWORD attributes = GetFileAttributesW(to.c_str());
        const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
        // Said plainly, and not waited for: a mark of the user's own.
        if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return fw::ReplaceStep::readOnly;
        const bool done = exists ? ReplaceFileW(to.c_str(), from.c_str(), backup.c_str(),
                                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE
                                 : MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
        if (done) return fw::ReplaceStep::done;
        const DWORD error = GetLastError();
        // With a backup name both files keep theirs; where the old one went
        // anyway, it is said so at once, and not tried again.
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) return fw::ReplaceStep::oldAtBackup;
        const bool oldThere = GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (exists && !oldThere) return fw::ReplaceStep::oldGone;
        if (!(busy(error) || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) || attempt >= retries_)
            return fw::ReplaceStep::unchanged;
        Sleep(retryMs_);
    }
}

bool Win32Files::move(const std::filesystem::path& from, const std::filesystem::path& to) {
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
        if (!busy(GetLastError()) || attempt >= retries_) return false;
        Sleep(retryMs_);
    }
}

void Win32Files::remove(const std::filesystem::path& path) {
    DeleteFileW(path.c_str());
}

}  // namespace win32
