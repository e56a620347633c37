// The system's HID parser (hid.dll): the buttons down in a remote's report,
// read with the device's own parser data.
#pragma once

#include <optional>
#include <vector>

#include "platform/key_input.h"

namespace win32 {

class Win32HidParser : public platform::HidParser {
public:
    std::optional<std::vector<platform::HidUsage>> usages(const std::vector<unsigned char>& preparsed,
                                                    const std::vector<unsigned char>& report) const override;
};

}  // namespace win32
