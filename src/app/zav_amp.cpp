#include "app/zav_amp.h"

#include <algorithm>

#include "app/zav_amp_design.h"
#include "framework/application.h"
#include "framework/convert.h"
#include "framework/design.h"

namespace {

constexpr std::uint32_t receiverBaudRate = 9600;
// The master output: the first destination line itself.
constexpr std::int32_t master = 0;
constexpr std::int32_t lineItself = -1;

}  // namespace

TZAV_Amp::TZAV_Amp(fw::Component* owner, app::Services& services) : fw::Form(owner, "ZAV_Amp"), services_(services) {
    setCaption("ZAV Amp - 01");
    setHint("ZAV Amp - 01");
    setBorderStyle(fw::BorderStyle::none);
    setClientSize({168, 311});
    // Centred before the creation handler may show it.
    centreOnScreen();
    onCreate = [this](fw::Component& sender) { FormCreate(sender); };
    fw::applyDesign<TZAV_Amp>(*this, zavAmpDesign());
}

TZAV_Amp::~TZAV_Amp() = default;

template <class T>
T& TZAV_Amp::component(const char* name) const {
    return fw::component<T>(*this, name);
}

void TZAV_Amp::FormCreate(fw::Component&) {
    TrackDigits.clear();
    app::LoadSettings(services_.configFile, services_.settings);
    if (services_.settings.TrayMode)
        Ascunde();
    else
        Arata();
    Activare();
}

void TZAV_Amp::Activare() {
    const app::Settings& s = services_.settings;
    if (s.IrEnabled && s.PortNumber != 0) {
        // A failed open has said so itself; the steps after it fail
        // quietly on the closed port, as they always have.
        services_.com.OpenComPort(s.PortNumber, receiverBaudRate);
        services_.com.SetReceiverPower(true);
        services_.receiver.startLoop();
        IIR().setVisible(false);
        services_.com.SendReceiverInit(true);
    } else {
        IIR().setVisible(true);
    }
}

void TZAV_Amp::Dezactivare() {
    // The loop stops (and is waited for) before the port goes, so no read
    // ever runs on a handle being closed.
    services_.receiver.stopLoop();
    services_.com.SetReceiverPower(false);
    services_.com.CloseComPort();
}

void TZAV_Amp::Ascunde() {
    widgets::TTrayComp& tray = TrayComp();
    tray.setShowInTaskBar(true);
    tray.setShowForm(false);
    tray.setShowIcon(true);
    tray.setHideApp(true);
}

void TZAV_Amp::Arata() {
    widgets::TTrayComp& tray = TrayComp();
    tray.setShowInTaskBar(false);
    tray.setShowForm(true);
    tray.setShowIcon(false);
    tray.setHideApp(false);
}

void TZAV_Amp::CBCloseClick(fw::Component&) {
    Dezactivare();
    close();
}

void TZAV_Amp::CBTrayBarClick(fw::Component&) { Ascunde(); }
void TZAV_Amp::CoolButton1Click(fw::Component&) { Ascunde(); }
void TZAV_Amp::CoolButtonShowClick(fw::Component&) { Arata(); }

void TZAV_Amp::CBStopClick(fw::Component&) { WinampControl().Stop(); }
void TZAV_Amp::CBPauseClick(fw::Component&) { WinampControl().Pause(); }
void TZAV_Amp::CBPlayClick(fw::Component&) { WinampControl().Play(); }
void TZAV_Amp::CBPrewClick(fw::Component&) { WinampControl().PreviousTrack(); }
void TZAV_Amp::CBNextClick(fw::Component&) { WinampControl().NextTrack(); }
void TZAV_Amp::CBRewClick(fw::Component&) { WinampControl().Rewind(); }
void TZAV_Amp::CBFFClick(fw::Component&) { WinampControl().FastForward(); }
void TZAV_Amp::CBShufleClick(fw::Component&) { WinampControl().ToggleShuffle(); }
void TZAV_Amp::CBRepeatClick(fw::Component&) { WinampControl().ToggleRepeat(); }

void TZAV_Amp::volumeStepBy(std::int32_t delta) {
    std::int32_t v = 0, mute = 0;
    bool stereo, volumeUnavailable, muteUnavailable, fromSelector;
    // One variable for both channels: it ends holding the right one.
    AudioMixer().GetVolume(master, lineItself, v, v, mute, stereo, volumeUnavailable, muteUnavailable, fromSelector);
    v += delta;
    // Kept inside the control's range: below 0 the step would reach -1,
    // which tells the mixer to leave the volume alone.
    std::int32_t minimum = 0, maximum = 0;
    if (AudioMixer().VolumeRange(master, lineItself, minimum, maximum))
        v = std::clamp(v, std::max<std::int32_t>(0, minimum), std::max<std::int32_t>(0, maximum));
    else
        v = std::max<std::int32_t>(v, 0);
    AudioMixer().SetVolume(master, lineItself, v, v, 0);
}

