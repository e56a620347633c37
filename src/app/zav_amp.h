// TZAV_Amp: the main window of the remote control, a borderless window in
// the shape of the skin, with invisible keys over the painted ones, status
// patches over the painted indicators, and two segment read-outs: a view
// of the remote (app::Remote). Its keys ask the remote for commands; its
// patches and read-outs show the remote's live state, which the remote
// looks at every 500 ms while the window is shown, and a key a handset
// pressed shows pressed for a moment. It switches between the window and
// the notification area and shows the setup dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/platform_services.h"
#include "app/remote.h"
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
    static constexpr std::uint32_t lookEveryMs = 500;

    TZAV_Amp(fw::Component* owner, Remote& remote, const Platform& platform);
    ~TZAV_Amp() override;

    Remote& remote() const { return remote_; }
    const Platform& platform() const { return platform_; }
    // The setup dialog is made after this window; the setup key shows it.
    void setSetupDialog(TFormaSetari& dialog) { setupDialog_ = &dialog; }

    void FormCreate(fw::Component& sender);
    void Ascunde();
    void Arata();

    // The skin key of a command, or none.
    widgets::TCoolButton* keyFor(const Command& command) const;
    // The command of a skin key, or none.
    const Command* commandOf(const widgets::TCoolButton& key) const;

    // A key the handset pressed shows pressed for a moment, while the
    // window is shown.
    void showPressed(widgets::TCoolButton& key);
    void TimerKeyLookTimer(fw::Component& sender);

    // Any key of a command: the remote runs it.
    void CommandKeyClick(fw::Component& sender);
    void CBCloseClick(fw::Component& sender);
    void CBTrayBarClick(fw::Component& sender);
    void CoolButtonShowClick(fw::Component& sender);
    // The setup cycle: the remote hides, the setup dialog is shown modally
    // (the remote takes the settings afresh when it closes, however it was
    // left), and the remote shows again. A press while a cycle or the
    // remote's activation runs (a failure's box serves messages) is ignored.
    void CBSetIRClick(fw::Component& sender);
    // The second key that hides the remote (it lies beside the setup key).
    void CoolButton1Click(fw::Component& sender);

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
    // The patches and read-outs as the state says, after `change`.
    void showState(const RemoteState& state, const StateChange& change);

    Remote& remote_;
    const Platform& platform_;
    // The remote looks at the player for this window while it is shown.
    fw::Subscription watch_;
    TFormaSetari* setupDialog_ = nullptr;  // not owned
    widgets::TCoolButton* pressedKey_ = nullptr;  // not owned
    // A setup cycle runs.
    bool inSetupCycle_ = false;
    // A box about the player is open: a press meanwhile adds no second one.
    bool startBoxOpen_ = false;
    std::vector<fw::Subscription> listening_;
};

}  // namespace app
