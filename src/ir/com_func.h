// The serial link to the IR receiver: open and configure the port, power
// the receiver through RTS and DTR, send it "IR", read single bytes, close.
// Reported failures are message boxes captioned "Eroare". A failure while
// opening and configuring closes the port again; a failed power change or
// init write leaves it open, for the caller to close. The receiver's own
// retries after it was lost report nothing.
//
// The port handle is shared by the GUI thread (open, configure, power,
// initialise, close) and the receive thread (read); it is kept atomically,
// and the receive loop is always stopped and joined before the port is
// closed (see IrReceiver), so no read runs on a handle being closed.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/serial.h"

namespace ir {

// How a failure is told: at once, kept until showHeldReports (a box serves
// messages, so one shown halfway through a sequence lets the user's keys
// reach a state half done), or not at all.
enum class Reporting { shown, held, quiet };

// What one read came to.
enum class ReadOutcome { byte, nothing, interrupted, lost };

class ComFunc {
public:
    // Reported failures are shown through `showMessage`.
    ComFunc(platform::SerialPorts& serial, platform::ShowMessage showMessage)
        : serial_(serial), showMessage_(std::move(showMessage)) {}
    ~ComFunc() { CloseComPort(); }
    ComFunc(const ComFunc&) = delete;
    ComFunc& operator=(const ComFunc&) = delete;

    static constexpr std::uint32_t queueSize = 4096;
    static constexpr int powerPauseMs = 100;
    // Reads wait for their byte as long as the reader lets them; writes
    // get 2 ms a byte and 2 ms more.
    static constexpr platform::Timeouts timeouts{0, 0, 0, 2, 2};
    static platform::LineSettings lineSettings(std::uint32_t baudRate);
    // "COM" and the number, as the user sees it.
    static std::string portName(int port);
    // Where the device is opened: the device namespace, so ports above 9
    // open too.
    static std::string devicePath(int port);

    bool OpenComPort(int port, std::uint32_t baudRate, Reporting reporting = Reporting::shown);
    // Shows the failures kept by Reporting::held, in the order they came.
    void showHeldReports();
    void CloseComPort();
    bool SetReceiverPower(bool on);
    // True when both bytes of "IR" were written.
    bool SendReceiverInit(bool send, Reporting reporting = Reporting::shown);
    // Waits up to `waitMs` for one byte; a byte already there comes at once.
    // A read that fails, or that finds the device gone, reports it lost.
    // Receive thread only.
    ReadOutcome ReadComByte(std::uint8_t& destination, std::uint32_t waitMs);
    // Ends the receive thread's read at once, and every read after it until
    // ResumeReads. Any thread.
    void InterruptReads();
    void ResumeReads();

    // Why the last opening sequence failed, in words the setup dialog
    // shows ("COM3 could not be opened"), whether it was reported or not:
    // its first failure, since the later steps fail because of it.
    const std::string& lastFailure() const { return lastFailure_; }

    platform::PortHandle ComHandle() const { return handle_.load(); }
    bool isOpen() const { return ComHandle() != platform::invalidPort; }

private:
    // `text` is the box's; `why` the words kept for the dialog.
    void fail(const char* text, std::string why, Reporting reporting);

    platform::SerialPorts& serial_;
    platform::ShowMessage showMessage_;
    std::vector<std::string> held_;
    std::string lastFailure_;
    std::atomic<platform::PortHandle> handle_{platform::invalidPort};
    // Made with the open port and gone with it; the receive loop is never
    // running while either happens.
    std::unique_ptr<platform::PortReader> reader_;
};

}  // namespace ir
