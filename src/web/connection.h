// One HTTP connection of the web remote's server, from its first head to
// its close: each request read within the head's and the body's bounds,
// screened and answered through the API, kept alive between requests, or
// turned into an event stream of the state. Runs on the server's thread
// only; the server keeps the connections and decides which go when there
// are too many.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include <boost/asio/ip/tcp.hpp>

#include "web/api.h"

namespace web {

// What a connection needs of its server.
class ConnectionHub {
public:
    virtual ~ConnectionHub() = default;
    virtual Api& api() = 0;
    // The state as the remote last published it, and its JSON.
    virtual const WebState& state() const = 0;
    virtual const std::string& stateText() const = 0;
    // A stream is about to open: the oldest goes where there are too many.
    virtual void makeStreamRoom() = 0;
    // A stream opened or closed.
    virtual void countStreams() = 0;
};

class Connection {
public:
    // Waiting for its first head, answering, idle between requests, an
    // event stream, or closed.
    enum class Phase { firstHead, busy, idle, stream, closed };

    virtual ~Connection() = default;
    virtual Phase phase() const = 0;
    // When it entered its phase.
    virtual Clock::time_point since() const = 0;
    // The hash of the token of the phone it serves; empty before one asked.
    virtual const std::string& phone() const = 0;
    virtual void close() = 0;
    // An event stream's next text; dropped by other connections.
    virtual void send(std::string text) = 0;
};

// Starts reading the socket's first request.
std::shared_ptr<Connection> startConnection(ConnectionHub& hub, boost::asio::ip::tcp::socket socket);

// The state's JSON as an event of the stream.
std::string eventOf(const std::string& json);

}  // namespace web
