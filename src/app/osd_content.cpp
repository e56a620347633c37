#include "app/osd_content.h"

namespace app {
namespace {

OsdContent noPlayer() { return {"NO PLAYER", {}, {}, {}, {}, {}, {}}; }

}  // namespace

OsdContent describeCommand(const Command& command, const RemoteState& state, const CommandOutcome& outcome) {
    OsdContent c;
    c.title = command.name;
    // The player's volume with no player: the key changed nothing.
    const bool volumeKey = command.feedback == Feedback::volume || command.feedback == Feedback::mute;
    if (volumeKey && outcome.volume == control::VolumeResult::noPlayer) return noPlayer();
    switch (command.feedback) {
        case Feedback::volume:
            c.title = "VOLUME";
            if ((c.percent = state.volume)) c.number = std::to_string(*c.percent);
            return c;
        case Feedback::mute:
            if (outcome.volume == control::VolumeResult::done) {
                c.muted = state.muted;
                c.title = state.muted ? "MUTE ON" : "MUTE OFF";
            }
            return c;
        case Feedback::player:
            switch (outcome.start.outcome) {
                case PlayerStart::Outcome::notFound: return noPlayer();
                case PlayerStart::Outcome::failed: c.title = "PLAYER DID NOT START"; break;
                case PlayerStart::Outcome::closed: c.title = "CLOSING PLAYER"; break;
                case PlayerStart::Outcome::none:
                case PlayerStart::Outcome::started: c.title = "STARTING PLAYER"; break;
            }
            return c;
        case Feedback::digits:
            c.title = "TRACK";
            // Digits being typed show as the track read-out shows them;
            // once entered (or cancelled) the player's track is shown.
            if (!state.digits.empty()) {
                c.number = state.digits;
                return c;
            }
            break;
        default: break;
    }
    // What the player cannot do is said, not left a silent nothing.
    if (outcome.notSupported) {
        c.title = "NOT SUPPORTED";
        return c;
    }
    if (!state.player) return noPlayer();
    // What the player did not answer after the command is left out.
    const auto told = [&](unsigned parts) { return (outcome.unanswered & parts) == 0; };
    switch (command.feedback) {
        case Feedback::transport:
            if (told(playPart)) c.state = state.play;
            if (told(positionPart)) c.time = timeReadout(state);
            if (told(trackPart)) c.number = trackReadout(state);
            if (told(trackPart | titlePart)) c.song = state.title;
            break;
        case Feedback::digits:
            if (told(trackPart)) c.number = trackReadout(state);
            break;
        case Feedback::shuffle:
            if (told(shufflePart)) c.title += state.shuffle ? " ON" : " OFF";
            break;
        case Feedback::repeat:
            if (told(repeatPart)) c.title += state.repeat ? " ON" : " OFF";
            break;
        default: break;
    }
    return c;
}

OsdContent describeNowPlaying(const RemoteState& state) {
    return {"NOW PLAYING", {}, {}, {}, {}, {}, state.title};
}

}  // namespace app
