// The receive thread: waits for the receiver's bytes, turns each burst into
// a code text and feeds complete texts to the code sink; partial texts
// wait. When the port turns out to be gone, the loop ends and says so.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>

#include "framework/application.h"
#include "framework/listeners.h"
#include "framework/post_target.h"
#include "framework/thread.h"
#include "ir/code_sink.h"
#include "ir/code_text.h"
#include "ir/com_func.h"

namespace ir {

// How a pass ended.
enum class PassEnd { gap, full, stopped, lost };

// The timing of a pass. The first read waits for a byte as long as the
// line is quiet, looking at the line's state every second (a line whose
// device went away may answer reads with nothing, and only its state tells
// it from a quiet one); a stop request ends the wait at once. The burst
// ends at the first read that finds nothing within the gap.
struct ReceiveTiming {
    static constexpr std::uint32_t waitSliceMs = 1000;
    // What the polling loop this one replaced allowed between two bytes of
    // a burst: its 4 ms read time-out after its 10 ms pause.
    static constexpr std::uint32_t burstGapMs = 14;
    static constexpr int readsPerPass = 8;
};

// One pass: wait for a byte, then read the burst that follows, at most 8
// bytes; a complete text is then fed to `sink`. Whoever asks for the stop
// must also interrupt the port's reads (ComFunc::InterruptReads), as
// TComThread::stop does.
PassEnd ReceivePass(ComFunc& com, CodeText& code, CodeSink& sink, std::stop_token stop);

class TComThread {
public:
    using LostHandler = std::function<void()>;

    // Starts running at once; `lost` is called on the receive thread when
    // the port turns out to be gone, and the loop ends.
    TComThread(ComFunc& com, CodeText& code, CodeSink& sink, LostHandler lost);
    // Asks the loop to stop and waits until it has.
    ~TComThread();
    // The port's reads are interrupted first (the interrupt holds), so the
    // loop sees the request at once wherever it waits; then it is joined.
    // No callback of the stop request's is used: the receive thread would
    // wait in its destructor for one running on the GUI thread, and with
    // the 32-bit build's standard library that wait can miss its wake-up
    // and never end, while the GUI thread waits to join it.
    void stop() {
        com_.InterruptReads();
        thread_.stop();
    }
    bool running() const { return thread_.running(); }
    // The loop has returned (lost, or stopped), joined or not.
    bool ended() const { return ended_; }

private:
    void Execute(std::stop_token stop);

    ComFunc& com_;
    CodeText& code_;
    CodeSink& sink_;
    LostHandler lost_;
    std::atomic<bool> ended_{false};
    fw::Thread thread_;
};

// What starts and stops the receive loop, so that at most one loop ever
// reads the port and none reads a handle that is being closed.
class IrReceiver {
public:
    IrReceiver(ComFunc& com, CodeText& code, CodeSink& sink, fw::Application& app)
        : com_(com), code_(code), sink_(sink), app_(app) {}
    ~IrReceiver() { stopLoop(); }

    // Heard on the GUI thread when the running loop found the port gone; a
    // notice from a loop since stopped or replaced is not heard.
    [[nodiscard]] fw::Subscription onLost(std::function<void()> lost) { return lost_.add(std::move(lost)); }
    // Stops a running loop first.
    void startLoop();
    // Request and join; a no-op when no loop runs.
    void stopLoop();
    bool loopRunning() const { return thread_ != nullptr; }
    // A loop runs and has not returned: it is reading the port.
    bool loopReading() const { return thread_ && !thread_->ended(); }
    // The part of a code received so far is dropped.
    void dropPartial() { code_.clear(); }

private:
    ComFunc& com_;
    CodeText& code_;
    CodeSink& sink_;
    fw::Application& app_;
    fw::Listeners<void()> lost_;
    unsigned loops_ = 0;
    // Notices of a lost port reach this object only while it lives.
    fw::PostTarget<IrReceiver> target_{*this};
    std::unique_ptr<TComThread> thread_;
};

}  // namespace ir