void TZAV_Amp::CBVolUpClick(fw::Component&) { volumeStepBy(volumeStep); }
void TZAV_Amp::CBVolDownClick(fw::Component&) { volumeStepBy(-volumeStep); }

void TZAV_Amp::CBTelefonClick(fw::Component&) {
    bool muted = false;
    AudioMixer().GetMute(master, lineItself, muted);
    AudioMixer().SetMute(master, lineItself, !muted);
}

void TZAV_Amp::CBStartClick(fw::Component&) {
    if (WinampControl().IsRunning()) {
        WinampControl().ClosePlayer();
        return;
    }
    ActivApp().setExePath(playerPath);
    ActivApp().ActivateApp();
}

void TZAV_Amp::CBSetIRClick(fw::Component&) {
    Ascunde();
    if (auto* dialog = dynamic_cast<fw::Form*>(application().findComponent("FormaSetari"))) dialog->showModal();
    Dezactivare();
    app::LoadSettings(services_.configFile, services_.settings);
    Activare();
    application().processMessages();
    Arata();
}

void TZAV_Amp::typeDigit(char digit) { TrackDigits.push_back(digit); }
void TZAV_Amp::CB1Click(fw::Component&) { typeDigit('1'); }
void TZAV_Amp::CB2Click(fw::Component&) { typeDigit('2'); }
void TZAV_Amp::CB3Click(fw::Component&) { typeDigit('3'); }
void TZAV_Amp::CB4Click(fw::Component&) { typeDigit('4'); }
void TZAV_Amp::CB5Click(fw::Component&) { typeDigit('5'); }
void TZAV_Amp::CB6Click(fw::Component&) { typeDigit('6'); }
void TZAV_Amp::CB7Click(fw::Component&) { typeDigit('7'); }
void TZAV_Amp::CB8Click(fw::Component&) { typeDigit('8'); }
void TZAV_Amp::CB9Click(fw::Component&) { typeDigit('9'); }
void TZAV_Amp::CB0Click(fw::Component&) { typeDigit('0'); }

void TZAV_Amp::CBNrTrClick(fw::Component&) {
    if (!TrackDigits.empty()) {
        // Too many digits for a 32-bit number: the error is shown and the
        // digits stay typed.
        const std::int32_t n = fw::strToInt(TrackDigits);
        WinampControl().SetTrackNumber(n);
    }
    TrackDigits.clear();
    LCDTrack().setValue("");
    WinampControl().Play();
}

void TZAV_Amp::CBAnulareClick(fw::Component&) {
    TrackDigits.clear();
    LCDTrack().setValue("");
}

void TZAV_Amp::TimerRefreshTimer(fw::Component&) {
    TWinampControl& player = WinampControl();
    if (player.IsRunning()) {
        patch("IWOn").setVisible(false);
        std::string track;
        player.GetTrackText(track);
        LCDTrack().setValue(track);
    } else {
        patch("IWOn").setVisible(true);
    }
    bool muted = false;
    AudioMixer().GetMute(master, lineItself, muted);
    patch("IMute").setVisible(!muted);
    if (player.IsPlaying()) {
        patch("IPlay").setVisible(false);
        patch("IPause").setVisible(true);
        patch("IStop").setVisible(true);
    }
    if (player.IsPaused()) {
        patch("IPlay").setVisible(true);
        patch("IPause").setVisible(false);
        patch("IStop").setVisible(true);
    }
    if (!player.IsPlaying() && !player.IsPaused()) {
        patch("IPlay").setVisible(true);
        patch("IPause").setVisible(true);
        patch("IStop").setVisible(false);
    }
    const bool repeat = player.IsRepeatOn();
    patch("IRepeat").setVisible(!repeat);
    patch("INonRepeat").setVisible(repeat);
    const bool shuffle = player.IsShuffleOn();
    patch("IAleator").setVisible(!shuffle);
    patch("INonAleator").setVisible(shuffle);
    if (!TrackDigits.empty()) LCDTrack().setValue(TrackDigits);
    std::string time;
    player.GetTimeText(time);
    LCDTime().setValue(time);
}
