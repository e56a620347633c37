#include "control/winamp_control.h"

namespace {

// The player's command ids (WM_COMMAND) and request codes (WM_USER).
enum Command : std::int32_t {
    cmdClose = 40001,
    cmdToggleRepeat = 40022,
    cmdToggleShuffle = 40023,
    cmdPrevious = 40044,
    cmdPlay = 40045,
    cmdPause = 40046,
    cmdStop = 40047,
    cmdNext = 40048,
    cmdRewind = 40144,
    cmdFastForward = 40148,
};
enum Request : std::int32_t {
    reqStatus = 104,
    reqPosition = 105,
    reqSetListPosition = 121,
    reqListPosition = 125,
    reqShuffle = 250,
    reqRepeat = 251,
};
constexpr std::int32_t statusPlaying = 1;
constexpr std::int32_t statusPaused = 3;

}  // namespace

bool TWinampControl::SendCommand(unsigned msg, std::int32_t wParam, std::int32_t lParam) {
    const fw::WindowHandle w = windows_.findByClass(windowClass);
    if (!w) return false;
    windows_.send(w, msg, wParam, lParam);
    return true;
}

bool TWinampControl::QueryValue(unsigned msg, std::int32_t wParam, std::int32_t lParam, std::int32_t& reply) {
    reply = 0;
    const fw::WindowHandle w = windows_.findByClass(windowClass);
    if (!w) return false;
    reply = windows_.send(w, msg, wParam, lParam);
    return true;
}

std::int32_t TWinampControl::request(std::int32_t code, std::int32_t argument) {
    std::int32_t reply = 0;
    QueryValue(WM_USER_, argument, code, reply);
    return reply;
}

bool TWinampControl::IsRunning() {
    std::int32_t reply = 0;
    return QueryValue(WM_NULL_, 0, 0, reply);
}

bool TWinampControl::Play() { return command(cmdPlay); }
bool TWinampControl::Pause() { return command(cmdPause); }
bool TWinampControl::Stop() { return command(cmdStop); }
bool TWinampControl::PreviousTrack() { return command(cmdPrevious); }
bool TWinampControl::NextTrack() { return command(cmdNext); }
bool TWinampControl::Rewind() { return command(cmdRewind); }
bool TWinampControl::FastForward() { return command(cmdFastForward); }
bool TWinampControl::ToggleRepeat() { return command(cmdToggleRepeat); }
bool TWinampControl::ToggleShuffle() { return command(cmdToggleShuffle); }
bool TWinampControl::ClosePlayer() { return command(cmdClose); }

bool TWinampControl::SetTrackNumber(std::int32_t n) {
    // No range check: what an index outside the list does is the player's
    // business. The subtraction wraps rather than overflows.
    const auto index = static_cast<std::int32_t>(static_cast<std::uint32_t>(n) - 1u);
    return SendCommand(WM_USER_, index, reqSetListPosition);
}

bool TWinampControl::IsPlaying() { return request(reqStatus) == statusPlaying; }
bool TWinampControl::IsPaused() { return request(reqStatus) == statusPaused; }
bool TWinampControl::IsShuffleOn() { return request(reqShuffle) == 1; }
bool TWinampControl::IsRepeatOn() { return request(reqRepeat) == 1; }

std::string TWinampControl::PadTwoDigits(std::int32_t value) {
    return value > 9 ? std::to_string(value) : "0" + std::to_string(value);
}

void TWinampControl::GetTimeText(std::string& text) {
    const std::int32_t ms = request(reqPosition);
    const std::int32_t seconds = ms / 1000;  // truncates toward zero
    text = PadTwoDigits(seconds / 60) + ":" + PadTwoDigits(seconds % 60);
}

void TWinampControl::GetTrackText(std::string& text) {
    const std::int64_t position = request(reqListPosition);
    text = std::to_string(position + 1);
}
