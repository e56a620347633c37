// Reaching the player's window by its class and talking to it: whether it
// answers at all, a command to carry out, a request to answer. Each call is
// one synchronous exchange with the player's window, bounded in time: a
// player that stops answering cannot hold its caller.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/code_page.h"
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
    // The file name of the program that owns the window ("foobar2000.exe");
    // empty when it cannot be told.
    virtual std::string programOf(fw::WindowHandle window) = 0;
    // Up to `bytes` bytes of the window's process memory from `address`
    // (fewer where its readable memory ends); none when nothing there can
    // be read. A text the player answers with is an address in its memory.
    virtual std::optional<std::string> readMemory(fw::WindowHandle window, std::uint32_t address,
                                                  std::size_t bytes) = 0;
    // The code page of the players' 8-bit texts.
    virtual const fw::CodePage& codePage() const { return fw::latin1(); }
};

}  // namespace platform
