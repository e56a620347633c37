// The handsets people own: several codes per command (a key that toggles
// its code, a second handset), a repeat code sent while a key is held, the
// dialog's buttons that change a command's codes, the walk that learns
// every key in one go, and the keys that type or move, learned from a
// device only once the user said it is a receiver, and Esc, which ends the
// walk and is never learned.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <ostream>

#include "app/commands.h"
#include "app/handset_commands.h"
#include "app/learned_codes.h"
#include "support/case_name.h"
#include "support/program_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using app::CodeList;

struct ListCase {
    const char* what;
    std::string value;
    CodeList codes;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.what; }

class CodeLists : public ::testing::TestWithParam<ListCase> {};

TEST_P(CodeLists, AreReadItemByItem) {
    EXPECT_EQ(app::parseCodeList(GetParam().value), GetParam().codes);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodeLists,
    ::testing::Values(ListCase{"one code", "A1B2C3", {"A1B2C3"}},
                      ListCase{"two", "A1B2C3,A1B2CB", {"A1B2C3", "A1B2CB"}},
                      ListCase{"blanks around items", " A1B2C3 ,\tA1B2CB ", {"A1B2C3", "A1B2CB"}},
                      ListCase{"lower case kept", "a1b2c3,A1B2cb", {"a1b2c3", "A1B2cb"}},
                      ListCase{"the first four of five", "1,2,3,4,5", {"1", "2", "3", "4"}},
                      ListCase{"bad items cost nothing else", "XYZ,12345,,1 2,0x12,ABCDEF", {"12345", "ABCDEF"}},
                      ListCase{"twelve digits, not thirteen", "123456789ABC,123456789ABCD", {"123456789ABC"}},
                      ListCase{"commas only", ",,,,", {}}, ListCase{"empty", "", {}},
                      ListCase{"the first four valid ones", "G,1,H,2,3,I,4,5", {"1", "2", "3", "4"}},
                      ListCase{"a server's keys beside serial codes", "handset:KEY_PLAY, A1B2C3 ,tv:Play%20All",
                               {"handset:KEY_PLAY", "A1B2C3", "tv:Play%20All"}},
                      ListCase{"not a server's key", "handset:,:KEY_PLAY,a:b:c,hand set:KEY,x:y=z", {}},
                      ListCase{"a server's key of 255 characters, not 256",
                               "r:" + std::string(253, 'K') + ",r:" + std::string(254, 'K'), {"r:" + std::string(253, 'K')}}),
    testing_support::byWhat);

TEST(CodeLists, AListWrittenIsReadBackAndOneCodeIsWrittenAsAlways) {
    EXPECT_EQ(app::formatCodeList({"A1B2C3"}), "A1B2C3") << "no comma: earlier versions read it";
    EXPECT_EQ(app::formatCodeList({"A1B2C3", "A1B2CB", "1", "FFFFFFFFFFFF"}), "A1B2C3,A1B2CB,1,FFFFFFFFFFFF");
    for (const CodeList& codes : {CodeList{}, CodeList{"1"}, CodeList{"AB", "cd", "123456789ABC", "0"}})
        EXPECT_EQ(app::parseCodeList(app::formatCodeList(codes)), codes);
    EXPECT_TRUE(app::holdsCode({"A1B2C3", "A1B2CB"}, "a1b2cb"));
    EXPECT_TRUE(app::holdsCode({"A1B2C3", "handset:KEY_PLAY"}, "handset:KEY_PLAY"));
    EXPECT_FALSE(app::holdsCode({"handset:KEY_PLAY"}, "handset:key_play")) << "a server's names are case-sensitive";
    EXPECT_FALSE(app::holdsCode({"handset:KEY_PLAY"}, "HANDSET:KEY_PLAY"));
    EXPECT_FALSE(app::holdsCode({"A1B2C3"}, ""));
    EXPECT_FALSE(app::holdsCode({}, ""));
}

