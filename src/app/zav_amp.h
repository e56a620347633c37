// TZAV_Amp: the main window of the remote control, a borderless window in
// the shape of the skin, with invisible keys over the painted ones, status
// patches over the painted indicators, and two segment read-outs. It owns
// the receiver's activation, the switch between the window and the
// notification area, the typed track number and the 500 ms refresh.
#pragma once

#include <string>

#include "app/services.h"
#include "control/a_mixer.h"
#include "control/activ_app.h"
#include "control/winamp_control.h"
#include "framework/control.h"
#include "framework/form.h"
#include "widgets/lcd99.h"
#include "widgets/tray_comp.h"

class TZAV_Amp : public fw::Form {
public:
    // Where the player is started from when it is not running.
    static constexpr const char* playerPath = "C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE";
    static constexpr std::int32_t volumeStep = 1700;

    TZAV_Amp(fw::Component* owner, app::Services& services);
    ~TZAV_Amp() override;

    app::Services& services() const { return services_; }

    void FormCreate(fw::Component& sender);
    void Activare();
    void Dezactivare();
    void Ascunde();
    void Arata();

    void CBCloseClick(fw::Component& sender);
    void CBTrayBarClick(fw::Component& sender);
    void CBStopClick(fw::Component& sender);
    void CBPauseClick(fw::Component& sender);
    void CBPlayClick(fw::Component& sender);
    void CBVolUpClick(fw::Component& sender);
    void CBVolDownClick(fw::Component& sender);
    void CBPrewClick(fw::Component& sender);
    void CBNextClick(fw::Component& sender);
    void CBRewClick(fw::Component& sender);
    void CBFFClick(fw::Component& sender);
    void CBShufleClick(fw::Component& sender);
    void CBRepeatClick(fw::Component& sender);
    void CBStartClick(fw::Component& sender);
    void CoolButtonShowClick(fw::Component& sender);
    void CBSetIRClick(fw::Component& sender);
    void CBTelefonClick(fw::Component& sender);
    void CoolButton1Click(fw::Component& sender);
    void CBNrTrClick(fw::Component& sender);
    void CB1Click(fw::Component& sender);
    void CB2Click(fw::Component& sender);
    void CB3Click(fw::Component& sender);
    void CB4Click(fw::Component& sender);
    void CB5Click(fw::Component& sender);
    void CB6Click(fw::Component& sender);
    void CB7Click(fw::Component& sender);
    void CB8Click(fw::Component& sender);
    void CB9Click(fw::Component& sender);
    void CB0Click(fw::Component& sender);
    void CBAnulareClick(fw::Component& sender);
    void TimerRefreshTimer(fw::Component& sender);

    // The digits typed on the key pad, without a length limit.
    std::string TrackDigits;

    widgets::TTrayComp& TrayComp() const { return component<widgets::TTrayComp>("TrayComp"); }
    TWinampControl& WinampControl() const { return component<TWinampControl>("WinampControl"); }
    TAudioMixer& AudioMixer() const { return component<TAudioMixer>("AudioMixer"); }
    TActivApp& ActivApp() const { return component<TActivApp>("ActivApp"); }
    TLCD99& LCDTime() const { return component<TLCD99>("LCDTime"); }
    TLCD99& LCDTrack() const { return component<TLCD99>("LCDTrack"); }
    fw::Image& patch(const char* name) const { return component<fw::Image>(name); }
    fw::Image& IIR() const { return patch("IIR"); }

private:
    template <class T>
    T& component(const char* name) const;
    void volumeStepBy(std::int32_t delta);
    void typeDigit(char digit);

    app::Services& services_;
};
