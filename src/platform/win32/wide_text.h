// The program's narrow text and the system's wide-character calls. Paths
// and texts inside the program are in the code page its host reads them in
// (the one the executable's path comes in); the wide calls at the system's
// edge take and give UTF-16.
#pragma once

#include <string>

namespace win32 {

std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

}  // namespace win32
