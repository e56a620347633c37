#include "app/commands.h"

#include <algorithm>
#include <array>

#include "app/zav_amp.h"

namespace app {
namespace {

using Z = TZAV_Amp;
constexpr Repetition once = Repetition::once;
constexpr Repetition volume = Repetition::everyArrival;
constexpr Repetition seek = Repetition::everySecondArrival;
constexpr Feedback transport = Feedback::transport, volumeBar = Feedback::volume, mute = Feedback::mute,
                   digits = Feedback::digits, shuffle = Feedback::shuffle, repeat = Feedback::repeat,
                   player = Feedback::player;

// In load order. The dialog lists them by their second column.
const std::array<Command, 25> table{{
    {"OPEN WINAMP", 0, &Z::CBStart, [](Z& w) { w.CBStartClick(); }, once, player},
    {"PLAY", 7, &Z::CBPlay, [](Z& w) { w.CBPlayClick(); }, once, transport},
    {"PAUSE", 8, &Z::CBPause, [](Z& w) { w.CBPauseClick(); }, once, transport},
    {"STOP", 9, &Z::CBStop, [](Z& w) { w.CBStopClick(); }, once, transport},
    {"MUTE", 10, &Z::CBTelefon, [](Z& w) { w.CBTelefonClick(); }, once, mute},
    {"REW", 5, &Z::CBRew, [](Z& w) { w.CBRewClick(); }, seek, transport},
    {"FF", 6, &Z::CBFF, [](Z& w) { w.CBFFClick(); }, seek, transport},
    {"PREVIOUS SONG", 3, &Z::CBPrew, [](Z& w) { w.CBPrewClick(); }, once, transport},
    {"NEXT SONG", 4, &Z::CBNext, [](Z& w) { w.CBNextClick(); }, once, transport},
    {"VOLUME UP", 2, &Z::CBVolUp, [](Z& w) { w.CBVolUpClick(); }, volume, volumeBar},
    {"VOLUME DOWN", 1, &Z::CBVolDown, [](Z& w) { w.CBVolDownClick(); }, volume, volumeBar},
    {"REPEAT", 12, &Z::CBRepeat, [](Z& w) { w.CBRepeatClick(); }, once, repeat},
    {"SHUFFLE", 11, &Z::CBShufle, [](Z& w) { w.CBShufleClick(); }, once, shuffle},
    {"ENTER", 13, &Z::CBNrTr, [](Z& w) { w.CBNrTrClick(); }, once, digits},
    {"TASTE 1", 14, &Z::CB1, [](Z& w) { w.CBDigitClick(1); }, once, digits},
    {"TASTE 2", 15, &Z::CB2, [](Z& w) { w.CBDigitClick(2); }, once, digits},
    {"TASTE 3", 16, &Z::CB3, [](Z& w) { w.CBDigitClick(3); }, once, digits},
    {"TASTE 4", 17, &Z::CB4, [](Z& w) { w.CBDigitClick(4); }, once, digits},
    {"TASTE 5", 18, &Z::CB5, [](Z& w) { w.CBDigitClick(5); }, once, digits},
    {"TASTE 6", 19, &Z::CB6, [](Z& w) { w.CBDigitClick(6); }, once, digits},
    {"TASTE 7", 20, &Z::CB7, [](Z& w) { w.CBDigitClick(7); }, once, digits},
    {"TASTE 8", 21, &Z::CB8, [](Z& w) { w.CBDigitClick(8); }, once, digits},
    {"TASTE 9", 22, &Z::CB9, [](Z& w) { w.CBDigitClick(9); }, once, digits},
    {"TASTE 0", 23, &Z::CB0, [](Z& w) { w.CBDigitClick(0); }, once, digits},
    {"CANCEL", 24, &Z::CBAnulare, [](Z& w) { w.CBAnulareClick(); }, once, digits},
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
