#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "framework/application.h"
#include "framework/form.h"
#include "framework/ini_file.h"
#include "framework/std_controls.h"
#include "framework/timer.h"
#include "platform/win32/win32_host.h"
#include "serving.h"

namespace {

class Win32HostTest : public ::testing::Test {
protected:
    Win32HostTest() : host(GetModuleHandleA(nullptr)), app(host) {}

    bool serveUntil(const std::function<bool()>& done, int ms = 3000) {
        return testing_support::serveUntil(app, done, ms);
    }

    win32::Win32Host host;
    fw::Application app;
};

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

TEST_F(Win32HostTest, RealClickReachesTheWindowLessControlUnderIt) {
    auto& form = app.createForm<fw::Form>("Main");
    form.setBorderStyle(fw::BorderStyle::none);
    form.setClientSize({120, 80});
    auto& back = form.create<fw::GraphicControl>("Back");
    back.setBounds({0, 0, 120, 80});
    auto& key = form.create<fw::GraphicControl>("Key");
    key.setBounds(fw::Rect::fromSize(40, 20, 30, 20));
    std::vector<std::string> clicks;
    for (auto* c : {&back, &key}) c->onClick = [&](fw::Component& s) { clicks.push_back(s.name()); };
    std::vector<UINT> hooked;
    const fw::Subscription hook = app.addMessageHook([&](fw::Message& m) {
        if (m.msg >= WM_MOUSEFIRST && m.msg <= WM_MOUSELAST) hooked.push_back(m.msg);
        return false;
    });
    form.show();
    HWND hwnd = reinterpret_cast<HWND>(form.handle());

    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 120);
    EXPECT_EQ(client.bottom, 80);

    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(45, 25));
    ASSERT_TRUE(serveUntil([&] { return form.captureControl() == &key; }));
    EXPECT_EQ(GetCapture(), hwnd) << "the window holds the capture while the button is held";
    PostMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, at(200, 200));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, at(50, 30));
    ASSERT_TRUE(serveUntil([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, std::vector<std::string>{"Key"});
    EXPECT_EQ(GetCapture(), nullptr);
    // The window system may add a move of its own after the capture ends.
    ASSERT_GE(hooked.size(), 3u);
    EXPECT_EQ(std::vector<UINT>(hooked.begin(), hooked.begin() + 3),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}))
        << "the application-wide hook saw each message before it was dispatched";

    key.setVisible(false);
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(45, 25));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, at(45, 25));
    ASSERT_TRUE(serveUntil([&] { return clicks.size() == 2; }));
    EXPECT_EQ(clicks.back(), "Back") << "a hidden control lets the click through";
}

TEST_F(Win32HostTest, HookCanSwallowAMessage) {
    auto& form = app.createForm<fw::Form>("Main");
    auto& key = form.create<fw::GraphicControl>("Key");
    key.setBounds({0, 0, 50, 50});
    int clicks = 0;
    key.onClick = [&](fw::Component&) { ++clicks; };
    bool sawPrivate = false;
    const fw::Subscription hook = app.addMessageHook([&](fw::Message& m) {
        if (m.msg == WM_USER + 402) sawPrivate = true;
        return m.msg == WM_LBUTTONUP;
    });
    form.show();
    HWND hwnd = reinterpret_cast<HWND>(form.handle());
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, at(5, 5));
    PostMessageA(hwnd, WM_USER + 402, 0, 0);
    ASSERT_TRUE(serveUntil([&] { return sawPrivate; }));
    EXPECT_EQ(clicks, 0) << "the release never reached the window";
}

TEST_F(Win32HostTest, ModalFormDisablesItsOwnerAndReturnsItsResult) {
    auto& main = app.createForm<fw::Form>("Main");
    main.show();
    auto& dialog = app.createForm<fw::Form>("Dialog");
    dialog.setCaption("Setup IR device");
    dialog.setClientSize({368, 210});
    bool ownerDisabled = false;
    auto& closer = dialog.create<fw::Timer>("Closer");
    closer.setInterval(50);
    closer.bindHandler([&](fw::Component&) {
        ownerDisabled = !IsWindowEnabled(reinterpret_cast<HWND>(main.handle()));
        closer.setEnabled(false);
        dialog.setModalResult(fw::mrOk);
    });
    EXPECT_EQ(dialog.showModal(), fw::mrOk);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(reinterpret_cast<HWND>(main.handle())));
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(dialog.handle())));

    RECT client{};
    GetClientRect(reinterpret_cast<HWND>(dialog.handle()), &client);
    EXPECT_EQ(client.right, 368);
    EXPECT_EQ(client.bottom, 210);
    const auto style = GetWindowLongPtrA(reinterpret_cast<HWND>(dialog.handle()), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_SYSMENU, 0) << "the dialog frame has no system menu";
}

