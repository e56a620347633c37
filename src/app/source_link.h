// A source of codes with a life of its own (turned on, tried, live, lost,
// tried again): the serial receiver, a LIRC server, the keys the system
// hears. The remote holds them in one list, turns each on and off as the
// settings say, lights the IR badge while a source that lights it is live,
// and looks after each every retryMs; the codes themselves go to the code
// bus, not through here.
//
// Every source keeps one rule: activate and deactivate are done when they
// return (nothing of the old state reaches the listeners afterwards); its
// status is told on the GUI thread, once each time it changes; a
// deactivated source is off; a source that is wanted but not live is tried
// again every retryMs, without a word, until it is live or turned off.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "app/settings.h"
#include "framework/listeners.h"
#include "ir/code_sink.h"

namespace app {

enum class SourceState { off, trying, live, failed };

struct SourceStatus {
    SourceState state = SourceState::off;
    // Why it failed, in words.
    std::string reason;
    bool operator==(const SourceStatus&) const = default;
};

class SourceLink {
public:
    static constexpr std::uint32_t retryMs = ir::sourceRetryMs;

    virtual ~SourceLink() = default;
    // What the setup dialog calls it: "Receiver", "LIRC server", "Media keys".
    virtual const char* label() const = 0;
    // Whether it lights the IR badge while live.
    virtual bool lightsBadge() const = 0;
    // The source as `settings` ask for it, or off.
    virtual void activate(const Settings& settings) = 0;
    virtual void deactivate() = 0;
    // Every retryMs: a source that is wanted and not live (or no longer
    // really live) is tried again.
    virtual void keep() {}

    const SourceStatus& status() const { return status_; }
    bool isLive() const { return status_.state == SourceState::live; }
    // "Receiver: off", "LIRC server: trying", "Media keys: live",
    // "Receiver: failed: COM3 could not be opened".
    std::string statusText() const;
    // Heard on the GUI thread, each time the status changes.
    [[nodiscard]] fw::Subscription onStatus(std::function<void(const SourceStatus&)> listener) {
        return statusListeners_.add(std::move(listener));
    }

protected:
    void report(SourceState state, std::string reason = {});

private:
    SourceStatus status_;
    fw::Listeners<void(const SourceStatus&)> statusListeners_;
};

}  // namespace app
