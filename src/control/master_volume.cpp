#include "control/master_volume.h"

#include <algorithm>
#include <cmath>

#include "framework/application.h"

namespace control {
namespace {

// The master output, as the old mixer names it: the first destination's
// line itself.
constexpr std::int32_t master = 0;
constexpr std::int32_t lineItself = -1;
constexpr std::int32_t endpointScale = 65535;

// 1700/65535 of the range, at least one unit: 1700 of 65535, 7 of 255.
std::int32_t stepFor(std::int32_t maximum) {
    const auto step = (std::int64_t{maximum} * MasterVolume::stepPer65535 + endpointScale / 2) / endpointScale;
    return static_cast<std::int32_t>(std::max<std::int64_t>(step, 1));
}

int percentOf(std::int32_t value, std::int32_t maximum) {
    if (maximum <= 0) return 0;
    return static_cast<int>(std::clamp<std::int64_t>((std::int64_t{value} * 100 + maximum / 2) / maximum, 0, 100));
}

// The level of a percent of the way's range, which reads back as that percent.
std::int32_t levelOf(int percent, std::int32_t maximum) {
    return static_cast<std::int32_t>((std::int64_t{std::clamp(percent, 0, 100)} * maximum + 50) / 100);
}

}  // namespace

VolumeWay chooseVolumeWay(VolumePreference preference, platform::EndpointStatus endpoint, bool levelSettable) {
    if (preference == VolumePreference::player) return VolumeWay::player;
    switch (endpoint) {
        case platform::EndpointStatus::bound: return levelSettable ? VolumeWay::system : VolumeWay::player;
        case platform::EndpointStatus::noDevice: return VolumeWay::player;
        case platform::EndpointStatus::noInterface: return VolumeWay::oldMixer;
    }
    return VolumeWay::player;
}

MasterVolume::MasterVolume(fw::Component* owner, std::string name, platform::EndpointVolume& endpoint,
                           TWinampControl& player, TAudioMixer& mixer)
    : fw::Component(owner, std::move(name)),
      endpoint_(endpoint),
      player_(player),
      mixer_(mixer) {
    // The old mixer's notifications come through the GUI thread's loop.
    mixer_.OnControlChange = [this](fw::Component&, std::int32_t, std::int32_t) {
        if (way_ != VolumeWay::oldMixer) return;
        bool m = muted_;
        mixer_.GetMute(master, lineItself, m);
        const auto level = readLevel();
        heard(level ? std::optional(percentOf(level->value, level->maximum)) : std::nullopt, m);
    };
}

MasterVolume::~MasterVolume() {
    mixer_.OnControlChange = nullptr;
    endpoint_.release();
}

void MasterVolume::choose(VolumePreference preference) {
    preference_ = preference;
    chooseAgain();
}

void MasterVolume::chooseAgain() {
    platform::EndpointStatus status = platform::EndpointStatus::noDevice;
    bool settable = false;
    if (preference_ == VolumePreference::automatic) {
        // The system's threads reach us only through the GUI thread, and
        // only while we live.
        platform::EndpointEvents events;
        if (fw::Application* app = fw::Application::find(this)) {
            const auto post = target_.to(*app);
            events.volumeChanged = [post](float level, bool m) {
                post([level, m](MasterVolume& self) { self.endpointChanged(level, m); });
            };
            events.devicesChanged = [post] { post([](MasterVolume& self) { self.chooseAgain(); }); };
        }
        status = endpoint_.bind(std::move(events));
        // Only a level that can be set is the system's: the dB and mute
        // calls may succeed on a copy of the caller's own (Wine), and a
        // level that reads but cannot be written is no use to a key. Each
        // device is tried once, by writing back the level it has.
        if (status == platform::EndpointStatus::bound) {
            const std::string device = endpoint_.device();
            const auto known = settable_.find(device);
            if (known != settable_.end()) {
                settable = known->second;
            } else {
                const auto level = endpoint_.level();
                settable = level && endpoint_.setLevel(*level);
                settable_[device] = settable;
            }
        }
    } else {
        // The user keeps the keys off the system's volume: nothing of it
        // is held or heard.
        endpoint_.release();
    }
    const VolumeWay before = way_;
    way_ = chooseVolumeWay(preference_, status, settable);
    // Another way's level is not this one's: known again once read or set.
    if (way_ != before) percent_.reset();
    switch (way_) {
        case VolumeWay::player: setMuted(playerMuted_); break;
        case VolumeWay::system:
        case VolumeWay::oldMixer: {
            // The system's own level is read where it lives, not asked of a player.
            const auto level = readLevel();
            heard(level ? std::optional(percentOf(level->value, level->maximum)) : std::nullopt,
                  readMuted().value_or(false));
            break;
        }
    }
}

void MasterVolume::endpointChanged(float level, bool muted) {
    if (way_ != VolumeWay::system) return;
    heard(percentOf(static_cast<std::int32_t>(std::lround(std::clamp(level, 0.0f, 1.0f) * endpointScale)), endpointScale),
          muted);
}

void MasterVolume::setMuted(bool muted) { heard(std::nullopt, muted); }

void MasterVolume::heard(std::optional<int> percent, bool muted) {
    const bool changed = muted != muted_ || (percent && percent != percent_);
    muted_ = muted;
    if (percent) percent_ = percent;
    if (changed) changed_();
}

VolumeResult MasterVolume::step(int direction) {
    return act([this, direction] {
        return moveOnce([direction](std::int32_t from, std::int32_t maximum) {
            return from + direction * stepFor(maximum);
        });
    });
}

VolumeResult MasterVolume::setPercent(int percent) {
    return act([this, percent] {
        return moveOnce([percent](std::int32_t, std::int32_t maximum) { return levelOf(percent, maximum); });
    });
}

VolumeResult MasterVolume::toggleMute() {
    return act([this] { return toggleOnce(); });
}

VolumeResult MasterVolume::act(const std::function<VolumeResult()>& key) {
    const VolumeResult result = key();
    if (result != VolumeResult::failed) return result;
    // The way failed under the key (a device gone before its notice came):
    // the key acts once more through what is there now, the device tried
    // afresh.
    if (way_ == VolumeWay::system) settable_.erase(endpoint_.device());
    chooseAgain();
    return key();
}

VolumeResult MasterVolume::moveOnce(const Move& move) {
    if (way_ == VolumeWay::player) return playerMove(move);
    const auto level = readLevel();
    if (!level) return VolumeResult::failed;
    const std::int32_t value = std::clamp(move(level->value, level->maximum), std::int32_t{0}, level->maximum);
    if (!writeLevel(value, *level)) return VolumeResult::failed;
    // A volume key clears the mute.
    if (readMuted().value_or(false)) {
        if (!writeMuted(false)) return VolumeResult::failed;
    }
    heard(percentOf(value, level->maximum), false);
    return VolumeResult::done;
}

VolumeResult MasterVolume::toggleOnce() {
    if (way_ == VolumeWay::player) return playerToggle();
    const auto muted = readMuted();
    if (!muted) return VolumeResult::failed;
    if (!writeMuted(!*muted)) return VolumeResult::failed;
    setMuted(!*muted);
    return VolumeResult::done;
}

std::optional<std::int32_t> MasterVolume::playerLevel() {
    auto level = player_.GetVolume();
    if (!level) return std::nullopt;
    *level = std::clamp(*level, std::int32_t{0}, winamp::maximumVolume);
    // The player's own slider moved it: the remote's mute is over.
    if (*level > 0 && playerMuted_) playerMuted_ = false;
    if (way_ == VolumeWay::player)
        heard(playerMuted_ ? percentOf(rememberedLevel_, winamp::maximumVolume) : percentOf(*level, winamp::maximumVolume),
              playerMuted_);
    return level;
}

VolumeResult MasterVolume::playerMove(const Move& move) {
    const auto level = playerLevel();
    if (!level) return VolumeResult::noPlayer;
    // Out of the remote's mute, from where it was before.
    const std::int32_t from = playerMuted_ && *level == 0 ? rememberedLevel_ : *level;
    const std::int32_t value = std::clamp(move(from, winamp::maximumVolume), std::int32_t{0}, winamp::maximumVolume);
    if (!player_.SetVolume(value)) return VolumeResult::noPlayer;
    playerMuted_ = false;
    heard(percentOf(value, winamp::maximumVolume), false);
    return VolumeResult::done;
}

VolumeResult MasterVolume::playerToggle() {
    const auto level = playerLevel();
    if (!level) return VolumeResult::noPlayer;
    if (*level > 0) {
        if (!player_.SetVolume(0)) return VolumeResult::noPlayer;
        rememberedLevel_ = *level;
        playerMuted_ = true;
        setMuted(true);
        return VolumeResult::done;
    }
    // Silent: back to our level, or to half volume when the player was
    // silent before we touched it.
    const std::int32_t back = playerMuted_ ? rememberedLevel_ : playerHalfVolume;
    if (!player_.SetVolume(back)) return VolumeResult::noPlayer;
    playerMuted_ = false;
    heard(percentOf(back, winamp::maximumVolume), false);
    return VolumeResult::done;
}

std::optional<MasterVolume::Level> MasterVolume::readLevel() {
    if (way_ == VolumeWay::system) {
        const auto level = endpoint_.level();
        if (!level) return std::nullopt;
        const auto value = static_cast<std::int32_t>(std::lround(std::clamp(*level, 0.0f, 1.0f) * endpointScale));
        return Level{value, endpointScale, 0};
    }
    const TVolumeState state = mixer_.GetVolume(master, lineItself);
    const auto range = mixer_.VolumeRange(master, lineItself);
    if (!state.Found || state.RightVolume < 0 || !range) return std::nullopt;
    // A level below 0 would read as "leave the volume alone".
    const std::int32_t low = std::max<std::int32_t>(0, range->Minimum);
    const std::int32_t high = std::max<std::int32_t>(low, range->Maximum);
    // From the right channel, as the key always had it.
    return Level{std::clamp(state.RightVolume, low, high) - low, high - low, low};
}

bool MasterVolume::writeLevel(std::int32_t value, const Level& scale) {
    if (way_ == VolumeWay::system) return endpoint_.setLevel(static_cast<float>(value) / endpointScale);
    // The old mixer clears the mute in the same call, as its key always did.
    return mixer_.SetVolume(master, lineItself, value + scale.offset, value + scale.offset, 0);
}

std::optional<bool> MasterVolume::readMuted() {
    if (way_ == VolumeWay::system) return endpoint_.muted();
    if (way_ == VolumeWay::oldMixer) {
        bool m = false;
        if (mixer_.GetMute(master, lineItself, m)) return m;
    }
    return std::nullopt;
}

bool MasterVolume::writeMuted(bool muted) {
    if (way_ == VolumeWay::system) return endpoint_.setMuted(muted);
    return way_ == VolumeWay::oldMixer && mixer_.SetMute(master, lineItself, muted);
}

}  // namespace control
