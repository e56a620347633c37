// A client of a server on loopback that sends bytes as they are and reads
// what comes with a bound on the wait: how tests talk to the web remote.
#pragma once

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/write.hpp>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace testing_support {

// A client connection that reads with a bound on the wait.
class Client {
public:
    explicit Client(std::uint16_t port) : socket_(io_) {
        socket_.connect(boost::asio::ip::tcp::endpoint(boost::asio::ip::make_address("127.0.0.1"), port));
    }
    void send(const std::string& bytes) {
        boost::system::error_code error;
        boost::asio::write(socket_, boost::asio::buffer(bytes), error);
    }
    // What arrives within `wait`, up to the server's close; `closed` says
    // whether it closed.
    std::string receive(std::chrono::milliseconds wait, bool* closed = nullptr, const char* until = nullptr) {
        std::string got;
        auto end = std::chrono::steady_clock::now() + wait;
        socket_.non_blocking(true);
        while (std::chrono::steady_clock::now() < end) {
            char buffer[4096];
            boost::system::error_code error;
            std::size_t n = socket_.read_some(boost::asio::buffer(buffer), error);
            if (error == boost::asio::error::would_block) {
                if (until && got.find(until) != std::string::npos)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            if (error) {
                if (closed)
                    *closed = true;
                return got;
            }
            got.append(buffer, n);
        }
        if (closed)
            *closed = false;
        return got;
    }

private:
    boost::asio::io_context io_;
    boost::asio::ip::tcp::socket socket_;
};

// A port nobody listens on now.
inline std::uint16_t freePort() {
    boost::asio::io_context io;
    boost::asio::ip::tcp::acceptor probe(io, {boost::asio::ip::make_address("127.0.0.1"), 0});
    return probe.local_endpoint().port();
}

// The reply to `bytes` sent to the server on `port`, up to its close, with
// `turn` (the GUI thread's posted work, as its message loop would take it)
// run between reads.
inline std::string askWithTurns(std::uint16_t port, const std::string& bytes, const std::function<void()>& turn) {
    Client client(port);
    client.send(bytes);
    std::string reply;
    for (int i = 0; i < 200; ++i) {
        bool closed = false;
        reply += client.receive(std::chrono::milliseconds(10), &closed);
        turn();
        if (closed) break;
    }
    return reply;
}

// The status line of a reply.
inline std::string statusOf(const std::string& reply) { return reply.substr(0, reply.find("\r\n")); }

}  // namespace testing_support
