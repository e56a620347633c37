// LiveState: the keeper of the remote's one live state (remote_state.h).
// It looks at the player for whoever watches, as often as the most eager
// watcher asks and for the parts the watchers due need, one look serving
// them all; with no watcher the player is asked nothing. A look asks the
// player's window once for the parts the look needs, and the title only
// when the track changed or a command just ran; what the player leaves
// unanswered stays as it was. The other parts (the volume, the mute, the digits, the badge) are
// set by the remote as they change. Every change is told once, with the
// parts it touched.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/remote_state.h"
#include "control/winamp_control.h"
#include "framework/component.h"
#include "framework/listeners.h"
#include "framework/timer.h"

namespace app {

class LiveState : public fw::Component {
public:
    // `mediaKeys` tells whether, with no player window, the transport keys
    // go out as the system's media keys.
    LiveState(fw::Component* owner, std::string name, control::TWinampControl& player,
              std::function<bool()> mediaKeys);
    ~LiveState() override;

    const RemoteState& state() const { return state_; }
    [[nodiscard]] fw::Subscription onChange(std::function<void(const RemoteState&, const StateChange&)> listener) {
        return listeners_.add(std::move(listener));
    }
    // The player is looked at for this watcher until the subscription
    // ends: at once, then as often as it asks.
    [[nodiscard]] fw::Subscription watch(StateWatch watch);
    bool watched() const { return !watchers_.empty(); }

    // A command: what it changes and what the one look after it finds
    // (everything, for whoever watches) are told as one change, when the
    // command is done.
    class CommandChanges {
    public:
        explicit CommandChanges(LiveState& live);
        ~CommandChanges();
        CommandChanges(const CommandChanges&) = delete;
        CommandChanges& operator=(const CommandChanges&) = delete;
        // The look after it, once it ran.
        void look();

    private:
        LiveState& live_;
    };
    // The parts (StatePart bits) the last look asked and got no answer for.
    unsigned unanswered() const { return unanswered_; }

    void setDigits(std::string digits);
    void setBadge(bool lit);
    void setSound(std::optional<int> volume, bool muted);

    // Looks at the player while someone watches, at the pace of the most
    // eager watcher.
    fw::Timer* TimerLook = nullptr;  // owned

private:
    struct Watcher {
        StateWatch watch;
        std::uint32_t servedAt = 0;
    };
    std::uint32_t now() const;
    void tick();
    // One look at the player, for the parts asked; then every watcher it
    // serves is served.
    void look(StateWatch::Parts parts, bool afterCommand);
    void paceLooks();
    void publish(RemoteState next, bool afterCommand);

    control::TWinampControl& player_;
    std::function<bool()> mediaKeys_;
    RemoteState state_;
    // The track whose title was read; none before the first.
    std::optional<std::int32_t> titleOf_;
    unsigned unanswered_ = 0;
    // While a command runs: its changes wait, to be told as one.
    bool holding_ = false;
    unsigned held_ = 0;
    std::map<unsigned, Watcher> watchers_;
    unsigned lastWatcher_ = 0;
    // Subscriptions that outlive this object find it gone.
    std::shared_ptr<LiveState*> alive_ = std::make_shared<LiveState*>(this);
    fw::Listeners<void(const RemoteState&, const StateChange&)> listeners_;
};

}  // namespace app
