#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"
#include "support/headless_host.h"

namespace {

using fw::MouseButton;
using fw::Point;
using testing_support::DrawCall;

// A window-less control that logs every mouse message it gets.
class Probe : public fw::GraphicControl {
public:
    Probe(fw::Component* owner, std::string name, std::vector<std::string>* log)
        : fw::GraphicControl(owner, std::move(name)), log_(log) {}
    void mouseDown(MouseButton b, const fw::MouseState& s, Point at) override {
        log_->push_back(name() + " down " + pos(at));
        fw::GraphicControl::mouseDown(b, s, at);
    }
    void mouseMove(const fw::MouseState& s, Point at) override {
        log_->push_back(name() + " move " + pos(at));
        fw::GraphicControl::mouseMove(s, at);
    }
    void mouseUp(MouseButton b, const fw::MouseState& s, Point at) override {
        log_->push_back(name() + " up " + pos(at));
        fw::GraphicControl::mouseUp(b, s, at);
    }
    void mouseLeave() override { log_->push_back(name() + " leave"); }
    void paint(fw::Canvas& canvas) override {
        canvas.setBrushColor(fw::rgb(static_cast<int>(name()[0]), 0, 0));
        canvas.fillRect({0, 0, 1000, 1000});
    }

private:
    static std::string pos(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
    std::vector<std::string>* log_;
};

class FormRouting : public ::testing::Test {
protected:
    FormRouting() : app(host), form(app.createForm<fw::Form>("Main")) {
        form.setClientSize({100, 100});
        skin = &form.create<Probe>("Skin", &log);
        skin->setBounds({0, 0, 100, 100});
        lower = &form.create<Probe>("Lower", &log);
        lower->setBounds(fw::Rect::fromSize(10, 10, 40, 40));
        upper = &form.create<Probe>("Upper", &log);
        upper->setBounds(fw::Rect::fromSize(30, 30, 40, 40));
        for (auto* p : {skin, lower, upper}) p->onClick = [this](fw::Component& c) { clicks.push_back(c.name()); };
        form.show();
    }

