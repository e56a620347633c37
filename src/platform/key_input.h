// The keys and remotes the system itself hears: keyboards (media keys,
// keyboard-emulating receivers, a Media Center receiver's digits and
// arrows), consumer-control and vendor HID remotes. The system hands them
// to one window of the process whatever program is in front (raw input),
// and lets that process take a key from every other program (a low-level
// keyboard hook). The listening runs on a thread of its own with a message
// loop, so that a busy window of ours never holds up the system's input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/key_vocabulary.h"

namespace platform {

// The ways a key reaches us; one press may come by several.
enum class KeyWay { hook, keyboard, hid };

struct KeyStroke {
    unsigned vk = 0;
    bool down = true;
    KeyWay way = KeyWay::keyboard;
    // The device's "VVVV:PPPP" (deviceId); empty when the way cannot
    // tell (the hook) or the device names none.
    std::string device;
    // One of the program's own fields has the keyboard focus.
    bool focusInOurField = false;
    // One of the program's own windows has the keyboard focus (a field of
    // it or not).
    bool focusInOurWindow = false;
    // A key the program sent itself (a media key for another player).
    bool sentByUs = false;
    // The modifiers (Modifier bits) the system holds down as the key
    // comes, where the way can tell: the truth about a modifier whose
    // release came where nothing of ours heard it (the secure desktop, an
    // elevated window in front).
    std::optional<unsigned> systemModifiers;
};

// Reads a HID report with the device's parser data: the usages of the
// buttons down in it, or none when the parser rejects the report.
class HidParser {
public:
    virtual ~HidParser() = default;
    virtual std::optional<std::vector<HidUsage>> usages(const std::vector<unsigned char>& preparsed,
                                                            const std::vector<unsigned char>& report) const = 0;
};

// Told on the listening thread; each call returns at once.
class KeyListener {
public:
    virtual ~KeyListener() = default;
    // Whether the key is the remote's: the hook then keeps it from the
    // program in front. Only the hook's answer counts.
    virtual bool key(const KeyStroke& stroke, std::uint32_t at) = 0;
    // A report of a HID remote; `device` tells its devices apart.
    virtual void hidReport(std::uintptr_t device, const HidParser& parser,
                           const std::vector<unsigned char>& preparsed, const std::vector<unsigned char>& report,
                           std::uint32_t at) = 0;
    // A device was unplugged: what it held is let go.
    virtual void deviceGone(std::uintptr_t device) = 0;
    // The session was unlocked, or the system woke: keys may have been let
    // go meanwhile where nothing of ours heard it.
    virtual void afresh() = 0;
    // About every tickMs while wantsTicks(): held HID keys repeat, about
    // as often as a handset repeats a held key.
    static constexpr std::uint32_t tickMs = 100;
    virtual void tick(std::uint32_t at) = 0;
    virtual bool wantsTicks() const = 0;
};

class KeyInput {
public:
    virtual ~KeyInput() = default;
    // Starts listening for `listener`; false when the system refuses (its
    // reason in `error`). Done when it returns, as is stop: nothing reaches
    // the listener after stop returns.
    virtual bool start(KeyListener& listener, std::string& error) = 0;
    virtual void stop() = 0;
    // After the system woke: the registrations made anew.
    virtual void listenAgain() = 0;
};

}  // namespace platform
