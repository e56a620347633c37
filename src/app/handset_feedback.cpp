#include "app/handset_feedback.h"

#include "app/zav_amp.h"

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
            if (session.answered()) c.number = track;
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
            const bool on = shuffle ? player.IsShuffleOn() : player.IsRepeatOn();
            if (session.answered()) c.title += on ? " ON" : " OFF";
            break;
        }
        default: break;
    }
    return true;
}

}  // namespace

OsdContent describeCommand(const Command& command, TZAV_Amp& window) {
    OsdContent c;
    c.title = command.name;
    control::MasterVolume& volume = *window.MasterVolume;
    // The player's volume with no player: the key changed nothing.
    const bool volumeKey = command.feedback == Feedback::volume || command.feedback == Feedback::mute;
    const bool noPlayer = volumeKey && window.lastVolumeResult() == control::VolumeResult::noPlayer;
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
            if (window.lastVolumeResult() == control::VolumeResult::done) {
                c.muted = volume.muted();
                c.title = *c.muted ? "MUTE ON" : "MUTE OFF";
            }
            return c;
        }
        case Feedback::player:
            if (window.playerMissing()) return {"NO PLAYER", {}, {}, {}, {}, {}};
            c.title = window.closedPlayer() ? "CLOSING PLAYER" : "STARTING PLAYER";
            return c;
        case Feedback::digits:
            c.title = "TRACK";
            // Digits being typed show as the track read-out shows them;
            // once entered (or cancelled) the player's track is shown.
            if (!window.TrackDigits.empty()) {
                c.number = window.TrackDigits;
                return c;
            }
            break;
        default: break;
    }
    if (noPlayer || !askPlayer(command, *window.WinampControl, c)) return {"NO PLAYER", {}, {}, {}, {}, {}};
    return c;
}

HandsetFeedback::HandsetFeedback(TZAV_Amp& window, TOsd& osd, const SettingsStore& store)
    : window_(window), osd_(osd), store_(store) {
    listening_ = window_.onCommand([this](const Command& command, CommandSource source) { commandRan(command, source); });
}

void HandsetFeedback::commandRan(const Command& command, CommandSource source) {
    if (source != CommandSource::handset || window_.visible() || !store_.settings().Osd) return;
    osd_.showContent(describeCommand(command, window_));
}

}  // namespace app
