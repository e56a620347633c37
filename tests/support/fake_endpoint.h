// The system's sound endpoint, scripted: which status binding finds, a
// level and a mute that read back what was set, calls that refuse, and
// events a test raises from any thread, as the system's threads do. Every
// call is logged ("bind", "level", "setLevel 0.5", "muted", "setMuted 1").
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/endpoint_volume.h"

namespace testing_support {

class FakeEndpoint : public platform::EndpointVolume {
public:
    // By default: no endpoint interface at all, as before Vista.
    platform::EndpointStatus status = platform::EndpointStatus::noInterface;
    float volume = 0.5f;
    bool mute = false;
    bool refuseLevel = false;    // the scalar calls fail (Wine 8)
    bool refuseSetLevel = false;  // reads, but will not be set
    bool refuseMute = false;
    // The default playback device's name, as bind finds it.
    std::string deviceName = "speakers";
    std::vector<std::string> calls;

    platform::EndpointStatus bind(platform::EndpointEvents events) override {
        calls.push_back("bind");
        const std::lock_guard lock(mutex_);
        events_ = std::move(events);
        bound_ = status == platform::EndpointStatus::bound;
        return status;
    }
    std::string device() const override { return bound_ ? deviceName : std::string(); }
    void release() override {
        const std::lock_guard lock(mutex_);
        events_ = {};
        bound_ = false;
    }
    std::optional<float> level() override {
        calls.push_back("level");
        if (!bound_ || refuseLevel) return std::nullopt;
        return volume;
    }
    bool setLevel(float level) override {
        calls.push_back("setLevel " + std::to_string(level));
        if (!bound_ || refuseLevel || refuseSetLevel) return false;
        volume = level;
        return true;
    }
    std::optional<bool> muted() override {
        calls.push_back("muted");
        if (!bound_ || refuseMute) return std::nullopt;
        return mute;
    }
    bool setMuted(bool m) override {
        calls.push_back(std::string("setMuted ") + (m ? "1" : "0"));
        if (!bound_ || refuseMute) return false;
        mute = m;
        return true;
    }

    bool listening() {
        const std::lock_guard lock(mutex_);
        return static_cast<bool>(events_.volumeChanged) || static_cast<bool>(events_.devicesChanged);
    }
    // As the system does, on whatever thread calls them.
    void notifyVolume(float level, bool m) {
        const std::lock_guard lock(mutex_);
        if (events_.volumeChanged) events_.volumeChanged(level, m);
    }
    void notifyDevices() {
        const std::lock_guard lock(mutex_);
        if (events_.devicesChanged) events_.devicesChanged();
    }

private:
    std::mutex mutex_;
    platform::EndpointEvents events_;
    bool bound_ = false;
};

}  // namespace testing_support
