// The program's text and the system's wide-character calls. Text inside
// the program is UTF-8 (8-bit settings files are decoded once, when they
// are read); the calls at the system's edge take and give UTF-16. A byte
// that is not UTF-8 becomes U+FFFD, the replacement character.
#pragma once

#include <string>

namespace win32 {

std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

}  // namespace win32
