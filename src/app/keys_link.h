// KeysLink: the keys and remotes the system hears (media keys, Media
// Center and other HID remotes, receivers that type keys), a source of
// codes beside the serial receiver and the server, heard in the background
// while [KEYS] ENABLED is not 0. Its codes go to the code bus; the keys
// learned for commands are the remote's while it carries codes out, and
// are kept from the program in front. The system's keyboard is always
// there, so this source never lights the IR badge, which stays the
// receiver's and the server's. After the system wakes the listening is
// registered anew; receivers plugged in meanwhile need nothing.
#pragma once

#include <set>
#include <string>

#include "app/settings.h"
#include "app/source_link.h"
#include "framework/component.h"
#include "ir/code_sink.h"
#include "ir/key_source.h"
#include "platform/key_input.h"

namespace app {

// The learned codes of the keys the system hears, which the remote takes
// from other programs while it carries codes out: none while it does not.
std::set<std::string> keysTaken(const Settings& settings);

class KeysLink : public fw::Component, public SourceLink {
public:
    KeysLink(fw::Component* owner, std::string name, platform::KeyInput& input, ir::CodeSink& codes);
    ~KeysLink() override;

    void activate(const Settings& settings) override;
    void deactivate() override;
    bool listening() const { return listening_; }
    // Why the system refused the listening, the last time it did.
    const std::string& failure() const { return failure_; }

private:
    platform::KeyInput& input_;
    ir::KeySource source_;
    bool listening_ = false;
    std::string failure_;
    fw::Subscription resumed_;
};

}  // namespace app
