// HandsetFeedback: what the handset did, shown on the on-screen display
// while the remote's window is not. It listens to the remote's commands:
// one the handset asked for, with the window hidden and the
// setting on ([IR] OSD), is described as the player and the mixer report
// right after it and shown; keys clicked with the mouse, and everything
// while the window is shown (its keys show their press there), show
// nothing.
#pragma once

#include "app/commands.h"
#include "app/osd.h"
#include "app/settings.h"
#include "framework/form.h"
#include "framework/listeners.h"

namespace app {

class Remote;

// What a command that just ran leaves to show. The player is asked within
// its usual time limit; what it does not answer is left out.
OsdContent describeCommand(const Command& command, Remote& remote);

class HandsetFeedback {
public:
    // `window` is the remote's: nothing shows while it does.
    HandsetFeedback(Remote& remote, const fw::Form& window, TOsd& osd);

private:
    void commandRan(const Command& command, CommandSource source);

    Remote& remote_;
    const fw::Form& window_;
    TOsd& osd_;
    fw::Subscription listening_;
};

}  // namespace app
