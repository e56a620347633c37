#include "ir/com_thread.h"

namespace ir {

void ReceivePass(ComFunc& com, CodeText& code, CodeDisplay& display) {
    for (int i = 0; i < TComThread::readsPerPass; ++i) {
        std::uint8_t byte = 0;
        if (!com.ReadComByte(byte)) break;
        code.append(byte);
    }
    // Four characters or fewer wait for the next burst.
    if (code.length() < CodeText::completeAt) return;
    if (!display.visible()) {
        code.clear();
        return;
    }
    display.deliver(code.take());
}

TComThread::TComThread(ComFunc& com, CodeText& code, CodeDisplay& display)
    : com_(com), code_(code), display_(display), thread_([this](std::stop_token stop) { Execute(stop); }) {}

TComThread::~TComThread() { thread_.stop(); }

void TComThread::Execute(std::stop_token stop) {
    while (!stop.stop_requested()) ReceivePass(com_, code_, display_);
}

void IrReceiver::startLoop() {
    stopLoop();
    thread_ = std::make_unique<TComThread>(com_, code_, display_);
}

void IrReceiver::stopLoop() { thread_.reset(); }

}  // namespace ir