    testing_support::HeadlessHost host;
    fw::Application app;
    fw::Form& form;
    std::vector<std::string> log;
    std::vector<std::string> clicks;
    Probe* skin;
    Probe* lower;
    Probe* upper;
};

struct RouteCase {
    const char* what;
    Point at;
    bool hideUpper;
    bool disableUpper;
    const char* receiver;
};

void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.what; }


class FormRoutingCases : public FormRouting, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(FormRoutingCases, PressGoesToTopmostVisibleEnabledControl) {
    const RouteCase& c = GetParam();
    upper->setVisible(!c.hideUpper);
    upper->setEnabled(!c.disableUpper);
    host.click(form, c.at);
    ASSERT_EQ(clicks.size(), 1u) << c.what;
    EXPECT_EQ(clicks[0], c.receiver) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Overlaps, FormRoutingCases,
    ::testing::Values(RouteCase{"overlap: upper wins", {40, 40}, false, false, "Upper"},
                      RouteCase{"only lower there", {15, 15}, false, false, "Lower"},
                      RouteCase{"bare skin", {90, 5}, false, false, "Skin"},
                      RouteCase{"hidden upper skipped", {40, 40}, true, false, "Lower"},
                      RouteCase{"disabled upper skipped", {40, 40}, false, true, "Lower"},
                      RouteCase{"disabled upper alone over skin", {65, 65}, false, true, "Skin"},
                      RouteCase{"right/bottom edges are outside", {70, 70}, false, false, "Skin"}));

TEST_F(FormRouting, CaptureKeepsTheMouseWhenItLeavesTheControl) {
    host.press(form, {40, 40});
    EXPECT_TRUE(host.state(form).captured);
    host.move(form, {5, 95});
    host.release(form, {5, 95});
    EXPECT_FALSE(host.state(form).captured);
    EXPECT_EQ(log, (std::vector<std::string>{"Upper down 10,10", "Upper leave", "Upper move -25,65",
                                             "Upper up -25,65"}))
        << "the pointer left it (hover follows the pointer), yet the messages stay with it, in its "
           "own coordinates";
    EXPECT_TRUE(clicks.empty()) << "a release outside is no click";

    log.clear();
    host.press(form, {40, 40});
    host.move(form, {95, 95});
    host.move(form, {45, 45});
    host.release(form, {45, 45});
    EXPECT_EQ(clicks, std::vector<std::string>{"Upper"}) << "moving back in before the release clicks";
}

TEST_F(FormRouting, RightButtonWhileLeftIsHeldStaysWithTheCapture) {
    host.press(form, {40, 40});
    host.press(form, {15, 15}, MouseButton::right);
    host.release(form, {15, 15}, MouseButton::right);
    EXPECT_TRUE(host.state(form).captured);
    host.release(form, {15, 15});
    const std::vector<std::string> expected{"Upper down 10,10", "Upper leave", "Upper down -15,-15",
                                            "Upper up -15,-15", "Upper up -15,-15"};
    EXPECT_EQ(log, expected);
}

TEST_F(FormRouting, HidingTheCapturingControlReleasesTheCapture) {
    host.press(form, {40, 40});
    upper->setVisible(false);
    EXPECT_EQ(form.captureControl(), nullptr);
    EXPECT_FALSE(host.state(form).captured);
    host.release(form, {40, 40});
    EXPECT_EQ(log.back(), "Lower up 30,30");
}

TEST_F(FormRouting, HoverFollowsThePointerForLeaveAndHints) {
    upper->setHint("Upper hint");
    lower->setHint("Lower hint");
    host.move(form, {15, 15});
    EXPECT_EQ(form.currentHint(), "Lower hint");
    const int changes = host.state(form).hintChanges;
    host.move(form, {40, 40});
    EXPECT_EQ(form.currentHint(), "Upper hint");
    EXPECT_EQ(host.state(form).hintChanges, changes + 1);
    EXPECT_EQ(log.back(), "Upper move 10,10");
    EXPECT_NE(std::find(log.begin(), log.end(), "Lower leave"), log.end());
    host.leaveWindow(form);
    EXPECT_EQ(log.back(), "Upper leave");
    EXPECT_EQ(form.currentHint(), "");
    form.setShowHints(false);
    host.move(form, {40, 40});
    EXPECT_EQ(form.currentHint(), "") << "a form that shows no hints has none";
}

TEST_F(FormRouting, PaintsVisibleControlsInZOrderClippedToTheirBounds) {
    lower->setVisible(false);
    auto canvas = host.record(form);
    auto fills = canvas.callsOf(DrawCall::Kind::fillRect);
    ASSERT_EQ(fills.size(), 3u) << "form background, skin, upper";
    EXPECT_EQ(fills[0].brush, form.color());
    EXPECT_EQ(fills[1].clip, fw::Rect::fromSize(0, 0, 100, 100));
    EXPECT_EQ(fills[2].clip, fw::Rect::fromSize(30, 30, 40, 40));
    EXPECT_EQ(fills[2].rect.left, 30) << "a control paints from its own top-left corner";

    auto pixels = host.render(form);
    EXPECT_EQ(pixels.bitmap().pixel(40, 40), fw::rgb('U', 0, 0));
    EXPECT_EQ(pixels.bitmap().pixel(15, 15), fw::rgb('S', 0, 0)) << "the hidden control is not painted";
    EXPECT_EQ(pixels.bitmap().pixel(80, 80), fw::rgb('S', 0, 0));
}

TEST_F(FormRouting, ModalDisplayDisablesOtherFormsAndReturnsTheResult) {
    auto& dialog = app.createForm<fw::Form>("Dialog");
    bool mainDisabledMeanwhile = false;
    host.onModal = [&](fw::Form& shown) {
        EXPECT_EQ(&shown, &dialog);
        EXPECT_TRUE(host.state(dialog).visible);
        mainDisabledMeanwhile = !host.state(form).enabled;
        shown.setModalResult(fw::mrOk);
    };
    EXPECT_EQ(dialog.showModal(), fw::mrOk);
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_TRUE(host.state(form).enabled);
    EXPECT_FALSE(dialog.visible());

    host.onModal = [&](fw::Form& shown) { shown.close(); };
    EXPECT_EQ(dialog.showModal(), fw::mrCancel) << "closing a modal form ends the display";
    EXPECT_FALSE(app.terminated());
}

TEST_F(FormRouting, ClosingTheMainFormEndsTheApplication) {
    form.close();
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(app.terminated());
    EXPECT_TRUE(host.quitRequested_);
}

}  // namespace
