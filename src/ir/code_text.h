// The code text assembled from received bytes: upper-case hexadecimal, at
// most 12 characters, complete at 5 or more. The receive thread appends;
// the setup dialog may empty it from the GUI thread, so every operation
// takes a lock.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

namespace ir {

class CodeText {
public:
    static constexpr std::size_t capacity = 12;
    static constexpr std::size_t completeAt = 5;

    // The byte's hexadecimal text without leading zeros (0 gives "0", 31
    // gives "1F"); characters past the capacity are dropped.
    void append(std::uint8_t byte);
    std::string text() const;
    std::size_t length() const;
    void clear();
    // The text, leaving it empty, in one step; nothing is taken (and
    // nothing returned) while the text is shorter than a complete code, so
    // a clear from the GUI thread can never hand on half a code.
    std::string takeIfComplete();

    static std::string byteText(std::uint8_t byte);

private:
    mutable std::mutex mutex_;
    std::string text_;
};

}  // namespace ir
