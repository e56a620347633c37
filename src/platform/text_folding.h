// The system's own folding of a text for searching: letter case and accents
// aside, in any alphabet, so "Ștefan" is found by "stefan" and "ПРИВЕТ" by
// "привет". Callable from any thread.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class TextFolding {
public:
    virtual ~TextFolding() = default;
    // UTF-8 in and out; bytes that are not UTF-8 are taken as U+FFFD.
    virtual std::string fold(std::string_view utf8) const = 0;
};

}  // namespace platform
