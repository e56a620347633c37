// The desktop services the tray icon manager uses: the notification-area
// icon, taking over a window's messages, finding, showing and activating
// windows, the cursor, posting, and the old task-list registration.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/geometry.h"
#include "framework/host.h"

namespace platform {

using IconHandle = std::uintptr_t;

// NOTIFYICONDATA in its 88-byte ANSI form, the fields the program fills.
struct NotifyIconData {
    std::uint32_t size = 0;
    fw::WindowHandle window = 0;
    std::uint32_t id = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    IconHandle icon = 0;
    std::string tip;  // at most 63 characters and the terminating zero
    friend bool operator==(const NotifyIconData&, const NotifyIconData&) = default;
};

enum class NotifyIconOperation : int { add = 0, modify = 1, remove = 2 };

enum class ShowCommand : int { hide = 0, show = 5 };

// What asking for "RegisterServiceProcess" of kernel32.dll came to.
enum class ServiceRegistration { noModule, noExport, called };

// A window's messages taken over: the handler sees each message first and
// answers true to consume it (result 0); otherwise the message, as the
// handler may have rewritten it, goes to the window's previous procedure.
// Destroying the object puts the previous procedure back.
class WindowSubclass {
public:
    virtual ~WindowSubclass() = default;
};
using SubclassHandler = std::function<bool(fw::Message& message)>;

class TraySystem {
public:
    virtual ~TraySystem() = default;
    virtual bool notifyIcon(NotifyIconOperation operation, const NotifyIconData& data) = 0;
    virtual std::unique_ptr<WindowSubclass> subclass(fw::WindowHandle window, SubclassHandler handler) = 0;
    // A top-level window by its exact caption, any class; 0 for none.
    virtual fw::WindowHandle findWindow(const std::string& caption) = 0;
    virtual void showWindow(fw::WindowHandle window, ShowCommand command) = 0;
    virtual void setActiveWindow(fw::WindowHandle window) = 0;
    virtual bool isMinimized(fw::WindowHandle window) = 0;
    virtual fw::Point cursorPos() = 0;
    virtual void postMessage(fw::WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
    virtual ServiceRegistration registerServiceProcess(bool hidden) = 0;
    // An icon resource of the program; 0 when there is none.
    virtual IconHandle loadIcon(const std::string& resourceName) = 0;
};

}  // namespace platform
