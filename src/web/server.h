// The web remote's HTTP server: Boost.Beast on a thread of its own. It
// serves the copy of the live state the remote publishes and passes
// requests on through the remote's link: it never asks the player and
// never waits on the GUI thread. Every peer, size, count and wait is
// bounded: a head of 8 KiB, a body of 4 KiB, 32 connections (a new one
// beyond them closes the oldest that never finished a head, else the oldest
// idle one), 10 s to finish a first head, 30 s idle, 8 event streams (a
// ninth closes the oldest), kept open by a comment every 15 s.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <boost/asio/ip/address.hpp>

#include "web/api.h"
#include "web/peers.h"

namespace web {

constexpr std::size_t maxConnections = 32;
constexpr std::size_t maxStreams = 8;

struct ServerSetup {
    std::uint16_t port = 8780;
    // Where to listen; an address that cannot be had (IPv6 on a PC without
    // it) is passed over, as long as one can.
    std::vector<boost::asio::ip::address> listenOn;
    std::vector<OnLinkPrefix> onLink;
    // On the server's thread, each time the number of open event streams
    // changes: whoever serves the state knows when someone follows it.
    std::function<void(std::size_t)> streamsChanged;
};

class Server {
public:
    explicit Server(Api& api);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Listens and serves; the words of the failure when it cannot ("port
    // 8780 is in use by another program").
    std::optional<std::string> start(const ServerSetup& setup);
    void stop();
    bool serving() const;
    // The port listened on (the system's choice where the setup said 0).
    std::uint16_t port() const;

    // From any thread: the state to serve, told to every event stream.
    void publish(const WebState& state);
    // From any thread: event streams of phones no longer paired close.
    void phonesForgotten();

private:
    struct Impl;
    Api& api_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace web
