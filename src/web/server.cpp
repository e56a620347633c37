#include "web/server.h"

#include <algorithm>
#include <chrono>
#include <list>
#include <thread>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ip/v6_only.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>

#include "web/connection.h"

namespace web {

namespace {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;
using namespace std::chrono_literals;

constexpr auto streamComment = 15s;
// While only the time moves, a stream is told at most this often.
constexpr auto timeOnlyPace = 500ms;

// Only the elapsed time differs.
bool onlyTimeMoved(const WebState& a, const WebState& b) {
    WebState same = b;
    same.positionMs = a.positionMs;
    return same == a && a.positionMs != b.positionMs;
}

}  // namespace

struct Server::Impl : ConnectionHub {
    explicit Impl(Api& api) : api_(api), comments(io), paced(io) {}

    Api& api() override { return api_; }
    const WebState& state() const override { return state_; }
    const std::string& stateText() const override { return stateText_; }
    void makeStreamRoom() override;
    void countStreams() override;

    Api& api_;
    asio::io_context io;
    std::vector<std::unique_ptr<tcp::acceptor>> acceptors;
    std::list<std::weak_ptr<Connection>> connections;
    std::vector<OnLinkPrefix> onLink;
    asio::steady_timer comments;
    asio::steady_timer paced;
    std::thread thread;
    std::uint16_t port = 0;

    // Kept on the server's thread.
    WebState state_;
    std::string stateText_ = stateJson(WebState{});
    Clock::time_point lastTold{};
    bool pacing = false;

