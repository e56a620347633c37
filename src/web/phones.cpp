#include "web/phones.h"

#include <algorithm>

namespace web {

namespace {

constexpr std::size_t maxNameChars = 40;
constexpr std::size_t hashHexSize = 64;

// The length of the UTF-8 sequence that starts with `lead`; 0 for a byte
// that cannot start one.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

bool continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool isHex(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

bool isDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

}  // namespace

std::string cleanPhoneName(std::string_view given) {
    std::string name;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < given.size() && chars < maxNameChars;) {
        auto lead = static_cast<unsigned char>(given[i]);
        std::size_t length = sequenceLength(lead);
        bool whole = length != 0 && i + length <= given.size();
        for (std::size_t k = 1; whole && k < length; ++k)
            whole = continuation(static_cast<unsigned char>(given[i + k]));
        if (!whole) {  // not UTF-8: left out
            ++i;
            continue;
        }
        std::string_view piece = given.substr(i, length);
        i += length;
        if (length == 1 && (lead < 0x20 || lead == 0x7F || lead == '[' || lead == ']' || lead == '='))
            continue;
        // C1 controls (U+0080 to U+009F) are two bytes, C2 80 to C2 9F.
        if (length == 2 && lead == 0xC2 && static_cast<unsigned char>(piece[1]) < 0xA0)
            continue;
        name += piece;
        ++chars;
    }
    auto first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return "Phone";
    name.erase(0, first);
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

std::optional<Phone> phoneFromLine(std::string_view key, std::string_view value) {
    if (key.size() != hashHexSize || !isHex(key) || value.size() < 10 || !isDate(value.substr(0, 10)))
        return std::nullopt;
    std::string_view name = value.substr(10);
    if (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    return Phone{std::string(key), std::string(value.substr(0, 10)), cleanPhoneName(name)};
}

bool sameSecret(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

std::string phoneLineValue(const Phone& phone) { return phone.date + " " + phone.name; }

std::string hexOf(const std::uint8_t* bytes, std::size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

void Phones::set(std::vector<Phone> phones) {
    std::lock_guard hold(lock_);
    phones_ = std::move(phones);
    ++forgetting_;
}

void Phones::add(const Phone& phone) {
    std::lock_guard hold(lock_);
    phones_.push_back(phone);
}

void Phones::forget(const std::string& hash) {
    std::lock_guard hold(lock_);
    std::erase_if(phones_, [&](const Phone& phone) { return phone.hash == hash; });
    ++forgetting_;
}

void Phones::forgetAll() {
    std::lock_guard hold(lock_);
    phones_.clear();
    ++forgetting_;
}

std::vector<Phone> Phones::list() const {
    std::lock_guard hold(lock_);
    return phones_;
}

bool Phones::knows(const std::string& hash) const {
    std::lock_guard hold(lock_);
    // Every stored hash is compared, whatever matched, so that the time
    // taken tells nothing of which or how much.
    bool found = false;
    for (const Phone& phone : phones_)
        found = sameSecret(phone.hash, hash) | found;
    return found;
}

std::uint64_t Phones::forgetting() const {
    std::lock_guard hold(lock_);
    return forgetting_;
}

}  // namespace web
