// The tray icon manager's window services on real windows: what the form's
// window receives reaches the listener, a refused minimise leaves the
// window as it is, and the tip refresh comes round through the queue.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_tray.h"

namespace {

class RecordingListener : public platform::TrayListener {
public:
    void windowActivated() override { events.push_back("activated"); }
    bool minimiseRequested() override {
        events.push_back("minimise");
        return keepWindow;
    }
    void iconMouseMove() override { events.push_back("move"); }
    void iconClicked(fw::MouseButton b) override {
        events.push_back(b == fw::MouseButton::left    ? "left"
                         : b == fw::MouseButton::right ? "right"
                                                       : "middle");
    }
    void tipRefreshDue() override { events.push_back("tip"); }
    void taskbarCreated() override { events.push_back("taskbar"); }
    std::vector<std::string> events;
    bool keepWindow = true;
};

TEST(TrayUnderWine, TheFormWindowsMessagesReachTheListenerAndStopWithIt) {
    win32::Win32Host host(GetModuleHandleA(nullptr));
    fw::Application app(host);
    auto& form = app.createForm<fw::Form>("Main");
    form.show();
    HWND hwnd = reinterpret_cast<HWND>(form.handle());
    win32::Win32Tray tray(host);
    RecordingListener listener;
    {
        auto listening = tray.listen(form.handle(), listener);
        SendMessageA(hwnd, win32::Win32Tray::iconMessage, 0, WM_LBUTTONUP);
        SendMessageA(hwnd, win32::Win32Tray::iconMessage, 0, WM_RBUTTONUP);
        SendMessageA(hwnd, win32::Win32Tray::iconMessage, 0, WM_MOUSEMOVE);
        SendMessageA(hwnd, win32::Win32Tray::iconMessage, 0, WM_LBUTTONDOWN);
        SendMessageA(hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_FALSE(IsIconic(hwnd)) << "a minimise the listener refuses is not carried out";
        EXPECT_TRUE(IsWindowVisible(hwnd));
        tray.postTipRefresh(form.handle());
        EXPECT_EQ(std::count(listener.events.begin(), listener.events.end(), "tip"), 0) << "posted, not sent";
        app.processMessages();
        EXPECT_EQ(listener.events, (std::vector<std::string>{"left", "right", "move", "taskbar", "minimise", "tip"}));
        listener.events.clear();
        listener.keepWindow = false;
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        EXPECT_TRUE(IsIconic(hwnd)) << "one the listener lets through is";
        ShowWindow(hwnd, SW_RESTORE);
        listener.events.clear();
    }
    SendMessageA(hwnd, win32::Win32Tray::iconMessage, 0, WM_LBUTTONUP);
    EXPECT_TRUE(listener.events.empty()) << "nothing reaches a listener that stopped listening";
}

TEST(TrayUnderWine, TwoListenersOnOneWindowBothHearAndEndingOneLeavesTheOther) {
    win32::Win32Host host(GetModuleHandleA(nullptr));
    fw::Application app(host);
    auto& form = app.createForm<fw::Form>("Main");
    form.show();
    HWND hwnd = reinterpret_cast<HWND>(form.handle());
    win32::Win32Tray tray(host);
    RecordingListener first, second;
    auto listeningFirst = tray.listen(form.handle(), first);
    auto listeningSecond = tray.listen(form.handle(), second);
    SendMessageA(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(first.events, std::vector<std::string>{"activated"});
    EXPECT_EQ(second.events, std::vector<std::string>{"activated"});
    listeningFirst.reset();
    SendMessageA(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(first.events.size(), 1u) << "the ended listener hears nothing more";
    EXPECT_EQ(second.events, (std::vector<std::string>{"activated", "activated"}))
        << "ending the first left the second listening";
}

}  // namespace
