// The endpoint seam on Core Audio: the default render endpoint in the
// multimedia role, its IAudioEndpointVolume (scalar level and mute), its
// change notification (IAudioEndpointVolumeCallback) and the enumerator's
// device notification (IMMNotificationClient). COM must be initialised on
// the calling thread (apartment-threaded, on the GUI thread); the
// notifications arrive on threads of the system's and only go out through
// the events, doing nothing else there (the system forbids looking at a
// device from inside them). Our own level and mute changes carry an event
// context of ours, and their notices are not passed on.
//
// Not implemented: the dB scale, channel volumes and per-session volumes.
#pragma once

#include <memory>

#include "platform/endpoint_volume.h"

namespace win32 {

class Win32EndpointVolume : public platform::EndpointVolume {
public:
    Win32EndpointVolume();
    ~Win32EndpointVolume() override;
    Win32EndpointVolume(const Win32EndpointVolume&) = delete;
    Win32EndpointVolume& operator=(const Win32EndpointVolume&) = delete;

    platform::EndpointStatus bind(platform::EndpointEvents events) override;
    std::string device() const override;
    void release() override;
    std::optional<float> level() override;
    bool setLevel(float level) override;
    std::optional<bool> muted() override;
    bool setMuted(bool muted) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// COM for the GUI thread, apartment-threaded, for as long as it lives.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_ = false;
};

}  // namespace win32
