#include "control/player_kind.h"

#include <array>

#include "control/winamp_api.h"
#include "framework/convert.h"

namespace control {

namespace {

using Way = PlayerDifference::Way;

namespace fb = winamp::foobar2000;

constexpr std::array differences{
    PlayerDifference{PlayerKind::foobar2000, PlayerAction::rewind, Way::command, fb::seekBack5s},
    PlayerDifference{PlayerKind::foobar2000, PlayerAction::fastForward, Way::command, fb::seekForward5s},
    // Its 40046 pauses but does not resume.
    PlayerDifference{PlayerKind::foobar2000, PlayerAction::pause, Way::resumeWithCommand,
                     static_cast<std::int32_t>(winamp::Command::play)},
    PlayerDifference{PlayerKind::foobar2000, PlayerAction::shuffle, Way::switchOnOnly, fb::setShuffle},
    PlayerDifference{PlayerKind::foobar2000, PlayerAction::repeat, Way::switchOnOnly, fb::setRepeat},
    // Its 125 always answers 0.
    PlayerDifference{PlayerKind::foobar2000, PlayerAction::trackNumber, Way::unreadable,
                     static_cast<std::int32_t>(winamp::Request::listPosition)},
};

struct KnownImage {
    const char* name;
    PlayerKind kind;
};
constexpr std::array knownImages{
    KnownImage{"winamp.exe", PlayerKind::winamp},       KnownImage{"wacup.exe", PlayerKind::wacup},
    KnownImage{"foobar2000.exe", PlayerKind::foobar2000}, KnownImage{"mediamonkey.exe", PlayerKind::mediaMonkey},
    KnownImage{"aimp.exe", PlayerKind::aimp},           KnownImage{"aimp3.exe", PlayerKind::aimp},
    KnownImage{"la.exe", PlayerKind::lightAlloy},
};

std::string_view fileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

PlayerIdentity identifyPlayer(std::string_view imageName, std::int32_t version) {
    const std::string_view name = fileName(imageName);
    for (const KnownImage& known : knownImages)
        if (fw::sameText(name, known.name)) return {known.kind, version, std::string(name)};
    return {name.empty() ? PlayerKind::winamp : PlayerKind::other, version, std::string(name)};
}

namespace {

// 0x50yx is 5.yx (0x5090: 5.9), 0x20yx is 2.yx.
std::string winampName(std::int32_t version) {
    const auto v = static_cast<std::uint32_t>(version);
    if (v < 0x1000 || v > 0xFFFF) return "Winamp";
    std::string text = "Winamp " + std::to_string(v >> 12) + "." + std::to_string((v >> 4) & 0xF);
    if (v & 0xF) text += std::to_string(v & 0xF);
    return text;
}

}  // namespace

std::string playerName(const PlayerIdentity& player) {
    switch (player.kind) {
        case PlayerKind::winamp: return winampName(player.version);
        case PlayerKind::wacup: return "WACUP";
        case PlayerKind::foobar2000: return "foobar2000 (Winamp bridge)";
        case PlayerKind::mediaMonkey: return "MediaMonkey";
        case PlayerKind::aimp: return "AIMP";
        case PlayerKind::lightAlloy: return "Light Alloy";
        case PlayerKind::other: return player.program + ", answering as " + winampName(player.version);
    }
    return "Winamp";
}

const PlayerDifference* playerDifference(PlayerKind player, PlayerAction action) {
    for (const PlayerDifference& d : differences)
        if (d.player == player && d.action == action) return &d;
    return nullptr;
}

bool offersWideTitles(PlayerKind player) { return player == PlayerKind::winamp || player == PlayerKind::wacup; }

}  // namespace control
