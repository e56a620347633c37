#include "app/handset_commands.h"

#include "app/remote.h"

namespace app {

void HeldRepeats::pressed(Repetition repetition, std::uint32_t at) {
    repetition_ = repetition;
    pressedAt_ = at;
    arrivalsSinceRepeating_ = 0;
}

bool HeldRepeats::heldArrival(std::uint32_t at) {
    const std::uint32_t heldFor = at - pressedAt_;
    switch (repetition_) {
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
    for (const std::string& name : learnedNamesLoadOrder()) {
        const auto learned = settings.LearnedCodes.find(name);
        if (learned != settings.LearnedCodes.end() && holdsCode(learned->second, code)) names.push_back(name);
    }
    return names;
}

CommandSource commandSourceOf(ir::CodeSource source) {
    switch (source) {
        case ir::CodeSource::serial: return CommandSource::receiver;
        case ir::CodeSource::server: return CommandSource::lirc;
        case ir::CodeSource::keys: return CommandSource::keys;
    }
    return CommandSource::receiver;
}

void HandsetCommands::received(const ir::CodeEvent& event) {
    if (event.held) {
        if (pressed_ && repeats_.heldArrival(event.receivedAt)) remote_.runCommand(*pressed_, commandSourceOf(event.source));
        return;
    }
    const Settings& settings = remote_.settings();
    // Any new press ends the press before, carried out or not.
    pressed_ = nullptr;
    if (!settings.RunCommands) return;
    // When two commands have the same code, the first in load order wins;
    // the held-key code starts nothing of its own, nor does an unknown code.
    const std::vector<std::string> learnedFor = commandsLearnedFor(settings, event.code);
    pressed_ = learnedFor.empty() ? nullptr : commandNamed(learnedFor.front());
    if (!pressed_) return;
    repeats_.pressed(pressed_->repetition, event.receivedAt);
    remote_.runCommand(*pressed_, commandSourceOf(event.source));
}

}  // namespace app
