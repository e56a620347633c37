#include "app/learning_walk.h"

#include "app/commands.h"
#include "app/learned_codes.h"
#include "ir/key_codes.h"

namespace app {

namespace {

constexpr unsigned escapeKey = 0x1B;

}  // namespace

bool isEscapeCode(const std::string& code) {
    const auto key = ir::parseKeyCode(code);
    return key && key->vk == escapeKey;
}

const std::string& LearningWalk::command() const {
    return commandNamesDialogOrder().at(place_);
}

void LearningWalk::start() {
    walking_ = true;
    place_ = 0;
    taken_.clear();
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
        if (name != command() && sameCode(taken, code)) return &name;
    return nullptr;
}

void LearningWalk::received(const std::string& code) {
    if (!walking_ || code.empty()) return;
    if (isEscapeCode(code)) {
        stop();
        return;
    }
    if (const std::string* other = takenBy(code)) {
        prompt_ = "That key is already " + *other + ": press the key for " + command();
        return;
    }
    if (!again_) {
        write_(command(), code, false);
        taken_.emplace_back(code, command());
        first_ = code;
        again_ = true;
        prompt_ = "Press " + command() + " again";
        return;
    }
    if (!sameCode(code, first_)) {
        write_(command(), code, true);
        taken_.emplace_back(code, command());
    }
    next();
}

}  // namespace app
