// TZAV_Amp: the main window of the remote control, a borderless window in
// the shape of the skin, with invisible keys over the painted ones, status
// patches over the painted indicators, and two segment read-outs. Its keys
// and the handset run the commands of the command table through it, and
// whoever listens hears each command that ran. It switches between the
// window and the notification area, keeps the typed track number and the
// 500 ms refresh, and activates the receiver through its link.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/handset_commands.h"
#include "app/services.h"
#include "control/a_mixer.h"
#include "control/activ_app.h"
#include "control/master_volume.h"
#include "control/winamp_control.h"
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
    static constexpr const char* playerNotFound =
        "Winamp was not found. Choose winamp.exe under Winamp in the IR setup dialog.";

    TZAV_Amp(fw::Component* owner, Services& services);
    ~TZAV_Amp() override;

    Services& services() const { return services_; }
    // The setup dialog is made after this window; the setup key shows it.
    void setSetupDialog(TFormaSetari& dialog) { setupDialog_ = &dialog; }

    void loaded() override;
    void FormCreate(fw::Component& sender);
    void Activare();
    void Dezactivare();
    void Ascunde();
    void Arata();

    // Runs a command's operation, then tells every listener that it ran
    // and who asked.
    void runCommand(const Command& command, CommandSource source);
    using CommandListener = std::function<void(const Command& command, CommandSource source)>;
    [[nodiscard]] fw::Subscription onCommand(CommandListener listener) { return commandListeners_.add(std::move(listener)); }
    // The skin key of a command name, or none.
    widgets::TCoolButton* keyFor(const std::string& command) const;

    // A key the handset pressed shows pressed for a moment, while the
    // window is shown.
    void showPressed(widgets::TCoolButton& key);
    void TimerKeyLookTimer(fw::Component& sender);
    HandsetCommands& handset() { return handset_; }

    // Any key of a command: runs it.
    void CommandKeyClick(fw::Component& sender);
    void CBCloseClick(fw::Component& sender);
    void CBTrayBarClick(fw::Component& sender);
    void CoolButtonShowClick(fw::Component& sender);
    void CBSetIRClick(fw::Component& sender);
    void CoolButton1Click(fw::Component& sender);

    // The commands' operations, named after the keys that ask for them.
    void CBStopClick();
    void CBPauseClick();
    void CBPlayClick();
    void CBVolUpClick();
    void CBVolDownClick();
    void CBPrewClick();
    void CBNextClick();
    void CBRewClick();
    void CBFFClick();
    void CBShufleClick();
    void CBRepeatClick();
    void CBStartClick();
    void CBTelefonClick();
    void CBNrTrClick();
    // Any of the ten digits: appends it.
    void CBDigitClick(int digit);
    void CBAnulareClick();
    void TimerRefreshTimer(fw::Component& sender);

    // Whether OPEN WINAMP last closed the player (or started it).
    bool closedPlayer() const { return closedPlayer_; }
    // Whether OPEN WINAMP last found no player to start.
    bool playerMissing() const { return playerMissing_; }

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
    fw::Timer* TimerKeyLook = nullptr;
    // The volume and mute the keys change, whichever way reaches the sound.
    control::MasterVolume* MasterVolume = nullptr;

    // The digit keys, index = digit.
    std::array<widgets::TCoolButton*, 10> digitKeys() const {
        return {CB0, CB1, CB2, CB3, CB4, CB5, CB6, CB7, CB8, CB9};
    }

    // What the last volume or mute key came to.
    control::VolumeResult lastVolumeResult() const { return lastVolumeResult_; }

private:
    Services& services_;
    TFormaSetari* setupDialog_ = nullptr;  // not owned
    fw::Listeners<void(const Command&, CommandSource)> commandListeners_;
    HandsetCommands handset_{*this};
    widgets::TCoolButton* pressedKey_ = nullptr;  // not owned
    bool closedPlayer_ = false;
    bool playerMissing_ = false;
    // The IR badge is lit while any source of codes is.
    std::vector<fw::Subscription> sourceLit_;
    // Who asked for the command that runs now.
    CommandSource source_ = CommandSource::key;
    // The "not found" box is open: a press meanwhile adds no second one.
    bool notFoundOpen_ = false;
    control::VolumeResult lastVolumeResult_ = control::VolumeResult::done;
    fw::Subscription muteShown_;
    fw::Subscription pressedLook_;
    fw::Subscription passedCodes_;
    fw::Subscription ending_;
};

}  // namespace app
