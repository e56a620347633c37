// A recording double of the tray icon manager's desktop services. Each call
// is logged as text ("notify add tip=ZAV", "show 77 hide"); what the window
// being listened to would report is played to the listener by the test.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/tray.h"

namespace testing_support {

class FakeTray : public platform::TraySystem {
public:
    std::vector<std::string> calls;
    std::vector<platform::TrayIconSpec> notified;
    std::map<std::string, fw::WindowHandle> windowsByCaption;
    platform::ServiceRegistration registration = platform::ServiceRegistration::noExport;
    bool minimized = false;
    fw::Point cursor{300, 400};
    std::vector<fw::WindowHandle> tipRefreshesPosted;
    int listeningsAlive = 0;

    // The listener of the window being listened to, or none.
    platform::TrayListener* listener() const { return listener_; }
    std::vector<std::string> callsFrom(std::size_t first) const {
        return {calls.begin() + static_cast<long>(first), calls.end()};
    }

    bool notifyIcon(platform::TrayIconOperation operation, const platform::TrayIconSpec& icon) override;
    std::unique_ptr<platform::TrayListening> listen(fw::WindowHandle window,
                                                    platform::TrayListener& listener) override;
    void postTipRefresh(fw::WindowHandle window) override;
    fw::WindowHandle findWindow(const std::string& caption) override;
    void showWindow(fw::WindowHandle window, platform::ShowCommand command) override;
    void setActiveWindow(fw::WindowHandle window) override;
    bool isMinimized(fw::WindowHandle) override { return minimized; }
    fw::Point cursorPos() override { return cursor; }
    platform::ServiceRegistration registerServiceProcess(bool hidden) override;
    platform::IconHandle loadIcon(const std::string& resourceName) override;

private:
    friend class FakeListening;
    platform::TrayListener* listener_ = nullptr;
};

}  // namespace testing_support
