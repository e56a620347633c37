#include "framework/timer.h"

#include <stdexcept>

#include "framework/application.h"

namespace fw {
Timer::Timer(Component* owner, std::string name) : Component(owner, std::move(name)), app_(Application::of(owner)) {}

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
