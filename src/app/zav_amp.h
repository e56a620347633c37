// TZAV_Amp: the main window of the remote control, a borderless window in
// the shape of the skin, with invisible keys over the painted ones, status
// patches over the painted indicators, and two segment read-outs. It owns
// the receiver's activation, the switch between the window and the
// notification area, the typed track number and the 500 ms refresh.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/handset_commands.h"
#include "app/services.h"
#include "control/a_mixer.h"
#include "control/activ_app.h"
#include "control/winamp_control.h"
#include "framework/control.h"
#include "framework/form.h"
#include "framework/timer.h"
#include "widgets/cool_button.h"
#include "widgets/cool_form.h"
#include "widgets/lcd99.h"
#include "widgets/tray_comp.h"

namespace app {

class TFormaSetari;

class TZAV_Amp : public fw::Form {
public:
    // Where the player is started from when it is not running.
    static constexpr const char* playerPath = "C:\\PROGRAM FILES\\WINAMP\\WINAMP.EXE";
    static constexpr std::int32_t volumeStep = 1700;

    TZAV_Amp(fw::Component* owner, Services& services);
    ~TZAV_Amp() override;

    Services& services() const { return services_; }
    // The setup dialog is made after this window; the setup key shows it.
    void setSetupDialog(TFormaSetari& dialog) { setupDialog_ = &dialog; }

    void FormCreate(fw::Component& sender);
    void Activare();
    void Dezactivare();
    void Ascunde();
    void Arata();

    // The receive loop numbered `loop` found the port gone: the receiver
    // is closed, the IR badge goes dark, and the port is tried again every
    // 2 s without a word until it opens.
    void receiverLost(unsigned loop);
    // Back from sleep: an active receiver is opened again the same way.
    void systemResumed();
    void TimerReconnectTimer(fw::Component& sender);
    bool reconnecting() const;

    // A key the handset pressed shows pressed for a moment, while the
    // window is shown.
    void showPressed(widgets::TCoolButton& key);
    void TimerKeyLookTimer(fw::Component& sender);
    HandsetCommands& handset() { return handset_; }

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
    // Any of the ten digit keys: appends the sender's digit.
    void CBDigitClick(fw::Component& sender);
    void CBAnulareClick(fw::Component& sender);
    void TimerRefreshTimer(fw::Component& sender);

    // The digits typed on the key pad, without a length limit.
    std::string TrackDigits;

    // The window's parts, each bound by its row of the design table and
    // owned by the window.
    widgets::TCoolForm* CoolFormWinamp = nullptr;
    widgets::TCoolButton* CBClose = nullptr;
    widgets::TCoolButton* CBTrayBar = nullptr;
    control::TWinampControl* WinampControl = nullptr;
    widgets::TCoolButton* CBStop = nullptr;
    widgets::TCoolButton* CBPause = nullptr;
    widgets::TCoolButton* CBPlay = nullptr;
    widgets::TCoolButton* CBVolUp = nullptr;
    widgets::TCoolButton* CBVolDown = nullptr;
    widgets::TCoolButton* CBPrew = nullptr;
    widgets::TCoolButton* CBNext = nullptr;
    widgets::TCoolButton* CBRew = nullptr;
    widgets::TCoolButton* CBFF = nullptr;
    widgets::TCoolButton* CBShufle = nullptr;
    widgets::TCoolButton* CBRepeat = nullptr;
    widgets::TCoolButton* CBStart = nullptr;
    fw::Timer* TimerRefresh = nullptr;
    widgets::TTrayComp* TrayComp = nullptr;
    widgets::TCoolButton* CoolButtonShow = nullptr;
    control::TActivApp* ActivApp = nullptr;
    widgets::TCoolButton* CBSetIR = nullptr;
    widgets::TCoolButton* CBTelefon = nullptr;
    control::TAudioMixer* AudioMixer = nullptr;
    widgets::TCoolButton* CoolButton1 = nullptr;
    widgets::TCoolButton* CBMP3_CDA = nullptr;
    widgets::TCoolButton* CBNrTr = nullptr;
    widgets::TCoolButton* CB1 = nullptr;
    widgets::TCoolButton* CB2 = nullptr;
    widgets::TCoolButton* CB3 = nullptr;
    widgets::TCoolButton* CB4 = nullptr;
    widgets::TCoolButton* CB5 = nullptr;
    widgets::TCoolButton* CB6 = nullptr;
    widgets::TCoolButton* CB7 = nullptr;
    widgets::TCoolButton* CB8 = nullptr;
    widgets::TCoolButton* CB9 = nullptr;
    widgets::TCoolButton* CB0 = nullptr;
    widgets::TCoolButton* CBAnulare = nullptr;
    fw::Image* IPlay = nullptr;
    fw::Image* IPause = nullptr;
    fw::Image* IStop = nullptr;
    fw::Image* IRepeat = nullptr;
    fw::Image* INonRepeat = nullptr;
    fw::Image* INonAleator = nullptr;
    fw::Image* IAleator = nullptr;
    fw::Image* IWOn = nullptr;
    fw::Image* IMute = nullptr;
    widgets::TLCD99* LCDTime = nullptr;
    widgets::TLCD99* LCDTrack = nullptr;
    fw::Image* IIR = nullptr;
    fw::Timer* TimerReconnect = nullptr;
    fw::Timer* TimerKeyLook = nullptr;

    // The digit keys, index = digit.
    std::array<widgets::TCoolButton*, 10> digitKeys() const {
        return {CB0, CB1, CB2, CB3, CB4, CB5, CB6, CB7, CB8, CB9};
    }

private:
    void volumeStepBy(std::int32_t delta);
    void closeReceiver();
    // The activation's steps again, quietly; false leaves the port closed.
    bool reopenReceiver();

    Services& services_;
    TFormaSetari* setupDialog_ = nullptr;  // not owned
    // Activare opened the receiver and no Dezactivare has closed it since.
    bool receiverWanted_ = false;
    HandsetCommands handset_{*this};
    widgets::TCoolButton* pressedKey_ = nullptr;  // not owned
};

}  // namespace app
