// The receiver's byte stream as any device on the port may send it: the
// input is pairs of (pause before the byte, byte), the pause's low six bits
// in milliseconds (the other bits are not used). Every
// code text that comes out must be 5 to 12 upper-case hexadecimal digits,
// and what the handset's commands make of it must hold together.
#include <chrono>
#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

#include "app/handset_commands.h"
#include "ir/press_tracker.h"
#include "fuzz_check.h"
#include "ir/com_func.h"
#include "ir/com_thread.h"
#include "support/fake_serial.h"

namespace {

bool isCode(const std::string& text) {
    if (text.size() < ir::CodeText::completeAt || text.size() > ir::CodeText::capacity) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

class Sink : public ir::CodeSink {
public:
    std::vector<std::string> codes;
    void feed(ir::CodeSource source, std::string code, ir::Arrival arrival) override {
        FUZZ_CHECK(source == ir::CodeSource::serial && arrival == ir::Arrival::unknown);
        codes.push_back(std::move(code));
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing_support::FakeSerial serial;
    ir::ComFunc com(serial, serial.messageBoxes());
    if (!com.OpenComPort(1, 9600)) return 0;
    Sink display;
    std::chrono::microseconds at{0};
    std::size_t bytes = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2, ++bytes) {
        at += std::chrono::milliseconds(data[i] & 0x3F);
        serial.arrive(at, data[i + 1]);
    }
    ir::CodeText code;
    std::stop_source stop;
    serial.onDrained = [&] { stop.request_stop(); };
    std::size_t passes = 0;
    while (ir::ReceivePass(com, code, display, stop.get_token()) != ir::PassEnd::stopped)
        FUZZ_CHECK(++passes <= bytes);
    const std::string left = code.text();
    FUZZ_CHECK(left.size() < ir::CodeText::completeAt);

    app::Settings settings;
    settings.LearnedCodes["PLAY"] = {"A1B2C3", "A1B2CB"};
    settings.LearnedCodes["VOLUME UP"] = {"A1B2C3"};
    settings.LearnedCodes["REW"] = {"10203"};
    settings.LearnedCodes["HELD KEY"] = {"FFFFFF"};
    ir::PressTracker presses;
    presses.setHeldKeyCode([](const std::string& c) { return c == "FFFFFF"; });
    app::HeldRepeats repeats;
    std::uint32_t ms = 0;
    std::string previous;
    for (const std::string& text : display.codes) {
        FUZZ_CHECK(isCode(text));
        for (const std::string& command : app::commandsLearnedFor(settings, text))
            FUZZ_CHECK(app::holdsCode(settings.LearnedCodes.at(command), text));
        // 110 ms apart: each code holds the press before it exactly when it
        // is that press's code again or the held-key code.
        const bool held = presses.judge(text, ir::Arrival::unknown, ms += 110) == ir::PressTracker::Judged::held;
        FUZZ_CHECK(held == (!previous.empty() && (text == previous || text == "FFFFFF")));
        if (!held) {
            previous = text;
            repeats.pressed(app::Repetition::everySecondArrival, ms);
        } else {
            repeats.heldArrival(ms);
        }
    }
    return 0;
}
