#include "app/setari_ir.h"

#include "app/handset_commands.h"
#include "app/setari_ir_design.h"
#include "app/web_link.h"

#include "framework/application.h"
#include "framework/convert.h"
#include "framework/raised.h"

namespace app {

namespace {

constexpr char playerNotFound[] = "not found";

std::string trimmed(const std::string& text) { return std::string(fw::trimBlanks(text)); }

}  // namespace

std::vector<std::string> volumeKeyChoices() {
    return {"the system's volume where it can be set", "the player's volume"};
}

TFormaSetari::TFormaSetari(fw::Component* owner, Remote& remote) : fw::Form(owner, "FormaSetari"), remote_(remote) {
    setCaption("Setup IR device");
    setHint("Setup IR");
    setBorderStyle(fw::BorderStyle::dialog);
    setClientSize({640, 318});
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    fw::applyDesign<TFormaSetari>(*this, setariIrDesign());
    // While the dialog is shown, new presses land in the code field.
    heard_ = remote_.onCodeHeard([this](const CodeHeard& heard) { codeShown(heard); });
    sources_ = remote_.onSourceStatus([this](const SourceLink&) { showSources(); });
    paired_ = remote_.Web->onPaired([this](const web::Phone&) { showPhones(); });
}

TFormaSetari::~TFormaSetari() = default;

void TFormaSetari::codeShown(const CodeHeard& heard) {
    MemoCod->setText("");
    MemoCod->setText(heard.code);
    // The walk waits for the user's word on a device that types.
    if (heard.deviceToConfirm && remote_.walk().walking()) mayLearn(heard.code);
    showWalk();
    // After the walk took it: what the code is learned for now.
    showLearnedFor(heard.code);
}

bool TFormaSetari::mayLearn(const std::string& code) {
    const auto device = remote_.deviceToConfirm(code);
    if (!device) return true;
    // The question serves messages: a key heard meanwhile asks nothing more.
    if (asking_) return false;
    const fw::Raised asking(asking_);
    const bool receiver = application().askYesNo(
        "The key came from the device " + *device +
            ", which also sends keys that type or move.\n\nIs it a handset's receiver? Its keys you learn will "
            "then act in every program, and never as typing.",
        "Learn a key of " + *device, handle());
    remote_.confirmReceiver(*device, receiver);
    return receiver;
}

void TFormaSetari::cancelAsked() {
    if (!remote_.walk().walking()) {
        fw::Form::cancelAsked();
        return;
    }
    remote_.stopWalk();
    showWalk();
}

void TFormaSetari::visibilityChanged() {
    if (visible()) {
        // Opened on the first page, as a dialog of tabs opens, so Ctrl+Tab
        // counts the same way every time.
        TabsSetup->setPageIndex(0);
        remote_.beginSetup();
        const Settings& s = remote_.settings();
        CheckBoxExecutare->setChecked(s.RunCommands);
        CheckBoxOsd->setChecked(s.Osd);
        CheckBoxKeys->setChecked(s.KeysEnabled);
        CheckBoxOthers->setChecked(s.OthersByMediaKeys);
        CBVolume->setItemIndex(static_cast<int>(s.Volume));
        startsWithWindows_ = remote_.startsWithWindows();
        CheckBoxStartWithWindows->setChecked(startsWithWindows_);
        // The player the ON key would start now.
        shownPlayer_ = remote_.findPlayer().value_or(playerNotFound);
        playerChosen_ = false;
        EditWinamp->setText(shownPlayer_);
        LabelAnswering->setText(remote_.answeringPlayer());
        EditLirc->setText(s.LircAddressText);
        CheckBoxWeb->setChecked(s.WebEnabled);
        SEWebPort->setValue(s.WebPort);
        CBWebAddress->setItems(remote_.Web->addresses());
        CBWebAddress->setText(s.WebAddress);
        showCodes();
        showSources();
        showPhones();
        return;
    }
    // Left without Ok: what was changed and not saved is not kept for the
    // next time either.
    if (modalResult() != fw::mrOk) showSettings();
    // Closing the dialog ends a walk (what it learned stays), and the
    // remote takes the settings afresh.
    remote_.endSetup();
    showWalk();
}

void TFormaSetari::showSources() {
    LabelReceiverStatus->setText(remote_.Receiver->statusText());
    LabelLircStatus->setText(remote_.Lirc->statusText());
    LabelKeysStatus->setText(remote_.Keys->statusText());
    showWeb();
}

void TFormaSetari::showWeb() {
    const WebLink& web = *remote_.Web;
    LabelWebStatus->setText(web.statusText());
    const auto address = web.address();
    const SourceStatus& status = web.status();
    LabelWebUrl->setText(address                              ? *address
                         : status.state == SourceState::failed ? status.reason
                                                               : std::string());
    ButtonPair->setEnabled(address.has_value());
}

void TFormaSetari::showPhones() {
    const auto& phones = remote_.settings().Phones;
    std::vector<std::string> items;
    for (const web::Phone& phone : phones) items.push_back(phone.name + " (" + phone.date + ")");
    ListPhones->setItems(items);
    if (ListPhones->itemIndex() < 0) ListPhones->setText("");
    LabelPhones->setText("Paired phones: " + std::to_string(phones.size()));
    ButtonForgetPhones->setEnabled(!phones.empty());
    ButtonForgetPhone->setEnabled(!phones.empty());
}

void TFormaSetari::showCodes() {
    const auto& learned = remote_.settings().LearnedCodes;
    const auto codes = learned.find(CBComenziIR->text());
    std::string text;
    if (codes != learned.end())
        for (const std::string& code : codes->second) text += (text.empty() ? "" : ", ") + code;
    LabelCodes->setText("Codes: " + (text.empty() ? std::string("none") : text));
}

void TFormaSetari::showWalk() {
    const LearningWalk& walk = remote_.walk();
    LabelWalk->setText(walk.prompt());
    ButtonSkip->setVisible(walk.walking());
    ButtonStop->setVisible(walk.walking());
    if (walk.walking()) CBComenziIR->setText(walk.command());
    showCodes();
}

void TFormaSetari::showLearnedFor(const std::string& code) {
    std::string text;
    for (const std::string& name : commandsLearnedFor(remote_.settings(), code))
        text += (text.empty() ? "Learned for: " : ", ") + name;
    LabelLearned->setText(text);
}

void TFormaSetari::FormCreate(fw::Component&) {
    TabsSetup->setPages(setariIrPages(*this));
    showSettings();
}

void TFormaSetari::ButtonPairClick(fw::Component&) {
    if (!pairWindow_) pairWindow_ = &application().createForm<TFormaPair>(*remote_.Web);
    pairWindow_->pair();
    showWeb();
    showPhones();
}

void TFormaSetari::ButtonForgetPhonesClick(fw::Component&) {
    remote_.Web->forgetPhones();
    showPhones();
}

void TFormaSetari::ButtonForgetPhoneClick(fw::Component&) {
    const int chosen = ListPhones->itemIndex();
    const auto& phones = remote_.settings().Phones;
    if (chosen < 0 || chosen >= static_cast<int>(phones.size())) return;
    remote_.Web->forgetPhone(phones[static_cast<std::size_t>(chosen)].hash);
    showPhones();
}

void TFormaSetari::showSettings() {
    const Settings& s = remote_.settings();
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
    remote_.learnCode(name, code);
}

void TFormaSetari::ButtonSaveIRClick(fw::Component&) {
    const std::string name = CBComenziIR->text();
    const std::string code = MemoCod->text();
    if (!mayLearn(code)) return;
    // A failed write stops here: the code stays in its field.
    SaveCodIr(name, code);
    codeTaken();
    showLearnedFor(code);
    showCodes();
}

void TFormaSetari::codeTaken() {
    MemoCod->setText("");
    remote_.startAfresh();
}

void TFormaSetari::ButtonAddCodeClick(fw::Component&) {
    const std::string code = MemoCod->text();
    if (!mayLearn(code)) return;
    // A refused code stops here, with its reason, and stays in its field.
    remote_.addCode(CBComenziIR->text(), code);
    codeTaken();
    showLearnedFor(code);
    showCodes();
}

void TFormaSetari::ButtonForgetClick(fw::Component&) {
    remote_.forgetCodes(CBComenziIR->text());
    showLearnedFor(MemoCod->text());
    showCodes();
}

void TFormaSetari::ButtonLearnAllClick(fw::Component&) {
    remote_.startWalk();
    showWalk();
}

void TFormaSetari::ButtonSkipClick(fw::Component&) {
    remote_.skipWalk();
    showWalk();
}

void TFormaSetari::ButtonStopClick(fw::Component&) {
    remote_.stopWalk();
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
    values.WebEnabled = CheckBoxWeb->checked();
    values.WebPort = SEWebPort->value();
    values.WebAddress = trimmed(CBWebAddress->text());
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
    remote_.stopWalk();
    // The modal display ends when this handler returns.
    setModalResult(fw::mrOk);
    DialogSettings values = ReadDialogSettings();
    values.LircAddress = EditLirc->text();
    // Only a change of the box touches the log-on list, so another copy's
    // value survives an Ok that changed something else. A failure raises
    // one error naming every store that was not written.
    const bool wanted = CheckBoxStartWithWindows->checked();
    remote_.save(values, wanted != startsWithWindows_ ? std::optional(wanted) : std::nullopt);
}

}  // namespace app
