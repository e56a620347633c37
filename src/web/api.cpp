#include "web/api.h"

#include <algorithm>
#include <charconv>

#include <boost/url/parse.hpp>
#include <nlohmann/json.hpp>

#include "framework/convert.h"

namespace web {

namespace {

using nlohmann::json;

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The path of a request's target, without its query.
std::string_view pathOf(std::string_view target) { return target.substr(0, target.find('?')); }

bool isJson(std::string_view contentType) {
    return fw::sameText(trim(contentType.substr(0, contentType.find(';'))), "application/json");
}

constexpr std::string_view apiPrefix = "/api/v1/";
constexpr std::string_view tokenCookie = "zav_token";
// A token is 32 hex digits; anything much longer is no token of ours.
constexpr std::size_t maxTokenSize = 128;

std::optional<std::string> tokenFromCookies(const std::vector<std::string>& cookies) {
    for (const std::string& field : cookies) {
        std::string_view rest = field;
        while (!rest.empty()) {
            std::size_t end = rest.find(';');
            std::string_view pair = trim(rest.substr(0, end));
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
            std::size_t equals = pair.find('=');
            if (equals != std::string_view::npos && trim(pair.substr(0, equals)) == tokenCookie)
                return std::string(trim(pair.substr(equals + 1)));
        }
    }
    return std::nullopt;
}

std::optional<std::string> tokenFromAuthorization(const std::vector<std::string>& fields) {
    if (fields.size() != 1)
        return std::nullopt;
    std::string_view field = trim(fields.front());
    constexpr std::string_view scheme = "bearer ";
    if (field.size() <= scheme.size() || !fw::sameText(field.substr(0, scheme.size()), scheme))
        return std::nullopt;
    return std::string(trim(field.substr(scheme.size())));
}

Reply noContent() { return Reply{204, {}, {}, {}, false}; }

Reply jsonReply(const json& body) { return Reply{200, "application/json", body.dump(), {}, false}; }

// The body's JSON object, or none when it is not one.
std::optional<json> objectOf(std::string_view body) {
    json parsed = json::parse(body.begin(), body.end(), nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object())
        return std::nullopt;
    return parsed;
}

// An integer field of the object within [least, most], or none.
std::optional<std::int64_t> integerField(const json& object, const char* name, std::int64_t least,
                                         std::int64_t most) {
    auto field = object.find(name);
    if (field == object.end() || !field->is_number_integer())
        return std::nullopt;
    // A number beyond the 64-bit range arrives as unsigned or is refused.
    if (field->is_number_unsigned() && field->get<std::uint64_t>() > static_cast<std::uint64_t>(most))
        return std::nullopt;
    std::int64_t value = field->get<std::int64_t>();
    if (value < least || value > most)
        return std::nullopt;
    return value;
}

struct Route {
    std::string_view path;
    std::string_view method;
    bool paired;  // only a paired phone may ask
};

constexpr Route routes[] = {
    {"/api/v1/pair", "POST", false},   {"/api/v1/state", "GET", true},
    {"/api/v1/events", "GET", true},   {"/api/v1/command", "POST", true},
    {"/api/v1/volume", "POST", true},  {"/api/v1/track", "POST", true},
    {"/api/v1/playlist", "GET", true},
};

const Route* routeOf(std::string_view path) {
    for (const Route& route : routes)
        if (route.path == path)
            return &route;
    return nullptr;
}

}  // namespace

std::vector<std::string> hostsOfThisPc(const std::vector<std::string>& addresses,
                                       const std::string& computerName, std::uint16_t port) {
    std::string suffix = ":" + std::to_string(port);
    std::vector<std::string> hosts;
    for (const std::string& address : addresses)
        hosts.push_back((address.find(':') != std::string::npos ? "[" + address + "]" : address) + suffix);
    hosts.push_back("localhost" + suffix);
    if (!computerName.empty()) {
        hosts.push_back(computerName + suffix);
        hosts.push_back(computerName + ".local" + suffix);
    }
    return hosts;
}

std::string stateJson(const WebState& state) {
    auto optional = [](const auto& value) -> json { return value ? json(*value) : json(nullptr); };
    json out = {
        {"player", optional(state.player)},
        {"state", state.state},
        {"position_ms", optional(state.positionMs)},
        {"track", optional(state.track)},
        {"title", optional(state.title)},
        {"volume", optional(state.volume)},
        {"muted", state.muted},
        {"shuffle", optional(state.shuffle)},
        {"repeat", optional(state.repeat)},
        {"typed", state.typed},
        {"list", state.list},
    };
    // A title read from a player's memory may hold bytes that are not UTF-8:
    // they are replaced, never a reason to fail.
    return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string listJson(const ListPage& page) {
    json items = json::array();
    for (const ListItem& item : page.items)
        items.push_back({{"number", item.number}, {"title", item.title ? json(*item.title) : json(nullptr)}});
    json out = {
        {"length", page.length},
        {"position", page.position ? json(*page.position) : json(nullptr)},
        {"offset", page.offset},
        {"items", std::move(items)},
        {"complete", page.complete},
    };
    return out.dump(-1, ' ', false, json::error_handler_t::replace);
}

Reply errorReply(unsigned status, std::string_view words) {
    return Reply{status, "application/json", json{{"error", words}}.dump(), {}, false};
}

Api::Api(RemoteLink& remote, Pairing& pairing, Phones& phones, platform::Crypto& crypto,
         std::function<Clock::time_point()> now, std::function<std::string()> today)
    : remote_(remote),
      pairing_(pairing),
      phones_(phones),
      crypto_(crypto),
      now_(std::move(now)),
      today_(std::move(today)) {}

void Api::setup(Setup setup) {
    auto next = std::make_shared<const Setup>(std::move(setup));
    std::lock_guard hold(setupLock_);
    setup_ = std::move(next);
}

std::shared_ptr<const Api::Setup> Api::current() const {
    std::lock_guard hold(setupLock_);
    return setup_;
}

std::optional<std::string> Api::phoneOf(const Head& head) const {
    for (const auto& token : {tokenFromCookies(head.cookies), tokenFromAuthorization(head.authorizations)}) {
        if (!token || token->empty() || token->size() > maxTokenSize)
            continue;
        auto digest = crypto_.sha256(*token);
        std::string hash = hexOf(digest.data(), digest.size());
        if (phones_.knows(hash))
            return hash;
    }
    return std::nullopt;
}

bool Api::overPace(const std::string& phone, Clock::time_point now) {
    auto& times = posts_[phone];
    while (!times.empty() && now - times.front() >= std::chrono::seconds(1))
        times.pop_front();
    if (times.size() >= static_cast<std::size_t>(maxPostsPerSecond))
        return true;
    times.push_back(now);
    return false;
}

std::variant<Reply, Admitted> Api::screen(const Head& head) {
    const auto setup = current();
    if (head.hosts.size() != 1)
        return errorReply(400, "one Host field is needed");
    const std::string& host = head.hosts.front();
    bool ours = std::any_of(setup->hosts.begin(), setup->hosts.end(),
                            [&](const std::string& known) { return fw::sameText(known, host); });
    if (!ours)
        return errorReply(421, "this server does not answer for that host");
    if (head.contentLength.value_or(0) > maxBodyBytes)
        return errorReply(413, "the body is too large");
    if (!head.origins.empty() && (head.origins.size() != 1 || !fw::sameText(head.origins.front(), "http://" + host)))
        return errorReply(403, "requests from other pages are refused");
    bool post = head.method == "POST";
    if (post && (head.contentTypes.size() != 1 || !isJson(head.contentTypes.front())))
        return errorReply(415, "only application/json is taken");
    std::string_view path = pathOf(head.target);
    const Route* route = routeOf(path);
    bool api = path.substr(0, apiPrefix.size()) == apiPrefix;
    Admitted admitted;
    if (api && !(route && !route->paired)) {
        auto phone = phoneOf(head);
        if (!phone)
            return errorReply(401, "this phone is not paired");
        admitted.phone = *phone;
        if (post && overPace(*phone, now_()))
            return errorReply(429, "too many commands");
    }
    if (route) {
        if (route->method != head.method) {
            Reply refused = errorReply(405, "method not allowed");
            refused.fields.emplace_back("Allow", std::string(route->method));
            return refused;
        }
        return admitted;
    }
    bool asset = std::any_of(setup->assets.begin(), setup->assets.end(),
                             [&](const Asset& a) { return a.path == path || (path == "/pair" && a.path == "/"); });
    if (!asset)
        return errorReply(404, "not found");
    if (head.method != "GET") {
        Reply refused = errorReply(405, "method not allowed");
        refused.fields.emplace_back("Allow", "GET");
        return refused;
    }
    return admitted;
}

Reply Api::pair(std::string_view body) {
    auto request = objectOf(body);
    if (!request || !request->contains("code") || !(*request)["code"].is_string())
        return errorReply(400, "a code is needed");
    std::string name = "Phone";
    if (auto given = request->find("name"); given != request->end()) {
        if (!given->is_string())
            return errorReply(400, "the name must be text");
        name = cleanPhoneName(given->get<std::string>());
    }
    Pairing::Attempt attempt = pairing_.attempt((*request)["code"].get<std::string>(), now_());
    if (attempt.outcome == Pairing::Outcome::wrong)
        return errorReply(403, "wrong code");
    if (attempt.outcome == Pairing::Outcome::none)
        return errorReply(429, "no code is open: pair again on the PC");
    auto digest = crypto_.sha256(attempt.token);
    Phone phone{hexOf(digest.data(), digest.size()), today_(), name};
    phones_.add(phone);
    remote_.paired(phone);
    Reply reply = jsonReply(json{{"token", attempt.token}, {"name", name}});
    reply.fields.emplace_back("Set-Cookie", std::string(tokenCookie) + "=" + attempt.token +
                                                "; Max-Age=34560000; HttpOnly; SameSite=Strict; Path=/");
    return reply;
}

namespace {

// A whole number in decimal digits alone (no sign, no spaces), within
// [least, most].
std::optional<std::size_t> countOf(std::string_view text, std::size_t least, std::size_t most) {
    std::size_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || value < least || value > most)
        return std::nullopt;
    return value;
}

}  // namespace

Reply Api::playList(std::string_view target) {
    auto parsed = boost::urls::parse_origin_form(target);
    if (!parsed)
        return errorReply(400, "the query cannot be read");
    std::optional<std::string> offsetText, countText, query;
    for (auto param : parsed->params()) {
        std::optional<std::string>* into = param.key == "offset" ? &offsetText
                                           : param.key == "count" ? &countText
                                           : param.key == "q"     ? &query
                                                                  : nullptr;
        if (!into)
            continue;
        if (*into)
            return errorReply(400, "a parameter is given twice");
        *into = std::string(param.value);
    }
    std::size_t offset = 0, count = defaultListCount;
    if (offsetText) {
        auto value = countOf(*offsetText, 0, static_cast<std::size_t>(maxListLength));
        if (!value)
            return errorReply(400, "the offset must be a whole number from 0");
        offset = *value;
    }
    if (countText) {
        auto value = countOf(*countText, 1, maxListCount);
        if (!value)
            return errorReply(400, "the count must be a whole number from 1 to 200");
        count = *value;
    }
    if (query && query->size() > maxSearchBytes)
        return errorReply(400, "the search is too long");
    const bool searching = query && query->find_first_not_of(" \t") != std::string::npos;
    remote_.listWanted(searching ? std::nullopt : std::optional<std::int32_t>(static_cast<std::int32_t>(offset)));
    if (!list_)
        return Reply{200, "application/json", listJson(ListPage{0, std::nullopt, offset, {}, true}), {}, false};
    ListPage page = searching ? list_->search(*query, offset, count) : list_->page(offset, count);
    return Reply{200, "application/json", listJson(page), {}, false};
}

Reply Api::answer(const Head& head, const Admitted&, std::string_view body, const WebState& state) {
    const auto setup = current();
    std::string_view path = pathOf(head.target);
    if (path == "/api/v1/pair")
        return pair(body);
    if (path == "/api/v1/state")
        return Reply{200, "application/json", stateJson(state), {}, false};
    if (path == "/api/v1/playlist")
        return playList(head.target);
    if (path == "/api/v1/events")
        return Reply{200, "text/event-stream", {}, {}, true};
    if (path == "/api/v1/command") {
        auto request = objectOf(body);
        auto name = request ? request->find("command") : json::iterator{};
        if (!request || name == request->end() || !name->is_string() ||
            std::find(setup->commands.begin(), setup->commands.end(), name->get<std::string>()) ==
                setup->commands.end())
            return errorReply(400, "no such command");
        remote_.command(name->get<std::string>());
        return noContent();
    }
    if (path == "/api/v1/volume") {
        auto request = objectOf(body);
        auto level = request ? integerField(*request, "level", 0, 100) : std::nullopt;
        if (!level)
            return errorReply(400, "the level must be a whole number from 0 to 100");
        remote_.volume(static_cast<int>(*level));
        return noContent();
    }
    if (path == "/api/v1/track") {
        auto request = objectOf(body);
        auto number = request ? integerField(*request, "number", 1, INT32_MAX) : std::nullopt;
        if (!number)
            return errorReply(400, "the number must be a whole number from 1");
        remote_.track(static_cast<std::int32_t>(*number));
        return noContent();
    }
    std::string_view file = path == "/pair" ? std::string_view("/") : path;
    for (const Asset& asset : setup->assets)
        if (asset.path == file) {
            return Reply{200, asset.contentType, asset.body, {}, false};
        }
    return errorReply(404, "not found");
}

}  // namespace web
