// MasterVolume: the volume and mute that the remote's keys change, and the
// mute its indicator shows, through whichever way reaches the sound here:
//
//   system     the default playback device's endpoint (Vista and later,
//              where its level can be set)
//   player     the player's own output volume, where the endpoint refuses
//              (Wine, no sound device, a session without sound), or when
//              the user asks for it
//   old mixer  the old mixer interface, only where the endpoint interface
//              does not exist at all (before Vista)
//
// Every way keeps the keys' rules in its own scale: a step is 1700/65535
// of the range, the level stays inside it, a volume key clears the mute and
// the mute key toggles once from the state it reads. The mute and the level
// are known from the system's change notifications (posted to the GUI
// thread) and from what the keys set, never asked for on a timer.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "control/a_mixer.h"
#include "control/winamp_control.h"
#include "framework/component.h"
#include "framework/listeners.h"
#include "framework/post_target.h"
#include "platform/endpoint_volume.h"

namespace control {

enum class VolumeWay { system, player, oldMixer };
// [PLAYER] VOLUME: where the keys may go.
enum class VolumePreference { automatic, player };

// Which way the keys take: the system's endpoint only where its level can
// be set (read, then written back as read), the old mixer only where the
// endpoint interface does not exist, the player everywhere else.
VolumeWay chooseVolumeWay(VolumePreference preference, platform::EndpointStatus endpoint, bool levelSettable);

// What a key press came to.
enum class VolumeResult { done, noPlayer, failed };

class MasterVolume : public fw::Component {
public:
    static constexpr std::int64_t stepPer65535 = 1700;
    // Where a player found silent with no level of ours to go back to is
    // unmuted to.
    static constexpr std::int32_t playerHalfVolume = 128;

    MasterVolume(fw::Component* owner, std::string name, platform::EndpointVolume& endpoint,
                 TWinampControl& player, TAudioMixer& mixer);
    ~MasterVolume() override;

    // Takes the preference and chooses the way afresh.
    void choose(VolumePreference preference);
    VolumeWay way() const { return way_; }
    VolumePreference preference() const { return preference_; }

    // The volume keys (+1 up, -1 down) and the mute key. A way that fails
    // is replaced by a new choice, through which the key then acts.
    VolumeResult step(int direction);
    VolumeResult toggleMute();
    // The level set to a percent of the way's range (a slider, not a key),
    // which clears the mute as a volume key does.
    VolumeResult setPercent(int percent);

    // What the mute indicator shows: the way's mute as last heard (the
    // player way: whether the remote muted the player). Asks nobody.
    bool muted() const { return muted_; }
    // The level in percent of the way's range, as last heard or set (the
    // player way: the level the remote's mute goes back to while it holds
    // the player at 0); none before it is known. Asks nobody.
    std::optional<int> percent() const { return percent_; }

    // The mute or the level changed.
    [[nodiscard]] fw::Subscription onChanged(std::function<void()> changed) {
        return changed_.add(std::move(changed));
    }

private:
    // A level in the way's own scale, 0 to maximum.
    struct Level {
        std::int32_t value = 0;
        std::int32_t maximum = 0;
        std::int32_t offset = 0;  // where 0 lies on the control's own scale
    };
    VolumeResult act(const std::function<VolumeResult()>& key);
    // The new level from the level now and the way's maximum.
    using Move = std::function<std::int32_t(std::int32_t from, std::int32_t maximum)>;
    VolumeResult moveOnce(const Move& move);
    VolumeResult toggleOnce();
    VolumeResult playerMove(const Move& move);
    VolumeResult playerToggle();
    void chooseAgain();
    void setMuted(bool muted);
    // What is known of the sound now; none leaves the level as known.
    void heard(std::optional<int> percent, bool muted);
    std::optional<Level> readLevel();
    bool writeLevel(std::int32_t value, const Level& scale);
    std::optional<bool> readMuted();
    bool writeMuted(bool muted);
    std::optional<std::int32_t> playerLevel();
    void endpointChanged(float level, bool muted);

    platform::EndpointVolume& endpoint_;
    // Whether each device's level could be set, found once per device: the
    // test sets the system's level, which is not ours to do at every choice.
    std::map<std::string, bool> settable_;
    TWinampControl& player_;
    TAudioMixer& mixer_;
    VolumePreference preference_ = VolumePreference::automatic;
    VolumeWay way_ = VolumeWay::player;
    bool muted_ = false;
    std::optional<int> percent_;
    // The player way's own mute: set while the remote holds the player at
    // 0, with the level to go back to.
    bool playerMuted_ = false;
    std::int32_t rememberedLevel_ = 0;
    fw::Listeners<void()> changed_;
    // Work posted from the system's threads runs only while this lives.
    fw::PostTarget<MasterVolume> target_{*this};
};

}  // namespace control
