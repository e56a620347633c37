// Remote: the remote control without its windows. It owns what the keys
// and the handset drive (the Winamp client, the activator that starts the
// player, the old mixer and the volume the keys change), the sources of
// codes (the serial receiver, a LIRC server, the keys the system hears),
// which it turns on and off as the settings say, the typed track number,
// and the handset's commands.
// The command table's operations run on it. Its windows listen to it: each
// command carried out, the mute and the IR badge changing, a player that
// could not be started; the setup dialog saves through it.
//
// Its parts keep the names the main window gave them: WinampControl,
// ActivApp, AudioMixer, MasterVolume.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/handset_commands.h"
#include "app/keys_link.h"
#include "app/lirc_link.h"
#include "app/receiver_link.h"
#include "app/settings.h"
#include "app/source_link.h"
#include "control/a_mixer.h"
#include "control/activ_app.h"
#include "control/master_volume.h"
#include "control/winamp_control.h"
#include "framework/component.h"
#include "framework/listeners.h"
#include "ir/code_bus.h"
#include "platform/endpoint_volume.h"
#include "platform/launcher.h"
#include "platform/media_keys.h"
#include "platform/mixer.h"
#include "platform/player_window.h"
#include "platform/run_at_logon.h"

namespace app {

// What the remote works through; none is owned.
struct RemoteServices {
    SettingsStore& store;
    ir::CodeBus& codes;
    platform::PlayerWindows& player;
    platform::Launcher& launcher;
    platform::MixerDevices& mixer;
    platform::EndpointVolume& endpoint;
    platform::RunAtLogon& logon;
    // What the sources of codes read from.
    ir::ComFunc& com;
    ir::IrReceiver& receiver;
    platform::StreamSockets& sockets;
    platform::KeyInput& keys;
    // For the players without a Winamp window.
    platform::MediaKeys& mediaKeys;
};

// What the player showed at one look. What it left unanswered is none: its
// silence is not a state to show.
struct PlayerLook {
    struct State {
        control::TWinampControl::PlayState play = control::TWinampControl::PlayState::stopped;
        bool repeat = false;
        bool shuffle = false;
        std::string time;
    };
    std::optional<bool> running;
    std::optional<std::string> track;  // while it runs
    std::optional<State> state;
};

// What the start key (OPEN WINAMP) came to the last time.
struct PlayerStart {
    enum class Outcome { none, closed, started, notFound, failed };
    Outcome outcome = Outcome::none;
    std::string file;   // the player's program file, when one was found
    std::string error;  // why it did not start
};

class Remote : public fw::Component {
public:
    static constexpr const char* playerNotFound =
        "Winamp was not found. Choose winamp.exe under Winamp in the IR setup dialog.";

    Remote(fw::Component* owner, const RemoteServices& services);
    ~Remote() override;

    // Settings. The record becomes what the file says (LoadSettings), and
    // is put to work: the volume's way, then each source as the settings
    // ask. After the setup dialog, every source goes off first (Dezactivare).
    const Settings& settings() const { return store_.settings(); }
    void LoadSettings();
    void apply();
    void Dezactivare();
    void reload();
    // While apply runs (a failure's box may be open): nothing may start
    // another.
    bool applying() const { return applying_; }
    // What the setup dialog's Ok writes: the settings file, and the log-on
    // list when `startWithWindows` says what it must hold. Each is written
    // whatever the others did; one error names every failure. An address
    // of a server that cannot be read is left as it was.
    void save(DialogSettings values, std::optional<bool> startWithWindows);
    // Whether the log-on list starts this very program.
    bool startsWithWindows();
    // The player the start key would start now; none when it is nowhere.
    std::optional<std::string> findPlayer();
    // Which player answers now: "Winamp 5.9", "foobar2000 (Winamp
    // bridge)", "none: media keys", "none".
    std::string answeringPlayer();

