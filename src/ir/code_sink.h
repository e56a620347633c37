// Where a source of codes hands its complete code texts: the serial
// receiver's loop and a LIRC server's reader both feed one, from their own
// threads.
#pragma once

#include <string>

namespace ir {

enum class CodeSource { serial, server };

// How a code that came relates to the key before it. The serial receiver
// cannot tell (its codes are told apart by their timing); a server says
// whether its key is a new press or the same key still held.
enum class Arrival { timed, press, held };

class CodeSink {
public:
    virtual ~CodeSink() = default;
    // Any thread; must not block nor touch a window.
    virtual void feed(CodeSource source, std::string code, Arrival arrival) = 0;
};

}  // namespace ir
