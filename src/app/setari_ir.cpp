#include "app/setari_ir.h"

#include "app/handset_commands.h"
#include "app/setari_ir_design.h"

#include "framework/application.h"
#include "framework/convert.h"

namespace app {

namespace {

constexpr char playerNotFound[] = "not found";

std::string trimmed(const std::string& text) { return std::string(fw::trimBlanks(text)); }

}  // namespace

std::vector<std::string> volumeKeyChoices() {
    return {"the system's volume where it can be set", "the player's volume"};
}

TFormaSetari::TFormaSetari(fw::Component* owner, Services& services)
    : fw::Form(owner, "FormaSetari"), services_(services) {
    setCaption("Setup IR device");
    setHint("Setup IR");
    setBorderStyle(fw::BorderStyle::dialog);
    setClientSize({460, 514});
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    fw::applyDesign<TFormaSetari>(*this, setariIrDesign());
    // While the dialog is shown, new presses land in the code field.
    shownCodes_ = services_.codes.onLearn([this](const ir::CodeEvent& e) { codeShown(e.code, e.receivedAt); });
}

void TFormaSetari::codeShown(const std::string& text, std::uint32_t at) {
    MemoCod->setText("");
    MemoCod->setText(text);
    if (walk_.walking()) {
        walk_.received(text, at);
        showWalk();
    }
    // After the walk took it: what the code is learned for now.
    showLearnedFor(text);
}

TFormaSetari::~TFormaSetari() {
    services_.codes.setLearning(false);
}

void TFormaSetari::visibilityChanged() {
    services_.codes.setLearning(visible());
    if (visible()) {
        CheckBoxExecutare->setChecked(services_.store.settings().RunCommands);
        CheckBoxOsd->setChecked(services_.store.settings().Osd);
        CheckBoxKeys->setChecked(services_.store.settings().KeysEnabled);
        CheckBoxOthers->setChecked(services_.store.settings().OthersByMediaKeys);
        CBVolume->setItemIndex(static_cast<int>(services_.store.settings().Volume));
        startsWithWindows_ = services_.remote.startsWithWindows();
        CheckBoxStartWithWindows->setChecked(startsWithWindows_);
        // The player the ON key would start now.
        shownPlayer_ = services_.remote.findPlayer().value_or(playerNotFound);
        playerChosen_ = false;
        EditWinamp->setText(shownPlayer_);
        LabelAnswering->setText(services_.remote.answeringPlayer());
        EditLirc->setText(services_.store.settings().LircAddressText);
        showCodes();
    } else {
        // Closing the dialog ends a walk; what it learned stays.
        walk_.stop();
        showWalk();
        // Left without Ok: what was changed and not saved is not kept for
        // the next time either.
        if (modalResult() != fw::mrOk) showSettings();
    }
}

void TFormaSetari::showCodes() {
    const auto& learned = services_.store.settings().LearnedCodes;
    const auto codes = learned.find(CBComenziIR->text());
    std::string text;
    if (codes != learned.end())
        for (const std::string& code : codes->second) text += (text.empty() ? "" : ", ") + code;
    LabelCodes->setText("Codes: " + (text.empty() ? std::string("none") : text));
}

void TFormaSetari::showWalk() {
    LabelWalk->setText(walk_.prompt());
    ButtonSkip->setVisible(walk_.walking());
    ButtonStop->setVisible(walk_.walking());
    if (walk_.walking()) CBComenziIR->setText(walk_.command());
    showCodes();
}

void TFormaSetari::showLearnedFor(const std::string& code) {
    std::string text;
    for (const std::string& name : commandsLearnedFor(services_.store.settings(), code))
        text += (text.empty() ? "Learned for: " : ", ") + name;
    LabelLearned->setText(text);
}

void TFormaSetari::FormCreate(fw::Component&) {
    showSettings();
}

void TFormaSetari::showSettings() {
    const Settings& s = services_.store.settings();
    SEPort->setValue(s.PortNumber);  // held to 1..4
    CheckBoxActivare->setChecked(s.IrEnabled);
    CheckBoxMinimizat->setChecked(s.TrayMode);
}

void TFormaSetari::TimerInitTexteTimer(fw::Component&) {
    // Mirrors the chosen command. The port field is not copied into the
    // settings here: it reaches them with "Ok", as the other fields do, so
    // the settings always say what the file says.
    EditComIr->setText(CBComenziIR->text());
    showCodes();
}

void TFormaSetari::SaveCodIr(const std::string& name, const std::string& code) {
    services_.store.SaveCodIr(name, code);
}

void TFormaSetari::ButtonSaveIRClick(fw::Component&) {
    const std::string name = CBComenziIR->text();
    const std::string code = MemoCod->text();
    // A failed write stops here: the code stays in its field.
    SaveCodIr(name, code);
    codeTaken();
    showLearnedFor(code);
    showCodes();
}

void TFormaSetari::codeTaken() {
    MemoCod->setText("");
    services_.codes.startAfresh();
}

void TFormaSetari::ButtonAddCodeClick(fw::Component&) {
    const std::string code = MemoCod->text();
    // A refused code stops here, with its reason, and stays in its field.
    services_.store.AddCodIr(CBComenziIR->text(), code);
    codeTaken();
    showLearnedFor(code);
    showCodes();
}

void TFormaSetari::ButtonForgetClick(fw::Component&) {
    services_.store.ForgetCodIr(CBComenziIR->text());
    showLearnedFor(MemoCod->text());
    showCodes();
}

void TFormaSetari::ButtonLearnAllClick(fw::Component&) {
    walk_.start();
    showWalk();
}

void TFormaSetari::ButtonSkipClick(fw::Component&) {
    walk_.skip();
    showWalk();
}

void TFormaSetari::ButtonStopClick(fw::Component&) {
    walk_.stop();
    showWalk();
}

DialogSettings TFormaSetari::ReadDialogSettings() const {
    const auto volume = CBVolume->itemIndex() == static_cast<int>(control::VolumePreference::player)
                            ? control::VolumePreference::player
                            : control::VolumePreference::automatic;
    // Written only when chosen or typed; emptied, the setting goes.
    std::optional<std::string> player;
    const std::string path = EditWinamp->text();
    if (playerChosen_ || path != shownPlayer_) player = path == playerNotFound ? std::string() : trimmed(path);
    DialogSettings values{SEPort->value(),  CheckBoxActivare->checked(), CheckBoxMinimizat->checked(),
                          CheckBoxExecutare->checked(), CheckBoxOsd->checked(), volume, player};
    values.KeysEnabled = CheckBoxKeys->checked();
    values.OthersByMediaKeys = CheckBoxOthers->checked();
    return values;
}

void TFormaSetari::ButtonBrowseClick(fw::Component&) {
    const std::string current = EditWinamp->text();
    const auto chosen = fw::Application::of(this).chooseFile(
        "Choose winamp.exe", {{"Winamp (winamp.exe)", "winamp.exe"}, {"Programs (*.exe)", "*.exe"}},
        current == playerNotFound ? std::string() : current, handle());
    if (!chosen) return;
    EditWinamp->setText(*chosen);
    playerChosen_ = true;
}

void TFormaSetari::ButtonOkClick(fw::Component&) {
    walk_.stop();
    // The modal display ends when this handler returns.
    setModalResult(fw::mrOk);
    DialogSettings values = ReadDialogSettings();
    values.LircAddress = EditLirc->text();
    // Only a change of the box touches the log-on list, so another copy's
    // value survives an Ok that changed something else. A failure raises
    // one error naming every store that was not written.
    const bool wanted = CheckBoxStartWithWindows->checked();
    services_.remote.save(values, wanted != startsWithWindows_ ? std::optional(wanted) : std::nullopt);
}

}  // namespace app
