#include "app/osd_feed.h"

#include "app/osd_content.h"

namespace app {

OsdFeed::OsdFeed(Remote& remote, const fw::Form& window, TOsd& osd) : remote_(remote), window_(window), osd_(osd) {
    commands_ = remote_.onCommand([this](const Command& command, CommandSource source, const CommandOutcome& outcome) {
        commandRan(command, source, outcome);
    });
    state_ = remote_.onState([this](const RemoteState& state, const StateChange& change) { stateChanged(state, change); });
    applied_ = remote_.onSettingsApplied([this] { followSetting(); });
    followSetting();
}

void OsdFeed::followSetting() {
    if (!remote_.settings().Osd) {
        watch_.reset();
        return;
    }
    if (!watch_.active()) watch_ = remote_.watch({trackWatchMs, StateWatch::Parts::track});
}

void OsdFeed::commandRan(const Command& command, CommandSource source, const CommandOutcome& outcome) {
    if (!remote_.settings().Osd) return;
    if (!outcome.notSupported && (!fromHandset(source) || window_.visible())) return;
    osd_.showContent(describeCommand(command, remote_.state(), outcome));
}

void OsdFeed::stateChanged(const RemoteState& state, const StateChange& change) {
    if (!change.has(trackPart) && !change.has(playerPart)) return;
    const std::optional<std::int32_t> before = seenTrack_;
    seenTrack_ = state.track;
    // A command that moved the track has shown it already; a player that
    // starts, or one whose track cannot be told, has moved nowhere.
    const bool moved = before && state.track && before != state.track && !change.afterCommand;
    if (!moved || !state.title || window_.visible() || !remote_.settings().Osd) return;
    osd_.showContent(describeNowPlaying(state));
}

}  // namespace app
