// What the on-screen display shows of a command that just ran: the
// command's name or what it came to, and the state the remote's look after
// it found (the play state, the time, the track and its title, the volume
// bar, the mute, shuffle and repeat). What the state does not hold, or the
// player left unanswered in that look, is left out, never guessed.
#pragma once

#include "app/commands.h"
#include "app/osd.h"
#include "app/remote.h"
#include "app/remote_state.h"

namespace app {

OsdContent describeCommand(const Command& command, const RemoteState& state, const CommandOutcome& outcome);

// A track the player moved on to by itself.
OsdContent describeNowPlaying(const RemoteState& state);

}  // namespace app
