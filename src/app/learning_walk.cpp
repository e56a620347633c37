#include "app/learning_walk.h"

#include "app/commands.h"
#include "app/handset_commands.h"
#include "framework/convert.h"

namespace app {

const std::string& LearningWalk::command() const {
    return commandNamesDialogOrder().at(place_);
}

void LearningWalk::start() {
    walking_ = true;
    place_ = 0;
    taken_.clear();
    heard_ = false;
    ask();
}

void LearningWalk::ask() {
    again_ = false;
    first_.clear();
    prompt_ = "Press " + command() + " on the handset (" + std::to_string(place_ + 1) + " of " +
              std::to_string(commandNamesDialogOrder().size()) + ")";
}

void LearningWalk::next() {
    if (++place_ < commandNamesDialogOrder().size()) {
        ask();
        return;
    }
    walking_ = false;
    prompt_ = "All keys learned: tick Run learned commands to use them";
}

void LearningWalk::skip() {
    if (walking_) next();
}

void LearningWalk::stop() {
    if (!walking_) return;
    walking_ = false;
    prompt_.clear();
}

const std::string* LearningWalk::takenBy(const std::string& code) const {
    for (const auto& [taken, name] : taken_)
        if (name != command() && fw::sameText(taken, code)) return &name;
    return nullptr;
}

void LearningWalk::received(const std::string& code, std::uint32_t at) {
    if (!walking_ || code.empty()) return;
    // A key held down repeats its code: only a new press counts.
    const bool samePress = heard_ && at - lastAt_ <= HeldKeys::samePressMs;
    heard_ = true;
    lastAt_ = at;
    if (samePress) return;
    if (const std::string* other = takenBy(code)) {
        prompt_ = "That key is already " + *other + ": press the key for " + command();
        return;
    }
    if (!again_) {
        store_.SaveCodIr(command(), code);
        taken_.emplace_back(code, command());
        first_ = code;
        again_ = true;
        prompt_ = "Press " + command() + " again";
        return;
    }
    if (!fw::sameText(code, first_)) {
        store_.AddCodIr(command(), code);
        taken_.emplace_back(code, command());
    }
    next();
}

}  // namespace app
