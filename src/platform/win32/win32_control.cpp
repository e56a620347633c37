#include "platform/win32/win32_control.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>
#include <vector>

#include "platform/win32/win32_host.h"

namespace win32 {
namespace {

HWND hwndOf(fw::WindowHandle w) { return reinterpret_cast<HWND>(w); }
HMIXEROBJ mixerOf(platform::MixerHandle h) { return reinterpret_cast<HMIXEROBJ>(h); }

std::string fixedText(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

template <std::size_t N>
void putText(char (&to)[N], const std::string& from) {
    std::strncpy(to, from.c_str(), N - 1);
    to[N - 1] = 0;
}

void toLine(const MIXERLINEA& in, platform::MixerLine& out) {
    out.cbStruct = in.cbStruct;
    out.dwDestination = in.dwDestination;
    out.dwSource = in.dwSource;
    out.dwLineID = in.dwLineID;
    out.fdwLine = in.fdwLine;
    out.dwUser = in.dwUser;
    out.dwComponentType = in.dwComponentType;
    out.cChannels = in.cChannels;
    out.cConnections = in.cConnections;
    out.cControls = in.cControls;
    out.szShortName = fixedText(in.szShortName, sizeof in.szShortName);
    out.szName = fixedText(in.szName, sizeof in.szName);
}

void toControl(const MIXERCONTROLA& in, platform::MixerControl& out) {
    out.cbStruct = in.cbStruct;
    out.dwControlID = in.dwControlID;
    out.dwControlType = in.dwControlType;
    out.fdwControl = in.fdwControl;
    out.cMultipleItems = in.cMultipleItems;
    out.szShortName = fixedText(in.szShortName, sizeof in.szShortName);
    out.szName = fixedText(in.szName, sizeof in.szName);
    out.lMinimum = in.Bounds.lMinimum;
    out.lMaximum = in.Bounds.lMaximum;
}

MIXERCONTROLDETAILS nativeDetails(const platform::ControlDetails& d) {
    MIXERCONTROLDETAILS md{};
    md.cbStruct = sizeof(md);
    md.dwControlID = d.dwControlID;
    md.cChannels = d.cChannels;
    md.cMultipleItems = d.cMultipleItems;
    return md;
}

const char callbackClass[] = "ZavAmpMixerCallback";

class MixerCallbackWindow : public platform::CallbackWindow {
public:
    MixerCallbackWindow(Win32Host& host, platform::CallbackHandler handler) : host_(host), handler_(std::move(handler)) {
        static const bool registered = [&] {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = &MixerCallbackWindow::procedure;
            wc.hInstance = host.instance();
            wc.lpszClassName = callbackClass;
            return RegisterClassExA(&wc) != 0;
        }();
        (void)registered;
        hwnd_ = CreateWindowExA(0, callbackClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, host.instance(), this);
    }
    ~MixerCallbackWindow() override {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    fw::WindowHandle handle() const override { return reinterpret_cast<fw::WindowHandle>(hwnd_); }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<MixerCallbackWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && msg != WM_NCCREATE) {
            bool taken = false;
            self->host_.guarded([&] { taken = self->handler_(msg, wParam, lParam); });
            if (taken) return 0;
        }
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    Win32Host& host_;
    platform::CallbackHandler handler_;
    HWND hwnd_ = nullptr;
};

}  // namespace

fw::WindowHandle Win32PlayerWindows::findByClass(const std::string& windowClass) {
    return reinterpret_cast<fw::WindowHandle>(FindWindowA(windowClass.c_str(), nullptr));
}

std::int32_t Win32PlayerWindows::send(fw::WindowHandle window, unsigned message, std::int32_t wParam,
                                      std::int32_t lParam) {
    return static_cast<std::int32_t>(SendMessageA(hwndOf(window), message, static_cast<WPARAM>(static_cast<DWORD>(wParam)),
                                                  static_cast<LPARAM>(lParam)));
}

fw::WindowHandle Win32Launcher::findByTitle(const std::string& title) {
    return reinterpret_cast<fw::WindowHandle>(FindWindowA(nullptr, title.c_str()));
}

void Win32Launcher::post(fw::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    PostMessageA(hwndOf(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

bool Win32Launcher::fileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32Launcher::runCommandLine(const std::string& commandLine, int show) {
    WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

void Win32Launcher::runFile(const std::string& path, int show) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    std::string commandLine = "\"" + path + "\"";
    if (CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

std::uint32_t Win32Mixer::getNumDevs() { return ::mixerGetNumDevs(); }

platform::MMRESULT Win32Mixer::openDevice(platform::MixerHandle* handle, std::uint32_t device, std::uintptr_t callback,
                                         std::uintptr_t instance, std::uint32_t flags) {
    HMIXER h = nullptr;
    const MMRESULT r = ::mixerOpen(&h, device, callback, instance, flags);
    *handle = reinterpret_cast<platform::MixerHandle>(h);
    return r;
}

platform::MMRESULT Win32Mixer::closeDevice(platform::MixerHandle handle) {
    return ::mixerClose(reinterpret_cast<HMIXER>(handle));
}

platform::MMRESULT Win32Mixer::getDevCaps(std::uint32_t device, platform::MixerCaps& caps, std::uint32_t) {
    MIXERCAPSA mc{};
    const MMRESULT r = ::mixerGetDevCapsA(device, &mc, sizeof(mc));
    caps.wMid = mc.wMid;
    caps.wPid = mc.wPid;
    caps.vDriverVersion = mc.vDriverVersion;
    caps.szPname = fixedText(mc.szPname, sizeof mc.szPname);
    caps.fdwSupport = mc.fdwSupport;
    caps.cDestinations = mc.cDestinations;
    return r;
}

platform::MMRESULT Win32Mixer::getLineInfo(platform::MixerHandle handle, platform::MixerLine& line,
                                                std::uint32_t flags) {
    MIXERLINEA ml{};
    ml.cbStruct = sizeof(ml);
    ml.dwDestination = line.dwDestination;
    ml.dwSource = line.dwSource;
    ml.dwLineID = line.dwLineID;
    const MMRESULT r = ::mixerGetLineInfoA(mixerOf(handle), &ml, MIXER_OBJECTF_HMIXER | flags);
    if (r == MMSYSERR_NOERROR) toLine(ml, line);
    return r;
}

platform::MMRESULT Win32Mixer::getLineControls(platform::MixerHandle handle, platform::MixerLineControls& lc,
                                                    std::uint32_t flags) {
    std::vector<MIXERCONTROLA> controls(lc.cControls ? lc.cControls : 1);
    MIXERLINECONTROLSA mlc{};
    mlc.cbStruct = sizeof(mlc);
    mlc.dwLineID = lc.dwLineID;
    mlc.dwControlType = lc.dwControlType;
    mlc.cControls = lc.cControls;
    mlc.cbmxctrl = sizeof(MIXERCONTROLA);
    mlc.pamxctrl = controls.data();
    const MMRESULT r = ::mixerGetLineControlsA(mixerOf(handle), &mlc, MIXER_OBJECTF_HMIXER | flags);
    if (r == MMSYSERR_NOERROR)
        for (std::uint32_t i = 0; i < lc.cControls; ++i) toControl(controls[i], lc.pamxctrl[i]);
    return r;
}

platform::MMRESULT Win32Mixer::getControlDetails(platform::MixerHandle handle, platform::ControlDetails& d,
                                                      std::uint32_t flags) {
    MIXERCONTROLDETAILS md = nativeDetails(d);
    const std::size_t count =
        static_cast<std::size_t>(d.cChannels) * (d.cMultipleItems ? d.cMultipleItems : 1);
    if (flags == MIXER_GETCONTROLDETAILSF_LISTTEXT) {
        std::vector<MIXERCONTROLDETAILS_LISTTEXTA> texts(count ? count : 1);
        md.cbDetails = sizeof(MIXERCONTROLDETAILS_LISTTEXTA);
        md.paDetails = texts.data();
        const MMRESULT r = ::mixerGetControlDetailsA(mixerOf(handle), &md, MIXER_OBJECTF_HMIXER | flags);
        auto* out = static_cast<platform::ListText*>(d.paDetails);
        if (r == MMSYSERR_NOERROR)
            for (std::size_t i = 0; i < count; ++i)
                out[i] = {texts[i].dwParam1, texts[i].dwParam2, fixedText(texts[i].szName, sizeof texts[i].szName)};
        return r;
    }
    md.cbDetails = sizeof(std::int32_t);
    md.paDetails = d.paDetails;
    return ::mixerGetControlDetailsA(mixerOf(handle), &md, MIXER_OBJECTF_HMIXER | flags);
}

platform::MMRESULT Win32Mixer::setControlDetails(platform::MixerHandle handle, platform::ControlDetails& d,
                                                      std::uint32_t flags) {
    MIXERCONTROLDETAILS md = nativeDetails(d);
    md.cbDetails = sizeof(std::int32_t);
    md.paDetails = d.paDetails;
    return ::mixerSetControlDetails(mixerOf(handle), &md, MIXER_OBJECTF_HMIXER | flags);
}

std::unique_ptr<platform::CallbackWindow> Win32Mixer::createCallbackWindow(platform::CallbackHandler handler) {
    return std::make_unique<MixerCallbackWindow>(host_, std::move(handler));
}

}  // namespace win32
