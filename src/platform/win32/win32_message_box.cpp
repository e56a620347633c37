#include "platform/win32/win32_message_box.h"

#include <windows.h>

namespace win32 {

void showMessage(const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace win32
