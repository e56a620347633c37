// Table-driven cases are named after their description, so that a failure
// says which row failed: letters and digits stay, everything else is "_".
#pragma once

#include <cctype>
#include <string>

namespace testing_support {

inline std::string caseName(std::string what) {
    for (char& ch : what)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return what;
}

// For INSTANTIATE_TEST_SUITE_P over rows with a `what`.
inline constexpr auto byWhat = [](const auto& info) { return caseName(info.param.what); };

}  // namespace testing_support
