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

TEST_F(ActivAppTest, ANewComponentLooksForMyOtherAppInItsOwnFolder) {
    EXPECT_EQ(activ->MainFormTitle(), "MyOtherApp");
    EXPECT_EQ(activ->ExePath(), "C:\\Tools\\ZAV\\");
}

TEST_F(ActivAppTest, LaunchesExactlyTheFileWhenNoWindowHasTheTitleAndSaysWhatTheSystemSaid) {
    activ->setExePath("C:\\Winamp\\winamp.exe");
    launcher.existing.push_back("C:\\Winamp\\winamp.exe");
    EXPECT_EQ(activ->ActivateApp(), std::nullopt);
    EXPECT_EQ(launcher.calls, (std::vector<std::string>{"find 'MyOtherApp'", "run file 'C:\\Winamp\\winamp.exe'"}));
    launcher.startFails = platform::LaunchFailure{740, "The requested operation requires elevation."};
    const auto failed = activ->ActivateApp();
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->code, 740u);
}

TEST_F(ActivAppTest, WhatIsNotAnExistingFileIsNeverStartedAsACommandLine) {
    for (const char* what : {"winamp.exe /play", "C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE", ""}) {
        launcher.calls.clear();
        launcher.existing = {"C:\\PROGRAM.EXE"};
        activ->setExePath(what);
        const auto failed = activ->ActivateApp();
        ASSERT_TRUE(failed) << what;
        EXPECT_EQ(failed->code, 0u) << "the system was not asked";
        EXPECT_EQ(launcher.calls, std::vector<std::string>{"find 'MyOtherApp'"}) << what;
    }
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
    launcher.existing.push_back("x.exe");
    EXPECT_EQ(activ->ActivateApp(), std::nullopt) << "cancelled is no failure";
    EXPECT_EQ(launcher.calls, std::vector<std::string>{"find 'MyOtherApp'"});
    activ->ExecuteApp();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(launcher.calls.back(), "run file 'x.exe'");
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
