// Learned codes carrying out their commands: through the posted path the
// receive thread uses, on the headless host with every service doubled.
#include <gtest/gtest.h>

#include <ostream>

#include "app/handset_commands.h"
#include "support/case_name.h"
#include "support/program_fixture.h"

namespace {

using Strings = std::vector<std::string>;

// A distinct code for each command, learned in the file.
std::string codeOf(std::size_t index) {
    static const char* hex = "0123456789ABCDEF";
    return std::string("C0DE") + hex[index / 16] + hex[index % 16];
}

std::string learnedSection() {
    std::string ini = "[COMENZI_IR]\r\n";
    for (std::size_t i = 0; i < app::commandNamesLoadOrder().size(); ++i)
        ini += std::string(app::commandNamesLoadOrder()[i]) + "=" + codeOf(i) + "\r\n";
    return ini;
}

std::size_t indexOf(const std::string& name) {
    for (std::size_t i = 0; i < app::commandNamesLoadOrder().size(); ++i)
        if (name == app::commandNamesLoadOrder()[i]) return i;
    throw std::logic_error("no command " + name);
}

Strings seenBy(const testing_support::ProgramFixture& p);

class Handset : public ::testing::Test, public testing_support::ProgramFixture {
protected:
    void startWith(const std::string& ir, const std::string& extra = "") {
        player.running = true;
        start("[IR]\r\nMinimizare=0\r\n" + ir + "[PORT_SET]\r\nPORT=0\r\n" + learnedSection() + extra);
        clearDoubles();
    }
    void clearDoubles() {
        player.sent.clear();
        launcher.calls.clear();
        mixer.calls.clear();
    }
    // A complete code, as the receive thread passes it by the hidden dialog.
    void receive(const std::string& code, std::uint32_t at = 0) {
        if (at) host.now = at;
        feedSerial(code);
        host.runPosted();
    }
    void receiveCommand(const std::string& name, std::uint32_t at = 0) { receive(codeOf(indexOf(name)), at); }
    // What the doubles saw: the player, the launcher, the mixer's writes and
    // reads (its controls by what they are, not by their number), and the
    // digits typed.
    Strings seen() const { return seenBy(*this); }
};

Strings seenBy(const testing_support::ProgramFixture& p) {
    Strings s = p.player.sent;
    s.insert(s.end(), p.launcher.calls.begin(), p.launcher.calls.end());
    for (std::string call : p.mixer.calls) {
        for (const auto& [id, what] : {std::pair{p.masterVolume, "volume"}, std::pair{p.masterMute, "mute"}}) {
            const std::string number = std::to_string(id);
            for (auto at = call.find(number); at != std::string::npos; at = call.find(number))
                call.replace(at, number.size(), what);
        }
        s.push_back(call);
    }
    s.push_back("digits " + p.remote->state().digits);
    s.push_back("track read-out " + p.form->LCDTrack->Value());
    return s;
}

class EveryCommand : public Handset, public ::testing::WithParamInterface<std::string> {};

TEST_P(EveryCommand, DoesWhatItsKeyDoes) {
    const std::string name = GetParam();
    startWith("EXECUTARE=1\r\n");
    click(*form->keyFor(*app::commandNamed(name)));
    const Strings byKey = seen();

    ProgramFixture other;
    other.player.running = true;
    other.start("[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n[PORT_SET]\r\nPORT=0\r\n" + learnedSection());
    other.player.sent.clear();
    other.launcher.calls.clear();
    other.mixer.calls.clear();
    other.feedSerial(codeOf(indexOf(name)));
    other.host.runPosted();
    EXPECT_EQ(seenBy(other), byKey);
    EXPECT_NE(byKey, (Strings{"digits ", "track read-out 1"})) << "the key does something";
}

INSTANTIATE_TEST_SUITE_P(AllTwentyFive, EveryCommand, ::testing::ValuesIn(app::commandNamesLoadOrder()),
                         [](const auto& info) { return testing_support::caseName(info.param); });

struct SettingCase {
    const char* what;
    const char* ir;
    bool runs;
};

void PrintTo(const SettingCase& c, std::ostream* os) { *os << c.what; }

class Setting : public Handset, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(Setting, DecidesWhetherCodesRunCommands) {
    startWith(GetParam().ir);
    receiveCommand("PLAY");
    EXPECT_EQ(player.actions(), GetParam().runs ? Strings{"command 40045"} : Strings{});
}

INSTANTIATE_TEST_SUITE_P(Values, Setting,
                         ::testing::Values(SettingCase{"missing", "", false}, SettingCase{"zero", "EXECUTARE=0\r\n", false},
                                           SettingCase{"two", "EXECUTARE=2\r\n", false},
                                           SettingCase{"not a number", "EXECUTARE=yes\r\n", false},
                                           SettingCase{"one", "EXECUTARE=1\r\n", true},
                                           SettingCase{"hexadecimal one", "executare=0x1\r\n", true}),
                         [](const auto& info) {
                             std::string n = info.param.what;
                             for (char& ch : n)
                                 if (ch == ' ') ch = '_';
                             return n;
                         });

TEST_F(Handset, MatchingIgnoresLetterCaseTheFirstInLoadOrderWinsAndUnknownCodesDoNothing) {
    startWith("EXECUTARE=1\r\n", "[COMENZI_IR]\r\nPLAY=abcde1\r\n");
    // The section above comes second in the file: the first one's codes count.
    receive("c0de01");
    EXPECT_EQ(player.actions(), Strings{"command 40045"}) << "PLAY by its learned code in other letters";

    ProgramFixture shared;
    shared.player.running = true;
    shared.start("[IR]\r\nMinimizare=0\r\nEXECUTARE=1\r\n[PORT_SET]\r\nPORT=0\r\n[COMENZI_IR]\r\nSTOP=12345\r\nPLAY=12345\r\n");
    shared.player.sent.clear();
    shared.feedSerial("12345");
    shared.host.runPosted();
    EXPECT_EQ(shared.player.actions(), Strings{"command 40045"}) << "PLAY comes before STOP in load order";

    clearDoubles();
    receive("FFFFFF", 5000);
    receive("", 6000);
    EXPECT_EQ(seen(), (Strings{"digits ", "track read-out 1"})) << "unknown and empty codes do nothing";
}

TEST_F(Handset, NothingRunsWhileTheSetupDialogIsShownAndTheCodeGoesToItsField) {
    startWith("EXECUTARE=1\r\n");
    dialog->show();
    player.sent.clear();  // the dialog asked which player answers
    feedSerial(codeOf(indexOf("PLAY")));  // came just before the dialog showed
    feedSerial(codeOf(indexOf("PLAY")));
    host.runPosted();
    EXPECT_TRUE(player.sent.empty());
    EXPECT_EQ(dialog->MemoCod->text(), codeOf(indexOf("PLAY")));
}

TEST_F(Handset, ItWorksFromTheNotificationArea) {
    startWith("EXECUTARE=1\r\n");
    form->Ascunde();
    clearDoubles();
    receiveCommand("NEXT SONG");
    ASSERT_FALSE(player.sent.empty());
    EXPECT_EQ(player.sent.front(), "command 40048") << "carried out first; the on-screen display asks after it";
    EXPECT_EQ(std::count(player.sent.begin(), player.sent.end(), "command 40048"), 1);
    EXPECT_FALSE(form->CBNext->PressedLook()) << "nobody sees the window";
}

// A held key: arrivals of the same code, milliseconds from the first.
struct HeldCase {
    const char* what;
    const char* command;
    std::vector<std::uint32_t> arrivals;
    std::size_t runs;
};

void PrintTo(const HeldCase& c, std::ostream* os) { *os << c.what; }

class HeldKeys : public Handset, public ::testing::WithParamInterface<HeldCase> {};

std::vector<std::uint32_t> every110msUntil(std::uint32_t end, std::uint32_t from = 0) {
    std::vector<std::uint32_t> at;
    for (std::uint32_t t = from; t <= end; t += 110) at.push_back(t);
    return at;
}

TEST_P(HeldKeys, RepeatOnlyWhereItMakesSense) {
    startWith("EXECUTARE=1\r\n");
    std::size_t runs = 0;
    for (std::uint32_t t : GetParam().arrivals) {
        clearDoubles();
        const std::size_t digits = remote->state().digits.size();
        receiveCommand(GetParam().command, 10000 + t);
        const bool mixerSet = std::any_of(mixer.calls.begin(), mixer.calls.end(),
                                          [](const std::string& c) { return c.rfind("set ", 0) == 0; });
        runs += !player.sent.empty() || mixerSet || remote->state().digits.size() != digits;
    }
    EXPECT_EQ(runs, GetParam().runs);
}

std::vector<std::uint32_t> twoPresses() {
    auto at = every110msUntil(330);
    const auto second = every110msUntil(930, 600);  // 270 ms of silence first
    at.insert(at.end(), second.begin(), second.end());
    return at;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HeldKeys,
    ::testing::Values(HeldCase{"Play held 1 s is one Play", "PLAY", every110msUntil(1000), 1},
                      HeldCase{"volume held 1 s: the press, then every arrival after 400 ms", "VOLUME UP",
                               every110msUntil(1000), 1 + 6},
                      HeldCase{"FF held 1.5 s: the press, then every second arrival after 500 ms", "FF",
                               every110msUntil(1500), 1 + 5},
                      HeldCase{"Rew held 1.5 s likewise", "REW", every110msUntil(1500), 1 + 5},
                      HeldCase{"250 ms of silence starts a new press", "PLAY", twoPresses(), 2},
                      HeldCase{"arrivals 250 ms apart are one press", "PLAY", {0, 250, 500, 750}, 1},
                      HeldCase{"arrivals 251 ms apart are four", "PLAY", {0, 251, 502, 753}, 4},
                      HeldCase{"a held digit types once", "TASTE 7", every110msUntil(1000), 1}),
    testing_support::byWhat);

TEST_F(Handset, ADifferentCodeStartsANewPress) {
    startWith("EXECUTARE=1\r\n");
    receiveCommand("PLAY", 1000);
    receiveCommand("PAUSE", 1110);
    receiveCommand("PLAY", 1220);
    receive("ABCDEF", 1330);
    receiveCommand("PLAY", 1440);
    EXPECT_EQ(player.actions(), (Strings{"command 40045", "command 40046", "command 40045", "command 40045"}));
}

TEST_F(Handset, DigitsThenEnterSelectATrackAndPlay) {
    startWith("EXECUTARE=1\r\n");
    receiveCommand("TASTE 1", 1000);
    receiveCommand("TASTE 2", 1500);
    EXPECT_EQ(remote->state().digits, "12");
    EXPECT_EQ(form->LCDTrack->Value(), "12") << "the typed digits show as from the keys";
    clearDoubles();
    receiveCommand("ENTER", 2000);
    ASSERT_GE(player.sent.size(), 2u);
    EXPECT_EQ(Strings(player.sent.begin(), player.sent.begin() + 2), (Strings{"request 121 11", "command 40045"}))
        << "then the look that follows every command";
    EXPECT_EQ(remote->state().digits, "");
}

TEST_F(Handset, TheKeyShowsPressedFor150Ms) {
    startWith("EXECUTARE=1\r\n");
    widgets::TCoolButton& play = *form->CBPlay;
    const fw::Bitmap before = host.render(*form).bitmap();
    receiveCommand("PLAY", 1000);
    EXPECT_TRUE(play.PressedLook());
    EXPECT_TRUE(host.timerRunning(*form->TimerKeyLook));
    EXPECT_EQ(host.timerInterval(*form->TimerKeyLook), 150);
    const fw::Bitmap pressed = host.render(*form).bitmap();
    const fw::Rect b = play.bounds();
    EXPECT_NE(pressed.pixel(b.left, b.top), before.pixel(b.left, b.top)) << "a sunken edge over the painted key";
    EXPECT_EQ(pressed.pixel(b.left + b.width() / 2, b.top + b.height() / 2),
              before.pixel(b.left + b.width() / 2, b.top + b.height() / 2))
        << "the key itself stays as painted";
    receiveCommand("STOP", 1100);
    EXPECT_FALSE(play.PressedLook()) << "the next key takes over";
    EXPECT_TRUE(form->CBStop->PressedLook());
    host.fireTimer(*form->TimerKeyLook);
    EXPECT_FALSE(form->CBStop->PressedLook());
    EXPECT_FALSE(host.timerRunning(*form->TimerKeyLook));
    EXPECT_EQ(host.render(*form).bitmap(), before);
}

struct LabelCase {
    const char* what;
    std::string ini;
    std::string code;
    std::string label;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.what; }

class LearnedLabel : public Handset, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(LearnedLabel, SaysWhatTheShownCodeIsLearnedFor) {
    player.running = true;
    start("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n" + GetParam().ini);
    dialog->show();
    feedSerial(GetParam().code);
    host.runPosted();
    EXPECT_EQ(dialog->LabelLearned->text(), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LearnedLabel,
    ::testing::Values(LabelCase{"one", "[COMENZI_IR]\r\nPLAY=12345\r\n", "12345", "Learned for: PLAY"},
                      LabelCase{"several, in load order", "[COMENZI_IR]\r\nSTOP=12345\r\nPLAY=12345\r\n", "12345",
                                "Learned for: PLAY, STOP"},
                      LabelCase{"letter case aside", "[COMENZI_IR]\r\nMUTE=abcde\r\n", "ABCDE", "Learned for: MUTE"},
                      LabelCase{"none", "[COMENZI_IR]\r\nPLAY=12345\r\n", "54321", ""}),
    testing_support::byWhat);

TEST_F(Handset, AfterLearningTheLabelNamesTheCommandAndTheCheckBoxSavesTheSetting) {
    player.running = true;
    start("[IR]\r\nMinimizare=0\r\n[PORT_SET]\r\nPORT=0\r\n");
    host.onModal = [&](fw::Form&) {
        EXPECT_FALSE(dialog->CheckBoxExecutare->checked()) << "loaded from the setting";
        feedSerial("ABCDEF");
        host.runPosted();
        EXPECT_EQ(dialog->LabelLearned->text(), "");
        host.typeText(*dialog->CBComenziIR, "PLAY");
        host.clickControl(*dialog->ButtonSaveIR);
        EXPECT_EQ(dialog->LabelLearned->text(), "Learned for: PLAY");
        host.clickControl(*dialog->CheckBoxExecutare);
        host.clickControl(*dialog->ButtonOk);
    };
    click(*form->CBSetIR);
    EXPECT_NE(iniText().find("EXECUTARE=1\r\n"), std::string::npos);
    EXPECT_TRUE(settings->RunCommands);
    clearDoubles();
    receive("ABCDEF", 5000);
    EXPECT_EQ(player.actions(), Strings{"command 40045"}) << "learned, switched on, and carried out";
}

}  // namespace
