#include "web/server.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <deque>
#include <list>
#include <mutex>
#include <thread>

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/ip/v6_only.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace web {

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using namespace std::chrono_literals;

constexpr auto firstHeadWait = 10s;
constexpr auto idleWait = 30s;
constexpr auto transferWait = 10s;
constexpr auto streamWriteWait = 30s;
constexpr auto streamComment = 15s;
// While only the time moves, a stream is told at most this often.
constexpr auto timeOnlyPace = 500ms;

std::vector<std::string> fieldValues(const http::request<http::string_body>& request, http::field field) {
    std::vector<std::string> values;
    auto range = request.equal_range(field);
    for (auto it = range.first; it != range.second; ++it)
        values.emplace_back(it->value());
    return values;
}

Head headOf(const http::request_parser<http::string_body>& parser) {
    const auto& request = parser.get();
    Head head;
    head.method = std::string(request.method_string());
    head.target = std::string(request.target());
    head.hosts = fieldValues(request, http::field::host);
    head.origins = fieldValues(request, http::field::origin);
    head.contentTypes = fieldValues(request, http::field::content_type);
    head.cookies = fieldValues(request, http::field::cookie);
    head.authorizations = fieldValues(request, http::field::authorization);
    // The parser has checked the field's digits already; its own optional
    // length trips GCC's maybe-uninitialized under the sanitizers.
    auto length = request[http::field::content_length];
    std::uint64_t value = 0;
    if (!length.empty() && std::from_chars(length.data(), length.data() + length.size(), value).ec == std::errc{})
        head.contentLength = value;
    head.chunked = parser.chunked();
    return head;
}

std::string eventOf(const std::string& json) { return "event: state\ndata: " + json + "\n\n"; }

// Only the elapsed time differs.
bool onlyTimeMoved(const WebState& a, const WebState& b) {
    WebState same = b;
    same.positionMs = a.positionMs;
    return same == a && a.positionMs != b.positionMs;
}

}  // namespace

struct Server::Impl {
    class Connection;

    explicit Impl(Api& api) : api(api), comments(io), paced(io) {}

    Api& api;
    asio::io_context io;
    std::vector<std::unique_ptr<tcp::acceptor>> acceptors;
    std::list<std::weak_ptr<Connection>> connections;
    std::vector<OnLinkPrefix> onLink;
    asio::steady_timer comments;
    asio::steady_timer paced;
    std::thread thread;
    std::uint16_t port = 0;

    // Kept on the server's thread.
    WebState state;
    std::string stateText = stateJson(WebState{});
    Clock::time_point lastTold{};
    bool pacing = false;

    void accept(tcp::acceptor& acceptor);
    void admit(tcp::socket socket);
    void makeRoom();
    void makeStreamRoom();
    void tell(const WebState& next);
    void tellStreams();
    void commentOnStreams();
    void countStreams();
    std::vector<std::shared_ptr<Connection>> live();
    std::function<void(std::size_t)> streamsChanged;
    std::size_t streamsTold = 0;
};

class Server::Impl::Connection : public std::enable_shared_from_this<Connection> {
public:
    enum class Phase { firstHead, busy, idle, stream, closed };

    Connection(Impl& server, tcp::socket socket) : server_(server), stream_(std::move(socket)) {}

    Phase phase() const { return phase_; }
    Clock::time_point since() const { return since_; }
    const std::string& phone() const { return admitted_.phone; }

    void start() { readHead(firstHeadWait); }

    void close() {
        if (phase_ == Phase::closed)
            return;
        bool wasStream = phase_ == Phase::stream;
        phase_ = Phase::closed;
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
        stream_.socket().close(ignored);
        if (wasStream)
            server_.countStreams();
    }

    void send(std::string text) {
        if (phase_ != Phase::stream)
            return;
        // A phone that stopped reading holds no more than a few states.
        if (pending_.size() >= 16)
            return close();
        pending_.push_back(std::move(text));
        if (pending_.size() == 1)
            writeNext();
    }

private:
    void enter(Phase phase) {
        if (phase_ == Phase::closed)
            return;
        phase_ = phase;
        since_ = Clock::now();
    }

    void readHead(std::chrono::seconds wait) {
        parser_.emplace();
        parser_->header_limit(static_cast<std::uint32_t>(maxHeadBytes));
        parser_->body_limit(maxBodyBytes);
        stream_.expires_after(wait);
        http::async_read_header(stream_, buffer_, *parser_,
                                [self = shared_from_this()](beast::error_code error, std::size_t) {
                                    self->onHead(error);
                                });
    }

    void onHead(beast::error_code error) {
        if (phase_ == Phase::closed)
            return;
        if (error == http::error::header_limit)
            return refuse(errorReply(431, "the request head is too large"));
        if (error == http::error::body_limit)
            return refuse(errorReply(413, "the body is too large"));
        // Bytes that are no HTTP request are told so once, then closed.
        if (error && error.category() == http::make_error_code(http::error::bad_target).category() &&
            error != http::error::end_of_stream && error != http::error::partial_message)
            return refuse(errorReply(400, "not an HTTP request"));
        if (error)
            return close();
        enter(Phase::busy);
        head_ = headOf(*parser_);
        auto verdict = server_.api.screen(head_);
        if (auto* refusal = std::get_if<Reply>(&verdict))
            return refuse(std::move(*refusal));
        admitted_ = std::get<Admitted>(verdict);
        if (parser_->is_done())
            return onBody({});
        stream_.expires_after(transferWait);
        http::async_read(stream_, buffer_, *parser_, [self = shared_from_this()](beast::error_code e, std::size_t) {
            self->onBody(e);
        });
    }

