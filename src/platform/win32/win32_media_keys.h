// The media keys sent for the players that have no Winamp window. PLAY and
// PAUSE go as the system's own play and pause commands (WM_APPCOMMAND, as
// a key's default handling makes them) to the window in front, whose
// default handling passes what it does not take on to the shell, which
// gives it to the player that plays now: the play/pause key would pause a
// player that already plays. Only with no window in front to give them to
// does the play/pause key go. STOP, NEXT and PREVIOUS are keys pressed,
// with our mark.
#pragma once

#include "platform/media_keys.h"

namespace win32 {

class Win32MediaKeys : public platform::MediaKeys {
public:
    bool send(platform::MediaKey key) override;
};

}  // namespace win32
