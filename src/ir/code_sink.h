// Where a source of codes hands its complete code texts: the serial
// receiver's loop, a LIRC server's reader and the keys the system hears
// all feed one, from their own threads.
#pragma once

#include <cstdint>
#include <string>

namespace ir {

enum class CodeSource { serial, server, keys };

// A source that is wanted and not there (a receiver unplugged, a server
// away) is tried again this often.
inline constexpr std::uint32_t sourceRetryMs = 2000;

// What a source can say of a code beyond its text. Whether it is a new
// press or the key still held is decided later, in one place, on one clock
// (PressTracker); a source only tells what it knows.
enum class Arrival {
    // The source cannot tell: the serial receiver sends the same bytes for
    // a press and for every repeat of a held key.
    unknown,
    // A new press for certain: a server's key with a repeat count of 0.
    press,
    // The source says the key came again (a server's repeat count above
    // 0); a press all the same when nothing of that key came just before,
    // as when the connection began while the key was held.
    repeat,
    // The source knows the key is still down (it saw no release): the
    // press going on, however long ago it began.
    held,
};

class CodeSink {
public:
    virtual ~CodeSink() = default;
    // Any thread; must not block nor touch a window.
    virtual void feed(CodeSource source, std::string code, Arrival arrival) = 0;
};

}  // namespace ir
