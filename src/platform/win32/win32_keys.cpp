#include "platform/win32/win32_keys.h"

// The headers declare the parser without C linkage.
extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

#include <atomic>

#include "platform/media_keys.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace win32 {

namespace {

constexpr char className[] = "ZavAmpKeys";
constexpr UINT listenAgainMessage = WM_APP + 1;
constexpr UINT_PTR tickTimer = 1;

// One listening a process: the hook's procedure finds it here.
std::atomic<Win32Keys*> hooked{nullptr};

// The focus is in one of our fields: the user types there.
bool ourField() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(0, &info) || !info.hwndFocus) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(info.hwndFocus, &process);
    if (process != GetCurrentProcessId()) return false;
    char name[32] = "";
    GetClassNameA(info.hwndFocus, name, sizeof name);
    for (const char* field : {"Edit", "ComboBox", "ComboLBox", "ListBox", "msctls_updown32"})
        if (lstrcmpiA(name, field) == 0) return true;
    return false;
}

}  // namespace

std::optional<std::vector<ir::HidUsage>> Win32HidParser::usages(const std::vector<unsigned char>& preparsed,
                                                                const std::vector<unsigned char>& report) const {
    if (preparsed.empty() || report.empty()) return std::nullopt;
    auto* data = reinterpret_cast<PHIDP_PREPARSED_DATA>(const_cast<unsigned char*>(preparsed.data()));
    ULONG length = HidP_MaxUsageListLength(HidP_Input, 0, data);
    std::vector<USAGE_AND_PAGE> list(length ? length : 1);
    std::vector<unsigned char> copy(report);
    if (HidP_GetUsagesEx(HidP_Input, 0, list.data(), &length, data, reinterpret_cast<PCHAR>(copy.data()),
                         static_cast<ULONG>(copy.size())) != HIDP_STATUS_SUCCESS)
        return std::nullopt;
    std::vector<ir::HidUsage> usages;
    for (ULONG i = 0; i < length && i < list.size(); ++i) usages.push_back({list[i].UsagePage, list[i].Usage});
    return usages;
}

bool Win32Keys::start(platform::KeyListener& listener, std::string& error) {
    stop();
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ready) {
        error = failure("CreateEvent");
        return false;
    }
    thread_ = std::thread([&] { run(listener, error, ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    if (hwnd_) return true;
    thread_.join();
    return false;
}

void Win32Keys::run(platform::KeyListener& listener, std::string& error, HANDLE ready) {
    threadId_ = GetCurrentThreadId();
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
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd && msg.message == listenAgainMessage) {
            std::string ignored;
            listen(ignored);
            continue;
        }
        DispatchMessageW(&msg);
    }
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    hooked = nullptr;
    RAWINPUTDEVICE none[4] = {{0x01, 0x06, RIDEV_REMOVE, nullptr},
                              {0x0C, 0x01, RIDEV_REMOVE, nullptr},
                              {0xFFBC, 0x88, RIDEV_REMOVE, nullptr},
                              {0x01, 0x80, RIDEV_REMOVE, nullptr}};
    RegisterRawInputDevices(none, 4, sizeof none[0]);
    if (hwnd_) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

bool Win32Keys::listen(std::string& error) {
    const DWORD flags = RIDEV_INPUTSINK | RIDEV_DEVNOTIFY;
    RAWINPUTDEVICE wanted[4] = {{0x01, 0x06, flags, hwnd_},
                                {0x0C, 0x01, flags, hwnd_},
                                {0xFFBC, 0x88, flags, hwnd_},
                                {0x01, 0x80, flags, hwnd_}};
    // Not every system knows every page, nor the notices of devices (which
    // only the HID remotes need): the keyboard alone will do.
    if (!RegisterRawInputDevices(wanted, 4, sizeof wanted[0]) && !RegisterRawInputDevices(wanted, 1, sizeof wanted[0])) {
        wanted[0].dwFlags = RIDEV_INPUTSINK;
        if (!RegisterRawInputDevices(wanted, 1, sizeof wanted[0])) {
            error = failure("RegisterRawInputDevices");
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

void Win32Keys::stop() {
    if (!thread_.joinable()) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    devices_.clear();
    ticking_ = false;
    listener_ = nullptr;
}

void Win32Keys::listenAgain() {
    if (thread_.joinable()) PostThreadMessageW(threadId_, listenAgainMessage, 0, 0);
}

LRESULT CALLBACK Win32Keys::hookProcedure(int code, WPARAM wParam, LPARAM lParam) {
    Win32Keys* self = hooked.load();
    if (code == HC_ACTION && self && self->listener_) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        platform::KeyStroke stroke;
        stroke.vk = k->vkCode;
        stroke.down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
        stroke.way = platform::KeyWay::hook;
        stroke.ourField = ourField();
        stroke.ours = k->dwExtraInfo == platform::ourInputMark;
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
        SetTimer(hwnd_, tickTimer, repeatMs, nullptr);
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
            d.id = ir::deviceId(narrow(std::wstring(name.c_str())));
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
        stroke.ours = k.ExtraInformation == platform::ourInputMark;
        stroke.device = raw->header.hDevice ? device(raw->header.hDevice).id : std::string();
        stroke.ourField = ourField();
        listener_->key(stroke, at);
    } else if (raw->header.dwType == RIM_TYPEHID) {
        const RAWHID& hid = raw->data.hid;
        const std::size_t offset = offsetof(RAWINPUT, data.hid.bRawData);
        if (hid.dwSizeHid == 0 || offset + std::size_t{hid.dwSizeHid} * hid.dwCount > size) return;
        const Device& d = device(raw->header.hDevice);
        for (DWORD i = 0; i < hid.dwCount; ++i) {
            const BYTE* report = hid.bRawData + std::size_t{i} * hid.dwSizeHid;
            listener_->hidReport(reinterpret_cast<std::uintptr_t>(raw->header.hDevice), parser_, d.preparsed,
                                 std::vector<unsigned char>(report, report + hid.dwSizeHid), at);
        }
    }
}

bool Win32MediaKeys::send(platform::MediaKey key) {
    WORD vk = VK_MEDIA_PLAY_PAUSE;
    switch (key) {
        case platform::MediaKey::playPause: vk = VK_MEDIA_PLAY_PAUSE; break;
        case platform::MediaKey::stop: vk = VK_MEDIA_STOP; break;
        case platform::MediaKey::next: vk = VK_MEDIA_NEXT_TRACK; break;
        case platform::MediaKey::previous: vk = VK_MEDIA_PREV_TRACK; break;
    }
    INPUT in[2]{};
    for (INPUT& i : in) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
        i.ki.dwExtraInfo = platform::ourInputMark;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    return SendInput(2, in, sizeof(INPUT)) == 2;
}

}  // namespace win32