class Handsets : public ::testing::Test, public testing_support::ProgramFixture {
protected:
    void startWith(const std::string& codes, const std::string& ir = "EXECUTARE=1\r\n") {
        player.running = true;
        start("[IR]\r\nMinimizare=0\r\n" + ir + "[PORT_SET]\r\nPORT=0\r\n[COMENZI_IR]\r\n" + codes);
        player.sent.clear();
        mixer.calls.clear();
    }
    // A complete code while the dialog is hidden, at `at` ms.
    void receive(const std::string& code, std::uint32_t at) {
        host.now = at;
        feedSerial(code);
        host.runPosted();
    }
    // A complete code while the dialog is shown.
    void show(const std::string& code, std::uint32_t at) {
        host.now = at;
        feedSerial(code);
        host.runPosted();
    }
    // A key the system heard, pressed.
    void key(const std::string& code, std::uint32_t at) {
        host.now = at;
        codes->feed(ir::CodeSource::keys, code, ir::Arrival::press);
        host.runPosted();
    }
    int volumeSets() const {
        return static_cast<int>(std::count_if(mixer.calls.begin(), mixer.calls.end(),
                                              [](const std::string& c) { return c.rfind("set ", 0) == 0; }));
    }
    int sent(const std::string& what) const {
        return static_cast<int>(std::count(player.sent.begin(), player.sent.end(), what));
    }
    fw::Button& button(const char* name) { return testing_support::named<fw::Button>(*dialog, name); }
    void choose(const std::string& command) {
        host.typeText(*dialog->CBComenziIR, command);
        host.fireTimer(*dialog->TimerInitTexte);
    }
    void typeCode(const std::string& code) { host.typeText(*dialog->MemoCod, code); }
    void press(const char* name) { host.clickControl(button(name)); }
    std::string learnedLine(const std::string& command) const {
        const std::string text = iniText();
        const auto at = text.find("\r\n" + command + "=");
        if (at == std::string::npos) return "<none>";
        return text.substr(at + 2, text.find("\r\n", at + 2) - at - 2);
    }
};

TEST_F(Handsets, AnyCodeOfACommandRunsItAndATogglingKeyActsOnEveryPress) {
    startWith("PLAY=A1B2C3,a1b2cb\r\nNEXT SONG=00C1,00C9\r\n");
    // Presses 300 ms apart, the code flipping press by press.
    std::uint32_t t = 1000;
    for (const char* code : {"A1B2C3", "A1B2CB", "A1B2C3", "A1B2CB"}) receive(code, t += 300);
    EXPECT_EQ(sent("command 40045"), 4) << "every press acts once";
    // A toggling key held: its code of that press repeats.
    for (const char* code : {"00C1", "00C1", "00C1", "00C9", "00C9"}) receive(code, t += 110);
    EXPECT_EQ(sent("command 40048"), 2) << "two presses, each held";
}

TEST_F(Handsets, AnEmptyCodeMatchesNothingEvenWhereACommandIsStoredWithAnEmptyValue) {
    startWith("PLAY=\r\nSTOP=,\r\nPAUSE=12345\r\n");
    EXPECT_TRUE(app::commandsLearnedFor(*settings, "").empty());
    receive("", 1000);
    EXPECT_TRUE(player.sent.empty());
    dialog->show();
    show("", 2000);
    EXPECT_EQ(dialog->LabelLearned->text(), "") << "the label names nothing for an empty code either";
    show("12345", 3000);
    EXPECT_EQ(dialog->LabelLearned->text(), "Learned for: PAUSE");
}

// A repeat code after a press: arrivals in ms, "K" the key's own code, "R"
// the repeat code.
struct RepeatCase {
    const char* what;
    const char* command;
    std::vector<std::pair<char, std::uint32_t>> arrivals;
    int runs;
};

void PrintTo(const RepeatCase& c, std::ostream* os) { *os << c.what; }

std::vector<std::pair<char, std::uint32_t>> keyThenRepeats(std::uint32_t until, std::uint32_t from = 0) {
    std::vector<std::pair<char, std::uint32_t>> a{{'K', from}};
    for (std::uint32_t t = from + 110; t <= until; t += 110) a.emplace_back('R', t);
    return a;
}

