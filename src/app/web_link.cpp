#include "app/web_link.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>

#include "app/commands.h"
#include "app/remote.h"
#include "app/settings.h"
#include "app/web_page.h"
#include "framework/application.h"
#include "framework/host.h"

namespace app {

namespace {

// The day as the settings file keeps it, in UTC: a day more or less on a
// pairing's date means nothing to anyone.
std::string today() {
    const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

struct PageFile {
    const char* path;
    const char* resource;
    const char* type;
};

// The page's files, from the program's own resources.
constexpr PageFile pageFiles[] = {
    {"/", "WEB_PAGE", "text/html; charset=utf-8"},
    {"/app.js", "WEB_SCRIPT", "text/javascript; charset=utf-8"},
    {"/style.css", "WEB_STYLE", "text/css; charset=utf-8"},
    {"/manifest.webmanifest", "WEB_MANIFEST", "application/manifest+json"},
    {"/icon.svg", "WEB_ICON", "image/svg+xml"},
    {"/skin.bmp", "SKIN", "image/bmp"},
};

std::string hostForm(const std::string& address) {
    return address.find(':') != std::string::npos ? "[" + address + "]" : address;
}

}  // namespace

web::WebState webStateOf(const RemoteState& state) {
    web::WebState web;
    web.player = state.player;
    if (state.player) {
        web.state = state.play == PlayState::playing  ? "playing"
                    : state.play == PlayState::paused ? "paused"
                                                      : "stopped";
        web.shuffle = state.shuffle;
        web.repeat = state.repeat;
    }
    web.positionMs = state.positionMs;
    web.track = state.track;
    web.title = state.title;
    web.volume = state.volume;
    web.muted = state.muted;
    web.typed = state.digits;
    return web;
}

// The server's requests, on its own thread: each crosses to the GUI thread.
class WebLink::Requests : public web::RemoteLink {
public:
    explicit Requests(WebLink& link) : link_(link) {}
    void command(const std::string& name) override {
        if (const Command* c = commandNamed(name)) link_.remote_.ask(*c, CommandSource::web);
    }
    void volume(int level) override {
        link_.fromServer_.push([&remote = link_.remote_, level] { remote.setVolume(level, CommandSource::web); });
    }
    void track(std::int32_t number) override {
        link_.fromServer_.push([&remote = link_.remote_, number] { remote.chooseTrack(number, CommandSource::web); });
    }
    void paired(const web::Phone& phone) override {
        link_.fromServer_.push([&link = link_, phone] { link.paired(phone); });
    }
    // A page scrolled or a search typed asks many times a second: one ask
    // waits at a time, with the latest place asked for.
    void listWanted(std::optional<std::int32_t> from) override {
        {
            std::lock_guard hold(lock_);
            from_ = from;
            if (waiting_) return;
            waiting_ = true;
        }
        link_.fromServer_.push([this] {
            std::optional<std::int32_t> from;
            {
                std::lock_guard hold(lock_);
                from = from_;
                waiting_ = false;
            }
            link_.ListReader->asked(from);
        });
    }

private:
    WebLink& link_;
    std::mutex lock_;
    std::optional<std::int32_t> from_;
    bool waiting_ = false;
};

WebLink::WebLink(fw::Component* owner, std::string name, Remote& remote, SettingsStore& store,
                 platform::Crypto& crypto, platform::Network& network, const platform::TextFolding& folding,
                 fw::Host& host)
    : fw::Component(owner, std::move(name)),
      ListReader(&create<PlayListReader>("ListReader", *remote.WinampControl, list_)),
      remote_(remote),
      store_(store),
      crypto_(crypto),
      network_(network),
      host_(host),
      requests_(std::make_unique<Requests>(*this)),
      fromServer_(fw::Application::of(owner), maxRequestsWaiting, [](std::function<void()>& work) { work(); }),
      list_([&folding](std::string_view text) { return folding.fold(text); }),
      pairing_(crypto),
      api_(*requests_, pairing_, phones_, crypto, [] { return web::Clock::now(); }, today),
      server_(api_) {
    api_.serveList(&list_);
}

// The server's thread ends before anything it reaches goes.
WebLink::~WebLink() { server_.stop(); }

void WebLink::activate(const Settings& settings) {
    wanted_ = settings.WebEnabled;
    port_ = static_cast<std::uint16_t>(settings.WebPort);
    chosenAddress_ = settings.WebAddress;
    phones_.set(settings.Phones);
    if (!wanted_) {
        report(SourceState::off);
        return;
    }
    report(SourceState::trying);
    listen();
}

void WebLink::deactivate() {
    wanted_ = false;
    server_.stop();
    pairing_.close();
    following_.reset();
    state_.reset();
    listChanged_.reset();
    ListReader->follow(false);
    ListReader->TimerSlice->setEnabled(false);
    report(SourceState::off);
}

void WebLink::keep() {
    if (wanted_ && !server_.serving()) listen();
}

void WebLink::listen() {
    const std::uint16_t port = port_;
    std::vector<std::string> texts;
    web::ServerSetup setup;
    setup.port = port;
    std::optional<std::string> shown, anyV4;
    for (const platform::HostAddress& a : network_.addresses()) {
        boost::system::error_code bad;
        auto address = boost::asio::ip::make_address(a.address, bad);
        if (bad) continue;
        texts.push_back(a.address);
        if (!a.loopback) setup.onLink.push_back({address, a.prefixLength});
        if (address.is_v4() && !a.loopback) {
            if (a.defaultRoute && !shown) shown = a.address;
            if (!anyV4) anyV4 = a.address;
        }
    }
    // Every address of the PC, so a phone reaches it on whichever network
    // it is on; a PC without IPv6 listens on IPv4 alone.
    setup.listenOn = {boost::asio::ip::address_v4::any(), boost::asio::ip::address_v6::any()};
    setup.streamsChanged = [this](std::size_t open) {
        fromServer_.push([this, open] { streamsChanged(open); });
    };
    // Only an address is shown and let in as a Host: a name typed there
    // would let pages of that name's owner in.
    boost::system::error_code notAddress;
    if (!chosenAddress_.empty()) boost::asio::ip::make_address(chosenAddress_, notAddress);
    shownAddress_ = !chosenAddress_.empty() && !notAddress ? chosenAddress_
                    : shown                              ? *shown
                    : anyV4                              ? *anyV4
                                                         : "127.0.0.1";
    if (std::find(texts.begin(), texts.end(), shownAddress_) == texts.end()) texts.push_back(shownAddress_);
    texts.push_back("127.0.0.1");
    texts.push_back("::1");
    web::Api::Setup api;
    api.hosts = web::hostsOfThisPc(texts, network_.computerName(), port);
    api.commands = commandNamesLoadOrder();
    for (const PageFile& file : pageFiles)
        if (auto bytes = host_.resource(file.resource))
            api.assets.push_back({file.path, file.type, std::string(bytes->begin(), bytes->end())});
    api.assets.push_back({"/layout.json", "application/json", remoteLayoutJson()});
    api_.setup(std::move(api));
    if (auto failure = server_.start(setup)) {
        report(SourceState::failed, *failure);
        return;
    }
    state_ = remote_.onState([this](const RemoteState& state, const StateChange& change) {
        if (change.has(trackPart) || change.has(playerPart)) ListReader->playing(state.track);
        publish(state);
    });
    listChanged_ = ListReader->onChanged([this] { publish(remote_.state()); });
    publish(remote_.state());
    report(SourceState::live);
}

void WebLink::publish(const RemoteState& state) {
    web::WebState web = webStateOf(state);
    web.list = list_.number();
    server_.publish(web);
}

void WebLink::streamsChanged(std::size_t open) {
    if (open == 0)
        following_.reset();
    else if (!following_.active() && server_.serving())
        following_ = remote_.watch({followedEveryMs, StateWatch::Parts::everything});
    ListReader->follow(open > 0 && server_.serving());
}

void WebLink::paired(const web::Phone& phone) {
    store_.AddPhone(phone);
    pairedListeners_(phone);
}

std::optional<std::string> WebLink::address() const {
    if (!server_.serving()) return std::nullopt;
    return "http://" + hostForm(shownAddress_) + ":" + std::to_string(server_.port());
}

std::vector<std::string> WebLink::addresses() {
    std::vector<std::string> found;
    for (const platform::HostAddress& a : network_.addresses())
        if (!a.loopback) found.push_back(a.address);
    return found;
}

std::optional<std::string> WebLink::openPairing() {
    if (!server_.serving()) return std::nullopt;
    return pairing_.open(web::Clock::now());
}

void WebLink::closePairing() { pairing_.close(); }

void WebLink::forgetPhones() {
    phones_.forgetAll();
    server_.phonesForgotten();
    store_.ForgetPhones();
}

void WebLink::forgetPhone(const std::string& hash) {
    phones_.forget(hash);
    server_.phonesForgotten();
    store_.ForgetPhone(hash);
}

}  // namespace app
