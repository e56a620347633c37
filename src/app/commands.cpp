#include "app/commands.h"

#include <algorithm>
#include <array>

#include "app/remote.h"

namespace app {
namespace {

using R = Remote;
constexpr Repetition once = Repetition::once;
constexpr Repetition volume = Repetition::everyArrival;
constexpr Repetition seek = Repetition::everySecondArrival;
constexpr Feedback transport = Feedback::transport, volumeBar = Feedback::volume, mute = Feedback::mute,
                   digits = Feedback::digits, shuffle = Feedback::shuffle, repeat = Feedback::repeat,
                   player = Feedback::player;

// In load order. The dialog lists them by their second column.
const std::array<Command, 25> table{{
    {"OPEN WINAMP", 0, [](R& r) { r.startOrClosePlayer(); }, once, player},
    {"PLAY", 7, [](R& r) { r.play(); }, once, transport},
    {"PAUSE", 8, [](R& r) { r.pause(); }, once, transport},
    {"STOP", 9, [](R& r) { r.stop(); }, once, transport},
    {"MUTE", 10, [](R& r) { r.toggleMute(); }, once, mute},
    {"REW", 5, [](R& r) { r.rewind(); }, seek, transport},
    {"FF", 6, [](R& r) { r.fastForward(); }, seek, transport},
    {"PREVIOUS SONG", 3, [](R& r) { r.previousTrack(); }, once, transport},
    {"NEXT SONG", 4, [](R& r) { r.nextTrack(); }, once, transport},
    {"VOLUME UP", 2, [](R& r) { r.volumeStep(+1); }, volume, volumeBar},
    {"VOLUME DOWN", 1, [](R& r) { r.volumeStep(-1); }, volume, volumeBar},
    {"REPEAT", 12, [](R& r) { r.toggleRepeat(); }, once, repeat},
    {"SHUFFLE", 11, [](R& r) { r.toggleShuffle(); }, once, shuffle},
    {"ENTER", 13, [](R& r) { r.enterTrack(); }, once, digits},
    {"TASTE 1", 14, [](R& r) { r.typeDigit(1); }, once, digits},
    {"TASTE 2", 15, [](R& r) { r.typeDigit(2); }, once, digits},
    {"TASTE 3", 16, [](R& r) { r.typeDigit(3); }, once, digits},
    {"TASTE 4", 17, [](R& r) { r.typeDigit(4); }, once, digits},
    {"TASTE 5", 18, [](R& r) { r.typeDigit(5); }, once, digits},
    {"TASTE 6", 19, [](R& r) { r.typeDigit(6); }, once, digits},
    {"TASTE 7", 20, [](R& r) { r.typeDigit(7); }, once, digits},
    {"TASTE 8", 21, [](R& r) { r.typeDigit(8); }, once, digits},
    {"TASTE 9", 22, [](R& r) { r.typeDigit(9); }, once, digits},
    {"TASTE 0", 23, [](R& r) { r.typeDigit(0); }, once, digits},
    {"CANCEL", 24, [](R& r) { r.cancelTrack(); }, once, digits},
}};

std::vector<std::string> withHeldKey(std::vector<std::string> names) {
    names.emplace_back(heldKeyName);
    return names;
}

}  // namespace

const char* const heldKeyName = "HELD KEY";

const std::vector<std::string>& learnedNamesLoadOrder() {
    static const std::vector<std::string> names = withHeldKey(commandNamesLoadOrder());
    return names;
}

const std::vector<std::string>& learnedNamesDialogOrder() {
    static const std::vector<std::string> names = withHeldKey(commandNamesDialogOrder());
    return names;
}

std::span<const Command> commands() {
    return table;
}

const Command* commandNamed(std::string_view name) {
    for (const Command& c : table)
        if (name == c.name) return &c;
    return nullptr;
}

const std::vector<std::string>& commandNamesLoadOrder() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const Command& c : table) out.emplace_back(c.name);
        return out;
    }();
    return names;
}

const std::vector<std::string>& commandNamesDialogOrder() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out(table.size());
        for (const Command& c : table) out.at(c.dialogPlace) = c.name;
        return out;
    }();
    return names;
}

}  // namespace app
