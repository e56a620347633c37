#include "platform/win32/win32_endpoint_volume.h"

#include <windows.h>

// MinGW's libuuid lacks the Core Audio IDs: the headers define them here.
#include <initguid.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>

#include <mutex>
#include <string>

#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

// Marks the changes we make ourselves, so their notices are not told back.
// {6F3A9C2E-5B41-4D7A-9E0F-2A8C1D7B4E53}
constexpr GUID ourChanges = {0x6f3a9c2e, 0x5b41, 0x4d7a, {0x9e, 0x0f, 0x2a, 0x8c, 0x1d, 0x7b, 0x4e, 0x53}};

// What the system's threads reach: the events, while someone listens. The
// notices only hand the news on: the system forbids looking at devices or
// releasing them from inside them, and release() waits on this lock.
struct Sink {
    std::mutex mutex;
    platform::EndpointEvents events;
};

// The reference counting both notification objects share.
template <class Interface>
class Notified : public Interface {
public:
    explicit Notified(std::shared_ptr<Sink> sink) : sink_(std::move(sink)) {}
    virtual ~Notified() = default;

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

protected:
    std::shared_ptr<Sink> sink_;

private:
    LONG references_ = 1;
};

class VolumeNotification : public Notified<IAudioEndpointVolumeCallback> {
public:
    using Notified::Notified;
    HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA data) override {
        if (!data || IsEqualGUID(data->guidEventContext, ourChanges)) return S_OK;
        const std::lock_guard lock(sink_->mutex);
        if (sink_->events.volumeChanged) sink_->events.volumeChanged(data->fMasterVolume, data->bMuted != FALSE);
        return S_OK;
    }
};

class DeviceNotification : public Notified<IMMNotificationClient> {
public:
    using Notified::Notified;
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) override {
        if (flow == eRender && role == eMultimedia) changed();
        return S_OK;
    }
    // Whether a device that came plays sound is for the GUI thread to see:
    // it binds the default playback device again, which a microphone does
    // not change.
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR) override {
        changed();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) override { return S_OK; }

private:
    void changed() {
        const std::lock_guard lock(sink_->mutex);
        if (sink_->events.devicesChanged) sink_->events.devicesChanged();
    }
};

template <class T>
void releaseInto(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

}  // namespace

struct Win32EndpointVolume::State {
    std::shared_ptr<Sink> sink = std::make_shared<Sink>();
    IMMDeviceEnumerator* enumerator = nullptr;
    IAudioEndpointVolume* volume = nullptr;
    VolumeNotification* volumeNotification = nullptr;
    DeviceNotification* deviceNotification = nullptr;
    bool volumeRegistered = false;
    bool devicesRegistered = false;
    std::string device;
};

Win32EndpointVolume::Win32EndpointVolume() : state_(std::make_unique<State>()) {
    state_->volumeNotification = new VolumeNotification(state_->sink);
    state_->deviceNotification = new DeviceNotification(state_->sink);
}

Win32EndpointVolume::~Win32EndpointVolume() {
    release();
    releaseInto(state_->volumeNotification);
    releaseInto(state_->deviceNotification);
}

void Win32EndpointVolume::release() {
    State& s = *state_;
    {
        // From here no event runs or starts.
        const std::lock_guard lock(s.sink->mutex);
        s.sink->events = {};
    }
    s.device.clear();
    if (s.volume && s.volumeRegistered) s.volume->UnregisterControlChangeNotify(s.volumeNotification);
    s.volumeRegistered = false;
    releaseInto(s.volume);
    if (s.enumerator && s.devicesRegistered) s.enumerator->UnregisterEndpointNotificationCallback(s.deviceNotification);
    s.devicesRegistered = false;
    releaseInto(s.enumerator);
}

platform::EndpointStatus Win32EndpointVolume::bind(platform::EndpointEvents events) {
    release();
    State& s = *state_;
    const HRESULT made = CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                          __uuidof(IMMDeviceEnumerator), reinterpret_cast<void**>(&s.enumerator));
    if (FAILED(made) || !s.enumerator) {
        s.enumerator = nullptr;
        // Only a system without the class has no endpoints at all; any
        // other failure is a system whose sound is not at hand now.
        return made == REGDB_E_CLASSNOTREG ? platform::EndpointStatus::noInterface
                                           : platform::EndpointStatus::noDevice;
    }
    {
        const std::lock_guard lock(s.sink->mutex);
        s.sink->events = std::move(events);
    }
    // Devices that come later are heard of even when none is there now.
    s.devicesRegistered = SUCCEEDED(s.enumerator->RegisterEndpointNotificationCallback(s.deviceNotification));

    IMMDevice* device = nullptr;
    if (FAILED(s.enumerator->GetDefaultAudioEndpoint(eRender, eMultimedia, &device)) || !device)
        return platform::EndpointStatus::noDevice;
    const HRESULT activated = device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                               reinterpret_cast<void**>(&s.volume));
    LPWSTR id = nullptr;
    if (SUCCEEDED(device->GetId(&id)) && id) {
        s.device = narrow(id);
        CoTaskMemFree(id);
    }
    device->Release();
    if (FAILED(activated) || !s.volume) {
        s.volume = nullptr;
        return platform::EndpointStatus::noDevice;
    }
    s.volumeRegistered = SUCCEEDED(s.volume->RegisterControlChangeNotify(s.volumeNotification));
    return platform::EndpointStatus::bound;
}

std::optional<float> Win32EndpointVolume::level() {
    float level = 0;
    if (!state_->volume || FAILED(state_->volume->GetMasterVolumeLevelScalar(&level))) return std::nullopt;
    return level;
}

std::string Win32EndpointVolume::device() const {
    return state_->device;
}

bool Win32EndpointVolume::setLevel(float level) {
    return state_->volume && SUCCEEDED(state_->volume->SetMasterVolumeLevelScalar(level, &ourChanges));
}

std::optional<bool> Win32EndpointVolume::muted() {
    BOOL muted = FALSE;
    if (!state_->volume || FAILED(state_->volume->GetMute(&muted))) return std::nullopt;
    return muted != FALSE;
}

bool Win32EndpointVolume::setMuted(bool muted) {
    return state_->volume && SUCCEEDED(state_->volume->SetMute(muted ? TRUE : FALSE, &ourChanges));
}

ComApartment::ComApartment() {
    initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

ComApartment::~ComApartment() {
    if (initialised_) CoUninitialize();
}

}  // namespace win32
