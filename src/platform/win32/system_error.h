// The system's own words for an error number, in the user's language, as
// the system's dialogs say it.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// "Access is denied." for 5; "Error N" when the system has no words for it.
std::string errorText(DWORD code);

}  // namespace win32