    // Commands. Runs the command's operation, then tells every listener that
    // it ran and who asked.
    void runCommand(const Command& command, CommandSource source);
    [[nodiscard]] fw::Subscription onCommand(std::function<void(const Command&, CommandSource)> listener) {
        return commandListeners_.add(std::move(listener));
    }
    // The commands' operations, which the command table names for the keys
    // (CBPlay, CBPause...) and the handset's codes.
    // With no Winamp window they go out as the system's media keys, where
    // the settings ask for it ([PLAYER] OTHERS).
    void play() { othersUnless(WinampControl->Play(), platform::MediaKey::play); }
    void pause() { othersUnless(WinampControl->Pause(), platform::MediaKey::pause); }
    void stop() { othersUnless(WinampControl->Stop(), platform::MediaKey::stop); }
    void previousTrack() { othersUnless(WinampControl->PreviousTrack(), platform::MediaKey::previous); }
    void nextTrack() { othersUnless(WinampControl->NextTrack(), platform::MediaKey::next); }
    void rewind() { WinampControl->Rewind(); }
    void fastForward() { WinampControl->FastForward(); }
    void toggleShuffle() { WinampControl->ToggleShuffle(); }
    void toggleRepeat() { WinampControl->ToggleRepeat(); }
    void volumeStep(int direction) { lastVolumeResult_ = MasterVolume->step(direction); }
    void toggleMute() { lastVolumeResult_ = MasterVolume->toggleMute(); }
    // Closes the player when it runs, starts it when it does not.
    void startOrClosePlayer();
    void typeDigit(int digit);
    // The typed number selects its track, then plays; too many digits for a
    // 32-bit number raise the conversion's error and stay typed.
    void enterTrack();
    void cancelTrack();

    // The digits typed on the key pad, without a length limit.
    const std::string& TrackDigits() const { return trackDigits_; }
    [[nodiscard]] fw::Subscription onTrackDigits(std::function<void(const std::string&)> listener) {
        return digitListeners_.add(std::move(listener));
    }

    // What the player shows now; one look-up, and a silent player is asked
    // nothing more.
    PlayerLook lookAtPlayer();
    // What the last volume or mute key came to, and the last start.
    control::VolumeResult lastVolumeResult() const { return lastVolumeResult_; }
    const PlayerStart& lastStart() const { return lastStart_; }

    // What the mute indicator shows (muted), as last heard.
    bool muted() const { return MasterVolume->muted(); }
    [[nodiscard]] fw::Subscription onMuteChanged(std::function<void(bool muted)> listener) {
        return muteListeners_.add(std::move(listener));
    }
    // The IR badge is lit while any source of codes is.
    bool badgeLit() const { return badgeLit_; }
    [[nodiscard]] fw::Subscription onBadge(std::function<void(bool lit)> listener) {
        return badgeListeners_.add(std::move(listener));
    }
    // The start key found no player, or the player did not start.
    [[nodiscard]] fw::Subscription onStartFailed(std::function<void(const PlayerStart&, CommandSource)> listener) {
        return startListeners_.add(std::move(listener));
    }

    // The parts, owned.
    control::TWinampControl* const WinampControl;
    control::TActivApp* const ActivApp;
    control::TAudioMixer* const AudioMixer;
    control::MasterVolume* const MasterVolume;
    // The sources of codes, in the order they are turned on.
    ReceiverLink* const Receiver;
    LircLink* const Server;
    KeysLink* const Keys;

private:
    void sourceLit();
    void othersUnless(bool sentToPlayer, platform::MediaKey key);
    void setDigits(std::string digits);
    void failedStart(CommandSource source);

    SettingsStore& store_;
    platform::Launcher& launcher_;
    platform::RunAtLogon& logon_;
    platform::MediaKeys& mediaKeys_;
    const std::vector<SourceLink*> sources_;  // the three above
    HandsetCommands handset_;
    std::string trackDigits_;
    bool applying_ = false;
    // The program ends: nothing is turned on again.
    bool ended_ = false;
    bool badgeLit_ = false;
    CommandSource source_ = CommandSource::key;
    control::VolumeResult lastVolumeResult_ = control::VolumeResult::done;
    PlayerStart lastStart_;
    fw::Listeners<void(const Command&, CommandSource)> commandListeners_;
    fw::Listeners<void(const std::string&)> digitListeners_;
    fw::Listeners<void(bool)> muteListeners_;
    fw::Listeners<void(bool)> badgeListeners_;
    fw::Listeners<void(const PlayerStart&, CommandSource)> startListeners_;
    std::vector<fw::Subscription> subscriptions_;
};

}  // namespace app
