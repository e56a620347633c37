// LircLink: the keys of a LIRC or WinLIRC server, beside the serial
// receiver, while an address is set. Each key becomes a code text
// ("remote:button") fed to the code bus with what the server says of it: a
// repeat count of 0 is a new press, one above 0 the key again (whether it
// is held is the bus's to decide, on its own clock). It is trying while
// it connects, live while connected (lighting the IR badge) and failed,
// with why, while the server is away; its reader connects again every 2 s
// on a thread of its own (a connection may take seconds), and only the
// connection wanted now is heard. When the system wakes from sleep the
// connection is made anew: the old one may have died quietly meanwhile.
#pragma once

#include <optional>
#include <string>

#include "app/source_link.h"
#include "framework/application.h"
#include "framework/component.h"
#include "framework/post_target.h"
#include "ir/code_bus.h"
#include "ir/lirc_address.h"
#include "ir/lirc_source.h"
#include "platform/stream_socket.h"

namespace app {

class LircLink : public fw::Component, public SourceLink {
public:
    LircLink(fw::Component* owner, std::string name, platform::StreamSockets& sockets, ir::CodeSink& codes,
             ir::LircSource::Wait wait = ir::LircSource::sleepUnlessStopped);
    ~LircLink() override;

    const char* label() const override { return "LIRC server"; }
    bool lightsBadge() const override { return true; }
    // The server at the settings' address, or none: a running source stops
    // first.
    void activate(const Settings& settings) override;
    void deactivate() override;

private:
    void key(const ir::LircKey& key);
    // (Re)connects to the address, if any.
    void connect();

    ir::CodeSink& codes_;
    std::optional<ir::LircAddress> address_;
    fw::Subscription resumed_;
    ir::LircSource source_;
    // Counts the connections asked for: a notice of an earlier one, still
    // on its way to the GUI thread, is not heard.
    unsigned connection_ = 0;
    // Whether the server is live reaches the link only while it lives.
    fw::PostTarget<LircLink> target_{*this};
};

}  // namespace app
