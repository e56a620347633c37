// Learning every key in one go: a walk through the commands in the setup
// dialog's order that asks for each key on the handset, twice. The first
// code that comes becomes the command's only code; a second press that
// brings a different code adds it (a key that toggles its code press by
// press), the same code keeps one. Codes that come within the same-press
// time of the one before are the same press held, and a code an earlier
// command of the walk already took is refused. Every step is written to the
// settings at once, so nothing learned is lost if the walk ends halfway.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/settings.h"

namespace app {

class LearningWalk {
public:
    explicit LearningWalk(SettingsStore& store) : store_(store) {}

    void start();
    // The command asked for is left as it is; the walk goes on.
    void skip();
    // Ends the walk; what was learned stays.
    void stop();
    // A complete code that came at `at`.
    void received(const std::string& code, std::uint32_t at);

    bool walking() const { return walking_; }
    // What the user is asked to do now; empty before the first walk.
    const std::string& prompt() const { return prompt_; }
    // The command asked for, while walking.
    const std::string& command() const;

private:
    void ask();
    void next();
    // The earlier command of this walk that took `code`, or none.
    const std::string* takenBy(const std::string& code) const;

    SettingsStore& store_;
    bool walking_ = false;
    std::size_t place_ = 0;  // in the dialog's order
    bool again_ = false;     // the first press was taken; the second is awaited
    std::string first_;
    bool heard_ = false;
    std::uint32_t lastAt_ = 0;
    std::vector<std::pair<std::string, std::string>> taken_;  // code, command
    std::string prompt_;
};

}  // namespace app
