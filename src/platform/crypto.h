// The system's random source and its SHA-256: what pairing a phone needs to
// make codes and tokens nobody can guess and to keep only hashes of them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

class Crypto {
public:
    virtual ~Crypto() = default;
    // Fills `out` from the system's random source; false when it failed,
    // and then nothing may be made of `out`.
    virtual bool random(std::span<std::uint8_t> out) = 0;
    virtual std::array<std::uint8_t, 32> sha256(std::string_view data) = 0;
};

}  // namespace platform