TEST_F(Win32HostTest, TimerFiresRepeatedlyUntilDisabled) {
    auto& form = app.createForm<fw::Form>("Main");
    auto& timer = form.create<fw::Timer>("Tick");
    timer.setInterval(20);
    int ticks = 0;
    timer.bindHandler([&](fw::Component&) { ++ticks; });
    ASSERT_TRUE(serveUntil([&] { return ticks >= 3; }));
    timer.setEnabled(false);
    const int stopped = ticks;
    serveUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(Win32HostTest, PostFromAnotherThreadRunsOnTheGuiThread) {
    const DWORD gui = GetCurrentThreadId();
    std::atomic<DWORD> ranOn{0};
    std::thread([&] { app.post([&] { ranOn = GetCurrentThreadId(); }); }).join();
    ASSERT_TRUE(serveUntil([&] { return ranOn != 0; }));
    EXPECT_EQ(ranOn.load(), gui);
}

TEST_F(Win32HostTest, WindowedControlsKeepTheirState) {
    auto& form = app.createForm<fw::Form>("Dialog");
    auto& edit = form.create<fw::Edit>("EditComIr");
    edit.setBounds(fw::Rect::fromSize(10, 10, 100, 21));
    edit.setText("before");
    auto& check = form.create<fw::CheckBox>("CheckBoxActivare");
    check.setBounds(fw::Rect::fromSize(10, 40, 100, 17));
    check.setText("Enable/Disable IR");
    check.setChecked(true);
    auto& combo = form.create<fw::ComboBox>("CBComenziIR");
    combo.setBounds(fw::Rect::fromSize(10, 60, 160, 21));
    combo.setItems({"OPEN WINAMP", "VOLUME DOWN"});
    combo.setText("ALEGE COMANDA");
    auto& spin = form.create<fw::SpinEdit>("SEPort");
    spin.setBounds(fw::Rect::fromSize(10, 90, 57, 22));
    spin.setRange(1, 4);
    spin.setValue(7);
    int checkClicks = 0;
    check.onClick = [&](fw::Component&) { ++checkClicks; };
    form.finishCreate();
    form.show();

    EXPECT_EQ(edit.text(), "before");
    SetWindowTextA(reinterpret_cast<HWND>(edit.peer()->handle()), "typed");
    EXPECT_EQ(edit.text(), "typed");
    EXPECT_TRUE(check.checked());
    SendMessageA(reinterpret_cast<HWND>(check.peer()->handle()), BM_CLICK, 0, 0);
    EXPECT_EQ(checkClicks, 1);
    EXPECT_FALSE(check.checked());
    EXPECT_EQ(combo.text(), "ALEGE COMANDA");
    HWND comboWindow = reinterpret_cast<HWND>(combo.peer()->handle());
    EXPECT_EQ(SendMessageA(comboWindow, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(spin.value(), 4);
    SetWindowTextA(reinterpret_cast<HWND>(spin.peer()->handle()), "x");
    EXPECT_EQ(spin.value(), 1) << "a text that is not a number reads as the minimum";

    // What the user does reaches the control's text without asking the
    // window: typing into the combo's field, choosing from its list, the
    // spin edit's arrows.
    HWND comboEdit = FindWindowExA(comboWindow, nullptr, "Edit", nullptr);
    ASSERT_NE(comboEdit, nullptr);
    SendMessageA(comboEdit, EM_SETSEL, 0, -1);
    SendMessageA(comboEdit, WM_CHAR, 'P', 0);
    EXPECT_EQ(combo.text(), "P") << "the typed key replaced the selected text";
    SendMessageA(comboWindow, CB_SETCURSEL, 1, 0);
    SendMessageA(reinterpret_cast<HWND>(form.handle()), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(comboWindow));
    EXPECT_EQ(combo.text(), "VOLUME DOWN");
    HWND arrows = FindWindowExA(reinterpret_cast<HWND>(form.handle()), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(arrows, nullptr);
    SendMessageA(arrows, UDM_SETPOS32, 0, 3);
    EXPECT_EQ(spin.value(), 3);
}

// The tabs and the list as the system's own controls: a tab the user
// chooses shows its page's windows and hides the others', Ctrl+Tab through
// the message loop goes on to the next page, a line chosen in the list is
// the list's text.
TEST_F(Win32HostTest, TabsShowTheirPagesWindowsAndTheListItsChoice) {
    auto& form = app.createForm<fw::Form>("Dialog");
    form.setBorderStyle(fw::BorderStyle::dialog);
    auto& tabs = form.create<fw::TabControl>("TabsSetup");
    tabs.setBounds(fw::Rect::fromSize(8, 8, 300, 26));
    std::vector<fw::TabControl::Page> pages;
    std::vector<fw::Button*> buttons;
    for (const char* title : {"Receiver", "Phone"}) {
        auto& group = form.create<fw::GroupBox>(std::string("Group") + title);
        group.setBounds(fw::Rect::fromSize(8, 36, 300, 100));
        group.setText(title);
        auto& button = form.create<fw::Button>(std::string("Button") + title);
        button.setBounds(fw::Rect::fromSize(20, 60, 100, 27));
        button.setText(title);
        buttons.push_back(&button);
        pages.push_back({&group, {&button}});
    }
    auto& list = form.create<fw::ListBox>("ListPhones");
    list.setBounds(fw::Rect::fromSize(130, 60, 160, 60));
    list.setItems({"Ana (2026-01-02)", "Ion (2026-03-04)"});
    pages[1].controls.push_back(&list);
    form.finishCreate();
    tabs.setPages(pages);
    form.show();
    const auto hwnd = [](const fw::WinControl& c) { return reinterpret_cast<HWND>(c.peer()->handle()); };
    HWND tabWindow = hwnd(tabs);
    EXPECT_EQ(SendMessageW(tabWindow, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(tabWindow, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(hwnd(*buttons[0])));
    EXPECT_FALSE(IsWindowVisible(hwnd(*buttons[1])));
    EXPECT_FALSE(IsWindowVisible(hwnd(list)));

    // The user's choice, as the tab control tells it.
    SendMessageW(tabWindow, TCM_SETCURSEL, 1, 0);
    NMHDR chosen{tabWindow, 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(reinterpret_cast<HWND>(form.handle()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&chosen));
    EXPECT_EQ(tabs.text(), "Phone");
    EXPECT_FALSE(IsWindowVisible(hwnd(*buttons[0])));
    EXPECT_TRUE(IsWindowVisible(hwnd(*buttons[1])));
    EXPECT_TRUE(IsWindowVisible(hwnd(list)));

    HWND listWindow = hwnd(list);
    EXPECT_EQ(SendMessageW(listWindow, LB_GETCOUNT, 0, 0), 2);
    SendMessageW(listWindow, LB_SETCURSEL, 1, 0);
    SendMessageW(reinterpret_cast<HWND>(form.handle()), WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(listWindow));
    EXPECT_EQ(list.text(), "Ion (2026-03-04)");
    EXPECT_EQ(list.itemIndex(), 1);
    list.setItems({"Ana (2026-01-02)"});
    EXPECT_EQ(SendMessageW(listWindow, LB_GETCURSEL, 0, 0), LB_ERR) << "the line chosen is gone";

    // Ctrl+Tab, with the thread's own key state saying Ctrl is down.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SetFocus(hwnd(*buttons[1]));
    PostMessageW(hwnd(*buttons[1]), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(serveUntil([&] { return tabs.text() == "Receiver"; }));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(SendMessageW(tabWindow, TCM_GETCURSEL, 0, 0), 0) << "the tabs' window follows";
    EXPECT_TRUE(IsWindowVisible(hwnd(*buttons[0])));
    EXPECT_FALSE(IsWindowVisible(hwnd(list)));
    EXPECT_EQ(GetFocus(), tabWindow) << "the focus leaves the page that went";
}

TEST_F(Win32HostTest, ResourcesAndExecutablePath) {
    const auto data = host.resource("SAMPLE_DATA");
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(std::string(data->begin(), data->begin() + 3), "ZAV");
    EXPECT_FALSE(host.resource("NO_SUCH_THING").has_value());
    EXPECT_NE(host.executablePath().find("win32_tests"), std::string::npos);
}

TEST(Win32Files, IniWriteReplacesAnExistingFileAtomically) {
    const auto dir = std::filesystem::temp_directory_path() / "zav_ini_win32";
    std::filesystem::create_directories(dir);
    const auto path = dir / "ir_zav.ini";
    std::ofstream(path, std::ios::binary) << "[PORT_SET]\r\nPORT=2\r\n";
    fw::IniFile ini(path);
    ini.writeInteger("PORT_SET", "PORT", 3);
    ini.writeString("COMENZI_IR", "PLAY", "1A2B3C");
    EXPECT_EQ(ini.readInteger("port_set", "port", 1), 3);
    EXPECT_EQ(ini.readString("COMENZI_IR", "play", ""), "1A2B3C");
    EXPECT_FALSE(std::filesystem::exists(dir / "ir_zav.ini.new"));
    EXPECT_THROW(fw::IniFile(dir / "missing" / "x.ini").writeInteger("A", "B", 1), fw::IniWriteError);
    std::filesystem::remove_all(dir);
}

}  // namespace
