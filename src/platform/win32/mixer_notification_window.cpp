#include "platform/win32/mixer_notification_window.h"

#include <mmsystem.h>

#include "platform/win32/win32_host.h"
#include "platform/win32/window_class.h"

namespace win32 {
namespace {

constexpr char windowClass[] = "ZavAmpMixerCallback";

}  // namespace

MixerNotificationWindow::MixerNotificationWindow(Win32Host& host, platform::MixerChangeHandler handler)
    : host_(host), handler_(std::move(handler)) {
    registerClass(objectClass<MixerNotificationWindow>(host.instance(), windowClass));
    hwnd_ = createWindow(
        {.className = windowClass, .parent = HWND_MESSAGE, .instance = host.instance(), .object = this});
}

MixerNotificationWindow::~MixerNotificationWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT MixerNotificationWindow::windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != MM_MIXM_LINE_CHANGE && msg != MM_MIXM_CONTROL_CHANGE)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    // wParam names the mixer, lParam the line or control.
    const auto change =
        msg == MM_MIXM_LINE_CHANGE ? platform::MixerChange::line : platform::MixerChange::control;
    host_.guarded([&] {
        if (handler_) handler_(change, static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam));
    });
    return 0;
}

}  // namespace win32
