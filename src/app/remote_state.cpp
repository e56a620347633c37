#include "app/remote_state.h"

namespace app {
namespace {

std::string twoDigits(std::int32_t value) {
    std::string text = std::to_string(value);
    if (value <= 9) text.insert(text.begin(), '0');
    return text;
}

}  // namespace

std::string timeReadout(const RemoteState& state) {
    if (!state.player && state.mediaKeys) return "--:--";
    const std::int32_t seconds = state.positionMs.value_or(0) / 1000;  // truncates toward zero
    return twoDigits(seconds / 60) + ":" + twoDigits(seconds % 60);
}

std::optional<std::string> trackReadout(const RemoteState& state) {
    if (state.player) return state.track ? std::to_string(*state.track) : "--";
    // The players the media keys reach tell nothing: no figures, not zeros.
    if (state.mediaKeys) return "--";
    return std::nullopt;
}

}  // namespace app
