// The codes learned for a command, as the settings file holds them: one key
// of section COMENZI_IR per name, its value a comma-separated list of up to
// four codes ("A1B2C3,A1B2CB"), a single code written as it always was, so
// earlier versions still read it. Reading keeps the first four items that
// are 1 to 12 hexadecimal digits, blanks around them removed, and ignores
// the rest; codes compare without regard to letter case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace app {

using CodeList = std::vector<std::string>;

inline constexpr std::size_t maxCodesPerCommand = 4;

// 1 to 12 hexadecimal digits, either case.
bool isCodeText(std::string_view text);
CodeList parseCodeList(std::string_view value);
std::string formatCodeList(const CodeList& codes);
// Whether `codes` holds `code`, whatever the letter case; never for an
// empty code.
bool holdsCode(const CodeList& codes, std::string_view code);

}  // namespace app
