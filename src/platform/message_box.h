// Telling the user something that needs an answer before the program goes
// on: a modal message box with no owner window and an OK button, with its
// text and caption (the receiver link's "Eroare" boxes).
#pragma once

#include <functional>
#include <string>

namespace platform {

using ShowMessage = std::function<void(const std::string& text, const std::string& caption)>;

}  // namespace platform
