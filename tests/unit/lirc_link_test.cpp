// A LIRC server's keys through the remote, without its windows, on a
// socket double: new presses are learned (held arrivals are not), learned
// keys carry out their commands as held keys should, the IR badge is lit
// while the server is live and dark once it is turned off, the server's
// status in words (trying, live, failed and why), and a flood of keys
// waits in a bounded queue.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/remote_fixture.h"

namespace {

using namespace std::chrono_literals;
using testing_support::Script;

constexpr auto data = platform::StreamRead::data;

std::string line(const char* button, int repeat) {
    char text[80];
    std::snprintf(text, sizeof text, "00000000000010ef %02x %s handset\n", repeat, button);
    return text;
}

class LircKeys : public ::testing::Test, public testing_support::RemoteFixture {
protected:
    // The remote with the server at its address, sending `lines` once it
    // is connected, then staying connected and quiet.
    void startWith(const std::string& lines, const std::string& ini) {
        sockets.attempts = {Script{{{data, lines}}, false}};
        start(withServer + ini);
        live = until([&] { return remote->state().badge; });
    }
    static constexpr char withServer[] = "[LIRC]\r\nADDRESS=127.0.0.1:8765\r\n[IR]\r\nACTIVARE=0\r\n";
    static constexpr char withoutServer[] = "[IR]\r\nACTIVARE=0\r\n";
    // The server turned on or off as the setup dialog's Ok leaves it.
    void reloadWith(const char* ini) {
        writeIni(ini);
        remote->reload();
    }
    bool live = false;
    // Serves the GUI thread's posted work until `done` holds (a few seconds at most).
    template <class Done>
    bool until(Done done) {
        for (int i = 0; i < 3000; ++i) {
            host.processMessages();
            if (done()) return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }
    // Serves it until nothing more comes for 200 ms: every key the server
    // sent has been through.
    void untilQuiet() {
        int quiet = 0;
        for (int i = 0; i < 5000 && quiet < 200; ++i) {
            const int before = host.wakeCount();
            host.processMessages();
            std::this_thread::sleep_for(1ms);
            quiet = host.wakeCount() == before && core->codes().waiting() == 0 ? quiet + 1 : 0;
        }
    }
    int plays() const { return static_cast<int>(std::count(player.sent.begin(), player.sent.end(), "command 40045")); }
    ~LircKeys() override { core.reset(); }
};

TEST_F(LircKeys, ThreadsANewPressIsLearnedAndTheArrivalsOfAHeldKeyAreNot) {
    startWith("", "");
    ASSERT_TRUE(live) << "the badge lights for a live server alone";
    std::vector<std::string> shown;
    const auto listening = core->codes().onLearn([&](const ir::CodeEvent& e) { shown.push_back(e.code); });
    core->codes().setLearning(true);
    // A second connection's lines: PLAY pressed, FF pressed and held (its
    // repeats would show as FF if they were taken), PLAY pressed again.
    reloadWith(withoutServer);
    EXPECT_FALSE(remote->state().badge) << "turned off, the server is dark at once";
    EXPECT_EQ(remote->Lirc->statusText(), "LIRC server: off");
    sockets.attempts = {Script{{{data, line("KEY_PLAY", 0) + line("KEY_FF", 0) + line("KEY_FF", 1) +
                                           line("KEY_FF", 2) + line("KEY_PLAY", 0)}},
                               false}};
    reloadWith(withServer);
    ASSERT_TRUE(until([&] { return remote->state().badge; }));
    untilQuiet();
    EXPECT_EQ(shown, (std::vector<std::string>{"handset:KEY_PLAY", "handset:KEY_FF", "handset:KEY_PLAY"}))
        << "three presses, and not one of FF's held arrivals";
}

TEST_F(LircKeys, ThreadsALearnedKeyCarriesOutItsCommandAndHeldPlaysOnce) {
    player.running = true;
    startWith(line("KEY_PLAY", 0) + line("KEY_PLAY", 1) + line("KEY_PLAY", 2) + line("KEY_PLAY", 3),
              "EXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=A1B2C3,handset:KEY_PLAY\r\n");
    untilQuiet();
    EXPECT_EQ(plays(), 1) << "held, PLAY plays once";
}

TEST_F(LircKeys, ThreadsAKeyHeldFromBeforeTheConnectionIsANewPress) {
    player.running = true;
    startWith(line("KEY_PLAY", 5), "EXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=handset:KEY_PLAY\r\n");
    untilQuiet();
    EXPECT_EQ(plays(), 1);
}

TEST_F(LircKeys, ThreadsAFloodWaitsInABoundedQueueThatKeepsItsLastKey) {
    player.running = true;
    std::string flood;
    for (int i = 0; i < 20000; ++i) flood += line("KEY_NONE", 0);
    startWith(flood + line("KEY_PLAY", 0), "EXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=handset:KEY_PLAY\r\n");
    // The GUI thread takes nothing meanwhile: what waits stays bounded.
    for (int i = 0; i < 300 && core->codes().waiting() < ir::CodeBus::maxWaiting; ++i) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(core->codes().waiting(), ir::CodeBus::maxWaiting);
    EXPECT_TRUE(until([&] { return plays() == 1; })) << "the last key of the flood acts";
}

TEST_F(LircKeys, ThreadsWakingFromSleepConnectsAnewAndAnInactiveServerStaysAway) {
    startWith("", "");
    ASSERT_TRUE(live);
    sockets.attempts = {Script{{}, false}};
    core->application().systemResumed();
    EXPECT_TRUE(until([&] { return sockets.connects() == 2; })) << "the old connection may have died while the system slept";
    EXPECT_TRUE(until([&] { return remote->state().badge; })) << "and the badge is lit again";
    reloadWith(withoutServer);
    core->application().systemResumed();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(sockets.connects(), 2u);
    EXPECT_FALSE(remote->state().badge);
}

TEST_F(LircKeys, ThreadsTheServersStatusSaysWhetherItIsTriedLiveOrAwayAndWhy) {
    sockets.attempts = {std::nullopt};
    start(withServer);
    EXPECT_EQ(remote->Lirc->statusText(), "LIRC server: trying");
    std::vector<std::string> told;
    const fw::Subscription listening =
        remote->onSourceStatus([&](const app::SourceLink& s) {
            if (&s == remote->Lirc) told.push_back(s.statusText());
        });
    EXPECT_TRUE(until([&] { return !told.empty(); }));
    EXPECT_EQ(remote->Lirc->statusText(), "LIRC server: failed: no server answers at 127.0.0.1:8765");
    EXPECT_FALSE(remote->state().badge);
    reloadWith(withoutServer);
    EXPECT_EQ(told, (std::vector<std::string>{"LIRC server: failed: no server answers at 127.0.0.1:8765",
                                              "LIRC server: off"}));
}

TEST_F(LircKeys, AnAddressThatCannotBeReadIsSaidAndLeftAsItWasWhileTheRestIsSaved) {
    start("[LIRC]\r\nADDRESS=lircbox:8765\r\n[IR]\r\nACTIVARE=0\r\n");
    app::DialogSettings values;
    values.PortNumber = 3;
    values.LircAddress = "lirc box";
    std::string error;
    try {
        remote->save(values, std::nullopt);
    } catch (const std::exception& e) {
        error = e.what();
    }
    EXPECT_EQ(error, "Not a LIRC server address: lirc box");
    EXPECT_EQ(settings->PortNumber, 3);
    EXPECT_EQ(settings->LircAddressText, "lircbox:8765");
    values.LircAddress = "";
    remote->save(values, std::nullopt);
    EXPECT_EQ(settings->LircAddress, std::nullopt) << "emptied: off";
    EXPECT_EQ(iniText().find("[LIRC]\r\nADDRESS"), std::string::npos);
}

}  // namespace
