#include "app/live_state.h"

#include <algorithm>
#include <utility>

#include "framework/application.h"

namespace app {

using Parts = StateWatch::Parts;

LiveState::LiveState(fw::Component* owner, std::string name, control::TWinampControl& player,
                     std::function<bool()> mediaKeys)
    : fw::Component(owner, std::move(name)), player_(player), mediaKeys_(std::move(mediaKeys)) {
    TimerLook = &create<fw::Timer>("TimerLook");
    TimerLook->setEnabled(false);
    TimerLook->bindHandler([this](fw::Component&) { tick(); });
}

LiveState::~LiveState() {
    *alive_ = nullptr;
    destroyComponents();
}

std::uint32_t LiveState::now() const { return fw::Application::of(const_cast<LiveState*>(this)).host().tickCount(); }

fw::Subscription LiveState::watch(StateWatch watch) {
    const unsigned id = ++lastWatcher_;
    watchers_[id] = Watcher{watch, 0};
    look(watch.parts, false);
    paceLooks();
    return fw::Subscription([alive = std::weak_ptr<LiveState*>(alive_), id] {
        const auto self = alive.lock();
        if (!self || !*self) return;
        (*self)->watchers_.erase(id);
        (*self)->paceLooks();
    });
}

void LiveState::paceLooks() {
    if (watchers_.empty()) {
        TimerLook->setEnabled(false);
        return;
    }
    std::uint32_t every = watchers_.begin()->second.watch.everyMs;
    for (const auto& [id, w] : watchers_) every = std::min(every, w.watch.everyMs);
    if (TimerLook->interval() != static_cast<int>(every)) TimerLook->setInterval(static_cast<int>(every));
    TimerLook->setEnabled(true);
}

void LiveState::tick() {
    const std::uint32_t at = now();
    const auto half = static_cast<std::uint32_t>(TimerLook->interval() / 2);
    bool due = false;
    Parts parts = Parts::track;
    for (const auto& [id, w] : watchers_) {
        // A tick a little early is on time: the timer's own pace is the
        // most eager watcher's.
        if (at - w.servedAt + half < w.watch.everyMs) continue;
        due = true;
        if (w.watch.parts == Parts::everything) parts = Parts::everything;
    }
    if (due) look(parts, false);
}

LiveState::CommandChanges::CommandChanges(LiveState& live) : live_(live) {
    live_.holding_ = true;
    live_.held_ = 0;
}

LiveState::CommandChanges::~CommandChanges() {
    live_.holding_ = false;
    const unsigned parts = std::exchange(live_.held_, 0);
    if (parts != 0) live_.listeners_(live_.state_, StateChange{parts, true});
}

void LiveState::CommandChanges::look() {
    if (live_.watched()) live_.look(Parts::everything, true);
}

void LiveState::look(Parts parts, bool afterCommand) {
    const std::uint32_t at = now();
    for (auto& [id, w] : watchers_)
        if (parts == Parts::everything || w.watch.parts == Parts::track) w.servedAt = at;
    control::TWinampControl& p = player_;
    // One look-up of the window serves the whole look; a player that
    // leaves a question unanswered is asked nothing more.
    const control::TWinampControl::Session session(p);
    RemoteState next = state_;
    if (!p.IsRunning()) {
        unanswered_ = 0;
        next.player.reset();
        next.mediaKeys = mediaKeys_ && mediaKeys_();
        next.play = PlayState::stopped;
        next.positionMs.reset();
        next.track.reset();
        next.title.reset();
        next.shuffle = next.repeat = false;
        titleOf_.reset();
        publish(std::move(next), afterCommand);
        return;
    }
    next.mediaKeys = false;
    unanswered_ = 0;
    // Each part is taken only when its answer came; the rest stays as it was.
    const auto take = [&](StatePart part, auto value, auto& into) {
        if (session.answered())
            into = value;
        else
            unanswered_ |= part;
    };
    take(playerPart, std::optional<std::string>(p.DescribePlayer()), next.player);
    if (next.player != state_.player) titleOf_.reset();
    if (parts == Parts::everything) {
        take(playPart, p.Status(), next.play);
        take(positionPart, std::optional<std::int32_t>(p.PositionMs()), next.positionMs);
    }
    take(trackPart, p.TrackNumber(), next.track);
    if (!next.track) {
        next.title.reset();
    } else if ((titleOf_ != next.track || afterCommand) && !(unanswered_ & trackPart)) {
        // The title is read when the track changed (one question more a
        // change, none a look), and after a command, which may have put
        // another list's title at the same place.
        take(titlePart, p.GetTitle(*next.track), next.title);
        if (!(unanswered_ & titlePart)) titleOf_ = next.track;
    }
    if (parts == Parts::everything) {
        take(repeatPart, p.IsRepeatOn(), next.repeat);
        take(shufflePart, p.IsShuffleOn(), next.shuffle);
    }
    publish(std::move(next), afterCommand);
}

void LiveState::setDigits(std::string digits) {
    RemoteState next = state_;
    next.digits = std::move(digits);
    publish(std::move(next), false);
}

void LiveState::setBadge(bool lit) {
    RemoteState next = state_;
    next.badge = lit;
    publish(std::move(next), false);
}

void LiveState::setSound(std::optional<int> volume, bool muted) {
    RemoteState next = state_;
    next.volume = volume;
    next.muted = muted;
    publish(std::move(next), false);
}

void LiveState::publish(RemoteState next, bool afterCommand) {
    StateChange change;
    change.afterCommand = afterCommand;
    const auto mark = [&](bool differs, StatePart part) {
        if (differs) change.parts |= part;
    };
    mark(next.player != state_.player || next.mediaKeys != state_.mediaKeys, playerPart);
    mark(next.play != state_.play, playPart);
    mark(next.positionMs != state_.positionMs, positionPart);
    mark(next.track != state_.track, trackPart);
    mark(next.title != state_.title, titlePart);
    mark(next.volume != state_.volume, volumePart);
    mark(next.muted != state_.muted, mutedPart);
    mark(next.shuffle != state_.shuffle, shufflePart);
    mark(next.repeat != state_.repeat, repeatPart);
    mark(next.digits != state_.digits, digitsPart);
    mark(next.badge != state_.badge, badgePart);
    state_ = std::move(next);
    if (holding_)
        held_ |= change.parts;
    else if (change.parts != 0)
        listeners_(state_, change);
}

}  // namespace app
