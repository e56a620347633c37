// The phones paired with the remote. Only the SHA-256 of each token is kept
// (in memory and in the settings file), so nothing stored can be copied to
// drive the remote; a token is checked by hashing it and comparing the hash
// with every stored one in constant time.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "web/web_remote.h"

namespace web {

// A name as a phone gave it, made safe to show and to store: at most 40
// characters, no control characters, no '[', ']' or '=', spaces trimmed;
// "Phone" where nothing is left.
std::string cleanPhoneName(std::string_view given);

// A line of the paired phones' section: key "<hash>" and value
// "<YYYY-MM-DD> <name>"; none for a line that is not one.
std::optional<Phone> phoneFromLine(std::string_view key, std::string_view value);
std::string phoneLineValue(const Phone& phone);

// Whether two secrets are the same, in a time that tells nothing of where
// they differ.
bool sameSecret(std::string_view a, std::string_view b);

// Lower-case hex of bytes.
std::string hexOf(const std::uint8_t* bytes, std::size_t size);

class Phones {
public:
    void set(std::vector<Phone> phones);
    void add(const Phone& phone);
    void forget(const std::string& hash);
    void forgetAll();
    std::vector<Phone> list() const;
    // A phone with this token's hash is paired.
    bool knows(const std::string& hash) const;
    // Changes whenever a phone is forgotten, so that whoever holds a request
    // or a stream of a forgotten phone can tell.
    std::uint64_t forgetting() const;

private:
    mutable std::mutex lock_;
    std::vector<Phone> phones_;
    std::uint64_t forgetting_ = 0;
};

}  // namespace web
