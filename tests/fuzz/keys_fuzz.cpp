// What the keys and remotes the system hears may bring, in any order: HID
// reports (read through the parser's seam by a parser that, like the
// system's, maps the bits of a report to the usages its device declares,
// and rejects a report of another id), keys down and up by any way with
// any device, devices unplugged, ticks and resets. Every code fed must be
// a key code that a list of codes holds and reads back; a key held is only
// ever the key of a press going on; after a reset, or once every device is
// gone and nothing is down, nothing repeats.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/learned_codes.h"
#include "fuzz_check.h"
#include "ir/key_source.h"

namespace {

// The device's "parser data": the usages its report's bits stand for.
class BitParser : public platform::HidParser {
public:
    std::optional<std::vector<platform::HidUsage>> usages(const std::vector<unsigned char>& preparsed,
                                                    const std::vector<unsigned char>& report) const override {
        if (report.empty() || report[0] != 1) return std::nullopt;
        std::vector<platform::HidUsage> down;
        for (std::size_t bit = 0; bit + 16 <= (report.size() - 1) * 8 && bit / 8 * 2 + 1 < preparsed.size(); ++bit)
            if (report[1 + bit / 8] & (1u << (bit % 8)))
                down.push_back({preparsed[0] ? std::uint16_t{0xFFBC} : std::uint16_t{0x0C},
                                static_cast<std::uint16_t>(preparsed[1 + bit % (preparsed.size() - 1)] + bit)});
        return down;
    }
};

class Checked : public ir::CodeSink {
public:
    void feed(ir::CodeSource source, std::string code, ir::Arrival arrival) override {
        FUZZ_CHECK(source == ir::CodeSource::keys);
        FUZZ_CHECK(app::isKeyCode(code));
        FUZZ_CHECK(app::parseCodeList(app::formatCodeList({code})) == app::CodeList{code});
        FUZZ_CHECK(arrival == ir::Arrival::press || arrival == ir::Arrival::held);
        if (arrival == ir::Arrival::held) FUZZ_CHECK(pressed.count(code));
        pressed.insert(code);
    }
    std::set<std::string> pressed;
};

const char* const devices[] = {"", "045E:006D", "046D:C31C", "20A0:0006"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Checked sink;
    ir::KeySource source(sink);
    source.takeCodes({"key:MEDIA_PLAY_PAUSE", "key:CTRL+K", "key:5@045E:006D"});
    BitParser parser;
    std::vector<unsigned char> preparsed[4] = {{0, 0xB5, 0xCD, 0xE9}, {1, 0x0D, 0x48}, {0, 0x9C}, {}};
    std::set<std::uintptr_t> plugged;
    std::uint32_t at = 0xFFFFF000u;  // the clock wraps on the way
    std::size_t i = 0;
    auto next = [&]() -> unsigned { return i < size ? data[i++] : 0; };
    while (i < size) {
        const unsigned op = next();
        at += next() * 4;
        switch (op % 5) {
            case 0: {
                const std::uintptr_t device = next() % 4;
                std::vector<unsigned char> report(next() % 8);
                for (unsigned char& b : report) b = static_cast<unsigned char>(next());
                source.hidReport(device, parser, preparsed[device], report, at);
                plugged.insert(device);
                break;
            }
            case 1: {
                const std::uintptr_t device = next() % 4;
                source.deviceGone(device);
                plugged.erase(device);
                break;
            }
            case 2: source.tick(at); break;
            case 3: {
                const unsigned flags = next();
                const unsigned vk = next();
                const unsigned system = next();
                const platform::KeyStroke stroke{
                    .vk = vk,
                    .down = (flags & 1) != 0,
                    .way = static_cast<platform::KeyWay>(flags / 2 % 3),
                    .device = devices[flags / 8 % 4],
                    .focusInOurField = (flags & 32) != 0,
                    .systemModifiers = (flags & 64) ? std::optional<unsigned>(system & 15) : std::nullopt};
                const bool taken = source.key(stroke, at);
                // Only the hook's answer counts, and a device's own key is never taken.
                if (stroke.way != platform::KeyWay::hook) FUZZ_CHECK(!taken);
                break;
            }
            default:
                if (op & 8)
                    source.afresh();
                else
                    source.reset();
                sink.pressed.clear();
                plugged.clear();
                FUZZ_CHECK(!source.wantsTicks());
                break;
        }
        if (plugged.empty()) FUZZ_CHECK(!source.wantsTicks());
    }
    return 0;
}
