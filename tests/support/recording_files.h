// The standard files with every step logged ("read ir_zav.ini", "create
// ir_zav.ini.new", "write 120", "flush", "close", "replace ir_zav.ini.new
// ir_zav.ini ir_zav.ini.bak", "move ...", "remove ..."), any one step made
// to fail, a replace that fails as the system's may, and 8-bit text in a
// code page of the test's choosing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/file_system.h"

namespace testing_support {

class RecordingFiles : public fw::FileSystem {
public:
    std::vector<std::string> calls;
    // The step ("read", "create", "write", "flush", "close", "replace") that fails.
    std::string failing;
    // How the system reads 8-bit text; Latin-1 unless a test says.
    const fw::CodePage* page = &fw::latin1();

    fw::FileContent read(const std::filesystem::path& path, std::uintmax_t maxSize) override {
        log("read " + name(path));
        if (failing == "read") return {fw::FileContent::State::unreadable, {}};
        return real().read(path, maxSize);
    }
    std::optional<Handle> create(const std::filesystem::path& path) override {
        log("create " + name(path));
        return failing == "create" ? std::nullopt : real().create(path);
    }
    bool write(Handle file, std::string_view bytes) override {
        log("write " + std::to_string(bytes.size()));
        return real().write(file, bytes) && failing != "write";
    }
    bool flush(Handle file) override {
        log("flush");
        return real().flush(file) && failing != "flush";
    }
    bool close(Handle file) override {
        log("close");
        return real().close(file) && failing != "close";
    }
    // How the replace fails, and where it leaves the files as it does:
    // unchanged, the old file gone, or the old file at the backup name.
    std::optional<fw::ReplaceStep> replaceFails;
    fw::ReplaceStep replace(const std::filesystem::path& from, const std::filesystem::path& to,
                            const std::filesystem::path& backup) override {
        log("replace " + name(from) + " " + name(to) + " " + name(backup));
        if (failing == "replace") return fw::ReplaceStep::unchanged;
        if (!replaceFails) {
            // As the system's replace does: the old file ends at the backup name.
            std::error_code ec;
            if (std::filesystem::exists(to)) std::filesystem::rename(to, backup, ec);
            return real().replace(from, to, backup);
        }
        std::error_code ec;
        if (*replaceFails == fw::ReplaceStep::oldGone) std::filesystem::remove(to, ec);
        if (*replaceFails == fw::ReplaceStep::oldAtBackup) std::filesystem::rename(to, backup, ec);
        return *replaceFails;
    }
    bool move(const std::filesystem::path& from, const std::filesystem::path& to) override {
        log("move " + name(from) + " " + name(to));
        return failing != "move" && real().move(from, to);
    }
    void remove(const std::filesystem::path& path) override {
        log("remove " + name(path));
        real().remove(path);
    }
    const fw::CodePage& codePage() const override { return *page; }

private:
    static fw::FileSystem& real() { return fw::standardFiles(); }
    static std::string name(const std::filesystem::path& p) { return fw::utf8Of(p.filename()); }
    void log(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace testing_support
