#include "framework/text_encoding.h"

namespace fw {

// UTF-16 is held as UTF-8 while the file is in memory. A lone surrogate is
// held as the three bytes its code would take, so that any file comes back
// unit for unit when it is written.
namespace {

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool isHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string utf8FromUtf16(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]), b = static_cast<unsigned char>(bytes[2 * i + 1]);
        return bigEndian ? (std::uint32_t{a} << 8 | b) : (std::uint32_t{b} << 8 | a);
    };
    const std::size_t units = bytes.size() / 2;
    std::string out;
    out.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t u = unit(i);
        if (isHighSurrogate(u) && i + 1 < units && isLowSurrogate(unit(i + 1))) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

namespace {

// The code point of the UTF-8 sequence at `at` and its length; a byte that
// starts no valid sequence stands for itself (as Latin-1), so that 8-bit
// text written into a UTF-16 file is never lost.
std::pair<std::uint32_t, std::size_t> nextCodePoint(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = byte(at);
    const auto continued = [&](std::size_t n) {
        if (at + n >= s.size()) return false;
        for (std::size_t i = 1; i <= n; ++i)
            if ((byte(at + i) & 0xC0) != 0x80) return false;
        return true;
    };
    if (c >= 0xC0 && c < 0xE0 && continued(1)) {
        const std::uint32_t cp = (c & 0x1Fu) << 6 | (byte(at + 1) & 0x3Fu);
        if (cp >= 0x80) return {cp, 2};
    } else if (c >= 0xE0 && c < 0xF0 && continued(2)) {
        const std::uint32_t cp = (c & 0x0Fu) << 12 | (byte(at + 1) & 0x3Fu) << 6 | (byte(at + 2) & 0x3Fu);
        if (cp >= 0x800) return {cp, 3};
    } else if (c >= 0xF0 && c < 0xF8 && continued(3)) {
        const std::uint32_t cp = (c & 0x07u) << 18 | (byte(at + 1) & 0x3Fu) << 12 | (byte(at + 2) & 0x3Fu) << 6 |
                                 (byte(at + 3) & 0x3Fu);
        if (cp >= 0x10000 && cp <= 0x10FFFF) return {cp, 4};
    }
    return {c, 1};
}

}  // namespace

std::string utf16FromUtf8(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    const auto put = [&](std::uint32_t u) {
        const auto hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out.push_back(bigEndian ? hi : lo);
        out.push_back(bigEndian ? lo : hi);
    };
    for (std::size_t at = 0; at < text.size();) {
        const auto [cp, length] = nextCodePoint(text, at);
        if (cp < 0x10000) {
            put(cp);
        } else {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
        at += length;
    }
    return out;
}

}  // namespace fw
