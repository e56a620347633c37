// The program's text and the system's wide-character calls. Text inside
// the program is UTF-8; the calls at the system's edge take and give
// UTF-16. Text that is not UTF-8 (8-bit text from an older settings file,
// written in the system's code page) is read in that code page.
#pragma once

#include <string>

namespace win32 {

std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

}  // namespace win32
