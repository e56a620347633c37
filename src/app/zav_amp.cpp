#include "app/zav_amp.h"

#include <algorithm>

#include "app/player_path.h"
#include "app/setari_ir.h"
#include "app/zav_amp_design.h"
#include "framework/application.h"
#include "framework/convert.h"

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
    fw::applyDesign<TZAV_Amp>(*this, zavAmpDesign());
    // The handset's commands show on the key that asks for them.
    pressedLook_ = onCommand([this](const Command& command, CommandSource source) {
        if (source == CommandSource::handset) showPressed(*(this->*command.key));
    });
    // Codes the setup dialog does not learn may carry out commands.
    passedCodes_ = services_.codes.onCarryOut(
        [this](const ir::CodeEvent& e) { handset_.received(e.code, e.receivedAt, e.arrival); });
    // The mute indicator follows the sound as soon as it is heard of,
    // shown or hidden.
    muteShown_ = MasterVolume->onChanged([this] { IMute->setVisible(!MasterVolume->muted()); });
    // However the program ends, the receiver is released and the icon
    // leaves the notification area before the process goes.
    ending_ = application().onEnding([this] {
        Dezactivare();
        TrayComp->setShowIcon(false);
    });
}

TZAV_Amp::~TZAV_Amp() = default;

void TZAV_Amp::runCommand(const Command& command, CommandSource source) {
    source_ = source;
    command.run(*this);
    commandListeners_(command, source);
}

