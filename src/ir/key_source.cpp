#include "ir/key_source.h"

#include <algorithm>

namespace ir {

using platform::alt;
using platform::ctrl;
using platform::HidUsage;
using platform::KeyKind;
using platform::KeyStroke;
using platform::KeyWay;
using platform::shift;
using platform::win;

namespace {

constexpr unsigned tabKey = 0x09;

unsigned bit(KeyWay way) { return 1u << static_cast<unsigned>(way); }

unsigned modifierOf(unsigned vk) {
    switch (vk) {
        case 0x10: case 0xA0: case 0xA1: return shift;
        case 0x11: case 0xA2: case 0xA3: return ctrl;
        case 0x12: case 0xA4: case 0xA5: return alt;
        case 0x5B: case 0x5C: return win;
        default: return 0;
    }
}

// Keys that no handset's receiver sends: letters, the space bar and the
// punctuation keys.
bool onlyTyped(unsigned vk) {
    return (vk >= 'A' && vk <= 'Z') || vk == 0x20 || (vk >= 0xBA && vk <= 0xC0) || (vk >= 0xDB && vk <= 0xDF) ||
           vk == 0xE2;
}

unsigned modifierIndex(unsigned bit) {
    unsigned index = 0;
    while (bit > 1) {
        bit >>= 1;
        ++index;
    }
    return index;
}

std::string usageCode(HidUsage usage) {
    const unsigned vk = platform::keyForUsage(usage);
    return vk ? keyCodeText({vk, 0, {}}) : hidCodeText(usage);
}

}  // namespace

KeyPresses::Outcome KeyPresses::down(const std::string& code, KeyWay way, std::uint32_t at) {
    const auto found = presses_.find(code);
    if (found != presses_.end()) {
        Press& p = found->second;
        if (p.down & bit(way)) {
            if (way != p.first || at - p.toldAt < heldEveryMs) return Outcome::nothing;
            p.toldAt = at;
            return Outcome::held;
        }
        // Unsigned: a clock that wrapped still gives the time between.
        const bool soon = at - p.startedAt <= joinMs;
        // Another way bringing a press already heard: held down elsewhere,
        // or a short press whose other way lags.
        const bool joins = !(p.ways & bit(way)) && (p.down != 0 || soon);
        // A way of this press that let go while another still holds it
        // (its release may never come): the key held there.
        const bool stillHeld = way != p.first && p.down != 0;
        if (joins || stillHeld) {
            p.ways |= bit(way);
            p.down |= bit(way);
            return Outcome::nothing;
        }
    }
    presses_[code] = Press{way, bit(way), bit(way), at, at};
    return Outcome::press;
}

void KeyPresses::up(const std::string& code, KeyWay way) {
    const auto found = presses_.find(code);
    if (found != presses_.end()) found->second.down &= ~bit(way);
}

bool KeyPresses::heldBy(const std::string& code, KeyWay way) const {
    const auto found = presses_.find(code);
    return found != presses_.end() && found->second.first == way && (found->second.down & bit(way));
}

void KeySource::takeCodes(std::set<std::string> codes) {
    std::lock_guard lock(takenMutex_);
    taken_ = std::move(codes);
}

std::string KeySource::codeFor(const KeyStroke& stroke, unsigned modifiers) const {
    const KeyKind kind = platform::keyKind(stroke.vk);
    if (kind == KeyKind::modifier || kind == KeyKind::unnamed) return {};
    if (kind == KeyKind::command || (modifiers & (ctrl | alt | win))) {
        // Ctrl+C in one of our fields is the field's.
        if (stroke.focusInOurField && kind == KeyKind::typing) return {};
        // Ctrl+Tab and Ctrl+Shift+Tab in our windows turn the setup
        // dialog's pages: a walk through the keys must not learn them.
        if (stroke.focusInOurWindow && stroke.vk == tabKey && !(modifiers & (alt | win))) return {};
        return keyCodeText({stroke.vk, modifiers, {}});
    }
    if (stroke.focusInOurField || stroke.device.empty() || keyboardsInUse_.count(stroke.device)) return {};
    return keyCodeText({stroke.vk, modifiers, stroke.device});
}

bool KeySource::takes(const std::string& code, const KeyStroke& stroke) const {
    // The hook cannot tell a device: a key bound to one is never taken, as
    // it may come from the keyboard in use as well.
    if (code.find('@') != std::string::npos) return false;
    if (stroke.focusInOurField && platform::keyKind(stroke.vk) == KeyKind::typing) return false;
    std::lock_guard lock(takenMutex_);
    return taken_.count(code) > 0;
}

void KeySource::settleModifiers(const KeyStroke& stroke, std::uint32_t at) {
    if (!stroke.systemModifiers) return;
    const auto way = static_cast<unsigned>(stroke.way);
    for (const unsigned m : {ctrl, alt, shift, win}) {
        const bool unheardRelease = (modifiers_[way] & m) && !(*stroke.systemModifiers & m) &&
                                    at - modifierDownAt_[way][modifierIndex(m)] >= modifierSettledMs;
        if (unheardRelease) modifiers_[way] &= ~m;
    }
}

bool KeySource::key(const KeyStroke& stroke, std::uint32_t at) {
    // What we send ourselves is for another player: never a handset's key,
    // even where a command has it among its codes.
    if (stroke.sentByUs) return false;
    expireHid(at);
    const auto way = static_cast<unsigned>(stroke.way);
    unsigned& modifiers = modifiers_[way];
    if (const unsigned m = modifierOf(stroke.vk)) {
        if (stroke.down && !(modifiers & m)) modifierDownAt_[way][modifierIndex(m)] = at;
        modifiers = stroke.down ? (modifiers | m) : (modifiers & ~m);
        return false;
    }
    if (stroke.down) settleModifiers(stroke, at);
    const auto slot = std::make_pair(stroke.way, stroke.vk);
    const bool hook = stroke.way == KeyWay::hook;
    if (!stroke.down) {
        const auto found = downCodes_.find(slot);
        if (found != downCodes_.end()) {
            if (!found->second.empty()) presses_.up(found->second, stroke.way);
            downCodes_.erase(found);
        }
        return hook && takenDowns_.erase(stroke.vk) > 0;
    }
    // The keyboard in use: one that typed what only keyboards type, or typed
    // into one of our fields.
    if (!stroke.device.empty() && (stroke.focusInOurField || (onlyTyped(stroke.vk) && !(modifiers & (ctrl | alt | win)))))
        keyboardsInUse_.insert(stroke.device);
    // An auto-repeat keeps the code its first down made, whatever was
    // pressed or let go meanwhile.
    const auto [entry, first] = downCodes_.try_emplace(slot);
    if (first) entry->second = codeFor(stroke, modifiers);
    const std::string& code = entry->second;
    if (code.empty()) return false;
    if (hook && (takenDowns_.count(stroke.vk) || (first && takes(code, stroke)))) takenDowns_.insert(stroke.vk);
    down(code, stroke.way, at);
    return hook && takenDowns_.count(stroke.vk) > 0;
}

void KeySource::down(const std::string& code, KeyWay way, std::uint32_t at) {
    switch (presses_.down(code, way, at)) {
        case KeyPresses::Outcome::press: codes_.feed(CodeSource::keys, code, Arrival::press); break;
        case KeyPresses::Outcome::held: codes_.feed(CodeSource::keys, code, Arrival::held); break;
        case KeyPresses::Outcome::nothing: break;
    }
}

void KeySource::hidReport(std::uintptr_t device, const platform::HidParser& parser,
                          const std::vector<unsigned char>& preparsed, const std::vector<unsigned char>& report,
                          std::uint32_t at) {
    expireHid(at);
    const auto usages = parser.usages(preparsed, report);
    if (!usages) return;
    std::set<HidUsage> now;
    for (std::size_t i = 0; i < usages->size() && i < maxUsages; ++i)
        if ((*usages)[i].usage != 0) now.insert((*usages)[i]);
    auto& before = hidDown_[device];
    for (auto it = before.begin(); it != before.end();) {
        if (now.count(it->first)) {
            ++it;
            continue;
        }
        const std::string code = usageCode(it->first);
        if (it->second) presses_.up(code, KeyWay::hid);
        if (code == lastHidPress_) lastHidPress_.clear();
        it = before.erase(it);
    }
    for (const HidUsage& usage : now) {
        if (before.count(usage)) continue;
        before[usage] = at;
        lastHidPress_ = usageCode(usage);
        down(lastHidPress_, KeyWay::hid, at);
    }
    if (before.empty()) hidDown_.erase(device);
}

void KeySource::deviceGone(std::uintptr_t device) {
    const auto found = hidDown_.find(device);
    if (found == hidDown_.end()) return;
    for (const auto& [usage, since] : found->second) {
        const std::string code = usageCode(usage);
        if (since) presses_.up(code, KeyWay::hid);
        if (code == lastHidPress_) lastHidPress_.clear();
    }
    hidDown_.erase(found);
}

void KeySource::expireHid(std::uint32_t at) {
    for (auto& [device, usages] : hidDown_)
        for (auto& [usage, since] : usages) {
            if (!since || at - *since <= maxHeldMs) continue;
            since.reset();
            const std::string code = usageCode(usage);
            presses_.up(code, KeyWay::hid);
            if (code == lastHidPress_) lastHidPress_.clear();
        }
}

void KeySource::tick(std::uint32_t at) {
    expireHid(at);
    // A HID key sends nothing while it is held: its repeats are made here,
    // for the key pressed last, as a keyboard repeats only that one.
    if (lastHidPress_.empty() || !presses_.heldBy(lastHidPress_, KeyWay::hid)) return;
    down(lastHidPress_, KeyWay::hid, at);
}

void KeySource::reset() {
    for (unsigned& m : modifiers_) m = 0;
    downCodes_.clear();
    takenDowns_.clear();
    hidDown_.clear();
    lastHidPress_.clear();
    presses_.clear();
}

}  // namespace ir
