#include "web/pairing.h"

#include <array>

#include "web/phones.h"

namespace web {

std::optional<std::string> Pairing::open(Clock::time_point now) {
    // Drawn until below the largest multiple of a million, so that every
    // code is as likely as every other.
    constexpr std::uint32_t codes = 1000000;
    constexpr std::uint32_t fair = (0xFFFFFFFFu / codes) * codes;
    std::uint32_t drawn = 0;
    do {
        std::array<std::uint8_t, 4> bytes{};
        if (!crypto_.random(bytes))
            return std::nullopt;
        drawn = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    } while (drawn >= fair);
    std::string code = std::to_string(drawn % codes);
    code.insert(0, 6 - code.size(), '0');
    std::lock_guard hold(lock_);
    code_ = code;
    opened_ = now;
    wrongTries_ = 0;
    return code;
}

void Pairing::close() {
    std::lock_guard hold(lock_);
    code_.reset();
}

bool Pairing::isOpen(Clock::time_point now) const {
    std::lock_guard hold(lock_);
    return validLocked(now);
}

bool Pairing::validLocked(Clock::time_point now) const {
    return code_ && now >= opened_ && now - opened_ < codeLifetime && wrongTries_ < wrongTriesAllowed;
}

Pairing::Attempt Pairing::attempt(const std::string& code, Clock::time_point now) {
    std::lock_guard hold(lock_);
    if (!validLocked(now)) {
        code_.reset();
        return {};
    }
    if (!sameSecret(code, *code_)) {
        if (++wrongTries_ >= wrongTriesAllowed)
            code_.reset();
        return {Outcome::wrong, {}};
    }
    std::array<std::uint8_t, 16> bytes{};
    if (!crypto_.random(bytes))
        return {};  // the code stays open for a try that can be answered
    code_.reset();
    return {Outcome::paired, hexOf(bytes.data(), bytes.size())};
}

}  // namespace web
