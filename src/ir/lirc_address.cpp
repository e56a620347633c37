#include "ir/lirc_address.h"

#include "framework/convert.h"

namespace ir {
namespace {

std::optional<std::uint16_t> portOf(std::string_view s) {
    if (s.empty() || s.size() > 5) return std::nullopt;
    std::uint32_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (n == 0 || n > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(n);
}

// A name or an IPv4 address: letters, digits, dots, hyphens, underscores.
bool isHostName(std::string_view s) {
    if (s.empty() || s.size() > 253) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
              c == '_'))
            return false;
    return true;
}

bool isV6(std::string_view s) {
    if (s.size() < 2 || s.size() > 45 || s.find(':') == std::string_view::npos) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || (c >= '0' && c <= '9') || c == ':' || c == '.' ||
              c == '%'))
            return false;
    return true;
}

}  // namespace

std::optional<LircAddress> parseLircAddress(std::string_view text) {
    text = fw::trimBlanks(text);
    LircAddress a;
    std::string_view rest;
    if (text.starts_with('[')) {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos || !isV6(text.substr(1, close - 1))) return std::nullopt;
        a.host = std::string(text.substr(1, close - 1));
        rest = text.substr(close + 1);
        if (!rest.empty() && !rest.starts_with(':')) return std::nullopt;
    } else {
        const std::size_t colon = text.find(':');
        if (!isHostName(text.substr(0, colon))) return std::nullopt;
        a.host = std::string(text.substr(0, colon));
        if (colon != std::string_view::npos) rest = text.substr(colon);
    }
    if (!rest.empty()) {
        const auto port = portOf(rest.substr(1));
        if (!port) return std::nullopt;
        a.port = *port;
    }
    return a;
}

}  // namespace ir
