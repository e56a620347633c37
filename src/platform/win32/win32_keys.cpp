#include "platform/win32/win32_keys.h"

#include <wtsapi32.h>

#include <atomic>

#include "platform/media_keys.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace win32 {

namespace {

constexpr char className[] = "ZavAmpKeys";
constexpr UINT_PTR tickTimer = 1;

// One listening a process: the hook's procedure finds it here.
std::atomic<Win32Keys*> hooked{nullptr};

// The window with the keyboard focus, when it is one of ours.
HWND ourFocus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(0, &info) || !info.hwndFocus) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(info.hwndFocus, &process);
    return process == GetCurrentProcessId() ? info.hwndFocus : nullptr;
}

// The focus is in one of our fields: the user types there.
bool focusInOurField() {
    HWND focus = ourFocus();
    if (!focus) return false;
    char name[32] = "";
    GetClassNameA(focus, name, sizeof name);
    for (const char* field : {"Edit", "ComboBox", "ComboLBox", "ListBox", "msctls_updown32"})
        if (lstrcmpiA(name, field) == 0) return true;
    return false;
}

// The modifiers held down as the system's own key state has them.
unsigned systemModifiers() {
    auto down = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
    unsigned m = 0;
    if (down(VK_CONTROL)) m |= platform::ctrl;
    if (down(VK_MENU)) m |= platform::alt;
    if (down(VK_SHIFT)) m |= platform::shift;
    if (down(VK_LWIN) || down(VK_RWIN)) m |= platform::win;
    return m;
}

constexpr USHORT pages[4][2] = {{0x01, 0x06}, {0x0C, 0x01}, {0xFFBC, 0x88}, {0x01, 0x80}};

}  // namespace

Win32Keys::~Win32Keys() { stop(); }

bool Win32Keys::start(platform::KeyListener& listener, std::string& error) {
    stop();
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    stopEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    againEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!ready || !stopEvent_ || !againEvent_) {
        error = failure("CreateEvent");
        if (ready) CloseHandle(ready);
        stop();
        return false;
    }
    thread_ = std::thread([&] { run(listener, error, ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    if (hwnd_) return true;
    stop();
    return false;
}

void Win32Keys::run(platform::KeyListener& listener, std::string& error, HANDLE ready) {
    listener_ = &listener;
    try {
        registerClass(objectClass<Win32Keys>(instance_, className));
        hwnd_ = createWindow({.className = className, .title = className, .style = WS_POPUP, .instance = instance_,
                              .object = this});
    } catch (const Win32Error& e) {
        error = e.what();
    }
    if (hwnd_ && !listen(error)) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    const bool running = hwnd_ != nullptr;
    SetEvent(ready);  // `error` and `ready` are the starter's: not touched after this
    if (!running) return;
    // Told when the session is unlocked: what was let go meanwhile was not heard.
    sessionNotices_ = WTSRegisterSessionNotification(hwnd_, NOTIFY_FOR_THIS_SESSION) != FALSE;
    serve();
    if (sessionNotices_) WTSUnRegisterSessionNotification(hwnd_);
    unlisten();
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void Win32Keys::serve() {
    const HANDLE events[2] = {stopEvent_, againEvent_};
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(2, events, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) return;
        if (woke == WAIT_OBJECT_0 + 1) {
            // After the system woke: registered anew, and nothing heard before held.
            std::string ignored;
            listen(ignored);
            listener_->afresh();
            pace();
            continue;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            DispatchMessageW(&msg);
        }
    }
}

bool Win32Keys::listen(std::string& error) {
    const DWORD flags = RIDEV_INPUTSINK | RIDEV_DEVNOTIFY;
    RAWINPUTDEVICE wanted[4];
    for (int i = 0; i < 4; ++i) wanted[i] = {pages[i][0], pages[i][1], flags, hwnd_};
    // Not every system knows every page, nor the notices of devices (which
    // only the HID remotes need): the keyboard alone will do.
    if (!RegisterRawInputDevices(wanted, 4, sizeof wanted[0]) && !RegisterRawInputDevices(wanted, 1, sizeof wanted[0])) {
        wanted[0].dwFlags = RIDEV_INPUTSINK;
        if (!RegisterRawInputDevices(wanted, 1, sizeof wanted[0])) {
            error = "the system refused raw input";
            return false;
        }
    }
    if (hook_) UnhookWindowsHookEx(hook_);
    hooked = this;
    // Without the hook the keys still come; only no key is taken from the
    // program in front.
    hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, &Win32Keys::hookProcedure, instance_, 0);
    return true;
}

void Win32Keys::unlisten() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    hooked = nullptr;
    RAWINPUTDEVICE none[4];
    for (int i = 0; i < 4; ++i) none[i] = {pages[i][0], pages[i][1], RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(none, 4, sizeof none[0]);
}

void Win32Keys::stop() {
    if (stopEvent_) SetEvent(stopEvent_);
    if (thread_.joinable()) thread_.join();
    for (HANDLE* event : {&stopEvent_, &againEvent_}) {
        if (*event) CloseHandle(*event);
        *event = nullptr;
    }
    devices_.clear();
    ticking_ = false;
    listener_ = nullptr;
}

void Win32Keys::listenAgain() {
    if (thread_.joinable() && againEvent_) SetEvent(againEvent_);
}

LRESULT CALLBACK Win32Keys::hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    Win32Keys* self = hooked.load();
    if (code == HC_ACTION && self && self->listener_) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        platform::KeyStroke stroke;
        stroke.vk = k->vkCode;
        stroke.down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        stroke.way = platform::KeyWay::hook;
        stroke.focusInOurField = focusInOurField();
        stroke.focusInOurWindow = ourFocus() != nullptr;
        stroke.sentByUs = k->dwExtraInfo == platform::ourInputMark;
        // Called before the key's own state changes, after every earlier
        // key's: the other keys' state is exactly what held with this one.
        stroke.systemModifiers = systemModifiers();
        const bool taken = self->listener_->key(stroke, GetTickCount());
        self->pace();
        if (taken) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT Win32Keys::windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INPUT:
            input(reinterpret_cast<HRAWINPUT>(lParam));
            pace();
            break;  // the system's own clean-up follows
        case WM_INPUT_DEVICE_CHANGE:
            if (wParam == GIDC_REMOVAL) {
                const auto handle = reinterpret_cast<HANDLE>(lParam);
                devices_.erase(handle);
                listener_->deviceGone(reinterpret_cast<std::uintptr_t>(handle));
                pace();
            }
            return 0;
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_UNLOCK) {
                listener_->afresh();
                pace();
            }
            return 0;
        case WM_TIMER:
            if (wParam == tickTimer) {
                listener_->tick(GetTickCount());
                pace();
            }
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Win32Keys::pace() {
    const bool wanted = listener_->wantsTicks();
    if (wanted == ticking_) return;
    ticking_ = wanted;
    if (wanted)
        SetTimer(hwnd_, tickTimer, platform::KeyListener::tickMs, nullptr);
    else
        KillTimer(hwnd_, tickTimer);
}

