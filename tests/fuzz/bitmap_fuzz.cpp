// A skin picture as a damaged or hostile file may hold it. Reading it
// either refuses it with BitmapError or gives a picture that writes and
// reads back to itself.
#include <cstdint>
#include <vector>

#include "framework/bitmap.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    fw::Bitmap picture;
    try {
        picture = fw::Bitmap::fromBmpBytes(bytes);
    } catch (const fw::BitmapError&) {
        return 0;
    }
    FUZZ_CHECK(!picture.empty());
    FUZZ_CHECK(picture.pixels().size() == static_cast<std::size_t>(picture.width()) * picture.height());
    FUZZ_CHECK(fw::Bitmap::fromBmpBytes(picture.toBmpBytes()) == picture);
    return 0;
}
