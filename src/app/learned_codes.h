// The codes learned for a command, as the settings file holds them: one key
// of section COMENZI_IR per name, its value a comma-separated list of up to
// four codes ("A1B2C3,A1B2CB"), a single code written as it always was, so
// earlier versions still read it. Reading keeps the first four items that
// are codes, blanks around them removed, and ignores the rest. A code is
// either the serial receiver's, 1 to 12 hexadecimal digits compared without
// regard to letter case, a server's key, "<remote>:<button>" without
// blanks, commas or "=", or a key the system hears ("key:MEDIA_PLAY_PAUSE",
// "key:5@045E:006D", "hid:FFBC:0D"), both compared exactly (their names
// are case-sensitive).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace app {

using CodeList = std::vector<std::string>;

inline constexpr std::size_t maxCodesPerCommand = 4;

// 1 to 12 hexadecimal digits, either case.
bool isSerialCode(std::string_view text);
// A name, ":", a name; no blank, comma, "=" or control character, at most
// maxServerCodeLength characters.
bool isServerCode(std::string_view text);
inline constexpr std::size_t maxServerCodeLength = 255;
// A key or remote the system hears, in the one spelling it is written.
bool isKeyCode(std::string_view text);
// Any kind: what a list of codes keeps.
bool isCodeText(std::string_view text);
CodeList parseCodeList(std::string_view value);
std::string formatCodeList(const CodeList& codes);
// Whether `codes` holds `code` (a serial code in any letter case); never
// for an empty code.
bool holdsCode(const CodeList& codes, std::string_view code);
// Whether two codes are the same: serial codes whatever their letter case,
// the others exactly.
bool sameCode(std::string_view a, std::string_view b);

}  // namespace app
