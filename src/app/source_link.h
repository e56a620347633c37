// A source of codes with a life of its own (opened, lost, tried again,
// resumed): the serial receiver, a LIRC server. The remote turns each on
// and off as the settings say and lights the IR badge while any is lit;
// the codes themselves go to the code bus, not through here.
//
// Every source keeps one rule: activate and deactivate are done when they
// return (nothing of the old state reaches the listeners afterwards);
// lit and dark are told on the GUI thread, each once when it changes; a
// deactivated source is dark, and says so if it was lit.
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
    // lost or turned off.
    [[nodiscard]] fw::Subscription onLit(std::function<void(bool lit)> listener) {
        return litListeners_.add(std::move(listener));
    }
    bool isLit() const { return lit_; }

protected:
    void lit(bool on) {
        if (lit_ == on) return;
        lit_ = on;
        litListeners_(on);
    }

private:
    bool lit_ = false;
    fw::Listeners<void(bool)> litListeners_;
};

}  // namespace app