class RepeatCodes : public Handsets, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(RepeatCodes, CountAsArrivalsOfTheKeyTheyFollow) {
    startWith("PLAY=10EF01\r\nVOLUME UP=10EF02\r\nFF=10EF03\r\nHELD KEY=FFFFFF\r\n");
    const std::map<std::string, std::string> keyCode{{"PLAY", "10EF01"}, {"VOLUME UP", "10EF02"}, {"FF", "10EF03"}};
    int runs = 0;
    for (const auto& [what, at] : GetParam().arrivals) {
        player.sent.clear();
        mixer.calls.clear();
        receive(what == 'K' ? keyCode.at(GetParam().command) : "FFFFFF", 10000 + at);
        runs += !player.sent.empty() || volumeSets() > 0;
    }
    EXPECT_EQ(runs, GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RepeatCodes,
    ::testing::Values(
        RepeatCase{"volume held 1 s repeats as if its code repeated", "VOLUME UP", keyThenRepeats(1000), 1 + 6},
        RepeatCase{"FF held 1.5 s seeks every second arrival after 500 ms", "FF", keyThenRepeats(1500), 1 + 5},
        RepeatCase{"Play held plays once", "PLAY", keyThenRepeats(1000), 1},
        RepeatCase{"a repeat code alone does nothing", "PLAY", {{'R', 0}, {'R', 110}, {'R', 220}}, 0},
        RepeatCase{"a repeat code after 250 ms of silence does nothing", "VOLUME UP",
                   {{'K', 0}, {'R', 300}, {'R', 410}, {'R', 520}, {'R', 630}}, 1},
        RepeatCase{"within 250 ms it continues the press", "VOLUME UP",
                   {{'K', 0}, {'R', 250}, {'R', 500}, {'R', 750}}, 1 + 2}),
    testing_support::byWhat);

TEST_F(Handsets, TheHeldKeyCodeIsLearnedAfterTheLastCommandAndRunsNothingOfItsOwn) {
    startWith("HELD KEY=FFFFFF\r\n");
    EXPECT_EQ(app::learnedNamesLoadOrder().back(), app::heldKeyName);
    EXPECT_EQ(settings->LearnedCodes.at("HELD KEY"), CodeList{"FFFFFF"});
    receive("FFFFFF", 1000);
    EXPECT_TRUE(player.sent.empty());
    EXPECT_EQ(volumeSets(), 0);
}

TEST_F(Handsets, LearnAddAndForgetChangeOneKeyEachAndTheLabelShowsTheCodes) {
    startWith("", "");
    dialog->show();
    choose("PLAY");
    EXPECT_EQ(dialog->LabelCodes->text(), "Codes: none");
    typeCode("A1B2C3");
    press("ButtonSaveIR");
    EXPECT_EQ(learnedLine("PLAY"), "PLAY=A1B2C3") << "one code, written as it always was";
    EXPECT_EQ(dialog->LabelCodes->text(), "Codes: A1B2C3");
    typeCode("A1B2CB");
    press("ButtonAddCode");
    EXPECT_EQ(dialog->MemoCod->text(), "") << "taken, as Learn takes it";
    EXPECT_EQ(learnedLine("PLAY"), "PLAY=A1B2C3,A1B2CB");
    EXPECT_EQ(dialog->LabelCodes->text(), "Codes: A1B2C3, A1B2CB");
    const std::string before = iniText();
    typeCode("a1b2c3");
    press("ButtonAddCode");
    press("ButtonAddCode");  // an empty field adds nothing
    EXPECT_EQ(iniText(), before) << "a code the command has changes nothing";
    typeCode("0001");
    press("ButtonAddCode");
    typeCode("0002");
    press("ButtonAddCode");
    EXPECT_EQ(dialog->LabelCodes->text(), "Codes: A1B2C3, A1B2CB, 0001, 0002");
    const std::string full = iniText();
    typeCode("0003");
    press("ButtonAddCode");
    ASSERT_EQ(host.messageBoxes().size(), 1u);
    EXPECT_EQ(host.messageBoxes()[0].text, "PLAY already has 4 codes");
    EXPECT_EQ(iniText(), full) << "a fifth is refused and the file unchanged";
    EXPECT_EQ(dialog->MemoCod->text(), "0003") << "the refused code stays in its field";

    choose("STOP");
    EXPECT_EQ(dialog->LabelCodes->text(), "Codes: none") << "the label follows the choice";
    choose("PLAY");
    press("ButtonForget");
    EXPECT_EQ(learnedLine("PLAY"), "<none>");
    EXPECT_EQ(dialog->LabelCodes->text(), "Codes: none");
    player.sent.clear();  // the dialog asked which player answers
    receive("A1B2C3", 5000);
    EXPECT_TRUE(player.sent.empty());
    typeCode("A1B2C3");
    press("ButtonSaveIR");
    typeCode("BBBBBB");
    press("ButtonSaveIR");
    EXPECT_EQ(learnedLine("PLAY"), "PLAY=BBBBBB") << "Learn makes the code the only one";
}

class Walk : public Handsets {
protected:
    void SetUp() override {
        startWith("", "");
        dialog->show();
        press("ButtonLearnAll");
    }
    std::string prompt() const { return dialog->LabelWalk->text(); }
    // Two presses of one key, 400 ms apart.
    void twoPresses(const std::string& first, const std::string& second) {
        show(first, t_ += 400);
        show(second, t_ += 400);
    }
    std::uint32_t t_ = 10000;
};

TEST_F(Walk, AsksForEveryKeyTwiceAndStoresAToggledPairOrOneCode) {
    EXPECT_EQ(prompt(), "Press OPEN WINAMP on the handset (1 of 25)");
    EXPECT_TRUE(button("ButtonSkip").visible());
    EXPECT_TRUE(button("ButtonStop").visible());
    show("0A0A01", t_ += 400);
    EXPECT_EQ(learnedLine("OPEN WINAMP"), "OPEN WINAMP=0A0A01") << "written at once";
    EXPECT_EQ(prompt(), "Press OPEN WINAMP again");
    show("0A0A01", t_ += 100);  // the same press, held
    show("0A0A01", t_ += 100);
    EXPECT_EQ(prompt(), "Press OPEN WINAMP again") << "a held key is not a second press";
    show("0A0A09", t_ += 400);
    EXPECT_EQ(learnedLine("OPEN WINAMP"), "OPEN WINAMP=0A0A01,0A0A09") << "a toggling key: both codes";
    EXPECT_EQ(prompt(), "Press VOLUME DOWN on the handset (2 of 25)");
    EXPECT_EQ(dialog->CBComenziIR->text(), "VOLUME DOWN") << "the list shows the command asked for";
    twoPresses("0B0B01", "0B0B01");
    EXPECT_EQ(learnedLine("VOLUME DOWN"), "VOLUME DOWN=0B0B01") << "the same code twice is kept once";
    EXPECT_EQ(prompt(), "Press VOLUME UP on the handset (3 of 25)");
    show("0A0A09", t_ += 400);
    EXPECT_EQ(prompt(), "That key is already OPEN WINAMP: press the key for VOLUME UP");
    EXPECT_EQ(learnedLine("VOLUME UP"), "<none>");
    twoPresses("0C0C01", "0B0B01");
    EXPECT_EQ(prompt(), "That key is already VOLUME DOWN: press the key for VOLUME UP");
    EXPECT_EQ(learnedLine("VOLUME UP"), "VOLUME UP=0C0C01") << "the first press stays learned";
    show("0C0C09", t_ += 400);
    EXPECT_EQ(learnedLine("VOLUME UP"), "VOLUME UP=0C0C01,0C0C09");

    for (std::size_t i = 3; i < 25; ++i) {
        const std::string code = "1" + std::to_string(100 + i) + "0";
        twoPresses(code, code);
    }
    EXPECT_EQ(prompt(), "All keys learned: tick Run learned commands to use them");
    EXPECT_FALSE(button("ButtonSkip").visible());
    EXPECT_EQ(learnedLine("CANCEL"), "CANCEL=11240");
    EXPECT_EQ(learnedLine("HELD KEY"), "<none>") << "the walk asks for the 25 commands";
    show("1234567", t_ += 400);
    EXPECT_EQ(learnedLine("CANCEL"), "CANCEL=11240") << "after the walk codes are for learning by hand";
}

TEST_F(Walk, SkipLeavesACommandAsItIsStopAndOkEndTheWalkKeepingWhatWasLearned) {
    press("ButtonSkip");
    EXPECT_EQ(prompt(), "Press VOLUME DOWN on the handset (2 of 25)");
    EXPECT_EQ(learnedLine("OPEN WINAMP"), "<none>");
    twoPresses("0B0B01", "0B0B01");
    press("ButtonStop");
    EXPECT_EQ(prompt(), "");
    EXPECT_FALSE(button("ButtonSkip").visible());
    EXPECT_FALSE(button("ButtonStop").visible());
    show("0C0C01", t_ += 400);
    EXPECT_EQ(learnedLine("VOLUME UP"), "<none>") << "stopped: nothing more is learned";
    EXPECT_EQ(learnedLine("VOLUME DOWN"), "VOLUME DOWN=0B0B01");

    press("ButtonLearnAll");
    show("0D0D01", t_ += 400);
    press("ButtonOk");
    EXPECT_FALSE(dialog->walk().walking()) << "Ok ends the walk";
    EXPECT_EQ(learnedLine("OPEN WINAMP"), "OPEN WINAMP=0D0D01");
    dialog->show();
    press("ButtonLearnAll");
    dialog->hide();
    EXPECT_FALSE(dialog->walk().walking()) << "and so does closing the dialog";
}

// A receiver that types (a Media Center receiver's digits, a Flirc's
// arrows) and the user's own keyboard look alike to the system: its keys
// are learned only once the user says, in a question that names the
// device, that it is a receiver.
TEST_F(Walk, AKeyThatTypesIsLearnedOnlyOnceTheUserSaysItsDeviceIsAReceiver) {
    host.answerYes = false;
    key("key:5@045E:006D", t_ += 400);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_NE(host.questions[0].find("045E:006D"), std::string::npos) << "the question names the device";
    EXPECT_EQ(learnedLine("OPEN WINAMP"), "<none>") << "not a receiver: not learned";
    EXPECT_EQ(prompt(), "Press OPEN WINAMP on the handset (1 of 25)") << "the walk waits for another key";
    key("key:5@045E:006D", t_ += 400);
    EXPECT_EQ(host.questions.size(), 2u) << "asked again: a no is not kept";

    host.answerYes = true;
    key("key:5@045E:006D", t_ += 400);
    EXPECT_EQ(learnedLine("OPEN WINAMP"), "OPEN WINAMP=key:5@045E:006D");
    key("key:6@045E:006D", t_ += 400);
    EXPECT_EQ(host.questions.size(), 3u) << "once said, the device's keys are learned without asking";
    EXPECT_EQ(learnedLine("OPEN WINAMP"), "OPEN WINAMP=key:5@045E:006D,key:6@045E:006D");
    key("key:MEDIA_STOP", t_ += 400);
    EXPECT_EQ(host.questions.size(), 3u) << "a key no one types needs no word";
}

TEST_F(Walk, AKeyHeardWhileTheQuestionIsOpenAsksNothingMore) {
    host.answerYes = true;
    host.whileMessageBox = [&] {
        host.whileMessageBox = nullptr;
        key("key:6@046D:C31C", t_ += 400);
    };
    key("key:5@045E:006D", t_ += 400);
    EXPECT_EQ(host.questions.size(), 1u) << "one question at a time";
    EXPECT_EQ(learnedLine("OPEN WINAMP"), "<none>") << "the key heard last waits for its own word";
}

TEST_F(Walk, EscEndsTheWalkAndIsNeverLearnedWhereverItComesFrom) {
    for (const std::string esc : {"key:ESCAPE@046D:C31C", "key:ESCAPE@045E:006D"}) {
        SCOPED_TRACE(esc);
        if (!dialog->walk().walking()) press("ButtonLearnAll");
        show("0A0A01", t_ += 400);
        key(esc, t_ += 400);
        EXPECT_FALSE(dialog->walk().walking());
        EXPECT_TRUE(host.questions.empty()) << "nothing to ask: it is learned for nothing";
        EXPECT_EQ(learnedLine("OPEN WINAMP"), "OPEN WINAMP=0A0A01") << "what was learned stays";
    }
    // The dialog's own Esc ends the walk and leaves the dialog open; with
    // no walk, Esc leaves the dialog.
    press("ButtonLearnAll");
    bool modalEnded = false;
    host.onModal = [&](fw::Form&) {
        dialog->cancelAsked();
        EXPECT_FALSE(dialog->walk().walking());
        EXPECT_EQ(dialog->modalResult(), fw::mrNone) << "still open";
        dialog->cancelAsked();
        modalEnded = dialog->modalResult() == fw::mrCancel;
    };
    dialog->hide();
    press("ButtonLearnAll");
    dialog->showModal();
    EXPECT_TRUE(modalEnded);
}

TEST_F(Handsets, LearnAndAddAskAboutADeviceThatTypesAndTakeNothingOnANo) {
    startWith("", "");
    dialog->show();
    choose("TASTE 5");
    host.answerYes = false;
    typeCode("key:5@046D:C31C");
    press("ButtonSaveIR");
    press("ButtonAddCode");
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(learnedLine("TASTE 5"), "<none>");
    EXPECT_EQ(dialog->MemoCod->text(), "key:5@046D:C31C") << "the code stays in its field";
    EXPECT_THROW(remote->learnCode("TASTE 5", "key:5@046D:C31C"), std::runtime_error)
        << "the remote itself refuses it unasked";
    host.answerYes = true;
    press("ButtonSaveIR");
    EXPECT_EQ(learnedLine("TASTE 5"), "TASTE 5=key:5@046D:C31C");
}

}  // namespace
