#include "control/winamp_control.h"

#include "control/player_memory.h"

namespace control {

using Way = PlayerDifference::Way;

TWinampControl::Session::Session(TWinampControl& player) : player_(player) {
    player_.sessionWindow_ = player_.windows_.findByClass(winamp::windowClass);
    player_.inSession_ = true;
    player_.silent_ = false;
}

TWinampControl::Session::~Session() {
    player_.inSession_ = false;
    player_.silent_ = false;
}

fw::WindowHandle TWinampControl::playerWindow() {
    if (!inSession_) return windows_.findByClass(winamp::windowClass);
    return silent_ ? 0 : sessionWindow_;
}

std::optional<std::int32_t> TWinampControl::heard(std::optional<std::int32_t> answer) {
    if (!answer && inSession_) silent_ = true;
    return answer;
}

bool TWinampControl::SendCommand(winamp::Command command) {
    return sendTo(playerWindow(), static_cast<std::int32_t>(command));
}

bool TWinampControl::SendCommand(winamp::Request request, std::int32_t argument) {
    const fw::WindowHandle w = playerWindow();
    if (!w) return false;
    heard(windows_.request(w, static_cast<std::int32_t>(request), argument));
    return true;
}

bool TWinampControl::QueryValue(winamp::Request request, std::int32_t argument, std::int32_t& reply) {
    reply = 0;
    const fw::WindowHandle w = playerWindow();
    if (!w) return false;
    // A window that went between the look-up and the request, or did not
    // answer in time, reads 0.
    reply = heard(windows_.request(w, static_cast<std::int32_t>(request), argument)).value_or(0);
    return true;
}

std::int32_t TWinampControl::ask(winamp::Request request) {
    std::int32_t reply = 0;
    QueryValue(request, 0, reply);
    return reply;
}

bool TWinampControl::sendTo(fw::WindowHandle w, std::int32_t commandId) {
    if (!w) return false;
    heard(windows_.command(w, commandId));
    return true;
}

bool TWinampControl::IsRunning() {
    const fw::WindowHandle w = playerWindow();
    if (!w) return false;
    // A session's look-up has already answered; alone, the player is asked.
    if (!inSession_) heard(windows_.ping(w));
    return true;
}

bool TWinampControl::Play() { return SendCommand(winamp::Command::play); }
bool TWinampControl::Pause() { return carryOut(PlayerAction::pause, winamp::Command::pause); }
bool TWinampControl::Stop() { return SendCommand(winamp::Command::stop); }
bool TWinampControl::PreviousTrack() { return SendCommand(winamp::Command::previous); }
bool TWinampControl::NextTrack() { return SendCommand(winamp::Command::next); }
bool TWinampControl::Rewind() { return carryOut(PlayerAction::rewind, winamp::Command::rewind); }
bool TWinampControl::FastForward() { return carryOut(PlayerAction::fastForward, winamp::Command::fastForward); }
bool TWinampControl::ToggleRepeat() {
    return carryOut(PlayerAction::repeat, winamp::Command::toggleRepeat, winamp::Request::repeat);
}
bool TWinampControl::ToggleShuffle() {
    return carryOut(PlayerAction::shuffle, winamp::Command::toggleShuffle, winamp::Request::shuffle);
}
bool TWinampControl::ClosePlayer() { return SendCommand(winamp::Command::close); }

bool TWinampControl::carryOut(PlayerAction action, winamp::Command usual, winamp::Request state) {
    notSupported_ = false;
    const fw::WindowHandle w = playerWindow();
    const PlayerDifference* d = difference(w, action);
    if (!d) return sendTo(w, static_cast<std::int32_t>(usual));
    switch (d->way) {
        case Way::command: return sendTo(w, d->id);
        case Way::resumeWithCommand:
            return sendTo(w, Status() == PlayState::paused ? d->id : static_cast<std::int32_t>(usual));
        case Way::switchOnOnly: {
            // Once on, off is not the player's to give.
            std::int32_t on = 0;
            if (!QueryValue(state, 0, on)) return false;
            if (on == winamp::on) {
                notSupported_ = true;
                return true;
            }
            return SendCommand(static_cast<winamp::Request>(d->id), winamp::on);
        }
        case Way::unreadable: break;
    }
    return false;
}

PlayerIdentity TWinampControl::identityOf(fw::WindowHandle w) {
    if (w != identified_) {
        identified_ = w;
        identity_ = identifyPlayer(windows_.programOf(w), 0);
        versionAsked_ = false;
    }
    return identity_;
}

std::string TWinampControl::DescribePlayer() {
    // One look-up; with no window, no player of an earlier one is named.
    const fw::WindowHandle w = playerWindow();
    if (!w) return playerName({});
    identityOf(w);
    if (!versionAsked_) {
        // A version left unanswered is asked again the next time.
        const auto version = heard(windows_.request(w, static_cast<std::int32_t>(winamp::Request::version), 0));
        versionAsked_ = version.has_value();
        identity_.version = version.value_or(0);
    }
    return playerName(identity_);
}

const PlayerDifference* TWinampControl::difference(fw::WindowHandle w, PlayerAction action) {
    return w ? playerDifference(identityOf(w).kind, action) : nullptr;
}

std::optional<std::int32_t> TWinampControl::TrackNumber() {
    // A number that is always the same would be a wrong one.
    if (const PlayerDifference* d = difference(playerWindow(), PlayerAction::trackNumber); d && d->way == Way::unreadable)
        return std::nullopt;
    const std::int64_t position = ask(winamp::Request::listPosition);
    return static_cast<std::int32_t>(position + 1);
}

std::optional<std::string> TWinampControl::GetTitle(std::int32_t track) {
    const fw::WindowHandle w = playerWindow();
    if (!w) return std::nullopt;
    const bool wide = offersWideTitles(identityOf(w).kind);
    const auto index = static_cast<std::int32_t>(static_cast<std::uint32_t>(track) - 1u);
    const auto address = heard(windows_.request(
        w, static_cast<std::int32_t>(wide ? winamp::Request::titleWide : winamp::Request::title), index));
    if (!address) return std::nullopt;
    return readPlayerText(windows_, w, static_cast<std::uint32_t>(*address), wide, maxTitleChars);
}

std::optional<std::int32_t> TWinampControl::ListLength() {
    const fw::WindowHandle w = playerWindow();
    if (!w) return std::nullopt;
    return heard(windows_.request(w, static_cast<std::int32_t>(winamp::Request::listLength), 0));
}

bool TWinampControl::SetTrackNumber(std::int32_t n) {
    // No range check: what an index outside the list does is the player's
    // business. The subtraction wraps rather than overflows.
    const auto index = static_cast<std::int32_t>(static_cast<std::uint32_t>(n) - 1u);
    return SendCommand(winamp::Request::setListPosition, index);
}

TWinampControl::PlayState TWinampControl::Status() {
    switch (ask(winamp::Request::status)) {
        case winamp::statusPlaying: return PlayState::playing;
        case winamp::statusPaused: return PlayState::paused;
        default: return PlayState::stopped;
    }
}
bool TWinampControl::IsShuffleOn() { return ask(winamp::Request::shuffle) == winamp::on; }
bool TWinampControl::IsRepeatOn() { return ask(winamp::Request::repeat) == winamp::on; }
std::int32_t TWinampControl::PositionMs() { return ask(winamp::Request::position); }

std::optional<std::int32_t> TWinampControl::GetVolume() {
    const fw::WindowHandle w = playerWindow();
    if (!w) return std::nullopt;
    return heard(windows_.request(w, static_cast<std::int32_t>(winamp::Request::volume), winamp::askVolume));
}

bool TWinampControl::SetVolume(std::int32_t level) {
    const fw::WindowHandle w = playerWindow();
    if (!w) return false;
    return heard(windows_.request(w, static_cast<std::int32_t>(winamp::Request::volume), level)).has_value();
}

}  // namespace control
