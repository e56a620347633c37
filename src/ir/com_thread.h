// The receive thread: waits for the receiver's bytes, turns each burst into
// a code text and hands complete texts to the code display while it is
// visible, and past it (to whoever carries out learned commands) while it
// is not; partial texts wait. When the port turns out to be gone, the loop
// ends and says so.
#pragma once

#include <functional>
#include <memory>
#include <stop_token>
#include <string>

#include "framework/thread.h"
#include "ir/code_text.h"
#include "ir/com_func.h"

namespace ir {

// The receiving end of complete code texts (the setup dialog's code field).
// Every call comes from the receive thread: visible() must be safe there,
// and deliver() and passedBy() must hand the text over to the GUI thread,
// never touch a window themselves.
class CodeDisplay {
public:
    virtual ~CodeDisplay() = default;
    virtual bool visible() const = 0;
    virtual void deliver(const std::string& code) = 0;
    // A complete text that came while the display was not visible.
    virtual void passedBy(const std::string& code) = 0;
};

// How a pass ended.
enum class PassEnd { gap, full, stopped, lost };

// The timing of a pass. The first read waits for a byte as long as the
// line is quiet, looking at the line's state every 10 s; a stop request
// ends the wait at once. The burst ends at the first read that finds
// nothing within the gap.
struct ReceiveTiming {
    static constexpr std::uint32_t waitSliceMs = 10000;
    // What the polling loop this one replaced allowed between two bytes of
    // a burst: its 4 ms read time-out after its 10 ms pause.
    static constexpr std::uint32_t burstGapMs = 14;
    static constexpr int readsPerPass = 8;
};

// One pass: wait for a byte, then read the burst that follows, at most 8
// bytes; a complete text is then delivered or passed by. A stop request
// must also interrupt the port's reads (ComFunc::InterruptReads), as the
// receive thread does.
PassEnd ReceivePass(ComFunc& com, CodeText& code, CodeDisplay& display, std::stop_token stop);

class TComThread {
public:
    using LostHandler = std::function<void()>;

    // Starts running at once; `lost` is called on the receive thread when
    // the port turns out to be gone, and the loop ends.
    TComThread(ComFunc& com, CodeText& code, CodeDisplay& display, LostHandler lost);
    // Asks the loop to stop and waits until it has.
    ~TComThread();
    void stop() { thread_.stop(); }
    bool running() const { return thread_.running(); }

private:
    void Execute(std::stop_token stop);

    ComFunc& com_;
    CodeText& code_;
    CodeDisplay& display_;
    LostHandler lost_;
    fw::Thread thread_;
};

// What starts and stops the receive loop, so that at most one loop ever
// reads the port and none reads a handle that is being closed.
class IrReceiver {
public:
    IrReceiver(ComFunc& com, CodeText& code, CodeDisplay& display) : com_(com), code_(code), display_(display) {}
    ~IrReceiver() { stopLoop(); }

    // Called on the receive thread when a loop finds the port gone, with
    // the number of that loop: a notice that arrives after the loop was
    // replaced can be told from a current one.
    using LostHandler = std::function<void(unsigned loop)>;
    void setLostHandler(LostHandler lost) { lost_ = std::move(lost); }
    // Stops a running loop first.
    void startLoop();
    // Request and join; a no-op when no loop runs.
    void stopLoop();
    bool loopRunning() const { return thread_ != nullptr; }
    // The number of the loop started last; counts from 1.
    unsigned currentLoop() const { return loops_; }

private:
    ComFunc& com_;
    CodeText& code_;
    CodeDisplay& display_;
    LostHandler lost_;
    unsigned loops_ = 0;
    std::unique_ptr<TComThread> thread_;
};

}  // namespace ir
