// The message boxes of the platform seam, on MessageBoxA.
#pragma once

#include <string>

namespace win32 {

// Modal, with no owner window and an OK button.
void showMessage(const std::string& text, const std::string& caption);

}  // namespace win32
