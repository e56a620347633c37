#include "framework/ini_file.h"

#include <limits>

#include "framework/convert.h"
#include "framework/file_system.h"
#include "framework/text_encoding.h"

namespace fw {
namespace {

// The profile format has no escapes: a line break inside a name or value
// would split it into lines of its own, so it is written as a blank.
std::string singleLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

// A section header: "[", its name, "]", blanks allowed around.
std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view t = trimBlanks(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trimBlanks(t.substr(1, close - 1));
}

std::string_view stripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The name a write stores: without blanks around it, as a read looks for it.
std::string storedName(std::string_view name) { return std::string(trimBlanks(singleLine(name))); }

// Valid UTF-8 with at least one character beyond ASCII: text that 8-bit
// code pages almost never make by chance.
bool isUtf8Beyond(std::string_view text) {
    bool beyond = false;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c < 0xF5 ? 4 : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        // No overlong three- or four-byte forms, no surrogates, nothing past U+10FFFF.
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second >= 0xA0) || (c == 0xF0 && second < 0x90) ||
            (c == 0xF4 && second >= 0x90))
            return false;
        beyond = true;
        i += n;
    }
    return beyond;
}

}  // namespace

IniDocument IniDocument::fromBytes(std::string bytes, const CodePage& codePage) {
    IniDocument d;
    const std::string_view b = bytes;
    if (b.starts_with(utf8Mark)) {
        d.encoding_ = Encoding::utf8WithMark;
        d.text_ = bytes.substr(utf8Mark.size());
    } else if (b.starts_with(utf16leMark) || b.starts_with(utf16beMark)) {
        const bool bigEndian = b.starts_with(utf16beMark);
        d.encoding_ = bigEndian ? Encoding::utf16be : Encoding::utf16le;
        const std::string_view units = b.substr(2);
        d.text_ = utf8FromUtf16(units, bigEndian);
        if (units.size() % 2) d.strayByte_ = std::string(units.substr(units.size() - 1));
    } else if (isUtf8Beyond(b)) {
        d.encoding_ = Encoding::utf8;
        d.text_ = std::move(bytes);
    } else {
        d.text_ = codePage.toUtf8(b);
        if (codePage.fromUtf8(d.text_) == b) {
            d.codePage_ = &codePage;
        } else {
            d.text_ = latin1().toUtf8(b);
        }
    }
    d.index();
    return d;
}

bool IniDocument::holdsText() const {
    if (encoding_ != Encoding::bytes) return true;
    // Bytes that read as UTF-8 would be taken for it the next time: a file
    // that was not UTF-8 must not read otherwise once written.
    const auto bytes = codePage_->fromUtf8(text_);
    return bytes && !isUtf8Beyond(*bytes);
}

std::string IniDocument::toBytes() const {
    switch (encoding_) {
        case Encoding::utf8WithMark: return std::string(utf8Mark) + text_;
        case Encoding::utf16le: return std::string(utf16leMark) + utf16FromUtf8(text_, false) + strayByte_;
        case Encoding::utf16be: return std::string(utf16beMark) + utf16FromUtf8(text_, true) + strayByte_;
        case Encoding::utf8: return text_;
        case Encoding::bytes: break;
    }
    // A writer makes sure the code page holds the text first (holdsText).
    return codePage_->fromUtf8(text_).value_or(text_);
}

void IniDocument::index() {
    sections_.clear();
    keys_.clear();
    // Offsets are 32-bit: a text beyond that holds nothing readable.
    if (text_.size() > std::numeric_limits<std::uint32_t>::max()) return;
    const std::string_view t = text_;
    const auto at = [](std::size_t offset) { return static_cast<std::uint32_t>(offset); };
    std::size_t begin = 0;
    while (begin < t.size()) {
        std::size_t end = t.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) end = t.size();
        std::size_t next = end;
        if (next < t.size()) next += (t[next] == '\r' && next + 1 < t.size() && t[next + 1] == '\n') ? 2 : 1;
        const std::string_view line = t.substr(begin, end - begin);
        if (sectionName(line)) {
            sections_.push_back({at(begin), at(end), at(keys_.size()), 0, at(next), next == end});
        } else if (!sections_.empty()) {
            Section& section = sections_.back();
            if (const std::size_t eq = line.find('='); eq != std::string_view::npos) {
                keys_.push_back({at(begin), at(end), at(begin + eq)});
                ++section.keyCount;
            }
            if (!trimBlanks(line).empty()) {
                section.appendAt = at(next);
                section.appendNeedsLineEnd = next == end;
            }
        }
        begin = next;
    }
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
    const std::string_view t = text_;
    for (const Section& s : sections_)
        if (sameText(*sectionName(t.substr(s.headerBegin, s.headerEnd - s.headerBegin)), name)) return &s;
    return nullptr;
}

std::string_view IniDocument::keyName(const Key& key) const {
    return trimBlanks(std::string_view(text_).substr(key.lineBegin, key.equals - key.lineBegin));
}

const IniDocument::Key* IniDocument::findKey(const Section& section, std::string_view name) const {
    for (std::uint32_t i = section.firstKey; i < section.firstKey + section.keyCount; ++i)
        if (sameText(keyName(keys_[i]), name)) return &keys_[i];
    return nullptr;
}

// The text is held as UTF-8 whatever the file's encoding: what is given is
// held as it will read back, 8-bit text that is not UTF-8 as Latin-1,
// surrogates paired.
std::string IniDocument::held(std::string_view text) const {
    return utf8FromUtf16(utf16FromUtf8(text, false), false);
}

