// Learning every key in one go: a walk through the commands in the setup
// dialog's order that asks for each key on the handset, twice. The first
// code that comes becomes the command's only code; a second press that
// brings a different code adds it (a key that toggles its code press by
// press), the same code keeps one. A code an earlier command of the walk
// already took is refused, and Esc ends the walk, learned for nothing.
// Whether a code is a new press is the code bus's to say: the walk is
// handed new presses only. Every step is written at once, so nothing
// learned is lost if the walk ends halfway.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace app {

class LearningWalk {
public:
    // Writes a code for a command: as its only code, or added to its codes.
    using Write = std::function<void(const std::string& command, const std::string& code, bool add)>;
    explicit LearningWalk(Write write) : write_(std::move(write)) {}

    void start();
    // The command asked for is left as it is; the walk goes on.
    void skip();
    // Ends the walk; what was learned stays.
    void stop();
    // A new press's code.
    void received(const std::string& code);

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

    Write write_;
    bool walking_ = false;
    std::size_t place_ = 0;  // in the dialog's order
    bool again_ = false;     // the first press was taken; the second is awaited
    std::string first_;
    std::vector<std::pair<std::string, std::string>> taken_;  // code, command
    std::string prompt_;
};

// Whether a code is the Esc key's, from whatever device and with whatever
// held: the key that ends a walk.
bool isEscapeCode(const std::string& code);

}  // namespace app
