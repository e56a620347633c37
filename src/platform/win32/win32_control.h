// The player window, launcher and mixer services on Win32.
#pragma once

#include "platform/launcher.h"
#include "platform/mixer.h"
#include "platform/player_window.h"

namespace win32 {

class Win32Host;

class Win32PlayerWindows : public platform::PlayerWindows {
public:
    fw::WindowHandle findByClass(const std::string& windowClass) override;
    std::int32_t send(fw::WindowHandle window, unsigned message, std::int32_t wParam, std::int32_t lParam) override;
};

class Win32Launcher : public platform::Launcher {
public:
    fw::WindowHandle findByTitle(const std::string& title) override;
    void post(fw::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    bool fileExists(const std::string& path) override;
    void runCommandLine(const std::string& commandLine, int show) override;
    void runFile(const std::string& path, int show) override;
};

class Win32Mixer : public platform::MixerApi {
public:
    explicit Win32Mixer(Win32Host& host) : host_(host) {}
    std::uint32_t getNumDevs() override;
    platform::MMRESULT openDevice(platform::MixerHandle* handle, std::uint32_t device, std::uintptr_t callback,
                                 std::uintptr_t instance, std::uint32_t flags) override;
    platform::MMRESULT closeDevice(platform::MixerHandle handle) override;
    platform::MMRESULT getDevCaps(std::uint32_t device, platform::MixerCaps& caps, std::uint32_t size) override;
    platform::MMRESULT getLineInfo(platform::MixerHandle handle, platform::MixerLine& line,
                                        std::uint32_t flags) override;
    platform::MMRESULT getLineControls(platform::MixerHandle handle, platform::MixerLineControls& controls,
                                            std::uint32_t flags) override;
    platform::MMRESULT getControlDetails(platform::MixerHandle handle, platform::ControlDetails& details,
                                              std::uint32_t flags) override;
    platform::MMRESULT setControlDetails(platform::MixerHandle handle, platform::ControlDetails& details,
                                              std::uint32_t flags) override;
    std::unique_ptr<platform::CallbackWindow> createCallbackWindow(platform::CallbackHandler handler) override;

private:
    Win32Host& host_;
};

}  // namespace win32
