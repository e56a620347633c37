#include "ir/com_thread.h"

namespace ir {

PassEnd ReceivePass(ComFunc& com, CodeText& code, CodeSink& sink, std::stop_token stop) {
    std::uint8_t byte = 0;
    for (;;) {
        if (stop.stop_requested()) return PassEnd::stopped;
        const ReadOutcome first = com.ReadComByte(byte, ReceiveTiming::waitSliceMs);
        if (first == ReadOutcome::lost) return PassEnd::lost;
        if (first == ReadOutcome::interrupted) return PassEnd::stopped;
        if (first == ReadOutcome::byte) break;
    }
    code.append(byte);
    PassEnd end = PassEnd::full;
    for (int i = 1; i < ReceiveTiming::readsPerPass; ++i) {
        const ReadOutcome next = com.ReadComByte(byte, ReceiveTiming::burstGapMs);
        if (next != ReadOutcome::byte) {
            end = next == ReadOutcome::lost          ? PassEnd::lost
                  : next == ReadOutcome::interrupted ? PassEnd::stopped
                                                     : PassEnd::gap;
            break;
        }
        code.append(byte);
    }
    // Four characters or fewer wait for the next burst.
    if (std::string complete = code.takeIfComplete(); !complete.empty())
        sink.feed(CodeSource::serial, std::move(complete), Arrival::unknown);
    return end;
}

TComThread::TComThread(ComFunc& com, CodeText& code, CodeSink& sink, LostHandler lost)
    : com_(com),
      code_(code),
      sink_(sink),
      lost_(std::move(lost)),
      thread_([this](std::stop_token stop) { Execute(stop); }) {}

TComThread::~TComThread() { stop(); }

void TComThread::Execute(std::stop_token stop) {
    struct Ended {
        std::atomic<bool>& ended;
        ~Ended() { ended = true; }
    } ended{ended_};
    for (;;) {
        switch (ReceivePass(com_, code_, sink_, stop)) {
            case PassEnd::gap:
            case PassEnd::full: continue;
            case PassEnd::stopped: return;
            case PassEnd::lost:
                if (lost_) lost_();
                return;
        }
    }
}

void IrReceiver::startLoop() {
    stopLoop();
    com_.ResumeReads();
    const unsigned loop = ++loops_;
    // Said on the receive thread, heard on the GUI thread.
    auto lost = [post = target_.to(app_), loop] {
        post([loop](IrReceiver& self) {
            if (loop == self.loops_ && self.loopRunning()) self.lost_();
        });
    };
    thread_ = std::make_unique<TComThread>(com_, code_, sink_, std::move(lost));
}

void IrReceiver::stopLoop() { thread_.reset(); }

}  // namespace ir
