#include "platform/win32/tray_listening.h"

#include "platform/win32/win32_host.h"
#include "platform/win32/win32_tray.h"

namespace win32 {
namespace {

// The subclassed window keeps its own user data for its own procedure.
constexpr char listeningProperty[] = "ZavAmpTrayListening";

}  // namespace

TrayListening::TrayListening(Win32Host& host, HWND hwnd, platform::TrayListener& listener)
    : host_(host), hwnd_(hwnd), listener_(listener) {
    SetPropA(hwnd_, listeningProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayListening::procedure)));
}

TrayListening::~TrayListening() {
    if (!IsWindow(hwnd_)) return;
    // Put the previous procedure back only if nobody took over after us.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) == &TrayListening::procedure)
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(hwnd_, listeningProperty);
}

LRESULT CALLBACK TrayListening::procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TrayListening*>(GetPropA(hwnd, listeningProperty));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->message(msg, wParam, lParam);
}

LRESULT TrayListening::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) host_.guarded([&] { listener_.windowActivated(); });
            break;
        case WM_SYSCOMMAND: {
            if (wParam != SC_MINIMIZE) break;
            bool keep = false;
            host_.guarded([&] { keep = listener_.minimiseRequested(); });
            // The command is not carried out: the window is told, harmlessly,
            // that it is being hidden, and stays as it is.
            if (keep) return CallWindowProcA(previous_, hwnd_, WM_SHOWWINDOW, 0, lParam);
            break;
        }
        case Win32Tray::iconMessage:
            host_.guarded([&] {
                switch (lParam) {
                    case WM_MOUSEMOVE:
                        listener_.iconMouseMove();
                        break;
                    case WM_LBUTTONUP:
                        listener_.iconClicked(fw::MouseButton::left);
                        break;
                    case WM_RBUTTONUP:
                        listener_.iconClicked(fw::MouseButton::right);
                        break;
                    case WM_MBUTTONUP:
                        listener_.iconClicked(fw::MouseButton::middle);
                        break;
                    default:
                        break;
                }
            });
            return 0;
        case Win32Tray::tipRefreshMessage:
            host_.guarded([&] { listener_.tipRefreshDue(); });
            return 0;
        default:
            break;
    }
    return CallWindowProcA(previous_, hwnd_, msg, wParam, lParam);
}

}  // namespace win32
