#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/form.h"
#include "support/fake_tray.h"
#include "support/headless_host.h"
#include "widgets/tray_comp.h"

namespace {

using Calls = std::vector<std::string>;

class RecordingMenu : public widgets::PopupMenu {
public:
    void popup(fw::Point at) override { opened.push_back(at); }
    std::vector<fw::Point> opened;
};

class TrayCompTest : public ::testing::Test {
protected:
    TrayCompTest() : app(host), form(app.createForm<fw::Form>("Main")) {
        app.setTitle("Telecomanda Winamp ZAV Amp - 01");
        tray.windowsByCaption["Telecomanda Winamp ZAV Amp - 01"] = 77;
        comp = &form.create<widgets::TTrayComp>("TrayComp", tray);
    }
    void loadForm() { form.finishCreate(); }
    platform::TrayListener& window() {
        EXPECT_NE(tray.listener(), nullptr) << "the form's window is listened to";
        return *tray.listener();
    }

    testing_support::HeadlessHost host;
    testing_support::FakeTray tray;
    fw::Application app;
    fw::Form& form;
    widgets::TTrayComp* comp;
};

TEST_F(TrayCompTest, ConstructionTouchesNothingAndTheIconIsAlwaysFilledTheSameWay) {
    EXPECT_TRUE(tray.calls.empty()) << "construction touches nothing";
    comp->setIcon(comp->iconResource("TRAYICON"));
    comp->setToolTip("ZAV Amp - 01");
    comp->setShowIcon(true);
    const platform::TrayIconSpec d = tray.notified.back();
    EXPECT_EQ(d.window, form.handle());
    EXPECT_EQ(d.icon, 0x1C0u);
    EXPECT_EQ(d.tip, "ZAV Amp - 01");
    comp->setShowIcon(false);
    EXPECT_EQ(tray.notified.back(), d) << "delete uses the record as last filled";
}

TEST_F(TrayCompTest, ToolTipKeepsSixtyTwoCharacters) {
    comp->setToolTip(std::string(63, 'x'));
    EXPECT_EQ(comp->ToolTip(), std::string(62, 'x'));
    EXPECT_EQ(tray.notified.back().tip.size(), 62u);
}

TEST_F(TrayCompTest, AddingWithoutTipAsksForARefreshWhoseArrivalUpdatesTheIcon) {
    loadForm();
    comp->setShowIcon(true);
    EXPECT_EQ(tray.tipRefreshesPosted, std::vector<fw::WindowHandle>{form.handle()});
    const std::size_t before = tray.calls.size();
    window().tipRefreshDue();
    EXPECT_EQ(tray.callsFrom(before), Calls{"notify modify tip="});
    comp->setToolTip("tip");
    comp->setShowIcon(true);
    EXPECT_EQ(tray.tipRefreshesPosted.size(), 1u) << "no refresh is asked for when there is a tip";
}

TEST_F(TrayCompTest, ShowIconIssuesItsRequestEvenWhenUnchanged) {
    comp->setShowIcon(true);
    comp->setShowIcon(true);
    comp->setShowIcon(false);
    comp->setShowIcon(false);
    int adds = 0, deletes = 0;
    for (const auto& c : tray.calls) {
        adds += c.rfind("notify add", 0) == 0;
        deletes += c.rfind("notify delete", 0) == 0;
    }
    EXPECT_EQ(adds, 2);
    EXPECT_EQ(deletes, 2);
}

TEST_F(TrayCompTest, ANewTaskbarGetsTheIconAgainWithItsTipOnlyWhileTheIconIsShown) {
    loadForm();
    comp->setToolTip("ZAV Amp - 01");
    comp->setShowIcon(true);
    const platform::TrayIconSpec shown = tray.notified.back();
    std::size_t before = tray.calls.size();
    window().taskbarCreated();
    EXPECT_EQ(tray.callsFrom(before), Calls{"notify add tip=ZAV Amp - 01"});
    EXPECT_EQ(tray.notified.back(), shown) << "the same window, icon and tip, so its clicks come back";
    comp->setShowIcon(false);
    before = tray.calls.size();
    window().taskbarCreated();
    EXPECT_TRUE(tray.callsFrom(before).empty()) << "in window mode nothing shows";
}

TEST_F(TrayCompTest, ShowInTaskBarHidesTheApplicationWindowAndNeverBringsItBack) {
    comp->setShowInTaskBar(false);
    EXPECT_EQ(tray.calls, (Calls{"find Telecomanda Winamp ZAV Amp - 01", "show 77 hide"}));
    tray.calls.clear();
    comp->setShowInTaskBar(true);
    EXPECT_TRUE(tray.calls.empty()) << "true asks for nothing: the button stays hidden";
}

TEST_F(TrayCompTest, HideAppReadsBackFalseWhereTheSystemHasNoTaskListService) {
    comp->setHideApp(true);
    EXPECT_FALSE(comp->HideApp());
    tray.registration = platform::ServiceRegistration::called;
    comp->setHideApp(true);
    EXPECT_TRUE(comp->HideApp());
    tray.registration = platform::ServiceRegistration::noModule;
    comp->setHideApp(false);
    comp->setHideApp(true);
    EXPECT_TRUE(comp->HideApp()) << "without the module the value stays as asked";
    EXPECT_EQ(tray.calls, (Calls{"register 1", "register 1", "register 0", "register 1"}));
}

TEST_F(TrayCompTest, LoadedTakesOverTheFormAndAppliesShowForm) {
    comp->setShowForm(false);
    loadForm();
    EXPECT_NE(tray.listener(), nullptr);
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(app.showMainForm()) << "the application will not show its main form";
    EXPECT_FALSE(app.terminated());
}

TEST_F(TrayCompTest, StartingMinimizedWithoutRunMinimizedEndsTheProgram) {
    tray.minimized = true;
    loadForm();
    EXPECT_TRUE(app.terminated());
}

TEST_F(TrayCompTest, ActivationHidesTheTaskbarWindowAndMinimisingIsRefusedWithoutIt) {
    comp->setShowInTaskBar(true);
    loadForm();
    tray.calls.clear();

    window().windowActivated();
    EXPECT_TRUE(tray.calls.empty()) << "ShowInTaskBar true: activation hides nothing";
    EXPECT_FALSE(window().minimiseRequested()) << "with a taskbar button minimise goes through";
    comp->setShowInTaskBar(false);
    tray.calls.clear();
    window().windowActivated();
    EXPECT_EQ(tray.calls, (Calls{"find Telecomanda Winamp ZAV Amp - 01", "show 77 hide"}));
    EXPECT_TRUE(window().minimiseRequested()) << "nothing to minimise to: the window stays";
    tray.calls.clear();
    window().iconClicked(fw::MouseButton::middle);
    EXPECT_TRUE(tray.calls.empty()) << "other buttons do nothing";
}

TEST_F(TrayCompTest, LeftClickCallsTheHandlerAloneOrShowsTheForm) {
    comp->setShowForm(true);
    loadForm();
    form.hide();
    int handled = 0;
    comp->OnLeftClick = [&](fw::Component& s) {
        EXPECT_EQ(&s, comp);
        ++handled;
    };
    window().iconClicked(fw::MouseButton::left);
    EXPECT_EQ(handled, 1);
    EXPECT_FALSE(form.visible()) << "with a handler the form is not shown by the component";

    comp->OnLeftClick = nullptr;
    window().iconClicked(fw::MouseButton::left);
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(tray.calls.back(), "activate " + std::to_string(form.handle()));

    comp->setShowForm(false);
    tray.calls.clear();
    window().iconClicked(fw::MouseButton::left);
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(tray.calls.empty()) << "ShowForm false: the default click does nothing";

    int moves = 0;
    comp->OnMouseMove = [&](fw::Component&) { ++moves; };
    window().iconMouseMove();
    EXPECT_EQ(moves, 1);
}

TEST_F(TrayCompTest, RightClickOpensThePopupMenuEvenWithAHandler) {
    loadForm();
    RecordingMenu menu;
    comp->setPopupMenu(&menu);
    fw::Point handlerAt;
    comp->OnRightClick = [&](fw::Component&, fw::MouseButton b, const fw::MouseState&, int x, int y) {
        EXPECT_EQ(b, fw::MouseButton::right);
        handlerAt = {x, y};
    };
    window().iconClicked(fw::MouseButton::right);
    EXPECT_EQ(handlerAt, (fw::Point{300, 400}));
    ASSERT_EQ(menu.opened.size(), 1u);
    EXPECT_EQ(menu.opened[0], (fw::Point{300, 400}));

    comp->OnRightClick = nullptr;
    comp->setDefRClick(true);
    form.hide();
    window().iconClicked(fw::MouseButton::right);
    EXPECT_TRUE(form.visible()) << "default right click shows the form";
    EXPECT_EQ(menu.opened.size(), 2u);
}

TEST_F(TrayCompTest, AssigningItsOwnIconDoesNothing) {
    comp->setIcon(comp->iconResource("TRAYICON"));
    EXPECT_EQ(comp->Icon().handle, 0x1C0u);
    tray.calls.clear();
    comp->setIcon(comp->Icon());
    EXPECT_TRUE(tray.calls.empty());
}

TEST(TrayCompLifetime, DestructionStopsListeningThenDeletesTheIcon) {
    testing_support::HeadlessHost host;
    testing_support::FakeTray tray;
    {
        fw::Application app(host);
        auto& form = app.createForm<fw::Form>("Main");
        auto& comp = form.create<widgets::TTrayComp>("TrayComp", tray);
        form.finishCreate();
        comp.setToolTip("tip");
        comp.setShowIcon(true);
        tray.calls.clear();
    }
    EXPECT_EQ(tray.calls, (Calls{"stop listening", "notify delete tip=tip"}));
    EXPECT_EQ(tray.listeningsAlive, 0);
}

}  // namespace
