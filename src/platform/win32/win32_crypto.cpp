#include "platform/win32/win32_crypto.h"

#include <windows.h>
#include <bcrypt.h>

#include <stdexcept>

namespace win32 {

namespace {

bool succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

bool Win32Crypto::random(std::span<std::uint8_t> out) {
    return succeeded(BCryptGenRandom(nullptr, out.data(), static_cast<ULONG>(out.size()),
                                     BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

std::array<std::uint8_t, 32> Win32Crypto::sha256(std::string_view data) {
    // Opened once: the provider is costly to open and safe to share.
    static BCRYPT_ALG_HANDLE algorithm = [] {
        BCRYPT_ALG_HANDLE handle = nullptr;
        if (!succeeded(BCryptOpenAlgorithmProvider(&handle, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
            handle = nullptr;
        return handle;
    }();
    // SHA-256 is in every Windows since Vista; without it nothing paired
    // could be checked, so its absence is an error, never an empty hash.
    if (!algorithm)
        throw std::runtime_error("SHA-256 is not available");
    std::array<std::uint8_t, 32> digest{};
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool done = succeeded(BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0)) &&
                succeeded(BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(data.data())),
                                         static_cast<ULONG>(data.size()), 0)) &&
                succeeded(BCryptFinishHash(hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    if (hash)
        BCryptDestroyHash(hash);
    if (!done)
        throw std::runtime_error("SHA-256 failed");
    return digest;
}

}  // namespace win32