std::optional<std::string_view> IniDocument::value(std::string_view section, std::string_view key) const {
    const Section* s = findSection(held(storedName(section)));
    if (!s) return std::nullopt;
    const Key* k = findKey(*s, held(storedName(key)));
    if (!k) return std::nullopt;
    return trimBlanks(std::string_view(text_).substr(k->equals + 1, k->lineEnd - k->equals - 1));
}

std::vector<std::pair<std::string, std::string>> IniDocument::keys(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> found;
    const Section* s = findSection(held(storedName(section)));
    if (!s) return found;
    for (std::uint32_t i = s->firstKey; i < s->firstKey + s->keyCount; ++i) {
        const Key& k = keys_[i];
        if (findKey(*s, keyName(k)) != &k) continue;  // a later duplicate: the first one wins
        found.emplace_back(keyName(k), trimBlanks(std::string_view(text_).substr(k.equals + 1, k.lineEnd - k.equals - 1)));
    }
    return found;
}

// New lines follow the file's own line ends; a file without any gets CR LF,
// as the platform's profile files have.
std::string_view IniDocument::lineEnd() const {
    const std::size_t at = text_.find_first_of("\r\n");
    if (at == std::string::npos) return "\r\n";
    if (text_[at] == '\n') return "\n";
    return at + 1 < text_.size() && text_[at + 1] == '\n' ? "\r\n" : "\r";
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionText = held(storedName(section));
    const std::string keyText = held(storedName(key));
    if (sectionText.find(']') != std::string::npos)
        throw IniNameError("Cannot save under the section name \"" + sectionText +
                           "\": a section name cannot contain \"]\"");
    if (keyText.find('=') != std::string::npos || keyText.starts_with('['))
        throw IniNameError("Cannot save under the name \"" + keyText +
                           "\": a name cannot contain \"=\" or start with \"[\"");
    const std::string valueText = held(singleLine(value));
    const std::string eol(lineEnd());

    if (const Section* s = findSection(sectionText)) {
        if (const Key* k = findKey(*s, keyText)) {
            // The key keeps the spelling it has in the file.
            const std::string line = std::string(keyName(*k)) + "=" + valueText;
            text_.replace(k->lineBegin, k->lineEnd - k->lineBegin, line);
        } else {
            // After the section's last line that is not blank, so blank lines
            // that separate it from the next section stay where they are.
            const std::string line = (s->appendNeedsLineEnd ? eol : "") + keyText + "=" + valueText + eol;
            text_.insert(s->appendAt, line);
        }
    } else {
        if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r') text_ += eol;
        if (!text_.empty()) text_ += eol;
        text_ += "[" + sectionText + "]" + eol + keyText + "=" + valueText + eol;
    }
    index();
}

void IniDocument::setEncoding(Encoding encoding) {
    if (encoding == encoding_) return;
    // The text is UTF-8 in every encoding: only how it is written changes.
    encoding_ = encoding;
    index();
}

bool IniDocument::remove(std::string_view section, std::string_view key) {
    const Section* s = findSection(held(storedName(section)));
    const Key* k = s ? findKey(*s, held(storedName(key))) : nullptr;
    if (!k) return false;
    std::size_t end = k->lineEnd;
    if (end < text_.size() && text_[end] == '\r') ++end;
    if (end < text_.size() && text_[end] == '\n') ++end;
    text_.erase(k->lineBegin, end - k->lineBegin);
    index();
    return true;
}

const IniDocument& IniFile::document() const {
    if (document_) return *document_;
    document_.emplace();
    FileContent content = files_->read(path_, maxFileSize);
    switch (content.state) {
        case FileContent::State::missing: break;
        case FileContent::State::read:
            document_ = IniDocument::fromBytes(std::move(content.bytes), files_->codePage());
            break;
        case FileContent::State::unreadable:
            // There, but not ours to read: defaults, and no write over it.
            unreadable_ = true;
            break;
    }
    return *document_;
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    const auto value = document().value(section, key);
    if (!value) return fallback;
    return std::string(stripQuotes(*value).substr(0, maxValueLength));
}

int IniFile::readInteger(const std::string& section, const std::string& key, int fallback) const {
    std::string text = readString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    return strToIntDef(text, fallback);
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::edit(const std::function<void(IniDocument&)>& change) {
    // A write starts from the file as it is now, so that it never undoes a
    // change made since this accessor first read it.
    document_.reset();
    unreadable_ = false;
    document();
    if (unreadable_) throw IniWriteError("Unable to write to " + utf8Of(path_));
    // A refused name, or a write that fails, leaves the next read to find
    // the file as it is.
    try {
        change(*document_);
        // A character the file's code page has no byte for: UTF-16 holds it.
        document_->encodeToHoldText();
        switch (replaceFile(*files_, path_, document_->toBytes())) {
            case Replaced::done: break;
            case Replaced::readOnly: throw IniWriteError("Unable to write to " + utf8Of(path_) + ": the file is read-only");
            case Replaced::failed: throw IniWriteError("Unable to write to " + utf8Of(path_));
        }
    } catch (...) {
        document_.reset();
        throw;
    }
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
    edit([&](IniDocument& d) { d.set(section, key, value); });
}

void IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    writeInteger(section, key, value ? 1 : 0);
}

}  // namespace fw
