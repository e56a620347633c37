// The encodings of a profile file: the byte-order marks a file may start
// with, and the conversions between UTF-16 and the UTF-8 a UTF-16 file is
// held as while it is in memory. Any UTF-16 file converts there and back
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

std::string fromUtf16(std::string_view bytes, bool bigEndian);
std::string toUtf16(std::string_view text, bool bigEndian);

}  // namespace fw
