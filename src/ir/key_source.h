// KeySource: the keys and remotes the system hears, made codes for the
// code bus. It decides, for every key that comes by any way:
// - what it is as a code, if anything: a key no one types (media, volume,
//   browser, launch, F13-F24) or any key with Ctrl, Alt or Win is its own
//   code; a key that types or moves is a code only with the device it came
//   from, and never from the keyboard in use (a device that typed a letter,
//   a space or punctuation anywhere, or anything into one of our fields)
//   nor while one of the program's own fields has the focus;
// - one press however many ways it arrives (the hook, the keyboard's raw
//   input, a HID report of the same key): the first way that brings it
//   starts the press, the others joining within joinMs are the same press,
//   and only the first way's repeats are the key held;
// - a held key: a keyboard's auto-repeat, or a HID key still down (a
//   re-trigger control such as volume up repeats while held), repeated at
//   every tick as held arrivals until the release;
// - which modifiers are held: as heard, less those the system says were
//   let go where nothing of ours heard it, and none after the session was
//   unlocked or the system woke;
// - which keys are the remote's, kept from the program in front by the
//   hook: learned codes of the key alone while the remote carries codes
//   out, never a typing key while one of our fields has the focus, and the
//   release of every key whose press was taken.
// It runs on the listening thread; only the codes it takes are set from
// another.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "ir/code_sink.h"
#include "ir/key_codes.h"
#include "platform/key_input.h"

namespace ir {

// The ways of one press, each key's code at a time.
class KeyPresses {
public:
    static constexpr std::uint32_t joinMs = 100;
    // A keyboard repeats up to 30 times a second; the key held is told at
    // most every heldEveryMs, about as often as a handset repeats.
    static constexpr std::uint32_t heldEveryMs = platform::KeyListener::tickMs;
    enum class Outcome { nothing, press, held };

    Outcome down(const std::string& code, platform::KeyWay way, std::uint32_t at);
    void up(const std::string& code, platform::KeyWay way);
    // Whether `way` holds `code` down and started its press.
    bool heldBy(const std::string& code, platform::KeyWay way) const;
    void clear() { presses_.clear(); }

private:
    struct Press {
        platform::KeyWay first = platform::KeyWay::keyboard;
        unsigned ways = 0;  // bits of the ways that brought it
        unsigned down = 0;  // bits of the ways that hold it down
        std::uint32_t startedAt = 0;
        std::uint32_t toldAt = 0;  // the press or the key held, last told
    };
    std::map<std::string, Press> presses_;
};

class KeySource : public platform::KeyListener {
public:
    // A HID key is not repeated for longer than this: a remote unplugged
    // without a notice (the system asleep meanwhile) must not hold its key
    // for good.
    static constexpr std::uint32_t maxHeldMs = 15000;
    // A report's usages beyond this many are not looked at.
    static constexpr std::size_t maxUsages = 32;
    // A modifier heard down at least this long ago that the system says is
    // up was let go unheard. Sooner, the system's state may already be ahead
    // of the key being read (a receiver sends Ctrl, F13 and their releases
    // within a few milliseconds).
    static constexpr std::uint32_t modifierSettledMs = 500;

    explicit KeySource(CodeSink& codes) : codes_(codes) {}

    // Any thread: the codes the hook takes from other programs.
    void takeCodes(std::set<std::string> codes);
    // The listening thread, or while it does not run.
    bool key(const platform::KeyStroke& stroke, std::uint32_t at) override;
    void hidReport(std::uintptr_t device, const platform::HidParser& parser,
                   const std::vector<unsigned char>& preparsed, const std::vector<unsigned char>& report,
                   std::uint32_t at) override;
    void deviceGone(std::uintptr_t device) override;
    void afresh() override { reset(); }
    void tick(std::uint32_t at) override;
    // Only while the HID key pressed last is held: the only one that repeats.
    bool wantsTicks() const override { return !lastHidPress_.empty(); }
    // Nothing is held any more (the listening stopped).
    void reset();

    // The code a key down makes with `modifiers` held; empty for none.
    std::string codeFor(const platform::KeyStroke& stroke, unsigned modifiers) const;

private:
    bool takes(const std::string& code, const platform::KeyStroke& stroke) const;
    // The way's modifiers, less those the system says were let go unheard.
    void settleModifiers(const platform::KeyStroke& stroke, std::uint32_t at);
    void down(const std::string& code, platform::KeyWay way, std::uint32_t at);
    // HID keys down longer than maxHeldMs are let go: their presses end,
    // and the same keys from elsewhere are presses again.
    void expireHid(std::uint32_t at);

    CodeSink& codes_;
    mutable std::mutex takenMutex_;
    std::set<std::string> taken_;  // under takenMutex_
    unsigned modifiers_[3] = {};   // per way
    std::uint32_t modifierDownAt_[3][4] = {};  // per way, per modifier bit
    std::set<std::string> keyboardsInUse_;
    // The code each key's down made, per way: its release ends that code.
    std::map<std::pair<platform::KeyWay, unsigned>, std::string> downCodes_;
    std::set<unsigned> takenDowns_;  // the hook's
    // Each device's keys down, as its reports say: when each went down,
    // or none once let go for being held too long (still down, no longer
    // a press).
    std::map<std::uintptr_t, std::map<platform::HidUsage, std::optional<std::uint32_t>>> hidDown_;
    // The HID key pressed last, while it is held.
    std::string lastHidPress_;
    KeyPresses presses_;
};

}  // namespace ir
