// Where a LIRC or WinLIRC server listens, as the user writes it:
// "host:port", "host" alone (the servers' port, 8765) or "[v6 address]" with
// or without ":port". Blanks around it are allowed; the host holds none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ir {

struct LircAddress {
    static constexpr std::uint16_t defaultPort = 8765;
    std::string host;
    std::uint16_t port = defaultPort;
    bool operator==(const LircAddress&) const = default;
};

// None for a text that is not an address (an empty one included).
std::optional<LircAddress> parseLircAddress(std::string_view text);

}  // namespace ir
