#include "framework/file_system.h"

#include <fstream>
#include <map>
#include <memory>

namespace fw {

std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

namespace {

class StandardFiles : public FileSystem {
public:
    FileContent read(const std::filesystem::path& path, std::uintmax_t maxSize) override {
        std::error_code ec;
        const auto status = std::filesystem::status(path, ec);
        if (!std::filesystem::exists(status)) return {FileContent::State::missing, {}};
        const std::uintmax_t size = std::filesystem::is_regular_file(status) ? std::filesystem::file_size(path, ec) : 0;
        if (ec || !std::filesystem::is_regular_file(status) || size > maxSize) return {FileContent::State::unreadable, {}};
        std::ifstream in(path, std::ios::binary);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        if (!in.read(bytes.data(), static_cast<std::streamsize>(size)) || in.gcount() != static_cast<std::streamsize>(size))
            return {FileContent::State::unreadable, {}};
        return {FileContent::State::read, std::move(bytes)};
    }
    std::optional<Handle> create(const std::filesystem::path& path) override {
        auto out = std::make_unique<std::ofstream>(path, std::ios::binary | std::ios::trunc);
        if (!*out) return std::nullopt;
        const Handle h = next_++;
        open_[h] = std::move(out);
        return h;
    }
    bool write(Handle file, std::string_view bytes) override {
        auto it = open_.find(file);
        if (it == open_.end()) return false;
        it->second->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(*it->second);
    }
    bool flush(Handle file) override {
        auto it = open_.find(file);
        return it != open_.end() && static_cast<bool>(it->second->flush());
    }
    bool close(Handle file) override {
        auto it = open_.find(file);
        if (it == open_.end()) return false;
        it->second->close();
        const bool ok = !it->second->fail();
        open_.erase(it);
        return ok;
    }
    // A rename takes the old file's place in one step and leaves no old
    // file anywhere: there is no backup to make.
    ReplaceStep replace(const std::filesystem::path& from, const std::filesystem::path& to,
                        const std::filesystem::path&) override {
        std::error_code ec;
        const auto status = std::filesystem::status(to, ec);
        const auto writable = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                              std::filesystem::perms::others_write;
        if (std::filesystem::exists(status) && (status.permissions() & writable) == std::filesystem::perms::none)
            return ReplaceStep::readOnly;
        std::filesystem::rename(from, to, ec);
        return ec ? ReplaceStep::unchanged : ReplaceStep::done;
    }
    bool move(const std::filesystem::path& from, const std::filesystem::path& to) override {
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        return !ec;
    }
    void remove(const std::filesystem::path& path) override {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
    const CodePage& codePage() const override { return latin1(); }

private:
    Handle next_ = 1;
    std::map<Handle, std::unique_ptr<std::ofstream>> open_;
};

}  // namespace

FileSystem& standardFiles() {
    // One per thread: a save never shares its open files with another.
    thread_local StandardFiles files;
    return files;
}

Replaced replaceFile(FileSystem& files, const std::filesystem::path& path, std::string_view content) {
    std::filesystem::path temp = path;
    temp += ".new";
    const std::optional<FileSystem::Handle> file = files.create(temp);
    if (!file) return Replaced::failed;
    bool ok = files.write(*file, content);
    // Forced to the disk before it replaces the old file: otherwise a power
    // cut can leave the new name on a file whose content never got there.
    // (No flag of the replace itself promises that.)
    ok = ok && files.flush(*file);
    ok = files.close(*file) && ok;
    if (!ok) {
        files.remove(temp);
        return Replaced::failed;
    }
    std::filesystem::path backup = path;
    backup += ".bak";
    switch (files.replace(temp, path, backup)) {
        case ReplaceStep::done: files.remove(backup); return Replaced::done;
        case ReplaceStep::readOnly: files.remove(temp); return Replaced::readOnly;
        case ReplaceStep::unchanged: files.remove(temp); return Replaced::failed;
        case ReplaceStep::oldGone:
            // The settings are only in the new file now: it takes the name,
            // or stays where it is rather than be lost too.
            return files.move(temp, path) ? Replaced::done : Replaced::failed;
        case ReplaceStep::oldAtBackup:
            // The old file goes back; the new one goes only once it is back.
            if (files.move(backup, path)) files.remove(temp);
            return Replaced::failed;
    }
    return Replaced::failed;
}

}  // namespace fw