void TZAV_Amp::CommandKeyClick(fw::Component& sender) {
    if (const Command* command = commandOfKey(*this, dynamic_cast<widgets::TCoolButton&>(sender)))
        runCommand(*command, CommandSource::key);
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

void TZAV_Amp::loaded() {
    fw::Form::loaded();
    // The badge hears the sources before the creation handler turns them on.
    for (SourceLink* source : services_.sources)
        sourceLit_.push_back(source->onLit([this](bool) {
            IIR->setVisible(std::none_of(services_.sources.begin(), services_.sources.end(),
                                         [](const SourceLink* s) { return s->isLit(); }));
        }));
}

void TZAV_Amp::FormCreate(fw::Component&) {
    TrackDigits.clear();
    services_.store.LoadSettings();
    MasterVolume->choose(services_.store.settings().Volume);
    if (services_.store.settings().TrayMode)
        Ascunde();
    else
        Arata();
    Activare();
}

void TZAV_Amp::Activare() {
    // Each source reads its own settings: "Enable/Disable IR" is the
    // serial receiver's, the server is on whenever its address is set.
    for (SourceLink* source : services_.sources) source->activate(services_.store.settings());
}

void TZAV_Amp::Dezactivare() {
    for (SourceLink* source : services_.sources) source->deactivate();
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

void TZAV_Amp::CBStopClick() {
    WinampControl->Stop();
}
void TZAV_Amp::CBPauseClick() {
    WinampControl->Pause();
}
void TZAV_Amp::CBPlayClick() {
    WinampControl->Play();
}
void TZAV_Amp::CBPrewClick() {
    WinampControl->PreviousTrack();
}
void TZAV_Amp::CBNextClick() {
    WinampControl->NextTrack();
}
void TZAV_Amp::CBRewClick() {
    WinampControl->Rewind();
}
void TZAV_Amp::CBFFClick() {
    WinampControl->FastForward();
}
void TZAV_Amp::CBShufleClick() {
    WinampControl->ToggleShuffle();
}
void TZAV_Amp::CBRepeatClick() {
    WinampControl->ToggleRepeat();
}

void TZAV_Amp::CBVolUpClick() {
    lastVolumeResult_ = MasterVolume->step(+1);
}
void TZAV_Amp::CBVolDownClick() {
    lastVolumeResult_ = MasterVolume->step(-1);
}

void TZAV_Amp::CBTelefonClick() {
    lastVolumeResult_ = MasterVolume->toggleMute();
}

void TZAV_Amp::CBStartClick() {
    closedPlayer_ = WinampControl->IsRunning();
    playerMissing_ = false;
    if (closedPlayer_) {
        WinampControl->ClosePlayer();
        return;
    }
    const auto path = findPlayer(services_.store.settings().PlayerPath, services_.launcher);
    if (!path) {
        // Nothing is started. The handset's key while the remote is hidden
        // is answered on screen, where the user looks, not by a box.
        playerMissing_ = true;
        if ((source_ == CommandSource::handset && !visible()) || notFoundOpen_) return;
        notFoundOpen_ = true;
        try {
            application().messageBox(playerNotFound, "ZAV Amp", fw::MessageIcon::warning, handle());
        } catch (...) {
            notFoundOpen_ = false;
            throw;
        }
        notFoundOpen_ = false;
        return;
    }
    ActivApp->setExePath(*path);
    ActivApp->ActivateApp();
}

void TZAV_Amp::CBSetIRClick(fw::Component&) {
    Ascunde();
    if (setupDialog_) setupDialog_->showModal();
    // Ended while the dialog was open: nothing is opened again.
    if (application().terminated()) return;
    Dezactivare();
    services_.store.LoadSettings();
    MasterVolume->choose(services_.store.settings().Volume);
    Activare();
    application().processMessages();
    Arata();
}

void TZAV_Amp::CBDigitClick(int digit) {
    TrackDigits.push_back(static_cast<char>('0' + digit));
}

void TZAV_Amp::CBNrTrClick() {
    if (!TrackDigits.empty()) {
        // Too many digits for a 32-bit number: the error is shown and the
        // digits stay typed.
        const std::int32_t n = fw::strToInt(TrackDigits);
        WinampControl->SetTrackNumber(n);
    }
    TrackDigits.clear();
    LCDTrack->setValue("");
    WinampControl->Play();
}

void TZAV_Amp::CBAnulareClick() {
    TrackDigits.clear();
    LCDTrack->setValue("");
}

void TZAV_Amp::TimerRefreshTimer(fw::Component&) {
    control::TWinampControl& player = *WinampControl;
    // One look-up of the player's window serves the whole refresh. A player
    // that leaves a question unanswered is asked nothing more this tick, and
    // what it showed last stays shown: its silence is not a state to show.
    const control::TWinampControl::Session session(player);
    const bool running = player.IsRunning();
    std::string track;
    if (running) player.GetTrackText(track);
    if (session.answered()) {
        IWOn->setVisible(!running);
        if (running) LCDTrack->setValue(track);
    }
    // Kept by the volume's own notifications: nothing to ask here.
    IMute->setVisible(!MasterVolume->muted());
    // Each thing once: one status request tells playing, paused and
    // stopped apart. Once the player is silent these ask nothing.
    const auto status = player.Status();
    const bool playing = status == control::TWinampControl::PlayState::playing;
    const bool paused = status == control::TWinampControl::PlayState::paused;
    const bool stopped = !playing && !paused;
    const bool repeat = player.IsRepeatOn();
    const bool shuffle = player.IsShuffleOn();
    std::string time;
    player.GetTimeText(time);
    if (session.answered()) {
        if (playing) {
            IPlay->setVisible(false);
            IPause->setVisible(true);
            IStop->setVisible(true);
        }
        if (paused) {
            IPlay->setVisible(true);
            IPause->setVisible(false);
            IStop->setVisible(true);
        }
        if (stopped) {
            IPlay->setVisible(true);
            IPause->setVisible(true);
            IStop->setVisible(false);
        }
        IRepeat->setVisible(!repeat);
        INonRepeat->setVisible(repeat);
        IAleator->setVisible(!shuffle);
        INonAleator->setVisible(shuffle);
        LCDTime->setValue(time);
    }
    // Typed digits are the user's, not the player's: they show regardless.
    if (!TrackDigits.empty()) LCDTrack->setValue(TrackDigits);
}

}  // namespace app
