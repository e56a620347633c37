// KeysLink: the keys and remotes the system hears (media keys, Media
// Center and other HID remotes, receivers that type keys), a source of
// codes beside the serial receiver and the server, heard in the background
// while [KEYS] ENABLED is not 0. Its codes go to the code bus; the keys
// learned for commands are the remote's while it carries codes out, and
// are kept from the program in front, from the moment they are learned.
// The system's keyboard is always there, so this source never lights the
// IR badge, which stays the receiver's and the server's. A listening the
// system refused is tried again every 2 s; after the system wakes it is
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

    const char* label() const override { return "Media keys"; }
    bool lightsBadge() const override { return false; }
    void activate(const Settings& settings) override;
    void deactivate() override;
    void keep() override;
    // The keys taken follow the learned codes as they are now.
    void takeLearned(const Settings& settings) { source_.takeCodes(keysTaken(settings)); }

private:
    void listen();

    platform::KeyInput& input_;
    ir::KeySource source_;
    bool wanted_ = false;
    fw::Subscription resumed_;
};

}  // namespace app
