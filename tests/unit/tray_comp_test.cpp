#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/form.h"
#include "support/fake_tray.h"
#include "support/headless_host.h"
#include "widgets/tray_comp.h"

namespace {

using Calls = std::vector<std::string>;
constexpr unsigned WM_ACTIVATE = 6, WM_SHOWWINDOW = 24, WM_SYSCOMMAND = 274;
constexpr std::intptr_t WM_MOUSEMOVE = 512, WM_LBUTTONUP = 514, WM_RBUTTONUP = 517;

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
    fw::Message callback(std::intptr_t mouse) {
        return {form.handle(), widgets::TTrayComp::TrayCallbackMessage, 0, mouse};
    }

    testing_support::HeadlessHost host;
    testing_support::FakeTray tray;
    fw::Application app;
    fw::Form& form;
    widgets::TTrayComp* comp;
};

TEST_F(TrayCompTest, NewComponentDefaults) {
    EXPECT_TRUE(comp->HideApp());
    EXPECT_TRUE(comp->ShowForm());
    EXPECT_FALSE(comp->ShowInTaskBar());
    EXPECT_FALSE(comp->RunMinimized());
    EXPECT_TRUE(comp->ShowIcon());
    EXPECT_FALSE(comp->DefRClick());
    EXPECT_TRUE(comp->DefLClick());
    EXPECT_TRUE(tray.calls.empty()) << "construction touches nothing";
}

TEST_F(TrayCompTest, IconRecordIsFilledTheSameWayEveryTime) {
    comp->setToolTip("ZAV Amp - 01");
    comp->setShowIcon(true);
    const platform::NotifyIconData d = tray.notified.back();
    EXPECT_EQ(d.size, 88u);
    EXPECT_EQ(d.window, form.handle());
    EXPECT_EQ(d.id, 0u);
    EXPECT_EQ(d.flags, 7u);
    EXPECT_EQ(d.callbackMessage, 1083u);
    EXPECT_EQ(d.tip, "ZAV Amp - 01");
    comp->setShowIcon(false);
    EXPECT_EQ(tray.notified.back(), d) << "delete uses the record as last filled";
}

TEST_F(TrayCompTest, ToolTipKeepsSixtyTwoCharacters) {
    comp->setToolTip(std::string(63, 'x'));
    EXPECT_EQ(comp->ToolTip(), std::string(62, 'x'));
    EXPECT_EQ(tray.notified.back().tip.size(), 62u);
}

TEST_F(TrayCompTest, AddingWithoutTipPostsTheTipMessageWhoseArrivalUpdatesTheIcon) {
    loadForm();
    comp->setShowIcon(true);
    ASSERT_EQ(tray.posted.size(), 1u);
    EXPECT_EQ(tray.posted[0].msg, widgets::TTrayComp::TrayTipMessage);
    EXPECT_EQ(tray.posted[0].window, form.handle());
    comp->setToolTip("");
    const std::size_t before = tray.calls.size();
    EXPECT_TRUE(tray.send(tray.posted[0]));
    EXPECT_EQ(tray.callsFrom(before), Calls{"notify modify tip="});
    comp->setToolTip("tip");
    comp->setShowIcon(true);
    EXPECT_EQ(tray.posted.size(), 1u) << "no tip message when there is a tip";
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
    EXPECT_TRUE(tray.subclassed());
    EXPECT_FALSE(form.visible());
    EXPECT_FALSE(app.showMainForm()) << "the application will not show its main form";
    EXPECT_FALSE(app.terminated());
}

TEST_F(TrayCompTest, StartingMinimizedWithoutRunMinimizedEndsTheProgram) {
    tray.minimized = true;
    loadForm();
    EXPECT_TRUE(app.terminated());
}

TEST_F(TrayCompTest, WindowMessagesAreConsumedOrPassedOnAsTheTableSays) {
    comp->setShowInTaskBar(true);
    loadForm();
    tray.calls.clear();

    EXPECT_FALSE(tray.send({form.handle(), WM_ACTIVATE, 1, 0}));
    EXPECT_TRUE(tray.calls.empty()) << "ShowInTaskBar true: activation hides nothing";
    comp->setShowInTaskBar(false);
    tray.calls.clear();
    EXPECT_FALSE(tray.send({form.handle(), WM_ACTIVATE, 1, 0}));
    EXPECT_EQ(tray.calls, (Calls{"find Telecomanda Winamp ZAV Amp - 01", "show 77 hide"}));
    tray.calls.clear();
    EXPECT_FALSE(tray.send({form.handle(), WM_ACTIVATE, 0, 0}));
    EXPECT_TRUE(tray.calls.empty()) << "deactivation does nothing";

    EXPECT_FALSE(tray.send({form.handle(), WM_SYSCOMMAND, 0xF020, 1234}));
    EXPECT_EQ(tray.passedOn.back().msg, WM_SHOWWINDOW) << "minimise is rewritten";
    EXPECT_EQ(tray.passedOn.back().wParam, 0u);
    EXPECT_EQ(tray.passedOn.back().lParam, 1234);
    comp->setShowInTaskBar(true);
    EXPECT_FALSE(tray.send({form.handle(), WM_SYSCOMMAND, 0xF020, 0}));
    EXPECT_EQ(tray.passedOn.back().msg, WM_SYSCOMMAND) << "with a taskbar button minimise goes through";

    const std::size_t passed = tray.passedOn.size();
    EXPECT_TRUE(tray.send(callback(0x203)));
    EXPECT_TRUE(tray.send({form.handle(), 99999, 0, 0}) == false);
    EXPECT_EQ(tray.passedOn.size(), passed + 1) << "icon messages are consumed, others pass";
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
    tray.send(callback(WM_LBUTTONUP));
    EXPECT_EQ(handled, 1);
    EXPECT_FALSE(form.visible()) << "with a handler the form is not shown by the component";

    comp->OnLeftClick = nullptr;
    tray.send(callback(WM_LBUTTONUP));
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(tray.calls.back(), "activate " + std::to_string(form.handle()));

    comp->setShowForm(false);
    tray.calls.clear();
    tray.send(callback(WM_LBUTTONUP));
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(tray.calls.empty()) << "ShowForm false: the default click does nothing";

    int moves = 0;
    comp->OnMouseMove = [&](fw::Component&) { ++moves; };
    tray.send(callback(WM_MOUSEMOVE));
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
    tray.send(callback(WM_RBUTTONUP));
    EXPECT_EQ(handlerAt, (fw::Point{300, 400}));
    ASSERT_EQ(menu.opened.size(), 1u);
    EXPECT_EQ(menu.opened[0], (fw::Point{300, 400}));

    comp->OnRightClick = nullptr;
    comp->setDefRClick(true);
    form.hide();
    tray.send(callback(WM_RBUTTONUP));
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

TEST(TrayCompLifetime, DestructionRestoresTheProcedureThenDeletesTheIcon) {
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
    EXPECT_EQ(tray.calls, (Calls{"restore procedure", "notify delete tip=tip"}));
    EXPECT_EQ(tray.subclassesAlive, 0);
}

}  // namespace
