#include "platform/win32/tray_listening.h"

#include "platform/win32/form_window.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_tray.h"

namespace win32 {

TrayListening::TrayListening(Win32Host& host, FormWindow& window, platform::TrayListener& listener)
    : host_(host), window_(window), listener_(listener) {
    filter_ = window_.addMessageFilter([this](UINT& msg, WPARAM& wParam, LPARAM& lParam, LRESULT& result) {
        result = 0;
        return message(msg, wParam, lParam);
    });
}

// The filter's subscription ends with the listening, leaving any other.
TrayListening::~TrayListening() = default;

bool TrayListening::message(UINT& msg, WPARAM& wParam, LPARAM& lParam) {
    // A registered message has no fixed number to switch on. Other
    // listeners on the window hear it too.
    if (taskbarCreated_ != 0 && msg == taskbarCreated_) {
        host_.guarded([&] { listener_.taskbarCreated(); });
        return false;
    }
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) host_.guarded([&] { listener_.windowActivated(); });
            return false;
        case WM_SYSCOMMAND: {
            if (wParam != SC_MINIMIZE) return false;
            bool keep = false;
            host_.guarded([&] { keep = listener_.minimiseRequested(); });
            // The command is not carried out: the window is told, harmlessly,
            // that it is being hidden, and stays as it is.
            if (keep) {
                msg = WM_SHOWWINDOW;
                wParam = 0;
            }
            return false;
        }
        case Win32Tray::iconMessage:
            host_.guarded([&] {
                switch (lParam) {
                    case WM_MOUSEMOVE: listener_.iconMouseMove(); break;
                    case WM_LBUTTONUP: listener_.iconClicked(fw::MouseButton::left); break;
                    case WM_RBUTTONUP: listener_.iconClicked(fw::MouseButton::right); break;
                    case WM_MBUTTONUP: listener_.iconClicked(fw::MouseButton::middle); break;
                    default: break;
                }
            });
            return true;
        case Win32Tray::tipRefreshMessage: host_.guarded([&] { listener_.tipRefreshDue(); }); return true;
        default: return false;
    }
}

}  // namespace win32
