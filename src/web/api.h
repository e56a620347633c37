// The web remote's rules and its API, apart from the HTTP library: the
// server hands over what it parsed of a request and sends what comes back.
// The rules run on the head alone, before a byte of the body is read, in
// this order, the first failure answering: a missing or repeated Host
// (400), a Host that is not this PC's (421, against DNS rebinding), a body
// over 4 KiB (413), an Origin other than the page's own (403, against
// requests from other web pages), a POST that is not JSON (415), no paired
// phone's cookie or token (401), too many commands (429). Nothing is done
// for a refused request, and no reply ever carries a CORS header.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/crypto.h"
#include "web/pairing.h"
#include "web/phones.h"
#include "web/play_list.h"
#include "web/web_remote.h"

namespace web {

constexpr std::size_t maxHeadBytes = 8 * 1024;
constexpr std::size_t maxBodyBytes = 4 * 1024;
constexpr int maxPostsPerSecond = 20;

// What the rules read of a request's head; a field sent twice is there twice.
struct Head {
    std::string method;
    std::string target;
    std::vector<std::string> hosts;
    std::vector<std::string> origins;
    std::vector<std::string> contentTypes;
    std::vector<std::string> cookies;
    std::vector<std::string> authorizations;
    std::optional<std::uint64_t> contentLength;
    bool chunked = false;
};

struct Reply {
    unsigned status = 200;
    std::string contentType;
    std::string body;
    std::vector<std::pair<std::string, std::string>> fields;
    // The reply opens an event stream of the state.
    bool stream = false;
};

// A file of the page, served as it is.
struct Asset {
    std::string path;
    std::string contentType;
    std::string body;
};

// A request that passed the rules: the phone that sent it (the hash of its
// token; empty for pairing and the page's files).
struct Admitted {
    std::string phone;
};

// `Host` values that name this PC: each address (IPv6 in brackets),
// "localhost", and the computer's name with and without ".local", each
// with the port.
std::vector<std::string> hostsOfThisPc(const std::vector<std::string>& addresses,
                                       const std::string& computerName, std::uint16_t port);

// The state as the API tells it.
std::string stateJson(const WebState& state);
std::string listJson(const ListPage& page);
Reply errorReply(unsigned status, std::string_view words);

class Api {
public:
    struct Setup {
        std::vector<std::string> hosts;     // as hostsOfThisPc makes them
        std::vector<std::string> commands;  // the names a phone may send
        std::vector<Asset> assets;          // "/" is the page
    };
    Api(RemoteLink& remote, Pairing& pairing, Phones& phones, platform::Crypto& crypto,
        std::function<Clock::time_point()> now, std::function<std::string()> today);

    // Any thread, at any time: requests from then on are screened and
    // answered by it.
    void setup(Setup setup);
    // The play list it serves, before it serves; none: an empty one.
    void serveList(const PlayList* list) { list_ = list; }

    // The refusal of the head, or what it was admitted as.
    std::variant<Reply, Admitted> screen(const Head& head);
    // The answer to an admitted request with its body.
    Reply answer(const Head& head, const Admitted& admitted, std::string_view body, const WebState& state);

    // The phone of this hash is still paired.
    bool stillPaired(const std::string& phone) const { return phone.empty() || phones_.knows(phone); }

private:
    std::optional<std::string> phoneOf(const Head& head) const;
    bool overPace(const std::string& phone, Clock::time_point now);
    Reply pair(std::string_view body);
    Reply playList(std::string_view target);

    RemoteLink& remote_;
    Pairing& pairing_;
    Phones& phones_;
    platform::Crypto& crypto_;
    std::function<Clock::time_point()> now_;
    std::function<std::string()> today_;
    std::shared_ptr<const Setup> current() const;
    const PlayList* list_ = nullptr;

    mutable std::mutex setupLock_;
    std::shared_ptr<const Setup> setup_ = std::make_shared<const Setup>();
    // The times of each phone's POSTs within the last second.
    std::map<std::string, std::deque<Clock::time_point>> posts_;
};

}  // namespace web
