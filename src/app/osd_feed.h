// OsdFeed: when the on-screen display shows, and what. While the remote's
// window is hidden and the setting is on ([IR] OSD), a command a handset
// asked for shows what it came to, and a track the player moved on to by
// itself shows its title (the track watched every 2 s, for as long as the
// setting is on). A key the player cannot carry out says so, whoever
// pressed it, the window shown or not: nothing else would. Keys clicked on
// the remote's window, and everything while that window is shown (its keys
// show their press there), show nothing more.
#pragma once

#include <cstdint>
#include <optional>

#include "app/osd.h"
#include "app/remote.h"
#include "framework/form.h"
#include "framework/listeners.h"

namespace app {

class OsdFeed {
public:
    static constexpr std::uint32_t trackWatchMs = 2000;

    // `window` is the remote's: nothing of a handset's shows while it does.
    OsdFeed(Remote& remote, const fw::Form& window, TOsd& osd);

private:
    void commandRan(const Command& command, CommandSource source, const CommandOutcome& outcome);
    void stateChanged(const RemoteState& state, const StateChange& change);
    // The track watched while the display is on.
    void followSetting();

    Remote& remote_;
    const fw::Form& window_;
    TOsd& osd_;
    // The track as last seen: a change from none is no move.
    std::optional<std::int32_t> seenTrack_;
    fw::Subscription watch_;
    fw::Subscription commands_;
    fw::Subscription state_;
    fw::Subscription applied_;
};

}  // namespace app
