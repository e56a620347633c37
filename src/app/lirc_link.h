// LircLink: the keys of a LIRC or WinLIRC server, beside the serial
// receiver, while an address is set. Each key becomes a code text
// ("remote:button") fed to the code bus, saying whether it is a new press
// or the same key held. A repeat count above 0 with no arrival of that key
// in the 250 ms before it (the connection began mid-hold) is a new press.
// Whether the server is live is told on the GUI thread. When the system
// wakes from sleep the connection is made anew: the old one may have died
// quietly meanwhile.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "app/source_link.h"
#include "framework/application.h"
#include "framework/post_target.h"
#include "ir/code_bus.h"
#include "ir/lirc_address.h"
#include "ir/lirc_source.h"
#include "platform/stream_socket.h"

namespace app {

class LircLink : public SourceLink {
public:
    static constexpr std::chrono::milliseconds samePress{250};

    LircLink(fw::Application& app, platform::StreamSockets& sockets, ir::CodeSink& codes,
             ir::LircSource::Wait wait = ir::LircSource::sleepUnlessStopped);
    ~LircLink() override;

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
    // The source's thread only.
    std::string lastCode_;
    std::chrono::steady_clock::time_point lastAt_{};
    // Whether the server is live reaches the link only while it lives.
    fw::PostTarget<LircLink> target_{*this};
};

}  // namespace app
