// TZAV_Amp: the main window of the remote control, a borderless window in
// the shape of the skin, with invisible keys over the painted ones, status
// patches over the painted indicators, and two segment read-outs: the view
// of the remote (app::Remote). Its keys call the remote; what the remote
// tells (a command carried out, the mute, the IR badge, a player that did
// not start) drives its patches, read-outs and key looks. It switches
// between the window and the notification area, runs the setup cycle, and
// its 500 ms refresh shows what the player says.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/remote.h"
#include "app/services.h"
#include "framework/control.h"
#include "framework/form.h"
#include "framework/listeners.h"
#include "framework/timer.h"
#include "widgets/cool_button.h"
#include "widgets/cool_form.h"
#include "widgets/lcd99.h"
#include "widgets/tray_comp.h"

namespace app {

class TFormaSetari;

class TZAV_Amp : public fw::Form {
public:
    TZAV_Amp(fw::Component* owner, Services& services);
    ~TZAV_Amp() override;

    Services& services() const { return services_; }
    Remote& remote() const { return services_.remote; }
    // The setup dialog is made after this window; the setup key shows it.
    void setSetupDialog(TFormaSetari& dialog) { setupDialog_ = &dialog; }

    void FormCreate(fw::Component& sender);
    void Ascunde();
    void Arata();

    // The skin key of a command name, or none.
    widgets::TCoolButton* keyFor(const std::string& command) const;

    // A key the handset pressed shows pressed for a moment, while the
    // window is shown.
    void showPressed(widgets::TCoolButton& key);
    void TimerKeyLookTimer(fw::Component& sender);

    // Any key of a command: the remote runs it.
    void CommandKeyClick(fw::Component& sender);
    void CBCloseClick(fw::Component& sender);
    void CBTrayBarClick(fw::Component& sender);
    void CoolButtonShowClick(fw::Component& sender);
    // The setup cycle: the remote hides, the setup dialog is shown modally,
    // and however it was left the remote takes the settings afresh and
    // shows again. A press while a cycle or the remote's activation runs
    // (a failure's box serves messages) is ignored.
    void CBSetIRClick(fw::Component& sender);
    // The second key that hides the remote (it lies beside the setup key).
    void CoolButton1Click(fw::Component& sender);
    void TimerRefreshTimer(fw::Component& sender);

    // The window's parts, each bound by its row of the design table and
    // owned by the window.
    widgets::TCoolForm* CoolFormWinamp = nullptr;
    widgets::TCoolButton* CBClose = nullptr;
    widgets::TCoolButton* CBTrayBar = nullptr;
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
    widgets::TCoolButton* CBSetIR = nullptr;
    widgets::TCoolButton* CBTelefon = nullptr;
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
    fw::Timer* TimerKeyLook = nullptr;

    // The digit keys, index = digit.
    std::array<widgets::TCoolButton*, 10> digitKeys() const {
        return {CB0, CB1, CB2, CB3, CB4, CB5, CB6, CB7, CB8, CB9};
    }

private:
    // The start key found no player, or the player did not start: said in
    // a box owned by the remote while it is shown; the handset's key while
    // it is hidden is answered on the on-screen display.
    void startFailed(const PlayerStart& start, CommandSource source);

    Services& services_;
    TFormaSetari* setupDialog_ = nullptr;  // not owned
    widgets::TCoolButton* pressedKey_ = nullptr;  // not owned
    // A setup cycle runs.
    bool inSetupCycle_ = false;
    // A box about the player is open: a press meanwhile adds no second one.
    bool startBoxOpen_ = false;
    std::vector<fw::Subscription> listening_;
};

}  // namespace app
