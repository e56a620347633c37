// A recording double of the tray icon manager's desktop services. Each call
// is logged as text ("notify add tip=ZAV", "show 77 hide"); the window
// taken over can be sent messages, and what the handler passes on to the
// old procedure is kept.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/tray.h"

namespace testing_support {

class FakeTray : public platform::TraySystem {
public:
    std::vector<std::string> calls;
    std::vector<platform::NotifyIconData> notified;
    std::map<std::string, fw::WindowHandle> windowsByCaption;
    platform::ServiceRegistration registration = platform::ServiceRegistration::noExport;
    bool minimized = false;
    fw::Point cursor{300, 400};
    std::vector<fw::Message> posted;
    // Messages the subclass handler let through, as it left them.
    std::vector<fw::Message> passedOn;
    int subclassesAlive = 0;

    // Sends a message to the window taken over; true when consumed.
    bool send(fw::Message message);
    bool subclassed() const { return handler_ != nullptr; }
    std::vector<std::string> callsFrom(std::size_t first) const {
        return {calls.begin() + static_cast<long>(first), calls.end()};
    }

    bool notifyIcon(platform::NotifyIconOperation operation, const platform::NotifyIconData& data) override;
    std::unique_ptr<platform::WindowSubclass> subclass(fw::WindowHandle window,
                                                       platform::SubclassHandler handler) override;
    fw::WindowHandle findWindow(const std::string& caption) override;
    void showWindow(fw::WindowHandle window, platform::ShowCommand command) override;
    void setActiveWindow(fw::WindowHandle window) override;
    bool isMinimized(fw::WindowHandle) override { return minimized; }
    fw::Point cursorPos() override { return cursor; }
    void postMessage(fw::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    platform::ServiceRegistration registerServiceProcess(bool hidden) override;
    platform::IconHandle loadIcon(const std::string& resourceName) override;

private:
    friend class FakeSubclass;
    platform::SubclassHandler handler_;
};

}  // namespace testing_support
