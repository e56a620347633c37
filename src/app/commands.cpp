#include "app/commands.h"

#include <algorithm>
#include <array>

#include "app/remote.h"
#include "app/zav_amp.h"

namespace app {
namespace {

using Z = TZAV_Amp;
using R = Remote;
constexpr Repetition once = Repetition::once;
constexpr Repetition volume = Repetition::everyArrival;
constexpr Repetition seek = Repetition::everySecondArrival;
constexpr Feedback transport = Feedback::transport, volumeBar = Feedback::volume, mute = Feedback::mute,
                   digits = Feedback::digits, shuffle = Feedback::shuffle, repeat = Feedback::repeat,
                   player = Feedback::player;

// In load order. The dialog lists them by their second column.
const std::array<Command, 25> table{{
    {"OPEN WINAMP", 0, &Z::CBStart, [](R& r) { r.startOrClosePlayer(); }, once, player},
    {"PLAY", 7, &Z::CBPlay, [](R& r) { r.play(); }, once, transport},
    {"PAUSE", 8, &Z::CBPause, [](R& r) { r.pause(); }, once, transport},
    {"STOP", 9, &Z::CBStop, [](R& r) { r.stop(); }, once, transport},
    {"MUTE", 10, &Z::CBTelefon, [](R& r) { r.toggleMute(); }, once, mute},
    {"REW", 5, &Z::CBRew, [](R& r) { r.rewind(); }, seek, transport},
    {"FF", 6, &Z::CBFF, [](R& r) { r.fastForward(); }, seek, transport},
    {"PREVIOUS SONG", 3, &Z::CBPrew, [](R& r) { r.previousTrack(); }, once, transport},
    {"NEXT SONG", 4, &Z::CBNext, [](R& r) { r.nextTrack(); }, once, transport},
    {"VOLUME UP", 2, &Z::CBVolUp, [](R& r) { r.volumeStep(+1); }, volume, volumeBar},
    {"VOLUME DOWN", 1, &Z::CBVolDown, [](R& r) { r.volumeStep(-1); }, volume, volumeBar},
    {"REPEAT", 12, &Z::CBRepeat, [](R& r) { r.toggleRepeat(); }, once, repeat},
    {"SHUFFLE", 11, &Z::CBShufle, [](R& r) { r.toggleShuffle(); }, once, shuffle},
    {"ENTER", 13, &Z::CBNrTr, [](R& r) { r.enterTrack(); }, once, digits},
    {"TASTE 1", 14, &Z::CB1, [](R& r) { r.typeDigit(1); }, once, digits},
    {"TASTE 2", 15, &Z::CB2, [](R& r) { r.typeDigit(2); }, once, digits},
    {"TASTE 3", 16, &Z::CB3, [](R& r) { r.typeDigit(3); }, once, digits},
    {"TASTE 4", 17, &Z::CB4, [](R& r) { r.typeDigit(4); }, once, digits},
    {"TASTE 5", 18, &Z::CB5, [](R& r) { r.typeDigit(5); }, once, digits},
    {"TASTE 6", 19, &Z::CB6, [](R& r) { r.typeDigit(6); }, once, digits},
    {"TASTE 7", 20, &Z::CB7, [](R& r) { r.typeDigit(7); }, once, digits},
    {"TASTE 8", 21, &Z::CB8, [](R& r) { r.typeDigit(8); }, once, digits},
    {"TASTE 9", 22, &Z::CB9, [](R& r) { r.typeDigit(9); }, once, digits},
    {"TASTE 0", 23, &Z::CB0, [](R& r) { r.typeDigit(0); }, once, digits},
    {"CANCEL", 24, &Z::CBAnulare, [](R& r) { r.cancelTrack(); }, once, digits},
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

const Command* commandOfKey(const TZAV_Amp& window, const widgets::TCoolButton& key) {
    for (const Command& c : table)
        if (window.*(c.key) == &key) return &c;
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
