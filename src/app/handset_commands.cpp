#include "app/handset_commands.h"

#include "app/zav_amp.h"
#include "framework/convert.h"

namespace app {

bool PressTracker::arrival(const std::string& code, Repetition repetition, std::uint32_t at, ir::Arrival kind) {
    const bool held = kind != ir::Arrival::press && pressing_ && sameCode(code, code_) &&
                      at - lastAt_ <= HeldKeys::samePressMs;
    lastAt_ = at;
    if (!held) {
        code_ = code;
        repetition_ = repetition;
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

bool PressTracker::heldArrival(std::uint32_t at) {
    if (!pressing_ || at - lastAt_ > HeldKeys::samePressMs) {
        pressing_ = false;
        return false;
    }
    return arrival(code_, repetition_, at);
}

std::vector<std::string> commandsLearnedFor(const Settings& settings, const std::string& code) {
    std::vector<std::string> names;
    if (code.empty()) return names;
    for (const std::string& name : learnedNamesLoadOrder()) {
        const auto learned = settings.LearnedCodes.find(name);
        if (learned != settings.LearnedCodes.end() && holdsCode(learned->second, code)) names.push_back(name);
    }
    return names;
}

void HandsetCommands::received(const std::string& code, std::uint32_t at, ir::Arrival arrival) {
    const Settings& settings = window_.services().store.settings();
    if (!settings.RunCommands) return;
    // When two commands have the same code, the first in load order wins.
    const std::vector<std::string> learnedFor = commandsLearnedFor(settings, code);
    if (!learnedFor.empty() && learnedFor.front() == heldKeyName) {
        // Never a command of its own: the key held goes on.
        if (presses_.heldArrival(at) && pressed_) window_.runCommand(*pressed_, CommandSource::handset);
        return;
    }
    const Command* command = learnedFor.empty() ? nullptr : commandNamed(learnedFor.front());
    // An unknown code is a different key too: it ends a held press.
    const bool run = presses_.arrival(code, command ? command->repetition : Repetition::once, at, arrival);
    pressed_ = command;
    if (command && run) window_.runCommand(*command, CommandSource::handset);
}

}  // namespace app
