// What the web remote knows of the remote: a copy of its live state to
// serve, and the requests it passes on. The remote implements the link; the
// server calls it from its own thread, so every call only queues.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace web {

struct WebState {
    std::optional<std::string> player;
    // "playing", "paused", "stopped", or "none" with no player.
    std::string state = "none";
    std::optional<std::int32_t> positionMs;
    std::optional<std::int32_t> track;
    std::optional<std::string> title;
    std::optional<int> volume;
    bool muted = false;
    std::optional<bool> shuffle;
    std::optional<bool> repeat;
    std::string typed;
    // Changes whenever the play list does: a page reads it again only then.
    std::uint32_t list = 0;
    bool operator==(const WebState&) const = default;
};

// A phone that was paired: the hash of its token (hex), the day it was
// paired (YYYY-MM-DD) and the name it gave.
struct Phone {
    std::string hash;
    std::string date;
    std::string name;
    bool operator==(const Phone&) const = default;
};

class RemoteLink {
public:
    virtual ~RemoteLink() = default;
    // One of the remote's command names, as the settings file writes it.
    virtual void command(const std::string& name) = 0;
    // 0 to 100.
    virtual void volume(int level) = 0;
    // From 1.
    virtual void track(std::int32_t number) = 0;
    // A phone paired: to keep in the settings file, and for the pairing
    // window to tell.
    virtual void paired(const Phone& phone) = 0;
    // The play list was asked for: its titles are read (those from the
    // zero-based index `from` first) while they are not all read, and what
    // was kept is checked against the player.
    virtual void listWanted(std::optional<std::int32_t> from) { (void)from; }
};

}  // namespace web
