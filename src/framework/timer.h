// A window timer of the GUI thread: raises onTimer every `interval` ms
// while enabled. A new timer is enabled with a 1000 ms interval.
#pragma once

#include "framework/component.h"

namespace fw {

class Application;

class Timer : public Component {
public:
    Timer(Component* owner, std::string name);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Whether the host is counting for this timer right now.
    bool running() const { return running_; }

    Handler onTimer;
    void bindHandler(Handler handler) override;

    // Called by the host when the interval has passed.
    void fire();

private:
    void restart();

    Application& app_;
    int interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
};

}  // namespace fw
