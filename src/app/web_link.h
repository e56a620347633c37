// WebLink: the phone remote, a source of commands beside the handsets: a
// web server on the home network while [WEB] ENABLED is 1, which serves the
// remote's live state to paired phones and passes their requests into the
// remote's queue. It knows the server through the web library's own
// interface; the server's thread never touches the remote: requests cross
// to the GUI thread in one bounded queue, and the state crosses as a copy.
// The player is looked at for the phones only while one follows the state.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/play_list_reader.h"
#include "app/settings.h"
#include "app/source_link.h"
#include "framework/component.h"
#include "framework/listeners.h"
#include "framework/posted_queue.h"
#include "platform/crypto.h"
#include "platform/network.h"
#include "platform/text_folding.h"
#include "web/api.h"
#include "web/pairing.h"
#include "web/play_list.h"
#include "web/phones.h"
#include "web/server.h"

namespace fw {
class Host;
}

namespace app {

class Remote;
class SettingsStore;
struct RemoteState;

// The state as the phone and the API tell it.
web::WebState webStateOf(const RemoteState& state);

class WebLink : public fw::Component, public SourceLink {
public:
    static constexpr std::size_t maxRequestsWaiting = 64;
    static constexpr std::uint32_t followedEveryMs = 500;

    WebLink(fw::Component* owner, std::string name, Remote& remote, SettingsStore& store, platform::Crypto& crypto,
            platform::Network& network, const platform::TextFolding& folding, fw::Host& host);
    ~WebLink() override;

    const char* label() const override { return "Phone remote"; }
    bool lightsBadge() const override { return false; }
    void activate(const Settings& settings) override;
    void deactivate() override;
    void keep() override;

    // The address a phone opens ("http://192.168.1.23:8780"), while the
    // server listens.
    std::optional<std::string> address() const;
    // The PC's addresses a user may choose to show.
    std::vector<std::string> addresses();
    // A pairing code, valid for two minutes; none while the server is off.
    std::optional<std::string> openPairing();
    void closePairing();
    // Whether the code shown could still pair a phone: not used, expired
    // or voided by wrong tries.
    bool pairingOpen() const { return pairing_.isOpen(web::Clock::now()); }
    // Heard on the GUI thread when a phone paired.
    [[nodiscard]] fw::Subscription onPaired(std::function<void(const web::Phone&)> listener) {
        return pairedListeners_.add(std::move(listener));
    }
    // Every pairing ends, or that one: later requests are refused and open
    // event streams close.
    void forgetPhones();
    void forgetPhone(const std::string& hash);
    // The port listened on, 0 while off.
    std::uint16_t port() const { return server_.port(); }
    // The play list as the phones get it.
    const web::PlayList& playList() const { return list_; }

    // Reads the play list while a page or a search asks for it.
    PlayListReader* const ListReader;

private:
    class Requests;
    void listen();
    void streamsChanged(std::size_t open);
    void paired(const web::Phone& phone);
    void publish(const RemoteState& state);

    Remote& remote_;
    SettingsStore& store_;
    platform::Crypto& crypto_;
    platform::Network& network_;
    fw::Host& host_;
    std::unique_ptr<Requests> requests_;
    // What crosses from the server's thread, run on the GUI thread in order.
    fw::PostedQueue<std::function<void()>> fromServer_;
    web::Phones phones_;
    web::PlayList list_;
    web::Pairing pairing_;
    web::Api api_;
    web::Server server_;
    bool wanted_ = false;
    // The port and the address to show, as the settings last asked.
    std::uint16_t port_ = 0;
    std::string chosenAddress_;
    std::string shownAddress_;
    fw::Subscription state_;
    fw::Subscription following_;
    fw::Subscription listChanged_;
    fw::Listeners<void(const web::Phone&)> pairedListeners_;
};

}  // namespace app
