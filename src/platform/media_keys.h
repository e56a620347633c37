// The system's media commands, sent as its media keys send them: the
// players that have no Winamp window take them (Windows routes them to the
// current media session, or to the program in front). Play and pause are
// each their own, never the play/pause toggle, which would pause a player
// that already plays. What we send carries our mark, so that the keys the
// system hears never take it for a handset's.
#pragma once

#include <cstdint>

namespace platform {

enum class MediaKey { play, pause, stop, next, previous };

// The mark (the input's extra information) of the keys we send.
inline constexpr std::uintptr_t ourInputMark = 0x5A415601;

class MediaKeys {
public:
    virtual ~MediaKeys() = default;
    // A press and its release; false when the system refused it.
    virtual bool send(MediaKey key) = 0;
};

}  // namespace platform
