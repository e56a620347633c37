#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/application.h"
#include "framework/convert.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "support/headless_host.h"

namespace {

class ApplicationTest : public ::testing::Test {
protected:
    ApplicationTest() : app(host), form(app.createForm<fw::Form>("Main")) {
        app.setTitle("Telecomanda Winamp ZAV Amp - 01");
        form.setClientSize({50, 50});
        key = &form.create<fw::GraphicControl>("Key");
        key->setBounds({0, 0, 50, 50});
        form.show();
    }
    testing_support::HeadlessHost host;
    fw::Application app;
    fw::Form& form;
    fw::GraphicControl* key;
};

TEST_F(ApplicationTest, FirstFormCreatedIsTheMainForm) {
    auto& second = app.createForm<fw::Form>("Second");
    EXPECT_EQ(app.mainForm(), &form);
    EXPECT_EQ(app.forms().size(), 2u);
    EXPECT_EQ(app.forms()[1], &second);
}

TEST_F(ApplicationTest, HandlerErrorIsShownInAMessageBoxAndInputGoesOn) {
    int clicks = 0;
    key->onClick = [&](fw::Component&) {
        ++clicks;
        if (clicks == 1) fw::strToInt("12345678901");
    };
    host.click(form, {5, 5});
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text, "'12345678901' is not a valid integer value");
    EXPECT_EQ(host.messageBoxes()[0].caption, app.title());
    EXPECT_EQ(host.messageBoxes()[0].icon, fw::MessageIcon::error);
    EXPECT_EQ(form.captureControl(), nullptr) << "the release that raised the error still ended the capture";

    host.click(form, {5, 5});
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(host.messageBoxes().size(), 1u);
}

TEST_F(ApplicationTest, TimerErrorsAreShownAndTheTimerKeepsRunning) {
    auto& timer = form.create<fw::Timer>("Refresh");
    EXPECT_FALSE(host.timerRunning(timer)) << "a timer without a handler does not run";
    int ticks = 0;
    timer.setInterval(500);
    timer.onTimer = nullptr;
    timer.bindHandler([&](fw::Component&) {
        if (++ticks == 1) throw std::runtime_error("first tick failed");
    });
    EXPECT_EQ(host.timerInterval(timer), 500);
    host.fireTimer(timer);
    host.fireTimer(timer);
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text, "first tick failed");
    timer.setEnabled(false);
    EXPECT_FALSE(host.timerRunning(timer));
}

TEST_F(ApplicationTest, EveryHookSeesMessagesFirstInOrderAndEndingOneLeavesTheOthers) {
    std::vector<std::string> seen;
    fw::Subscription first = app.addMessageHook([&](fw::Message& m) {
        seen.push_back("first " + std::to_string(m.msg));
        return false;
    });
    fw::Subscription second = app.addMessageHook([&](fw::Message& m) {
        seen.push_back("second " + std::to_string(m.msg));
        return m.msg == 1426;
    });
    fw::Subscription third = app.addMessageHook([&](fw::Message& m) {
        seen.push_back("third " + std::to_string(m.msg));
        return false;
    });
    EXPECT_TRUE(host.deliver({0, 15, 0, 0}));
    EXPECT_FALSE(host.deliver({0, 1426, 0, 0})) << "a handled message is not dispatched";
    EXPECT_EQ(seen, (std::vector<std::string>{"first 15", "second 15", "third 15", "first 1426", "second 1426"}))
        << "the hooks after the one that took it do not see it";

    seen.clear();
    second.reset();
    EXPECT_TRUE(host.deliver({0, 1426, 0, 0})) << "the hook that took it is gone";
    EXPECT_EQ(seen, (std::vector<std::string>{"first 1426", "third 1426"}));
    first.reset();
    third.reset();
    EXPECT_TRUE(host.deliver({0, 1426, 0, 0}));
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(host.dispatched.size(), 3u);
}

TEST_F(ApplicationTest, EveryResumeListenerHearsAndAFailingOneStopsNoOther) {
    int a = 0, b = 0;
    fw::Subscription first = app.onSystemResumed([&] {
        ++a;
        throw std::runtime_error("resume broke");
    });
    fw::Subscription second = app.onSystemResumed([&] { ++b; });
    app.systemResumed();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 1);
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text, "resume broke");
    first.reset();
    app.systemResumed();
    EXPECT_EQ(a, 1) << "an ended listener hears nothing";
    EXPECT_EQ(b, 2);
}

TEST_F(ApplicationTest, ErrorInTheHookIsShownAndTheMessageGoesOn) {
    const fw::Subscription hook =
        app.addMessageHook([](fw::Message&) -> bool { throw std::runtime_error("hook broke"); });
    EXPECT_TRUE(host.deliver({0, 99, 0, 0}));
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text, "hook broke");
}

TEST_F(ApplicationTest, PostedWorkRunsOnTheLoopInOrderAndErrorsAreShown) {
    std::vector<int> order;
    app.post([&] { order.push_back(1); });
    app.post([&] { throw std::runtime_error("posted failure"); });
    app.post([&] { order.push_back(3); });
    EXPECT_TRUE(order.empty()) << "nothing runs before the loop takes it";
    EXPECT_EQ(host.wakeCount(), 3);
    host.runPosted();
    EXPECT_EQ(order, (std::vector<int>{1, 3}));
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text, "posted failure");
}

TEST_F(ApplicationTest, WorkThatOpensABoxLetsTheRestGoOnInTheOrderItWasPosted) {
    std::vector<std::string> order;
    app.post([&] {
        order.push_back("A");
        app.post([&] { order.push_back("C, posted while A ran"); });
        // A box serves the posted work while it is open.
        app.messageBox("a question", "ZAV Amp", fw::MessageIcon::warning);
        order.push_back("A's box closed");
    });
    app.post([&] { order.push_back("B"); });
    host.runPosted();
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B", "C, posted while A ran", "A's box closed"}));
    host.runPosted();
    EXPECT_EQ(order.size(), 4u) << "each ran once";
}

TEST_F(ApplicationTest, RunShowsTheMainFormUnlessToldNotTo) {
    form.hide();
    app.setShowMainForm(false);
    app.post([&] { app.terminate(); });
    app.run();
    EXPECT_FALSE(form.visible());
    EXPECT_TRUE(app.terminated());
}

TEST_F(ApplicationTest, ALoopNothingCanEndFailsInsteadOfHanging) {
    auto& dialog = app.createForm<fw::Form>("Dialog");
    key->onClick = [&](fw::Component&) { dialog.showModal(); };
    host.click(form, {5, 5});
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_NE(host.messageBoxes()[0].text.find("nothing ends it"), std::string::npos);
    EXPECT_FALSE(dialog.isModal());
    EXPECT_TRUE(host.state(form).enabled) << "the owner is enabled again after the failed display";
}

}  // namespace
