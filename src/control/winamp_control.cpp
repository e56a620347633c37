#include "control/winamp_control.h"

#include "framework/ini_encoding.h"

namespace control {

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

bool TWinampControl::IsRunning() {
    const fw::WindowHandle w = playerWindow();
    if (!w) return false;
    // A session's look-up has already answered; alone, the player is asked.
    if (!inSession_) heard(windows_.ping(w));
    return true;
}

bool TWinampControl::Play() {
    return SendCommand(winamp::Command::play);
}
bool TWinampControl::Pause() {
    const fw::WindowHandle w = playerWindow();
    const PlayerDifference* d = difference(w, PlayerAction::pause);
    if (d && Status() == PlayState::paused) return sendTo(w, d->id);
    return sendTo(w, static_cast<std::int32_t>(winamp::Command::pause));
}
bool TWinampControl::Stop() {
    return SendCommand(winamp::Command::stop);
}
bool TWinampControl::PreviousTrack() {
    return SendCommand(winamp::Command::previous);
}
bool TWinampControl::NextTrack() {
    return SendCommand(winamp::Command::next);
}
bool TWinampControl::Rewind() {
    const fw::WindowHandle w = playerWindow();
    const PlayerDifference* d = difference(w, PlayerAction::rewind);
    return sendTo(w, d ? d->id : static_cast<std::int32_t>(winamp::Command::rewind));
}
bool TWinampControl::FastForward() {
    const fw::WindowHandle w = playerWindow();
    const PlayerDifference* d = difference(w, PlayerAction::fastForward);
    return sendTo(w, d ? d->id : static_cast<std::int32_t>(winamp::Command::fastForward));
}

bool TWinampControl::sendTo(fw::WindowHandle w, std::int32_t commandId) {
    if (!w) return false;
    heard(windows_.command(w, commandId));
    return true;
}
bool TWinampControl::ToggleRepeat() {
    return toggle(PlayerAction::repeat, winamp::Command::toggleRepeat, winamp::Request::repeat);
}
bool TWinampControl::ToggleShuffle() {
    return toggle(PlayerAction::shuffle, winamp::Command::toggleShuffle, winamp::Request::shuffle);
}

bool TWinampControl::toggle(PlayerAction action, winamp::Command command, winamp::Request state) {
    notSupported_ = false;
    const fw::WindowHandle w = playerWindow();
    const PlayerDifference* d = difference(w, action);
    if (!d) return sendTo(w, static_cast<std::int32_t>(command));
    // Only ever switched on: once on, off is not the player's to give.
    std::int32_t on = 0;
    if (!QueryValue(state, 0, on)) return false;
    if (on == winamp::on) {
        notSupported_ = true;
        return true;
    }
    return SendCommand(static_cast<winamp::Request>(d->id), winamp::on);
}

PlayerIdentity TWinampControl::Identity() {
    const fw::WindowHandle w = playerWindow();
    return w ? identityOf(w) : PlayerIdentity{};
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

std::optional<std::string> TWinampControl::GetTitle() {
    const fw::WindowHandle w = playerWindow();
    if (!w) return std::nullopt;
    // Only the playing track's title is shown: a player that cannot tell
    // which track plays has none to give.
    if (difference(w, PlayerAction::trackNumber)) return std::nullopt;
    const bool wide = offersWideTitles(identityOf(w).kind);
    const std::int32_t position = ask(winamp::Request::listPosition);
    const auto address = heard(windows_.request(
        w, static_cast<std::int32_t>(wide ? winamp::Request::titleWide : winamp::Request::title), position));
    if (!address || *address == 0) return std::nullopt;
    const std::size_t unit = wide ? 2 : 1;
    const auto bytes = windows_.readMemory(w, static_cast<std::uint32_t>(*address), maxTitleChars * unit);
    if (!bytes) return std::nullopt;
    // The text ends at its zero, or at the bound: its length is never
    // trusted.
    std::size_t length = 0;
    while (length + unit <= bytes->size() && length < maxTitleChars * unit &&
           (wide ? ((*bytes)[length] | (*bytes)[length + 1]) != 0 : (*bytes)[length] != 0))
        length += unit;
    const std::string_view text(bytes->data(), length);
    std::string title = wide ? fw::fromUtf16(text, false) : windows_.codePage().toUtf8(text);
    if (title.empty()) return std::nullopt;
    return title;
}
bool TWinampControl::ClosePlayer() {
    return SendCommand(winamp::Command::close);
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
bool TWinampControl::IsPlaying() {
    return Status() == PlayState::playing;
}
bool TWinampControl::IsPaused() {
    return Status() == PlayState::paused;
}
bool TWinampControl::IsShuffleOn() {
    return ask(winamp::Request::shuffle) == winamp::on;
}
bool TWinampControl::IsRepeatOn() {
    return ask(winamp::Request::repeat) == winamp::on;
}

std::string TWinampControl::PadTwoDigits(std::int32_t value) {
    std::string text = std::to_string(value);
    if (value <= 9) text.insert(text.begin(), '0');
    return text;
}

void TWinampControl::GetTimeText(std::string& text) {
    const std::int32_t ms = ask(winamp::Request::position);
    const std::int32_t seconds = ms / 1000;  // truncates toward zero
    text = PadTwoDigits(seconds / 60) + ":" + PadTwoDigits(seconds % 60);
}

void TWinampControl::GetTrackText(std::string& text) {
    // A number that is always the same would be a wrong one.
    if (difference(playerWindow(), PlayerAction::trackNumber)) {
        text = "--";
        return;
    }
    const std::int64_t position = ask(winamp::Request::listPosition);
    text = std::to_string(position + 1);
}

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
