// HandsetFeedback: what the handset did, shown on the on-screen display
// while the remote's window is not. It listens to the remote's commands:
// one the handset asked for, with the window hidden and the
// setting on ([IR] OSD), is described as the player and the mixer report
// right after it and shown; keys clicked with the mouse, and everything
// while the window is shown (its keys show their press there), show
// nothing. While the window is hidden, a track the player moved on to by
// itself shows its title too (its track looked at every 2 s, its title
// read when the track moved).
#pragma once

#include <optional>
#include <string>

#include "app/commands.h"
#include "app/osd.h"
#include "app/settings.h"
#include "framework/form.h"
#include "framework/listeners.h"
#include "framework/timer.h"

namespace app {

class Remote;

// What a command that just ran leaves to show. The player is asked within
// its usual time limit; what it does not answer is left out.
OsdContent describeCommand(const Command& command, Remote& remote);

class HandsetFeedback {
public:
    // `window` is the remote's: nothing shows while it does.
    HandsetFeedback(Remote& remote, const fw::Form& window, TOsd& osd);
    static constexpr int trackWatchMs = 2000;

    // Looks at the player's title: a new one shows, unless a command of the
    // handset just showed it.
    void watchTrack();

private:
    void commandRan(const Command& command, CommandSource source);

    Remote& remote_;
    const fw::Form& window_;
    TOsd& osd_;
    fw::Subscription listening_;
    fw::Timer* watch_ = nullptr;
    std::optional<std::string> lastTrack_;
    std::optional<std::string> lastTitle_;
    // A handset command showed what it did since the last look.
    bool shownSinceLastLook_ = false;
};

}  // namespace app
