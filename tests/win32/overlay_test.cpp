// The on-screen display's window on the real window system: on top, never
// activated, in no task list, in the work area's bottom-right corner, and
// the window in front keeps the focus when it shows.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/osd.h"
#include "framework/application.h"
#include "framework/form.h"
#include "platform/win32/dpi_scale.h"
#include "platform/win32/win32_host.h"
#include "serving.h"

namespace {

class OverlayTest : public ::testing::Test {
protected:
    OverlayTest() : host(GetModuleHandleA(nullptr)), app(host) {}

    bool serveUntil(const std::function<bool()>& done, int ms = 3000) {
        return testing_support::serveUntil(app, done, ms);
    }

    win32::Win32Host host;
    fw::Application app;
};

TEST_F(OverlayTest, ShowsOnTopWithoutTakingTheFocusInTheWorkAreasCorner) {
    auto& front = app.createForm<fw::Form>("Front");
    front.setCaption("A film in front");
    front.setClientSize({200, 100});
    front.show();
    SetForegroundWindow(reinterpret_cast<HWND>(front.handle()));
    const HWND frontWindow = reinterpret_cast<HWND>(front.handle());
    ASSERT_TRUE(serveUntil([&] { return GetForegroundWindow() == frontWindow; }));

    auto& osd = app.createForm<app::TOsd>();
    osd.showContent({"PLAY", control::TWinampControl::PlayState::playing, {}, {}, "01:01", "42", {}});
    app.processMessages();
    const HWND w = reinterpret_cast<HWND>(osd.handle());
    EXPECT_TRUE(IsWindowVisible(w));
    const auto ex = static_cast<DWORD>(GetWindowLongPtrA(w, GWL_EXSTYLE));
    EXPECT_TRUE(ex & WS_EX_TOPMOST) << "always on top";
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE) << "never activated";
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW) << "no taskbar button, no place in Alt+Tab";
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongPtrA(w, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(GetForegroundWindow(), frontWindow) << "the window in front keeps the focus";
    EXPECT_EQ(GetActiveWindow(), frontWindow);
    EXPECT_NE(GetFocus(), w);

    RECT work{}, r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(w, &r);
    const auto n = static_cast<int>(win32::DpiScale::forPictures().factor());
    EXPECT_EQ(r.right, work.right - 16 * n) << "16 px from the right edge at 96 DPI";
    EXPECT_EQ(r.bottom, work.bottom - 16 * n) << "and from the bottom, above the taskbar";
    EXPECT_EQ(r.right - r.left, app::OsdLayout::client.width * n);
    EXPECT_EQ(r.bottom - r.top, app::OsdLayout::client.height * n);
    EXPECT_GE(r.left, work.left);
    EXPECT_GE(r.top, work.top);

    // Updated in place while shown: the same window, the same place.
    osd.showContent({"VOLUME", {}, {}, 55, {}, "55", {}});
    app.processMessages();
    RECT again{};
    GetWindowRect(w, &again);
    EXPECT_TRUE(EqualRect(&r, &again));
    EXPECT_EQ(GetForegroundWindow(), frontWindow);

    // A click puts it away, and the focus stays where it was.
    const POINT middle{(r.right - r.left) / 2, (r.bottom - r.top) / 2};
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
    EXPECT_TRUE(serveUntil([&] { return !IsWindowVisible(w); }));
    EXPECT_EQ(GetForegroundWindow(), frontWindow);
}

}  // namespace
