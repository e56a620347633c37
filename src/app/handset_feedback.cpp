#include "app/handset_feedback.h"

#include "app/remote.h"

namespace app {
namespace {

using Player = control::TWinampControl;

// The player's part: false when no player runs. A question it leaves
// unanswered ends the talk, and what was not heard is left out.
bool askPlayer(const Command& command, Player& player, OsdContent& c) {
    const Player::Session session(player);
    if (!player.IsRunning()) return false;
    switch (command.feedback) {
        case Feedback::transport: {
            const auto state = player.Status();
            if (!session.answered()) break;
            c.state = state;
            std::string time;
            player.GetTimeText(time);
            if (!session.answered()) break;
            c.time = time;
            std::string track;
            player.GetTrackText(track);
            if (!session.answered()) break;
            c.number = track;
            c.song = player.GetTitle();
            break;
        }
        case Feedback::digits: {
            std::string track;
            player.GetTrackText(track);
            if (session.answered()) c.number = track;
            break;
        }
        case Feedback::shuffle:
        case Feedback::repeat: {
            const bool shuffle = command.feedback == Feedback::shuffle;
            // What the player cannot do is said, not left a silent nothing.
            if (player.NotSupported()) {
                c.title = "NOT SUPPORTED";
                break;
            }
            const bool on = shuffle ? player.IsShuffleOn() : player.IsRepeatOn();
            if (session.answered()) c.title += on ? " ON" : " OFF";
            break;
        }
        default: break;
    }
    return true;
}

}  // namespace

OsdContent describeCommand(const Command& command, Remote& remote) {
    OsdContent c;
    c.title = command.name;
    control::MasterVolume& volume = *remote.MasterVolume;
    // The player's volume with no player: the key changed nothing.
    const bool volumeKey = command.feedback == Feedback::volume || command.feedback == Feedback::mute;
    const bool noPlayer = volumeKey && remote.lastVolumeResult() == control::VolumeResult::noPlayer;
    switch (command.feedback) {
        case Feedback::volume: {
            if (noPlayer) break;
            c.title = "VOLUME";
            // Read afresh: the level the sound has now, whoever moved it.
            if ((c.percent = volume.percent())) c.number = std::to_string(*c.percent);
            return c;
        }
        case Feedback::mute: {
            if (noPlayer) break;
            if (remote.lastVolumeResult() == control::VolumeResult::done) {
                c.muted = volume.muted();
                c.title = *c.muted ? "MUTE ON" : "MUTE OFF";
            }
            return c;
        }
        case Feedback::player:
            switch (remote.lastStart().outcome) {
                case PlayerStart::Outcome::notFound: return {"NO PLAYER", {}, {}, {}, {}, {}, {}};
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
            if (!remote.TrackDigits().empty()) {
                c.number = remote.TrackDigits();
                return c;
            }
            break;
        default: break;
    }
    if (noPlayer || !askPlayer(command, *remote.WinampControl, c)) return {"NO PLAYER", {}, {}, {}, {}, {}, {}};
    return c;
}

HandsetFeedback::HandsetFeedback(Remote& remote, const fw::Form& window, TOsd& osd)
    : remote_(remote), window_(window), osd_(osd) {
    listening_ = remote_.onCommand([this](const Command& command, CommandSource source) { commandRan(command, source); });
    watch_ = &osd.create<fw::Timer>("TimerTrack");
    watch_->setInterval(trackWatchMs);
    watch_->bindHandler([this](fw::Component&) { watchTrack(); });
}

void HandsetFeedback::watchTrack() {
    if (window_.visible() || !remote_.settings().Osd) {
        lastTrack_.reset();
        lastTitle_.reset();
        return;
    }
    Player& player = *remote_.WinampControl;
    const Player::Session session(player);
    std::string track;
    if (player.IsRunning()) player.GetTrackText(track);
    if (!session.answered()) return;
    const bool shown = shownSinceLastLook_;
    shownSinceLastLook_ = false;
    // One question a look while the track stays; the title is read only
    // when it moved, or from a player whose track cannot be told ("--").
    const bool trackKnown = !track.empty() && track != "--";
    if (trackKnown && track == lastTrack_) return;
    const std::optional<std::string> title = track.empty() ? std::nullopt : player.GetTitle();
    const bool moved = trackKnown ? lastTrack_.has_value() : (title && lastTitle_ && *title != *lastTitle_);
    lastTrack_ = track;
    lastTitle_ = title;
    if (moved && title && !shown) osd_.showContent({"NOW PLAYING", {}, {}, {}, {}, {}, title});
}

void HandsetFeedback::commandRan(const Command& command, CommandSource source) {
    if (!remote_.settings().Osd) return;
    // A key the player cannot carry out says so, whoever pressed it, the
    // remote shown or not: nothing else would.
    const bool toggle = command.feedback == Feedback::shuffle || command.feedback == Feedback::repeat;
    const bool notSupported = toggle && remote_.WinampControl->NotSupported();
    if (!notSupported && (source != CommandSource::handset || window_.visible())) return;
    shownSinceLastLook_ = true;
    osd_.showContent(describeCommand(command, remote_));
}

}  // namespace app
