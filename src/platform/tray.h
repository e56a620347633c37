// The desktop services the tray icon manager uses: the notification-area
// icon, listening to what happens to the icon and to its form's window,
// finding, showing and activating windows, the cursor, and the old
// task-list registration.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/geometry.h"
#include "framework/host.h"

namespace platform {

using IconHandle = std::uintptr_t;

// What the notification area shows for a window: its icon and tip. Clicks
// on the icon come back to that window's listener.
struct TrayIconSpec {
    fw::WindowHandle window = 0;
    IconHandle icon = 0;
    std::string tip;
    friend bool operator==(const TrayIconSpec&, const TrayIconSpec&) = default;
};

enum class TrayIconOperation { add, modify, remove };

enum class ShowCommand { hide, show };

// What asking for "RegisterServiceProcess" of kernel32.dll came to.
enum class ServiceRegistration { noModule, noExport, called };

// What happens to a window that the tray icon manager listens to, in the
// order the window system reports it.
class TrayListener {
public:
    virtual ~TrayListener() = default;
    // The window is being activated.
    virtual void windowActivated() = 0;
    // The user asked to minimise the window: true keeps it as it is.
    virtual bool minimiseRequested() = 0;
    virtual void iconMouseMove() = 0;
    // A button was released over the icon.
    virtual void iconClicked(fw::MouseButton button) = 0;
    // The refresh asked for with postTipRefresh has come round.
    virtual void tipRefreshDue() = 0;
    // The notification area has been made anew (the shell restarted, or
    // started after us): every icon it had is gone.
    virtual void taskbarCreated() = 0;
};

// Listening to a window; destroying it stops the listening and leaves the
// window as it was before.
class TrayListening {
public:
    virtual ~TrayListening() = default;
};

class TraySystem {
public:
    virtual ~TraySystem() = default;
    virtual bool notifyIcon(TrayIconOperation operation, const TrayIconSpec& icon) = 0;
    virtual std::unique_ptr<TrayListening> listen(fw::WindowHandle window, TrayListener& listener) = 0;
    // Queued behind the window's pending messages: tipRefreshDue comes then.
    virtual void postTipRefresh(fw::WindowHandle window) = 0;
    // A top-level window by its exact caption, any class; 0 for none.
    virtual fw::WindowHandle findWindow(const std::string& caption) = 0;
    virtual void showWindow(fw::WindowHandle window, ShowCommand command) = 0;
    virtual void setActiveWindow(fw::WindowHandle window) = 0;
    virtual bool isMinimized(fw::WindowHandle window) = 0;
    virtual fw::Point cursorPos() = 0;
    virtual ServiceRegistration registerServiceProcess(bool hidden) = 0;
    // An icon resource of the program; 0 when there is none.
    virtual IconHandle loadIcon(const std::string& resourceName) = 0;
};

}  // namespace platform