const Win32Keys::Device& Win32Keys::device(HANDLE handle) {
    const auto found = devices_.find(handle);
    if (found != devices_.end()) return found->second;
    Device d;
    UINT chars = 0;
    if (GetRawInputDeviceInfoW(handle, RIDI_DEVICENAME, nullptr, &chars) == 0 && chars > 0 && chars < 4096) {
        std::wstring name(chars, L'\0');
        if (GetRawInputDeviceInfoW(handle, RIDI_DEVICENAME, name.data(), &chars) != static_cast<UINT>(-1))
            d.id = platform::deviceId(narrow(std::wstring(name.c_str())));
    }
    UINT bytes = 0;
    if (GetRawInputDeviceInfoW(handle, RIDI_PREPARSEDDATA, nullptr, &bytes) == 0 && bytes > 0 && bytes < (1u << 20)) {
        d.preparsed.resize(bytes);
        if (GetRawInputDeviceInfoW(handle, RIDI_PREPARSEDDATA, d.preparsed.data(), &bytes) == static_cast<UINT>(-1))
            d.preparsed.clear();
    }
    // A device unplugged without its notice leaves one entry; far fewer
    // than this many are ever plugged in.
    if (devices_.size() > 64) devices_.clear();
    return devices_.emplace(handle, std::move(d)).first->second;
}

void Win32Keys::input(HRAWINPUT handle) {
    UINT size = 0;
    if (GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size < sizeof(RAWINPUTHEADER))
        return;
    buffer_.resize(size);
    if (GetRawInputData(handle, RID_INPUT, buffer_.data(), &size, sizeof(RAWINPUTHEADER)) != size) return;
    const auto* raw = reinterpret_cast<const RAWINPUT*>(buffer_.data());
    const std::uint32_t at = GetTickCount();
    if (raw->header.dwType == RIM_TYPEKEYBOARD && size >= sizeof(RAWINPUTHEADER) + sizeof(RAWKEYBOARD)) {
        const RAWKEYBOARD& k = raw->data.keyboard;
        if (k.VKey == 0 || k.VKey >= 0xFF) return;  // a key's escape prefix, not a key
        platform::KeyStroke stroke;
        stroke.vk = k.VKey;
        stroke.down = !(k.Flags & RI_KEY_BREAK);
        stroke.way = platform::KeyWay::keyboard;
        stroke.sentByUs = k.ExtraInformation == platform::ourInputMark;
        stroke.device = raw->header.hDevice ? device(raw->header.hDevice).id : std::string();
        stroke.focusInOurField = focusInOurField();
        stroke.focusInOurWindow = ourFocus() != nullptr;
        // The state now, which may be ahead of this key: the source
        // believes it only about a modifier heard down a while ago.
        stroke.systemModifiers = systemModifiers();
        listener_->key(stroke, at);
    } else if (raw->header.dwType == RIM_TYPEHID) {
        const RAWHID& hid = raw->data.hid;
        const std::size_t offset = offsetof(RAWINPUT, data.hid.bRawData);
        if (!hidReportsFit(size, offset, hid.dwSizeHid, hid.dwCount)) return;
        const Device& d = device(raw->header.hDevice);
        for (DWORD i = 0; i < hid.dwCount; ++i) {
            const BYTE* report = hid.bRawData + std::size_t{i} * hid.dwSizeHid;
            listener_->hidReport(reinterpret_cast<std::uintptr_t>(raw->header.hDevice), parser_, d.preparsed,
                                 std::vector<unsigned char>(report, report + hid.dwSizeHid), at);
        }
    }
}

}  // namespace win32
