// The receive thread: polls the port byte by byte, turns each burst into a
// code text and hands complete texts to the code display while it is
// visible; complete texts are dropped while it is not, partial ones wait.
#pragma once

#include <memory>
#include <string>

#include "framework/thread.h"
#include "ir/code_text.h"
#include "ir/com_func.h"

namespace ir {

// The receiving end of complete code texts (the setup dialog's code field).
// Both calls come from the receive thread: visible() must be safe there,
// and deliver() must hand the text over to the GUI thread, never touch a
// window itself.
class CodeDisplay {
public:
    virtual ~CodeDisplay() = default;
    virtual bool visible() const = 0;
    virtual void deliver(const std::string& code) = 0;
};

// One pass of the loop: at most 8 reads, ending at the first read that
// finds no byte; then a complete text is delivered or dropped.
void ReceivePass(ComFunc& com, CodeText& code, CodeDisplay& display);

class TComThread {
public:
    static constexpr int readsPerPass = 8;

    // Starts running at once.
    TComThread(ComFunc& com, CodeText& code, CodeDisplay& display);
    // Asks the loop to stop and waits until it has.
    ~TComThread();
    void stop() { thread_.stop(); }
    bool running() const { return thread_.running(); }

private:
    void Execute(std::stop_token stop);

    ComFunc& com_;
    CodeText& code_;
    CodeDisplay& display_;
    fw::Thread thread_;
};

// What starts and stops the receive loop, so that at most one loop ever
// reads the port and none reads a handle that is being closed.
class IrReceiver {
public:
    IrReceiver(ComFunc& com, CodeText& code, CodeDisplay& display) : com_(com), code_(code), display_(display) {}
    ~IrReceiver() { stopLoop(); }

    // Stops a running loop first.
    void startLoop();
    // Request and join; a no-op when no loop runs.
    void stopLoop();
    bool loopRunning() const { return thread_ != nullptr; }

private:
    ComFunc& com_;
    CodeText& code_;
    CodeDisplay& display_;
    std::unique_ptr<TComThread> thread_;
};

}  // namespace ir
