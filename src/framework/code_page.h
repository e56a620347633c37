// 8-bit text as a system reads it: the code page of files that carry no
// mark of their encoding (on Windows, its ANSI code page, as its own
// profile calls read them), to and from the UTF-8 text the program holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fw {

class CodePage {
public:
    virtual ~CodePage() = default;
    virtual std::string toUtf8(std::string_view bytes) const = 0;
    // None when a character of the text has no byte of its own here.
    virtual std::optional<std::string> fromUtf8(std::string_view text) const = 0;
};

// Every byte its own character (ISO 8859-1): what a system that says
// nothing of its code page gets, and what holds any bytes unchanged.
const CodePage& latin1();

}  // namespace fw
