// The mixer seam on the Win32 multimedia mixer API: the ANSI records are
// filled and read here, and the driver's notifications arrive in a hidden
// window of their own.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include "platform/mixer.h"

namespace win32 {

class Win32Host;

class Win32Mixer : public platform::MixerDevices {
public:
    explicit Win32Mixer(Win32Host& host) : host_(host) {}
    std::uint32_t count() override;
    std::unique_ptr<platform::MixerNotifications> notifications(
        platform::MixerChangeHandler handler) override;
    std::optional<platform::MixerHandle> open(std::uint32_t device, fw::WindowHandle notify) override;
    void close(platform::MixerHandle mixer) override;
    platform::MixerDeviceInfo describe(std::uint32_t device) override;
    std::optional<platform::MixerLineInfo> destination(platform::MixerHandle mixer,
                                                       std::uint32_t destination) override;
    std::optional<platform::MixerLineInfo> source(platform::MixerHandle mixer, std::uint32_t destination,
                                                  std::uint32_t source) override;
    std::optional<std::vector<platform::MixerControlInfo>> controls(
        platform::MixerHandle mixer, const platform::MixerLineInfo& line) override;
    std::optional<platform::MixerControlInfo> controlOfKind(platform::MixerHandle mixer, std::uint32_t lineId,
                                                            platform::MixerControlKind kind) override;
    bool read(platform::MixerHandle mixer, const platform::MixerValues& which,
              std::span<std::int32_t> values) override;
    bool write(platform::MixerHandle mixer, const platform::MixerValues& which,
               std::span<const std::int32_t> values) override;
    std::optional<std::vector<platform::MixerListItem>> itemTexts(
        platform::MixerHandle mixer, const platform::MixerValues& which) override;

private:
    std::optional<platform::MixerLineInfo> lineInfo(platform::MixerHandle mixer, MIXERLINEA& line,
                                                    DWORD flags);

    Win32Host& host_;
};

}  // namespace win32
