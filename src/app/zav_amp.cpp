#include "app/zav_amp.h"

#include "app/setari_ir.h"
#include "app/zav_amp_design.h"
#include "framework/application.h"
#include "framework/raised.h"

namespace app {

TZAV_Amp::TZAV_Amp(fw::Component* owner, Services& services)
    : fw::Form(owner, "ZAV_Amp"), services_(services) {
    setCaption("ZAV Amp - 01");
    setHint("ZAV Amp - 01");
    setBorderStyle(fw::BorderStyle::none);
    setClientSize({168, 311});
    // Centred before the creation handler may show it.
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    Remote& r = remote();
    // The handset's commands show on the key that asks for them.
    listening_.push_back(r.onCommand([this](const Command& command, CommandSource source) {
        if (source == CommandSource::handset) showPressed(*(this->*command.key));
    }));
    // Digits entered or cancelled leave the read-out blank until the next
    // refresh; typed ones show at the next refresh.
    listening_.push_back(r.onTrackDigits([this](const std::string& digits) {
        if (digits.empty()) LCDTrack->setValue("");
    }));
    // The mute indicator and the IR badge follow the remote as soon as it
    // tells, shown or hidden.
    listening_.push_back(r.onMuteChanged([this](bool muted) { IMute->setVisible(!muted); }));
    listening_.push_back(r.onBadge([this](bool lit) { IIR->setVisible(!lit); }));
    listening_.push_back(
        r.onStartFailed([this](const PlayerStart& start, CommandSource source) { startFailed(start, source); }));
    // However the program ends, the icon leaves the notification area
    // before the process goes.
    listening_.push_back(application().onEnding([this] { TrayComp->setShowIcon(false); }));
    // Last: the design's parts are made, then the creation handler runs,
    // which puts the settings to work while the window already listens.
    fw::applyDesign<TZAV_Amp>(*this, zavAmpDesign());
}

TZAV_Amp::~TZAV_Amp() = default;

void TZAV_Amp::CommandKeyClick(fw::Component& sender) {
    if (const Command* command = commandOfKey(*this, dynamic_cast<widgets::TCoolButton&>(sender)))
        remote().runCommand(*command, CommandSource::key);
}

widgets::TCoolButton* TZAV_Amp::keyFor(const std::string& command) const {
    const Command* c = commandNamed(command);
    return c ? this->*(c->key) : nullptr;
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
    // The remote starts with no digits typed.
    remote().LoadSettings();
    if (remote().settings().TrayMode)
        Ascunde();
    else
        Arata();
    remote().apply();
}

void TZAV_Amp::Ascunde() {
    TrayComp->setShowInTaskBar(true);
    TrayComp->setShowForm(false);
    TrayComp->setShowIcon(true);
    TrayComp->setHideApp(true);
    // Nobody sees the read-outs in the notification area: the refresh
    // rests until the window is back.
    TimerRefresh->setEnabled(false);
}

void TZAV_Amp::Arata() {
    TrayComp->setShowInTaskBar(false);
    TrayComp->setShowForm(true);
    TrayComp->setShowIcon(false);
    TrayComp->setHideApp(false);
    if (!TimerRefresh->enabled()) {
        TimerRefresh->setEnabled(true);
        TimerRefreshTimer(*TimerRefresh);
    }
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
    if ((source == CommandSource::handset && !visible()) || startBoxOpen_) return;
    const std::string text = start.outcome == PlayerStart::Outcome::notFound
                                 ? std::string(Remote::playerNotFound)
                                 : "Winamp did not start: " + start.file + "\n" + start.error;
    const fw::Raised open(startBoxOpen_);
    application().messageBox(text, "ZAV Amp", fw::MessageIcon::warning, handle());
}

void TZAV_Amp::CBSetIRClick(fw::Component&) {
    if (inSetupCycle_ || remote().applying() || !setupDialog_) return;
    const fw::Raised running(inSetupCycle_);
    Ascunde();
    setupDialog_->showModal();
    // Ended while the dialog was open: nothing is opened again.
    if (application().terminated()) return;
    // Left by Ok or not, learned codes were written at once: the receiver
    // and every setting are taken afresh from the file.
    remote().reload();
    application().processMessages();
    Arata();
}

void TZAV_Amp::TimerRefreshTimer(fw::Component&) {
    const PlayerLook look = remote().lookAtPlayer();
    // What the player leaves unanswered stays as shown: its silence is not
    // a state to show.
    if (look.running) {
        IWOn->setVisible(!*look.running);
        if (look.track) LCDTrack->setValue(*look.track);
    }
    // Kept by the volume's own notifications: nothing to ask here.
    IMute->setVisible(!remote().muted());
    if (look.state) {
        using Play = control::TWinampControl::PlayState;
        const Play play = look.state->play;
        IPlay->setVisible(play != Play::playing);
        IPause->setVisible(play != Play::paused);
        IStop->setVisible(play != Play::stopped);
        IRepeat->setVisible(!look.state->repeat);
        INonRepeat->setVisible(look.state->repeat);
        IAleator->setVisible(!look.state->shuffle);
        INonAleator->setVisible(look.state->shuffle);
        LCDTime->setValue(look.state->time);
    }
    // Typed digits are the user's, not the player's: they show regardless.
    if (!remote().TrackDigits().empty()) LCDTrack->setValue(remote().TrackDigits());
}

}  // namespace app
