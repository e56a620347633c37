// Pairing a phone: the PC shows a code of six digits; the phone that sends
// it back gets a token. A code works once and is void after two minutes,
// after five wrong tries, or when the pairing window closes. Called from
// the GUI thread (open, close) and the server's thread (attempt).
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "platform/crypto.h"

namespace web {

using Clock = std::chrono::steady_clock;

constexpr auto codeLifetime = std::chrono::minutes(2);
constexpr int wrongTriesAllowed = 5;

class Pairing {
public:
    explicit Pairing(platform::Crypto& crypto) : crypto_(crypto) {}

    // A new code, voiding any earlier one; none when the random source failed.
    std::optional<std::string> open(Clock::time_point now);
    void close();
    // Whether a code is open that a phone could still pair with.
    bool isOpen(Clock::time_point now) const;

    enum class Outcome {
        paired,  // the code was right: it is used up, `token` holds the new token
        wrong,   // a wrong code, while one is open
        none,    // no code open: none shown, used, expired, or too many tries
    };
    struct Attempt {
        Outcome outcome = Outcome::none;
        std::string token;  // hex, 128 bits
    };
    Attempt attempt(const std::string& code, Clock::time_point now);

private:
    bool validLocked(Clock::time_point now) const;

    platform::Crypto& crypto_;
    mutable std::mutex lock_;
    std::optional<std::string> code_;
    Clock::time_point opened_{};
    int wrongTries_ = 0;
};

}  // namespace web
