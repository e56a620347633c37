// The system's random source and SHA-256 on Windows (CNG, bcrypt.dll).
#pragma once

#include "platform/crypto.h"

namespace win32 {

class Win32Crypto : public platform::Crypto {
public:
    bool random(std::span<std::uint8_t> out) override;
    std::array<std::uint8_t, 32> sha256(std::string_view data) override;
};

}  // namespace win32
