// A source of codes with a life of its own (opened, lost, tried again,
// resumed): the serial receiver, a LIRC server. The main window turns each
// on and off as the settings say and lights the IR badge while any is lit;
// the codes themselves go to the code bus, not through here.
#pragma once

#include <functional>
#include <utility>

#include "app/settings.h"
#include "framework/listeners.h"

namespace app {

class SourceLink {
public:
    virtual ~SourceLink() = default;
    // The source as `settings` ask for it, or off.
    virtual void activate(const Settings& settings) = 0;
    virtual void deactivate() = 0;
    // Heard on the GUI thread: true when the source opens, false when it is
    // lost or left off.
    [[nodiscard]] fw::Subscription onLit(std::function<void(bool lit)> listener) {
        return litListeners_.add(std::move(listener));
    }
    bool isLit() const { return lit_; }

protected:
    void lit(bool on) {
        lit_ = on;
        litListeners_(on);
    }

private:
    bool lit_ = false;
    fw::Listeners<void(bool)> litListeners_;
};

}  // namespace app
