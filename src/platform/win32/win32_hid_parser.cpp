#include "platform/win32/win32_hid_parser.h"

#include <windows.h>

// The headers declare the parser without C linkage.
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

namespace win32 {

std::optional<std::vector<platform::HidUsage>> Win32HidParser::usages(const std::vector<unsigned char>& preparsed,
                                                                const std::vector<unsigned char>& report) const {
    if (preparsed.empty() || report.empty()) return std::nullopt;
    auto* data = reinterpret_cast<PHIDP_PREPARSED_DATA>(const_cast<unsigned char*>(preparsed.data()));
    ULONG length = HidP_MaxUsageListLength(HidP_Input, 0, data);
    std::vector<USAGE_AND_PAGE> list(length ? length : 1);
    std::vector<unsigned char> copy(report);
    if (HidP_GetUsagesEx(HidP_Input, 0, list.data(), &length, data, reinterpret_cast<PCHAR>(copy.data()),
                         static_cast<ULONG>(copy.size())) != HIDP_STATUS_SUCCESS)
        return std::nullopt;
    std::vector<platform::HidUsage> usages;
    for (ULONG i = 0; i < length && i < list.size(); ++i) usages.push_back({list[i].UsagePage, list[i].Usage});
    return usages;
}

}  // namespace win32
