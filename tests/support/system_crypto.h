// The random source and SHA-256 of this machine (OpenSSL), for tests that
// pair phones natively; the program itself asks Windows.
#pragma once

#include <openssl/evp.h>
#include <openssl/rand.h>

#include "platform/crypto.h"

namespace testing_support {

class SystemCrypto : public platform::Crypto {
public:
    bool random(std::span<std::uint8_t> out) override {
        return RAND_bytes(out.data(), static_cast<int>(out.size())) == 1;
    }
    std::array<std::uint8_t, 32> sha256(std::string_view data) override {
        std::array<std::uint8_t, 32> digest{};
        unsigned int size = 0;
        EVP_Digest(data.data(), data.size(), digest.data(), &size, EVP_sha256(), nullptr);
        return digest;
    }
};

}  // namespace testing_support
