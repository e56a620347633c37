// The application activator's services on Win32: windows found by title,
// the activation request as a private message, and starting programs.
#pragma once

#include <windows.h>

#include "platform/launcher.h"

namespace win32 {

class Win32Launcher : public platform::Launcher {
public:
    // WM_USER + 402: what applications holding an activator have always
    // posted each other.
    static constexpr UINT activationMessage = WM_USER + 402;

    fw::WindowHandle findByTitle(const std::string& title) override;
    void requestActivation(fw::WindowHandle window) override;
    bool isActivationRequest(const fw::Message& message) const override;
    bool fileExists(const std::string& path) override;
    std::optional<platform::LaunchFailure> runFile(const platform::Launch& launch) override;
    std::optional<std::string> environment(const std::string& name) override;
    std::optional<std::string> userSetting(const std::string& key, const std::string& value) override;
};

}  // namespace win32
