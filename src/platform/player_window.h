// Reaching the player's window by its class and talking to it: whether it
// answers at all, a command to carry out, a request to answer. Each call is
// one synchronous exchange with the player's window, bounded in time: a
// player that stops answering cannot hold its caller.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/host.h"

namespace platform {

class PlayerWindows {
public:
    virtual ~PlayerWindows() = default;
    // The first top-level window of that class (no title given); 0 for none.
    virtual fw::WindowHandle findByClass(const std::string& windowClass) = 0;
    // Each returns once the window has handled the message, with its 32-bit
    // reply; nothing when the window has gone meanwhile.
    virtual std::optional<std::int32_t> ping(fw::WindowHandle window) = 0;
    virtual std::optional<std::int32_t> command(fw::WindowHandle window, std::int32_t commandId) = 0;
    virtual std::optional<std::int32_t> request(fw::WindowHandle window, std::int32_t code,
                                                std::int32_t argument) = 0;
};

}  // namespace platform
