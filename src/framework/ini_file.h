// Access to a profile (.ini) file with the rules the program has always
// followed: section and key names match without regard to case; a read
// text is cut to 1023 characters; the first of duplicate sections or keys
// wins; bad content gives defaults, never an error. Nothing is cached:
// every call reads the file afresh. A write keeps every other line as it
// was and replaces the file atomically (a temporary file beside it, then a
// rename), so a failed or interrupted write leaves the old file intact.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace fw {

class IniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IniFile {
public:
    explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    static constexpr std::size_t maxValueLength = 1023;

    std::string readString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // The text, "0x"/"0X" read as "$" when longer than two characters, then
    // converted; the fallback when the key is missing or does not convert.
    int readInteger(const std::string& section, const std::string& key, int fallback) const;
    bool readBool(const std::string& section, const std::string& key, bool fallback) const;

    // Raise IniWriteError("Unable to write to <path>") on failure.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);

private:
    std::filesystem::path path_;
};

}  // namespace fw