    void onBody(beast::error_code error) {
        if (phase_ == Phase::closed)
            return;
        if (error == http::error::body_limit)
            return refuse(errorReply(413, "the body is too large"));
        if (error)
            return close();
        Reply reply = server_.api.answer(head_, admitted_, parser_->get().body(), server_.state);
        if (reply.stream)
            return openStream(reply);
        write(std::move(reply), parser_->get().keep_alive());
    }

    void refuse(Reply reply) { write(std::move(reply), false); }

    http::response<http::string_body> responseOf(Reply& reply, bool keepAlive) {
        http::response<http::string_body> response{static_cast<http::status>(reply.status), 11};
        if (!reply.contentType.empty())
            response.set(http::field::content_type, reply.contentType);
        response.set(http::field::cache_control, "no-store");
        response.set("X-Content-Type-Options", "nosniff");
        response.set("Referrer-Policy", "no-referrer");
        // The page runs only its own files and is never framed by another.
        response.set("Content-Security-Policy",
                     "default-src 'self'; img-src 'self'; object-src 'none'; base-uri 'none'; "
                     "form-action 'self'; frame-ancestors 'none'");
        for (auto& [name, value] : reply.fields)
            response.insert(name, value);
        response.body() = std::move(reply.body);
        response.keep_alive(keepAlive);
        response.prepare_payload();
        return response;
    }

    void write(Reply reply, bool keepAlive) {
        enter(Phase::busy);
        auto response = std::make_shared<http::response<http::string_body>>(responseOf(reply, keepAlive));
        stream_.expires_after(transferWait);
        http::async_write(stream_, *response,
                          [self = shared_from_this(), response, keepAlive](beast::error_code error, std::size_t) {
                              if (error || !keepAlive)
                                  return self->close();
                              self->enter(Phase::idle);
                              self->readHead(idleWait);
                          });
    }

    void openStream(Reply& reply) {
        server_.makeStreamRoom();
        auto response = std::make_shared<http::response<http::empty_body>>(http::status::ok, 11);
        response->set(http::field::content_type, reply.contentType);
        response->set(http::field::cache_control, "no-store");
        response->set("X-Content-Type-Options", "nosniff");
        auto serializer = std::make_shared<http::response_serializer<http::empty_body>>(*response);
        stream_.expires_after(streamWriteWait);
        enter(Phase::stream);
        server_.countStreams();
        http::async_write_header(stream_, *serializer,
                                 [self = shared_from_this(), response, serializer](beast::error_code error,
                                                                                   std::size_t) {
                                     if (error)
                                         return self->close();
                                     self->send(eventOf(self->server_.stateText));
                                     self->watchForTheEnd();
                                 });
    }

    // A stream is read only to learn that the phone went away; what it
    // sends is dropped. The read also keeps the stream alive between
    // events.
    void watchForTheEnd() {
        stream_.socket().async_read_some(asio::buffer(dropped_),
                                         [self = shared_from_this()](beast::error_code error, std::size_t) {
                                             if (error)
                                                 return self->close();
                                             self->watchForTheEnd();
                                         });
    }

    void writeNext() {
        stream_.expires_after(streamWriteWait);
        asio::async_write(stream_, asio::buffer(pending_.front()),
                          [self = shared_from_this()](beast::error_code error, std::size_t) {
                              if (error)
                                  return self->close();
                              self->stream_.expires_never();
                              self->pending_.pop_front();
                              if (!self->pending_.empty())
                                  self->writeNext();
                          });
    }

    Impl& server_;
    beast::tcp_stream stream_;
    beast::flat_buffer buffer_{maxHeadBytes};
    std::optional<http::request_parser<http::string_body>> parser_;
    Head head_;
    Admitted admitted_;
    Phase phase_ = Phase::firstHead;
    Clock::time_point since_ = Clock::now();
    std::deque<std::string> pending_;
    std::array<char, 256> dropped_{};
};

std::vector<std::shared_ptr<Server::Impl::Connection>> Server::Impl::live() {
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
    beast::error_code error;
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
    auto connection = std::make_shared<Connection>(*this, std::move(socket));
    connections.push_back(connection);
    connection->start();
}

void Server::Impl::accept(tcp::acceptor& acceptor) {
    acceptor.async_accept([this, &acceptor](beast::error_code error, tcp::socket socket) {
        if (error == asio::error::operation_aborted || !acceptor.is_open())
            return;
        if (!error)
            admit(std::move(socket));
        accept(acceptor);
    });
}

void Server::Impl::tellStreams() {
    lastTold = Clock::now();
    std::string event = eventOf(stateText);
    for (auto& connection : live())
        if (connection->phase() == Connection::Phase::stream && api.stillPaired(connection->phone()))
            connection->send(event);
}

void Server::Impl::tell(const WebState& next) {
    if (next == state)
        return;
    bool timeOnly = onlyTimeMoved(state, next);
    state = next;
    stateText = stateJson(state);
    auto due = lastTold + timeOnlyPace;
    if (!timeOnly || Clock::now() >= due) {
        return tellStreams();
    }
    if (pacing)
        return;
    pacing = true;
    paced.expires_at(due);
    paced.async_wait([this](beast::error_code error) {
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
    comments.async_wait([this](beast::error_code error) {
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
        beast::error_code error;
        acceptor->open(endpoint.protocol(), error);
        if (!error && address.is_v6())
            acceptor->set_option(asio::ip::v6_only(true), error);
#ifdef _WIN32
        // Without it Windows lets another program bind the same port with
        // SO_REUSEADDR and take some of our connections.
        if (!error) {
            using exclusive = asio::detail::socket_option::boolean<SOL_SOCKET, SO_EXCLUSIVEADDRUSE>;
            beast::error_code unsupported;
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
            if (!impl->api.stillPaired(connection->phone()))
                connection->close();
    });
}

}  // namespace web
