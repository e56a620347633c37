// The stored outline (the Mask2 payload) as a damaged file may hold it.
// Reading it must not fail; an outline it accepts must be written back
// byte for byte and hold at least one rectangle that is not empty.
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "support/fake_control.h"
#include "widgets/cool_form.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> payload(data, data + size);
    testing_support::FakeRegions regions;
    widgets::TCoolForm skin(nullptr, "CoolForm", regions);
    skin.ReadMask2(payload);
    const std::vector<std::uint8_t> written = skin.WriteMask2();
    if (written == std::vector<std::uint8_t>(4, 0)) return 0;
    FUZZ_CHECK(written.size() <= payload.size());
    FUZZ_CHECK(std::equal(written.begin(), written.end(), payload.begin()));
    bool somethingInside = false;
    for (std::size_t at = 4 + 32; at + 16 <= written.size(); at += 16) {
        const auto word = [&](std::size_t i) {
            return static_cast<std::int32_t>(written[i] | written[i + 1] << 8 | written[i + 2] << 16 |
                                             static_cast<std::uint32_t>(written[i + 3]) << 24);
        };
        somethingInside = somethingInside || (word(at) < word(at + 8) && word(at + 4) < word(at + 12));
    }
    FUZZ_CHECK(somethingInside);
    return 0;
}
