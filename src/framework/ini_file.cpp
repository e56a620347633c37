#include "framework/ini_file.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

#include "framework/convert.h"

namespace fw {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// One line of the file: its text without the line end, and the line end.
struct Line {
    std::string_view text;
    std::string_view end;
};

std::vector<Line> splitLines(std::string_view content) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t nl = content.find('\n', start);
        if (nl == std::string_view::npos) {
            lines.push_back({content.substr(start), {}});
            break;
        }
        std::size_t textEnd = nl;
        if (textEnd > start && content[textEnd - 1] == '\r') --textEnd;
        lines.push_back({content.substr(start, textEnd - start), content.substr(textEnd, nl + 1 - textEnd)});
        start = nl + 1;
    }
    return lines;
}

std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view t = trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return trim(t.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{trim(line.substr(0, eq)), trim(line.substr(eq + 1))};
}

// Where a key lives: the range of lines of its section and, when present,
// the key's own line.
struct Location {
    std::optional<std::size_t> sectionLine;
    std::size_t sectionEnd = 0;  // one past the section's last line
    std::optional<std::size_t> keyLineIndex;
};

Location locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    Location loc;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i].text);
        if (!name) continue;
        if (loc.sectionLine) {
            loc.sectionEnd = i;
            return loc;
        }
        if (sameName(*name, section)) loc.sectionLine = i;
        if (!loc.sectionLine) continue;
        for (std::size_t k = i + 1; k < lines.size() && !sectionName(lines[k].text); ++k) {
            const auto kv = keyLine(lines[k].text);
            if (kv && sameName(kv->key, key)) {
                loc.keyLineIndex = k;
                break;
            }
        }
    }
    loc.sectionEnd = lines.size();
    return loc;
}

std::string readAll(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The profile format has no escapes: a line break inside a name or value
// would split it into lines of its own, so it is written as a blank.
std::string singleLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

std::string_view stripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

void replaceAtomically(const std::filesystem::path& path, const std::string& content) {
    const std::filesystem::path temp = path.string() + ".new";
    bool ok = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(content.data(), static_cast<std::streamsize>(content.size()));
            out.flush();
            ok = static_cast<bool>(out);
        }
        out.close();
        ok = ok && !out.fail();
    }
    std::error_code ec;
    if (ok) {
        std::filesystem::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok) {
        std::filesystem::remove(temp, ec);
        throw IniWriteError("Unable to write to " + path.string());
    }
}

}  // namespace

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
    const std::string content = readAll(path_);
    const auto lines = splitLines(content);
    const Location loc = locate(lines, section, key);
    if (!loc.keyLineIndex) return fallback;
    const std::string_view value = stripQuotes(keyLine(lines[*loc.keyLineIndex].text)->value);
    return std::string(value.substr(0, maxValueLength));
}

int IniFile::readInteger(const std::string& section, const std::string& key, int fallback) const {
    std::string text = readString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    return strToIntDef(text, fallback);
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
    const std::string sectionText = singleLine(section);
    const std::string keyText = singleLine(key);
    const std::string valueText = singleLine(value);

    const std::string content = readAll(path_);
    const auto lines = splitLines(content);
    // New lines follow the file's own line ends; a new file gets CR LF, as
    // the platform's profile files have.
    const std::string_view eol = content.find("\r\n") != std::string::npos ? "\r\n"
                                 : content.find('\n') != std::string::npos ? "\n"
                                                                           : "\r\n";
    const Location loc = locate(lines, sectionText, keyText);

    std::string out;
    out.reserve(content.size() + keyText.size() + valueText.size() + sectionText.size() + 8);
    auto emit = [&](const Line& l) {
        out.append(l.text);
        out.append(l.end);
    };
    auto emitKey = [&](std::string_view keyName, std::string_view end) {
        out.append(keyName);
        out.push_back('=');
        out.append(valueText);
        out.append(end);
    };

    if (loc.keyLineIndex) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i != *loc.keyLineIndex) {
                emit(lines[i]);
                continue;
            }
            const Line& l = lines[i];
            emitKey(keyLine(l.text)->key, l.end.empty() ? std::string_view{} : l.end);
        }
    } else if (loc.sectionLine) {
        // After the section's last line that is not blank, so blank lines
        // that separate it from the next section stay where they are.
        std::size_t insertAt = *loc.sectionLine + 1;
        for (std::size_t i = *loc.sectionLine + 1; i < loc.sectionEnd; ++i)
            if (!trim(lines[i].text).empty()) insertAt = i + 1;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i == insertAt) emitKey(keyText, eol);
            emit(lines[i]);
            if (i + 1 == insertAt && lines[i].end.empty()) out.append(eol);
        }
        if (insertAt == lines.size()) emitKey(keyText, eol);
    } else {
        out = content;
        if (!out.empty() && out.back() != '\n') out.append(eol);
        if (!out.empty()) out.append(eol);
        out.append("[");
        out.append(sectionText);
        out.append("]");
        out.append(eol);
        emitKey(keyText, eol);
    }
    replaceAtomically(path_, out);
}

void IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    writeInteger(section, key, value ? 1 : 0);
}

}  // namespace fw
