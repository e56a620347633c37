#include "platform/win32/win32_message_box.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace win32 {

void showMessage(const std::string& text, const std::string& caption) {
    MessageBoxW(nullptr, widen(text).c_str(), widen(caption).c_str(), MB_OK);
}

}  // namespace win32
