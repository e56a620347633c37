#include <windows.h>

#include "platform/win32/win32_host.h"

#include <commctrl.h>
#include <commdlg.h>

#include "framework/form.h"
#include "framework/timer.h"
#include "platform/win32/child_window.h"
#include "platform/win32/form_window.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_class.h"

namespace win32 {
namespace {

constexpr UINT wakeMessage = WM_APP + 1;
constexpr char utilityClass[] = "ZavAmpUtility";

// Whether Esc in `hwnd` closes a combo box's open list (the list's own
// Esc), rather than the dialog.
bool closesADropDown(HWND hwnd) {
    for (HWND w = hwnd; w; w = GetParent(w)) {
        char name[16] = {};
        GetClassNameA(w, name, sizeof name);
        if (lstrcmpiA(name, "ComboBox") == 0) return SendMessageW(w, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
        if (GetWindowLongPtrW(w, GWL_STYLE) & WS_POPUP) break;
    }
    return false;
}

}  // namespace

Win32Host::Win32Host(HINSTANCE instance) : instance_(instance) {
    INITCOMMONCONTROLSEX icc{sizeof(icc),
                             ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    registerClass(objectClass<Win32Host>(instance_, utilityClass));
    utility_ = createWindow(
        {.className = utilityClass, .parent = HWND_MESSAGE, .instance = instance_, .object = this});
    // The application's own window: never shown, it owns every form, so
    // the forms get no taskbar buttons of their own, and it carries the
    // application's title for other programs to find.
    appWindow_ =
        createWindow({.className = utilityClass, .style = WS_POPUP, .instance = instance_, .object = this});
}

HFONT Win32Host::dialogFont(bool bold, int dpi) {
    HFONT& font = fonts_[{dpi, bold}];
    if (!font)
        font = CreateFontA(-MulDiv(11, dpi, DpiScale::layoutDpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    return font;
}

Win32Host::~Win32Host() {
    for (auto& [id, timer] : timers_) KillTimer(utility_, id);
    if (appWindow_) DestroyWindow(appWindow_);
    if (utility_) DestroyWindow(utility_);
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

LRESULT Win32Host::windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER: {
            auto it = timers_.find(static_cast<UINT_PTR>(wParam));
            if (it != timers_.end()) {
                fw::Timer* timer = it->second;
                guarded([timer] { timer->fire(); });
            }
            return 0;
        }
        case wakeMessage:
            if (app_) app_->runPosted();
            return 0;
        case WM_CLOSE:
            if (app_) guarded([this] { app_->end(); });
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The process is stopped soon after this returns: let go now.
            if (wParam && hwnd == appWindow_ && app_) guarded([this] { app_->end(); });
            return 0;
        case WM_POWERBROADCAST:
            // Broadcast to top-level windows: the application's own window
            // hears it once for the whole program.
            if (wParam == PBT_APMRESUMEAUTOMATIC && hwnd == appWindow_ && app_) app_->systemResumed();
            return TRUE;
        default:
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

std::unique_ptr<fw::FormPeer> Win32Host::createFormPeer(fw::Form& form) {
    return std::make_unique<FormWindow>(*this, form);
}

std::unique_ptr<fw::ControlPeer> Win32Host::createControlPeer(fw::WinControl& control, fw::FormPeer& parent) {
    return std::make_unique<ChildWindow>(*this, control, static_cast<FormWindow&>(parent));
}

void Win32Host::setApplicationTitle(const std::string& title) {
    SetWindowTextA(appWindow_, title.c_str());
}

void Win32Host::startTimer(fw::Timer& timer, int intervalMs) {
    stopTimer(timer);
    const UINT_PTR id = nextTimerId_++;
    if (!SetTimer(utility_, id, static_cast<UINT>(intervalMs), nullptr))
        throw Win32Error(failure("Starting a timer of " + std::to_string(intervalMs) + " ms"));
    timers_[id] = &timer;
    timerIds_[&timer] = id;
}

void Win32Host::stopTimer(fw::Timer& timer) {
    auto it = timerIds_.find(&timer);
    if (it == timerIds_.end()) return;
    KillTimer(utility_, it->second);
    timers_.erase(it->second);
    timerIds_.erase(it);
}

void Win32Host::messageBox(fw::WindowHandle owner, const std::string& text, const std::string& caption,
                           fw::MessageIcon icon) {
    UINT flags = MB_OK;
    switch (icon) {
        case fw::MessageIcon::information:
            flags |= MB_ICONINFORMATION;
            break;
        case fw::MessageIcon::warning:
            flags |= MB_ICONWARNING;
            break;
        case fw::MessageIcon::error:
            flags |= MB_ICONERROR;
            break;
        case fw::MessageIcon::none:
            break;
    }
    MessageBoxW(reinterpret_cast<HWND>(owner), widen(text).c_str(), widen(caption).c_str(), flags);
}

bool Win32Host::askYesNo(fw::WindowHandle owner, const std::string& text, const std::string& caption) {
    return MessageBoxW(reinterpret_cast<HWND>(owner), widen(text).c_str(), widen(caption).c_str(),
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

std::optional<std::string> Win32Host::chooseFile(fw::WindowHandle owner, const std::string& title,
                                                 const std::vector<fw::FileFilter>& filters,
                                                 const std::string& initial) {
    // The type list: description and patterns, each ended by a zero, the
    // whole list by a second one.
    std::wstring filterText;
    for (const fw::FileFilter& f : filters) {
        filterText += widen(f.description) + L'\0';
        filterText += widen(f.patterns) + L'\0';
    }
    filterText += L'\0';
    std::wstring file(32768, L'\0');
    std::wstring folder;
    if (!initial.empty()) {
        const std::wstring wide = widen(initial);
        const DWORD a = GetFileAttributesW(wide.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY))
            folder = wide;
        else if (wide.size() < file.size())
            wide.copy(file.data(), wide.size());
    }
    const std::wstring caption = widen(title);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = reinterpret_cast<HWND>(owner);
    ofn.lpstrFilter = filterText.c_str();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = caption.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn)) return std::nullopt;
    file.resize(wcsnlen(file.c_str(), file.size()));
    return narrow(file);
}

void Win32Host::dispatch(MSG& msg) {
    fw::Message m{reinterpret_cast<fw::WindowHandle>(msg.hwnd), msg.message,
                  static_cast<std::uintptr_t>(msg.wParam), static_cast<std::intptr_t>(msg.lParam)};
    if (app_ && app_->callMessageHook(m)) return;
    // Dialog-style forms get the keyboard navigation of dialogs (Tab,
    // arrows, Enter on the default button) and Esc as a cancel from any of
    // their controls: a multi-line edit would otherwise take Esc and close
    // the dialog's window, which ends the program.
    if (HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr; top && FormWindow::isDialogForm(top)) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && !closesADropDown(msg.hwnd)) {
            SendMessageW(top, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
            SendMessageW(top, WM_COMMAND, GetKeyState(VK_SHIFT) < 0 ? previousPageCommand : nextPageCommand, 0);
            return;
        }
        if (IsDialogMessageW(top, &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Host::runLoop(const std::function<bool()>& done) {
    MSG msg;
    while (!quitSeen_ && !done()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) return;
        if (got == 0) {
            quitSeen_ = true;
            return;
        }
        dispatch(msg);
    }
}

void Win32Host::processMessages() {
    MSG msg;
    while (!quitSeen_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitSeen_ = true;
            return;
        }
        dispatch(msg);
    }
}

void Win32Host::wake() {
    PostMessageA(utility_, wakeMessage, 0, 0);
}

void Win32Host::quit() {
    PostQuitMessage(0);
}

HWND Win32Host::mainWindow() const {
    if (!app_ || !app_->mainForm()) return nullptr;
    return reinterpret_cast<HWND>(app_->mainForm()->handle());
}

void Win32Host::minimizeApplication() {
    if (HWND w = mainWindow()) ShowWindow(w, SW_MINIMIZE);
}

void Win32Host::restoreApplication() {
    if (HWND w = mainWindow(); w && IsIconic(w)) ShowWindow(w, SW_RESTORE);
}

void Win32Host::bringApplicationToFront() {
    if (HWND w = mainWindow()) {
        SetForegroundWindow(w);
        BringWindowToTop(w);
    }
}

std::optional<std::vector<std::uint8_t>> Win32Host::resource(const std::string& name) {
    HRSRC found = FindResourceA(instance_, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found) return std::nullopt;
    HGLOBAL loaded = LoadResource(instance_, found);
    const DWORD size = SizeofResource(instance_, found);
    const auto* data = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return std::nullopt;
    return std::vector<std::uint8_t>(data, data + size);
}

std::string Win32Host::executablePath() {
    // Wide: a folder named outside the system's code page reads as it is.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace win32
