#include "web/connection.h"

#include <array>
#include <charconv>
#include <deque>
#include <optional>

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

// What every reply says besides its own: never cached, its type as given,
// no referrer, and the page runs only its own files, never framed.
template <class Response>
void setCommonFields(Response& response) {
    response.set(http::field::cache_control, "no-store");
    response.set("X-Content-Type-Options", "nosniff");
    response.set("Referrer-Policy", "no-referrer");
    response.set("Content-Security-Policy",
                 "default-src 'self'; img-src 'self'; object-src 'none'; base-uri 'none'; "
                 "form-action 'self'; frame-ancestors 'none'");
}

class HttpConnection : public Connection, public std::enable_shared_from_this<HttpConnection> {
public:
    HttpConnection(ConnectionHub& hub, tcp::socket socket) : hub_(hub), stream_(std::move(socket)) {}

    Phase phase() const override { return phase_; }
    Clock::time_point since() const override { return since_; }
    const std::string& phone() const override { return admitted_.phone; }

    void start() { readHead(firstHeadWait); }

    void close() override {
        if (phase_ == Phase::closed)
            return;
        bool wasStream = phase_ == Phase::stream;
        phase_ = Phase::closed;
        beast::error_code ignored;
        stream_.socket().shutdown(tcp::socket::shutdown_both, ignored);
        stream_.socket().close(ignored);
        if (wasStream)
            hub_.countStreams();
    }

    void send(std::string text) override {
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
        auto verdict = hub_.api().screen(head_);
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
        Reply reply = hub_.api().answer(head_, admitted_, parser_->get().body(), hub_.state());
        if (reply.stream)
            return openStream(reply);
        write(std::move(reply), parser_->get().keep_alive());
    }

    void refuse(Reply reply) { write(std::move(reply), false); }

    http::response<http::string_body> responseOf(Reply& reply, bool keepAlive) {
        http::response<http::string_body> response{static_cast<http::status>(reply.status), 11};
        if (!reply.contentType.empty())
            response.set(http::field::content_type, reply.contentType);
        setCommonFields(response);
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
        hub_.makeStreamRoom();
        auto response = std::make_shared<http::response<http::empty_body>>(http::status::ok, 11);
        response->set(http::field::content_type, reply.contentType);
        setCommonFields(*response);
        auto serializer = std::make_shared<http::response_serializer<http::empty_body>>(*response);
        stream_.expires_after(streamWriteWait);
        enter(Phase::stream);
        hub_.countStreams();
        http::async_write_header(stream_, *serializer,
                                 [self = shared_from_this(), response, serializer](beast::error_code error,
                                                                                   std::size_t) {
                                     if (error)
                                         return self->close();
                                     self->send(eventOf(self->hub_.stateText()));
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

    ConnectionHub& hub_;
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

}  // namespace

std::shared_ptr<Connection> startConnection(ConnectionHub& hub, tcp::socket socket) {
    auto connection = std::make_shared<HttpConnection>(hub, std::move(socket));
    connection->start();
    return connection;
}

std::string eventOf(const std::string& json) { return "event: state\ndata: " + json + "\n\n"; }

}  // namespace web