    void accept(tcp::acceptor& acceptor);
    void admit(tcp::socket socket);
    void makeRoom();
    void tell(const WebState& next);
    void tellStreams();
    void commentOnStreams();
    std::vector<std::shared_ptr<Connection>> live();
    std::function<void(std::size_t)> streamsChanged;
    std::size_t streamsTold = 0;
};

std::vector<std::shared_ptr<Connection>> Server::Impl::live() {
    std::vector<std::shared_ptr<Connection>> found;
    for (auto it = connections.begin(); it != connections.end();) {
        auto connection = it->lock();
        if (!connection || connection->phase() == Connection::Phase::closed) {
            it = connections.erase(it);
            continue;
        }
        found.push_back(std::move(connection));
        ++it;
    }
    return found;
}

void Server::Impl::makeRoom() {
    auto open = live();
    if (open.size() < maxConnections)
        return;
    for (auto phase : {Connection::Phase::firstHead, Connection::Phase::idle}) {
        std::shared_ptr<Connection> oldest;
        for (auto& connection : open)
            if (connection->phase() == phase && (!oldest || connection->since() < oldest->since()))
                oldest = connection;
        if (oldest)
            return oldest->close();
    }
}

void Server::Impl::makeStreamRoom() {
    std::vector<std::shared_ptr<Connection>> streams;
    for (auto& connection : live())
        if (connection->phase() == Connection::Phase::stream)
            streams.push_back(connection);
    if (streams.size() < maxStreams)
        return;
    auto oldest = std::min_element(streams.begin(), streams.end(),
                                   [](const auto& a, const auto& b) { return a->since() < b->since(); });
    (*oldest)->close();
}

void Server::Impl::admit(tcp::socket socket) {
    boost::system::error_code error;
    auto peer = socket.remote_endpoint(error);
    if (error || !servedPeer(peer.address(), onLink)) {
        socket.close(error);
        return;
    }
    makeRoom();
    if (live().size() >= maxConnections) {
        socket.close(error);
        return;
    }
    connections.push_back(startConnection(*this, std::move(socket)));
}

void Server::Impl::accept(tcp::acceptor& acceptor) {
    acceptor.async_accept([this, &acceptor](boost::system::error_code error, tcp::socket socket) {
        if (error == asio::error::operation_aborted || !acceptor.is_open())
            return;
        if (!error)
            admit(std::move(socket));
        accept(acceptor);
    });
}

void Server::Impl::tellStreams() {
    lastTold = Clock::now();
    std::string event = eventOf(stateText_);
    for (auto& connection : live())
        if (connection->phase() == Connection::Phase::stream && api_.stillPaired(connection->phone()))
            connection->send(event);
}

void Server::Impl::tell(const WebState& next) {
    if (next == state_)
        return;
    bool timeOnly = onlyTimeMoved(state_, next);
    state_ = next;
    stateText_ = stateJson(state_);
    auto due = lastTold + timeOnlyPace;
    if (!timeOnly || Clock::now() >= due) {
        return tellStreams();
    }
    if (pacing)
        return;
    pacing = true;
    paced.expires_at(due);
    paced.async_wait([this](boost::system::error_code error) {
        pacing = false;
        if (!error)
            tellStreams();
    });
}

void Server::Impl::countStreams() {
    std::size_t open = 0;
    for (auto& connection : live())
        open += connection->phase() == Connection::Phase::stream ? 1 : 0;
    if (open == streamsTold)
        return;
    streamsTold = open;
    if (streamsChanged)
        streamsChanged(open);
}

void Server::Impl::commentOnStreams() {
    comments.expires_after(streamComment);
    comments.async_wait([this](boost::system::error_code error) {
        if (error)
            return;
        for (auto& connection : live())
            if (connection->phase() == Connection::Phase::stream)
                connection->send(":\n\n");
        commentOnStreams();
    });
}

Server::Server(Api& api) : api_(api) {}

Server::~Server() { stop(); }

bool Server::serving() const { return impl_ != nullptr; }

std::uint16_t Server::port() const { return impl_ ? impl_->port : 0; }

std::optional<std::string> Server::start(const ServerSetup& setup) {
    stop();
    auto impl = std::make_unique<Impl>(api_);
    impl->onLink = setup.onLink;
    impl->streamsChanged = setup.streamsChanged;
    std::uint16_t port = setup.port;
    bool inUse = false;
    for (const auto& address : setup.listenOn) {
        auto acceptor = std::make_unique<tcp::acceptor>(impl->io);
        tcp::endpoint endpoint(address, port);
        boost::system::error_code error;
        acceptor->open(endpoint.protocol(), error);
        if (!error && address.is_v6())
            acceptor->set_option(asio::ip::v6_only(true), error);
#ifdef _WIN32
        // Without it Windows lets another program bind the same port with
        // SO_REUSEADDR and take some of our connections.
        if (!error) {
            using exclusive = asio::detail::socket_option::boolean<SOL_SOCKET, SO_EXCLUSIVEADDRUSE>;
            boost::system::error_code unsupported;
            acceptor->set_option(exclusive(true), unsupported);
        }
#else
        // Only lets a restart reuse the port while old connections linger;
        // on POSIX systems it never shares a port that is listened on.
        if (!error)
            acceptor->set_option(tcp::acceptor::reuse_address(true), error);
#endif
        if (!error)
            acceptor->bind(endpoint, error);
        if (!error)
            acceptor->listen(asio::socket_base::max_listen_connections, error);
        if (error) {
            inUse = inUse || error == asio::error::address_in_use || error == asio::error::access_denied;
            continue;
        }
        // A port of the system's choice is then the one for every address.
        port = acceptor->local_endpoint().port();
        impl->acceptors.push_back(std::move(acceptor));
    }
    // A port another program holds on one address is no port of ours: a
    // phone might reach that program instead. Only an address the PC
    // lacks (IPv6 on a PC without it) is passed over.
    if (inUse)
        return "port " + std::to_string(setup.port) + " is in use by another program";
    if (impl->acceptors.empty())
        return "the server could not listen on port " + std::to_string(setup.port);
    impl->port = port;
    for (auto& acceptor : impl->acceptors)
        impl->accept(*acceptor);
    impl->commentOnStreams();
    impl->thread = std::thread([io = &impl->io] { io->run(); });
    impl_ = std::move(impl);
    return std::nullopt;
}

void Server::stop() {
    if (!impl_)
        return;
    impl_->io.stop();
    impl_->thread.join();
    impl_.reset();
}

void Server::publish(const WebState& state) {
    if (impl_)
        asio::post(impl_->io, [impl = impl_.get(), state] { impl->tell(state); });
}

void Server::phonesForgotten() {
    if (!impl_)
        return;
    asio::post(impl_->io, [impl = impl_.get()] {
        for (auto& connection : impl->live())
            if (!impl->api_.stillPaired(connection->phone()))
                connection->close();
    });
}

}  // namespace web
