// Text to integer conversion with the program's long-standing rules:
// leading blanks, an optional sign, then decimal digits, or hexadecimal
// digits after "$"; nothing may follow. Decimal must fit 32 bits signed;
// hexadecimal may use all 32 bits (so "$FFFFFFFF" is -1).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace fw {

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::optional<int> tryStrToInt(std::string_view text);
// Raises "'<text>' is not a valid integer value" when the text does not convert.
int strToInt(std::string_view text);
int strToIntDef(std::string_view text, int fallback);

// Equal without regard to the case of ASCII letters, as names in settings
// files and learned codes are compared.
bool sameText(std::string_view a, std::string_view b);

// Without the blanks (spaces and tabs) around it.
std::string_view trimBlanks(std::string_view text);

// 1 to `maxDigits` upper-case hexadecimal digits and nothing else, as the
// codes of keys and devices spell them; none otherwise.
std::optional<unsigned> upperHexValue(std::string_view text, std::size_t maxDigits);
// `value` in upper-case hexadecimal, at least `digits` long.
std::string upperHexText(unsigned value, int digits);

}  // namespace fw
