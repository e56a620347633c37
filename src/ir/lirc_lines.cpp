#include "ir/lirc_lines.h"

namespace ir {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool isHex(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits) return false;
    for (char c : s)
        if (hexDigit(c) < 0) return false;
    return true;
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at])) ++at;
        const std::size_t begin = at;
        while (at < line.size() && !isBlank(line[at])) ++at;
        if (at > begin) out.push_back(line.substr(begin, at - begin));
    }
    return out;
}

}  // namespace

std::optional<LircKey> parseLircLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto f = fields(line);
    // A repeat count of more than 8 digits no server sends, and it would
    // not fit its 32 bits.
    if (f.size() != 4 || !isHex(f[0], 16) || !isHex(f[1], 8)) return std::nullopt;
    for (std::string_view name : {f[2], f[3]})
        for (char c : name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
    LircKey key{std::string(f[0]), 0, std::string(f[2]), std::string(f[3])};
    for (char c : f[1]) key.repeat = key.repeat << 4 | static_cast<std::uint32_t>(hexDigit(c));
    return key;
}

std::vector<LircKey> LircLineReader::feed(std::string_view bytes) {
    std::vector<LircKey> keys;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (!dropping_) {
            if (line_.size() + piece.size() > maxLineLength) {
                // Too long to be a key: the rest of it goes too.
                line_.clear();
                dropping_ = true;
            } else {
                line_.append(piece);
            }
        }
        if (end == std::string_view::npos) break;
        if (!dropping_)
            if (auto key = parseLircLine(line_)) keys.push_back(std::move(*key));
        line_.clear();
        dropping_ = false;
        bytes.remove_prefix(end + 1);
    }
    return keys;
}

void LircLineReader::reset() {
    line_.clear();
    dropping_ = false;
}

std::string serverCodeText(const LircKey& key) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    const auto add = [&](std::string_view name) {
        for (char c : name) {
            const auto u = static_cast<unsigned char>(c);
            if (u <= 0x20 || u == 0x7F || c == ',' || c == '=' || c == '%' || c == ':') {
                text += '%';
                text += digits[u >> 4];
                text += digits[u & 0xF];
            } else {
                text += c;
            }
        }
    };
    add(key.remote);
    text += ':';
    add(key.button);
    return text;
}

}  // namespace ir
