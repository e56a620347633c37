// The system's folding on Windows: compatibility decomposition (FoldString),
// the non-spacing marks dropped (the system's character types), then lower
// case (LCMapStringEx, invariant).
#pragma once

#include "platform/text_folding.h"

namespace win32 {

class Win32TextFolding : public platform::TextFolding {
public:
    std::string fold(std::string_view utf8) const override;
};

}  // namespace win32
