// A LIRC server's keys in the whole program, on a socket double: they are
// learned in the open setup dialog (new presses only), carry out their
// commands as held keys should, light the IR badge while the server is
// live, and a flood of them waits in a bounded queue.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/program_fixture.h"

namespace {

using namespace std::chrono_literals;
using testing_support::Script;

constexpr auto data = platform::StreamRead::data;

std::string line(const char* button, int repeat) {
    char text[80];
    std::snprintf(text, sizeof text, "00000000000010ef %02x %s handset\n", repeat, button);
    return text;
}

class LircKeys : public ::testing::Test, public testing_support::ProgramFixture {
protected:
    // The program with the server at its address, sending `lines` once it
    // is connected, then staying connected and quiet.
    void startWith(const std::string& lines, const std::string& ini) {
        sockets.attempts = {Script{{{data, lines}}, false}};
        start("[LIRC]\r\nADDRESS=127.0.0.1:8765\r\n" + ini);
    }
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
    ~LircKeys() override { program.reset(); }
};

TEST_F(LircKeys, ThreadsAKeyIsLearnedInTheOpenDialogAndAHeldKeyIsNoSecondPress) {
    startWith("", "[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    ASSERT_TRUE(until([&] { return !form->IIR->visible(); })) << "the badge lights for a live server alone";
    std::vector<std::string> shown;
    const auto listening = codes->onLearn([&](const ir::CodeEvent& e) { shown.push_back(e.code); });
    codes->setLearning(true);
    // A second connection's lines, once the first one ended.
    remote->Dezactivare();
    sockets.attempts = {Script{{{data, line("KEY_PLAY", 0) + line("KEY_PLAY", 1) + line("KEY_PLAY", 2) + line("KEY_PLAY", 0)}},
                               false}};
    remote->apply();
    ASSERT_TRUE(until([&] { return shown.size() >= 2; }));
    EXPECT_EQ(shown, (std::vector<std::string>{"handset:KEY_PLAY", "handset:KEY_PLAY"}))
        << "two presses, the held arrivals between them not";
}

TEST_F(LircKeys, ThreadsALearnedKeyCarriesOutItsCommandAndHeldPlaysOnce) {
    player.running = true;
    startWith(line("KEY_PLAY", 0) + line("KEY_PLAY", 1) + line("KEY_PLAY", 2) + line("KEY_PLAY", 3),
              "[IR]\r\nMinimizare=1\r\nACTIVARE=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=A1B2C3,handset:KEY_PLAY\r\n");
    ASSERT_TRUE(until([&] { return !player.sent.empty(); }));
    std::this_thread::sleep_for(50ms);
    host.processMessages();
    EXPECT_EQ(std::count(player.sent.begin(), player.sent.end(), "command 40045"), 1) << "held, PLAY plays once";
}

TEST_F(LircKeys, ThreadsAKeyHeldFromBeforeTheConnectionIsANewPress) {
    player.running = true;
    startWith(line("KEY_PLAY", 5), "[IR]\r\nMinimizare=1\r\nACTIVARE=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=handset:KEY_PLAY\r\n");
    EXPECT_TRUE(until([&] { return std::count(player.sent.begin(), player.sent.end(), "command 40045") == 1; }));
}

TEST_F(LircKeys, ThreadsAFloodWaitsInABoundedQueueThatKeepsItsLastKey) {
    player.running = true;
    std::string flood;
    for (int i = 0; i < 20000; ++i) flood += line("KEY_NONE", 0);
    startWith(flood + line("KEY_PLAY", 0),
              "[IR]\r\nMinimizare=1\r\nACTIVARE=0\r\nEXECUTARE=1\r\n[COMENZI_IR]\r\nPLAY=handset:KEY_PLAY\r\n");
    // The GUI thread takes nothing meanwhile: what waits stays bounded.
    for (int i = 0; i < 300 && codes->waiting() < ir::CodeBus::maxWaiting; ++i) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(codes->waiting(), ir::CodeBus::maxWaiting);
    EXPECT_TRUE(until([&] { return std::count(player.sent.begin(), player.sent.end(), "command 40045") == 1; }))
        << "the last key of the flood acts";
}

TEST_F(LircKeys, ThreadsWakingFromSleepConnectsAnewAndAnInactiveServerStaysAway) {
    startWith("", "[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    ASSERT_TRUE(until([&] { return !form->IIR->visible(); }));
    sockets.attempts = {Script{{}, false}};
    application->systemResumed();
    EXPECT_TRUE(until([&] { return sockets.connects() == 2; })) << "the old connection may have died while the system slept";
    EXPECT_TRUE(until([&] { return !form->IIR->visible(); })) << "and the badge is lit again";
    remote->Dezactivare();
    application->systemResumed();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(sockets.connects(), 2u);
}

TEST_F(LircKeys, AnAddressThatCannotBeReadIsSaidAndLeftAsItWasWhileTheRestIsSaved) {
    start("[LIRC]\r\nADDRESS=lircbox:8765\r\n[IR]\r\nMinimizare=0\r\nACTIVARE=0\r\n");
    host.onModal = [&](fw::Form&) {
        EXPECT_EQ(dialog->EditLirc->text(), "lircbox:8765");
        host.typeText(*dialog->EditLirc, "lirc box");
        dialog->SEPort->setValue(3);
        host.clickControl(*dialog->ButtonOk);
    };
    host.clearMessageBoxes();
    click("CBSetIR");
    ASSERT_FALSE(host.messageBoxes().empty());
    EXPECT_EQ(host.messageBoxes().back().text, "Not a LIRC server address: lirc box");
    EXPECT_EQ(settings->PortNumber, 3);
    EXPECT_EQ(settings->LircAddressText, "lircbox:8765");

    host.onModal = [&](fw::Form&) {
        host.typeText(*dialog->EditLirc, "");
        host.clickControl(*dialog->ButtonOk);
    };
    click("CBSetIR");
    EXPECT_EQ(settings->LircAddress, std::nullopt) << "emptied: off";
    EXPECT_EQ(iniText().find("[LIRC]\r\nADDRESS"), std::string::npos);
}

}  // namespace
