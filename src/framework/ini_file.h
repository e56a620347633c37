// Access to a profile (.ini) file with the rules the program has always
// followed: section and key names match without regard to case and
// without the blanks around them; a read text is cut to 1023 characters;
// the first of duplicate sections or keys wins; bad content gives
// defaults, never an error. CR LF, LF and a lone CR all end a line. A
// file may start with a UTF-8 byte-order mark, or be UTF-16 with its mark
// (as Notepad saves "Unicode" files); it is read in its encoding and
// written back in it, mark included. A file without a mark is 8-bit text in
// the system's code page, as the system's own profile calls read it, unless
// it is UTF-8 through and through (as Notepad saves UTF-8 without a mark);
// it is decoded once, when it is read, and the program holds its text as
// UTF-8. A change the file's 8-bit code page cannot hold turns it into
// UTF-16, which holds every character.
//
// An accessor reads the file at its first use and keeps what it read until
// it writes: a write reads the file afresh (so it never undoes a change
// made by someone else since), keeps every other line as it was, replaces
// the file atomically (a temporary file beside it, forced to the disk, then
// put in its place) and then holds what it wrote; a failed or interrupted
// write leaves the old file intact, and the accessor reads it again at its
// next use.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/code_page.h"
#include "framework/file_system.h"

namespace fw {

class IniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A section or key name that, written, could never be read back.
class IniNameError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A profile file's content: its encoding and its text, held as UTF-8,
// with the places of its sections and keys found in one pass. Lines that
// are neither cost nothing.
class IniDocument {
public:
    // bytes: 8-bit text in a code page; utf8: UTF-8 without a mark.
    enum class Encoding { bytes, utf8, utf8WithMark, utf16le, utf16be };

    IniDocument() = default;
    // 8-bit text is read in `codePage`; bytes it cannot give back as they
    // were (a broken double-byte sequence) are read as Latin-1 instead, so
    // that what is written back keeps them.
    static IniDocument fromBytes(std::string bytes, const CodePage& codePage = latin1());
    std::string toBytes() const;
    // Whether the encoding holds every character of the text, so that the
    // file reads back as it was written.
    bool holdsText() const;
    // The encoding made UTF-16 when it does not hold the text: what every
    // write does before it writes.
    void encodeToHoldText() {
        if (!holdsText()) setEncoding(Encoding::utf16le);
    }

    Encoding encoding() const { return encoding_; }
    // The file is written in `encoding` from now on, its text kept.
    void setEncoding(Encoding encoding);
    // The key's value as written, blanks around it removed; nothing when
    // the section or the key is missing. Names are looked for as set()
    // stores them.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;
    // Sets the key's value, adding the key and the section as needed; names
    // are stored without the blanks around them. Raises IniNameError for a
    // name that could not be found again: a key with "=" or starting with
    // "[", a section with "]".
    void set(std::string_view section, std::string_view key, std::string_view value);
    // Takes the key's line out (the first of that name, the one a read
    // finds); false when there is none.
    bool remove(std::string_view section, std::string_view key);
    // The section's keys and their values, in the file's order; a name
    // that comes twice is there once, with the value a read finds.
    std::vector<std::pair<std::string, std::string>> keys(std::string_view section) const;

private:
    struct Section {
        std::uint32_t headerBegin, headerEnd;  // the header line's text
        std::uint32_t firstKey, keyCount;      // its keys in keys_
        std::uint32_t appendAt;                // after its last line that is not blank
        bool appendNeedsLineEnd;               // that line ends the file without a line end
    };
    struct Key {
        std::uint32_t lineBegin, lineEnd, equals;
    };

    void index();
    const Section* findSection(std::string_view name) const;
    const Key* findKey(const Section& section, std::string_view name) const;
    std::string_view keyName(const Key& key) const;
    std::string_view lineEnd() const;
    std::string held(std::string_view text) const;

    Encoding encoding_ = Encoding::bytes;
    const CodePage* codePage_ = &latin1();
    std::string text_;
    std::string strayByte_;  // the odd last byte of a UTF-16 file, kept as found
    std::vector<Section> sections_;
    std::vector<Key> keys_;
};

class IniFile {
public:
    explicit IniFile(std::filesystem::path path, FileSystem& files = standardFiles())
        : path_(std::move(path)), files_(&files) {}

    const std::filesystem::path& path() const { return path_; }

    static constexpr std::size_t maxValueLength = 1023;
    // A larger file is no settings file of ours: it reads as missing, and
    // is not written over.
    static constexpr std::uintmax_t maxFileSize = 16u << 20;

    std::string readString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // The text, "0x"/"0X" read as "$" when longer than two characters, then
    // converted; the fallback when the key is missing or does not convert.
    int readInteger(const std::string& section, const std::string& key, int fallback) const;
    bool readBool(const std::string& section, const std::string& key, bool fallback) const;
    // The section's keys and their values, in the file's order.
    std::vector<std::pair<std::string, std::string>> readSection(const std::string& section) const {
        return document().keys(section);
    }

    // Raise IniWriteError("Unable to write to <path>") when the file cannot
    // be written or an existing file could not be read (writing would lose
    // it), with ": the file is read-only" when it is marked so, and
    // IniNameError for a name that could not be read back.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);
    // Several changes as one write: the file as it is now, changed by
    // `change`, replaced once. Raises as the writes above do, and then
    // nothing of the change is written.
    void edit(const std::function<void(IniDocument&)>& change);

private:
    const IniDocument& document() const;

    std::filesystem::path path_;
    FileSystem* files_;
    mutable std::optional<IniDocument> document_;
    mutable bool unreadable_ = false;
};

}  // namespace fw
