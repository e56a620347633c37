#include "framework/timer.h"

#include <stdexcept>

#include "framework/application.h"

namespace fw {
namespace {

Application& applicationOf(Component* owner) {
    for (Component* c = owner; c; c = c->owner())
        if (auto* app = dynamic_cast<Application*>(c)) return *app;
    throw std::logic_error("a timer must be owned, directly or not, by the application");
}

}  // namespace

Timer::Timer(Component* owner, std::string name) : Component(owner, std::move(name)), app_(applicationOf(owner)) {}

Timer::~Timer() {
    if (running_) app_.host().stopTimer(*this);
}

void Timer::setInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    restart();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    restart();
}

void Timer::bindHandler(Handler handler) {
    onTimer = std::move(handler);
    restart();
}

void Timer::restart() {
    if (running_) {
        app_.host().stopTimer(*this);
        running_ = false;
    }
    // Like the window system's own timers, one without a handler or an
    // interval does not run.
    if (enabled_ && interval_ > 0 && onTimer) {
        app_.host().startTimer(*this, interval_);
        running_ = true;
    }
}

void Timer::fire() {
    if (enabled_ && onTimer) onTimer(*this);
}

}  // namespace fw
