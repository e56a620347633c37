// What a LIRC server (or anything listening on its port) may send: the
// input's first byte sets the size of the reads it arrives in, the rest is
// the stream. The keys must not depend on how the stream was cut into
// reads, the reader must never hold more than a line, and every key's code
// text must be a server code that a list of codes in ir_zav.ini holds and
// reads back as it was.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/learned_codes.h"
#include "fuzz_check.h"
#include "ir/lirc_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t readSize = data[0] % 64 + 1;
    const std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);

    ir::LircLineReader whole, pieces;
    const std::vector<ir::LircKey> atOnce = whole.feed(stream);
    std::vector<ir::LircKey> inReads;
    for (std::size_t at = 0; at < stream.size(); at += readSize)
        for (ir::LircKey& k : pieces.feed(stream.substr(at, readSize))) inReads.push_back(std::move(k));
    FUZZ_CHECK(atOnce == inReads);

    for (const ir::LircKey& key : atOnce) {
        FUZZ_CHECK(!key.code.empty() && key.code.size() <= 16);
        FUZZ_CHECK(!key.button.empty() && !key.remote.empty());
        const std::string text = ir::serverCodeText(key);
        if (text.size() > app::maxServerCodeLength) continue;
        FUZZ_CHECK(app::isServerCode(text));
        FUZZ_CHECK(app::parseCodeList(app::formatCodeList({text})) == app::CodeList{text});
        FUZZ_CHECK(app::holdsCode({text}, text));
    }
    return 0;
}
