// Text encodings: the byte-order marks a file may start with, and the
// conversions between UTF-16 (a file's, or a player's title) and the
// UTF-8 the program holds text in. Any UTF-16 text converts there and back
// unit for unit (a lone surrogate is held as the three bytes its code
// would take); a byte that starts no UTF-8 sequence stands for itself, as
// Latin-1, so 8-bit text written into a UTF-16 file is never lost.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

constexpr std::string_view utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16leMark = "\xFF\xFE";
constexpr std::string_view utf16beMark = "\xFE\xFF";

std::string utf8FromUtf16(std::string_view bytes, bool bigEndian);
std::string utf16FromUtf8(std::string_view text, bool bigEndian);

}  // namespace fw
