// A flag that is set for as long as a call runs, and cleared however the
// call ends (an error raised, an early return): what re-entry guards use.
#pragma once

namespace fw {

class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

}  // namespace fw
