#include "app/handset_commands.h"

#include <array>

#include "app/zav_amp.h"
#include "framework/convert.h"

namespace app {
namespace {

struct CommandKey {
    const char* name;
    widgets::TCoolButton* TZAV_Amp::*key;
    Repetition repetition;
};

// Each command's key on the main window, and how a held remote key repeats it.
constexpr Repetition once = Repetition::once;
const std::array<CommandKey, 25> commandKeys{{
    {"OPEN WINAMP", &TZAV_Amp::CBStart, once},
    {"PLAY", &TZAV_Amp::CBPlay, once},
    {"PAUSE", &TZAV_Amp::CBPause, once},
    {"STOP", &TZAV_Amp::CBStop, once},
    {"MUTE", &TZAV_Amp::CBTelefon, once},
    {"REW", &TZAV_Amp::CBRew, Repetition::everySecondArrival},
    {"FF", &TZAV_Amp::CBFF, Repetition::everySecondArrival},
    {"PREVIOUS SONG", &TZAV_Amp::CBPrew, once},
    {"NEXT SONG", &TZAV_Amp::CBNext, once},
    {"VOLUME UP", &TZAV_Amp::CBVolUp, Repetition::everyArrival},
    {"VOLUME DOWN", &TZAV_Amp::CBVolDown, Repetition::everyArrival},
    {"REPEAT", &TZAV_Amp::CBRepeat, once},
    {"SHUFFLE", &TZAV_Amp::CBShufle, once},
    {"ENTER", &TZAV_Amp::CBNrTr, once},
    {"TASTE 1", &TZAV_Amp::CB1, once},
    {"TASTE 2", &TZAV_Amp::CB2, once},
    {"TASTE 3", &TZAV_Amp::CB3, once},
    {"TASTE 4", &TZAV_Amp::CB4, once},
    {"TASTE 5", &TZAV_Amp::CB5, once},
    {"TASTE 6", &TZAV_Amp::CB6, once},
    {"TASTE 7", &TZAV_Amp::CB7, once},
    {"TASTE 8", &TZAV_Amp::CB8, once},
    {"TASTE 9", &TZAV_Amp::CB9, once},
    {"TASTE 0", &TZAV_Amp::CB0, once},
    {"CANCEL", &TZAV_Amp::CBAnulare, once},
}};

const CommandKey* commandNamed(const std::string& name) {
    for (const CommandKey& c : commandKeys)
        if (name == c.name) return &c;
    return nullptr;
}

}  // namespace

bool PressTracker::arrival(const std::string& code, Repetition repetition, std::uint32_t at) {
    const bool held = pressing_ && fw::sameText(code, code_) && at - lastAt_ <= HeldKeys::samePressMs;
    lastAt_ = at;
    if (!held) {
        code_ = code;
        pressing_ = true;
        pressedAt_ = at;
        arrivalsSinceRepeating_ = 0;
        return true;
    }
    const std::uint32_t heldFor = at - pressedAt_;
    switch (repetition) {
        case Repetition::once: return false;
        case Repetition::everyArrival: return heldFor >= HeldKeys::volumeRepeatsAfterMs;
        case Repetition::everySecondArrival:
            if (heldFor < HeldKeys::seekRepeatsAfterMs) return false;
            return arrivalsSinceRepeating_++ % 2 == 0;
    }
    return false;
}

std::vector<std::string> commandsLearnedFor(const Settings& settings, const std::string& code) {
    std::vector<std::string> names;
    if (code.empty()) return names;
    for (const char* name : commandNamesLoadOrder) {
        const auto learned = settings.LearnedCodes.find(name);
        if (learned != settings.LearnedCodes.end() && fw::sameText(learned->second, code)) names.push_back(name);
    }
    return names;
}

widgets::TCoolButton* HandsetCommands::keyFor(const std::string& command) const {
    const CommandKey* c = commandNamed(command);
    return c ? window_.*(c->key) : nullptr;
}

void HandsetCommands::received(const std::string& code, std::uint32_t at) {
    const Settings& settings = window_.services().settings;
    if (!settings.RunCommands) return;
    // When two commands have the same code, the first in load order wins.
    const std::vector<std::string> learnedFor = commandsLearnedFor(settings, code);
    const CommandKey* command = learnedFor.empty() ? nullptr : commandNamed(learnedFor.front());
    // An unknown code is a different key too: it ends a held press.
    const bool run = presses_.arrival(code, command ? command->repetition : Repetition::once, at);
    if (!command || !run) return;
    widgets::TCoolButton& key = *(window_.*(command->key));
    window_.showPressed(key);
    key.click();
}

}  // namespace app
