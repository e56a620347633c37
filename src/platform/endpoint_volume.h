// The sound the user hears: the master volume and mute of the system's
// default playback device (its endpoint, in the multimedia role). Since
// Vista this is the only volume that reaches every program's sound; the
// old mixer interface reaches only the calling program's own session.
// A level is a fraction of the endpoint's range, 0 to 1.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace platform {

// What binding to the default playback device found.
enum class EndpointStatus {
    bound,        // the default playback device's volume is at hand
    noDevice,     // the interface is there, but no default playback device
    noInterface,  // the system has no endpoint interface (before Vista)
};

// Both arrive on a thread of the system's, never the caller's, and must
// only hand the news on (post it): the system forbids looking at devices
// or letting them go from inside its notices.
struct EndpointEvents {
    // The bound endpoint's level or mute changed, by anyone but us.
    std::function<void(float level, bool muted)> volumeChanged;
    // The default playback device may have changed, or a device came.
    std::function<void()> devicesChanged;
};

class EndpointVolume {
public:
    virtual ~EndpointVolume() = default;
    // (Re)binds to the current default playback device, dropping the one
    // bound before; events go to `events` from then on.
    virtual EndpointStatus bind(EndpointEvents events) = 0;
    // Which device is bound, as the system names it; empty when none.
    virtual std::string device() const = 0;
    // Lets the device go; once it returns no event is running or comes.
    virtual void release() = 0;
    // Each answers nothing, or false, when nothing is bound or the system
    // refuses. Our own changes are not told back through the events.
    virtual std::optional<float> level() = 0;
    virtual bool setLevel(float level) = 0;
    virtual std::optional<bool> muted() = 0;
    virtual bool setMuted(bool muted) = 0;
};

}  // namespace platform
