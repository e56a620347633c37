#include <gtest/gtest.h>

#include <map>

#include "control/activ_app.h"
#include "support/fake_control.h"
#include "support/headless_host.h"

using control::TActivApp;
using testing_support::FakeLauncher;

namespace {

class ActivAppTest : public ::testing::Test {
protected:
    ActivAppTest() : app(host) {
        host.executablePath_ = "C:\\Tools\\ZAV\\zav_amp.exe";
        activ = &app.create<TActivApp>("ActivApp", launcher);
    }
    testing_support::HeadlessHost host;
    FakeLauncher launcher;
    fw::Application app;
    TActivApp* activ;
};

TEST_F(ActivAppTest, ANewComponentLooksForMyOtherAppAndStartsWhatLiesInItsOwnFolder) {
    activ->ActivateApp();
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"find 'MyOtherApp'", "run 'C:\\Tools\\ZAV\\'"}));
}

TEST_F(ActivAppTest, LaunchesWhenNoWindowHasTheTitle) {
    activ->setExePath("winamp.exe /play");
    activ->ActivateApp();
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"find 'MyOtherApp'", "run 'winamp.exe /play'"}));
}

TEST_F(ActivAppTest, PostsTheActivationMessageAndLaunchesNothingWhenTheWindowExists) {
    launcher.windows["MyOtherApp"] = 0x77;
    activ->setExePath("C:\\anything.exe");
    launcher.existing.push_back("C:\\anything.exe");
    activ->ActivateApp();
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"find 'MyOtherApp'", "activate 119"}));
}

TEST_F(ActivAppTest, BeforeLaunchAppCanCancelButExecuteAppIgnoresIt) {
    int asked = 0;
    activ->BeforeLaunchApp = [&](fw::Component& sender, bool& Continue) {
        EXPECT_EQ(&sender, activ);
        EXPECT_TRUE(Continue);
        ++asked;
        Continue = false;
    };
    activ->setExePath("x.exe");
    activ->ActivateApp();
    EXPECT_EQ(launcher.calls, std::vector<std::string>{"find 'MyOtherApp'"});
    activ->ExecuteApp();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(launcher.calls.back(), "run 'x.exe'");
}

TEST_F(ActivAppTest, AnEmptyTitleIsLookedForAsTheEmptyTitle) {
    launcher.windows[""] = 0x55;
    activ->setMainFormTitle("");
    activ->ActivateApp();
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"find ''", "activate 85"}));
}

TEST_F(ActivAppTest, AnExistingProgramWithBlanksInItsPathIsStartedAsThatFile) {
    const std::string path = "C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE";
    launcher.existing.push_back(path);
    activ->setExePath(path);
    activ->ActivateApp();
    EXPECT_EQ(launcher.calls.back(), "run file 'C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE'")
        << "never as a command line that C:\\PROGRAM.EXE could answer";
}

TEST_F(ActivAppTest, HookRestoresAndRaisesOnAnActivationRequestAndPassesEverythingElse) {
    EXPECT_FALSE(host.deliver({0x10, FakeLauncher::activationMessage, 0, 0})) << "handled, not dispatched";
    EXPECT_EQ(host.restoreCount_, 1);
    EXPECT_EQ(host.bringToFrontCount_, 1);
    EXPECT_TRUE(host.deliver({0x10, FakeLauncher::activationMessage - 1, 0, 0}));
    EXPECT_TRUE(host.deliver({0x10, 15, 0, 0}));
    EXPECT_EQ(host.restoreCount_, 1);
}

TEST(ActivAppLifetime, TheHookGoesWithTheComponent) {
    testing_support::HeadlessHost host;
    FakeLauncher launcher;
    fw::Application app(host);
    {
        fw::Component holder(&app, "holder");
        holder.create<TActivApp>("ActivApp", launcher);
        EXPECT_FALSE(host.deliver({0, FakeLauncher::activationMessage, 0, 0}));
    }
    EXPECT_TRUE(host.deliver({0, FakeLauncher::activationMessage, 0, 0}))
        << "no handler of a dead component is called";
    EXPECT_EQ(host.restoreCount_, 1);
}

}  // namespace
