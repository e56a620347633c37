#include "app/zav_amp.h"

#include "app/setari_ir.h"
#include "app/zav_amp_design.h"
#include "framework/application.h"
#include "framework/raised.h"

namespace app {

TZAV_Amp::TZAV_Amp(fw::Component* owner, Remote& remote, const Platform& platform)
    : fw::Form(owner, "ZAV_Amp"), remote_(remote), platform_(platform) {
    setCaption("ZAV Amp - 01");
    setHint("ZAV Amp - 01");
    setBorderStyle(fw::BorderStyle::none);
    setClientSize({168, 311});
    // Centred before the creation handler may show it.
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    // The handset's commands show on the key that asks for them.
    listening_.push_back(remote_.onCommand([this](const Command& command, CommandSource source, const CommandOutcome&) {
        if (!fromHandset(source)) return;
        if (widgets::TCoolButton* key = keyFor(command)) showPressed(*key);
    }));
    // The patches and read-outs follow the state as soon as it changes,
    // shown or hidden.
    listening_.push_back(
        remote_.onState([this](const RemoteState& state, const StateChange& change) { showState(state, change); }));
    listening_.push_back(
        remote_.onStartFailed([this](const PlayerStart& start, CommandSource source) { startFailed(start, source); }));
    // However the program ends, the icon leaves the notification area
    // before the process goes.
    listening_.push_back(application().onEnding([this] { TrayComp->setShowIcon(false); }));
    // Last: the design's parts are made, then the creation handler runs,
    // which shows the window or its icon as the settings say.
    fw::applyDesign<TZAV_Amp>(*this, zavAmpDesign());
}

TZAV_Amp::~TZAV_Amp() = default;

void TZAV_Amp::CommandKeyClick(fw::Component& sender) {
    if (const Command* command = commandOf(dynamic_cast<widgets::TCoolButton&>(sender)))
        remote_.runCommand(*command, CommandSource::key);
}

widgets::TCoolButton* TZAV_Amp::keyFor(const Command& command) const {
    for (const CommandKey& k : commandKeys())
        if (commandNamed(k.command) == &command) return this->*(k.key);
    return nullptr;
}

const Command* TZAV_Amp::commandOf(const widgets::TCoolButton& key) const {
    for (const CommandKey& k : commandKeys())
        if (this->*(k.key) == &key) return commandNamed(k.command);
    return nullptr;
}

void TZAV_Amp::showPressed(widgets::TCoolButton& key) {
    if (!visible()) return;
    if (pressedKey_) pressedKey_->setPressedLook(false);
    pressedKey_ = &key;
    key.setPressedLook(true);
    // Counted afresh from this press.
    TimerKeyLook->setEnabled(false);
    TimerKeyLook->setEnabled(true);
}

void TZAV_Amp::TimerKeyLookTimer(fw::Component&) {
    TimerKeyLook->setEnabled(false);
    if (pressedKey_) pressedKey_->setPressedLook(false);
    pressedKey_ = nullptr;
}

void TZAV_Amp::FormCreate(fw::Component&) {
    showState(remote_.state(), StateChange{~0u, false});
    if (remote_.settings().TrayMode)
        Ascunde();
    else
        Arata();
}

void TZAV_Amp::Ascunde() {
    TrayComp->setShowInTaskBar(true);
    TrayComp->setShowForm(false);
    TrayComp->setShowIcon(true);
    TrayComp->setHideApp(true);
    // Nobody sees the read-outs in the notification area: the player is
    // not looked at for them until the window is back.
    watch_.reset();
}

void TZAV_Amp::Arata() {
    TrayComp->setShowInTaskBar(false);
    TrayComp->setShowForm(true);
    TrayComp->setShowIcon(false);
    TrayComp->setHideApp(false);
    if (!watch_.active()) watch_ = remote_.watch({lookEveryMs, StateWatch::Parts::everything});
}

void TZAV_Amp::CBCloseClick(fw::Component&) {
    hide();
    application().end();
}

void TZAV_Amp::CBTrayBarClick(fw::Component&) {
    Ascunde();
}
void TZAV_Amp::CoolButton1Click(fw::Component&) {
    Ascunde();
}
void TZAV_Amp::CoolButtonShowClick(fw::Component&) {
    Arata();
}

void TZAV_Amp::startFailed(const PlayerStart& start, CommandSource source) {
    // Nothing is started. The handset's key while the remote is hidden is
    // answered on screen, where the user looks, not by a box.
    if ((fromHandset(source) && !visible()) || !opensBoxes(source) || startBoxOpen_) return;
    const std::string text = start.outcome == PlayerStart::Outcome::notFound
                                 ? std::string(Remote::playerNotFound)
                                 : "Winamp did not start: " + start.file + "\n" + start.error;
    const fw::Raised open(startBoxOpen_);
    application().messageBox(text, "ZAV Amp", fw::MessageIcon::warning, handle());
}

void TZAV_Amp::CBSetIRClick(fw::Component&) {
    if (inSetupCycle_ || remote_.applying() || !setupDialog_) return;
    const fw::Raised running(inSetupCycle_);
    Ascunde();
    setupDialog_->showModal();
    // Ended while the dialog was open: nothing is opened again.
    if (application().terminated()) return;
    application().processMessages();
    Arata();
}

void TZAV_Amp::showState(const RemoteState& state, const StateChange& change) {
    IWOn->setVisible(!state.player);
    IMute->setVisible(!state.muted);
    IIR->setVisible(!state.badge);
    IPlay->setVisible(state.play != PlayState::playing);
    IPause->setVisible(state.play != PlayState::paused);
    IStop->setVisible(state.play != PlayState::stopped);
    IRepeat->setVisible(!state.repeat);
    INonRepeat->setVisible(state.repeat);
    IAleator->setVisible(!state.shuffle);
    INonAleator->setVisible(state.shuffle);
    LCDTime->setValue(timeReadout(state));
    // Typed digits are the user's, not the player's: they show regardless.
    // Entered or cancelled with no player, they leave it blank; otherwise,
    // with no player, the track read-out keeps what it showed.
    if (!state.digits.empty())
        LCDTrack->setValue(state.digits);
    else if (const auto track = trackReadout(state))
        LCDTrack->setValue(*track);
    else if (change.has(digitsPart))
        LCDTrack->setValue("");
}

}  // namespace app
