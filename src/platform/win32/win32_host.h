// The framework on real Win32 windows. Window procedures only translate
// messages into calls on framework objects, each inside the application's
// error guard, so no exception ever crosses into the window system.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "framework/application.h"
#include "framework/host.h"
#include "platform/win32/dpi_scale.h"

namespace win32 {

class Win32Host : public fw::Host {
public:
    explicit Win32Host(HINSTANCE instance);
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    HINSTANCE instance() const { return instance_; }
    // The dialog font of the classic desktop (MS Sans Serif 8 pt, 11 pixels
    // at 96 DPI) at a window's DPI.
    HFONT dialogFont(bool bold, int dpi = DpiScale::layoutDpi);

    // Runs `work` in the application's error guard (or a bare one before
    // there is an application).
    template <class F>
    void guarded(F&& work) noexcept {
        if (app_) {
            app_->guarded(std::forward<F>(work));
            return;
        }
        try {
            work();
        } catch (...) {
        }
    }

    void attach(fw::Application* app) override { app_ = app; }
    void setApplicationTitle(const std::string& title) override;
    HWND applicationWindow() const { return appWindow_; }
    std::unique_ptr<fw::FormPeer> createFormPeer(fw::Form& form) override;
    std::unique_ptr<fw::ControlPeer> createControlPeer(fw::WinControl& control,
                                                       fw::FormPeer& parent) override;
    void startTimer(fw::Timer& timer, int intervalMs) override;
    void stopTimer(fw::Timer& timer) override;
    void messageBox(fw::WindowHandle owner, const std::string& text, const std::string& caption,
                    fw::MessageIcon icon) override;
    bool askYesNo(fw::WindowHandle owner, const std::string& text, const std::string& caption) override;
    std::optional<std::string> chooseFile(fw::WindowHandle owner, const std::string& title,
                                          const std::vector<fw::FileFilter>& filters,
                                          const std::string& initial) override;
    void runLoop(const std::function<bool()>& done) override;
    void processMessages() override;
    void wake() override;
    void quit() override;
    void minimizeApplication() override;
    void restoreApplication() override;
    void bringApplicationToFront() override;
    std::optional<std::vector<std::uint8_t>> resource(const std::string& name) override;
    std::string executablePath() override;
    std::uint32_t tickCount() override { return GetTickCount(); }

    // The utility windows' messages: timers and posted work.
    LRESULT windowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void dispatch(MSG& msg);
    HWND mainWindow() const;

    HINSTANCE instance_;
    fw::Application* app_ = nullptr;  // not owned
    HWND utility_ = nullptr;
    HWND appWindow_ = nullptr;
    std::map<std::pair<int, bool>, HFONT> fonts_;  // by DPI and boldness
    UINT_PTR nextTimerId_ = 1;
    std::map<UINT_PTR, fw::Timer*> timers_;  // not owned
    std::map<const fw::Timer*, UINT_PTR> timerIds_;
    bool quitSeen_ = false;
};

}  // namespace win32
