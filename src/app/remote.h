// Remote: the remote control without its windows, and the one thing every
// view and every source plugs into.
//
//   its life      start (the settings put to work), the reload after the
//                 setup dialog, the end (every source lets go)
//   its parts     the Winamp client, the activator that starts the player,
//                 the old mixer and the volume the keys change (they keep
//                 the names the main window gave them)
//   its sources   the serial receiver, a LIRC server and the keys the
//                 system hears, in one list, each with its status; the IR
//                 badge is lit while one that lights it is live
//   its state     one live state (remote_state.h) that the views show:
//                 looked at for whoever watches, as often as they ask, and
//                 once after every command
//   its commands  run on the GUI thread as a key or a handset asks, or
//                 asked for from any thread through one queue, in the order
//                 they came; each command's listeners hear what it came to
//   its learning  the code bus's learning while the setup dialog is open,
//                 a code learned or forgotten, the walk through every
//                 command; the keys taken from other programs follow at once
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/handset_commands.h"
#include "app/keys_link.h"
#include "app/learning_walk.h"
#include "app/lirc_link.h"
#include "app/live_state.h"
#include "app/platform_services.h"
#include "app/receiver_link.h"
#include "app/remote_state.h"
#include "app/settings.h"
#include "app/source_link.h"
#include "control/a_mixer.h"
#include "control/activ_app.h"
#include "control/master_volume.h"
#include "control/winamp_control.h"
#include "framework/component.h"
#include "framework/listeners.h"
#include "framework/posted_queue.h"
#include "framework/timer.h"
#include "ir/code_bus.h"

namespace app {

class WebLink;

// What the start key (OPEN WINAMP) came to the last time.
struct PlayerStart {
    enum class Outcome { none, closed, started, notFound, failed };
    Outcome outcome = Outcome::none;
    std::string file;   // the player's program file, when one was found
    std::string error;  // why it did not start
};

// What a command came to, beside the state it left.
struct CommandOutcome {
    control::VolumeResult volume = control::VolumeResult::done;
    PlayerStart start;
    // A shuffle or repeat key the player cannot carry out.
    bool notSupported = false;
    // The parts of the state (StatePart bits) the look after it asked the
    // player and got no answer for: the state holds them as they were.
    unsigned unanswered = 0;
};

// A new press while codes are learned: its code, and the device to ask the
// user about before it may be learned (a key that types or moves, from a
// device not yet said to be a receiver).
struct CodeHeard {
    std::string code;
    std::optional<std::string> deviceToConfirm;
};

class Remote : public fw::Component {
public:
    static constexpr const char* playerNotFound =
        "Winamp was not found. Choose winamp.exe under Winamp in the IR setup dialog.";
    static constexpr std::size_t maxCommandsWaiting = 64;

    Remote(fw::Component* owner, const Platform& platform, SettingsStore& store, ir::CodeBus& codes);
    ~Remote() override;

    // Its life. The settings as the file has them are put to work: the
    // volume's way, then each source. After the setup dialog every source
    // goes off, the file is read afresh and they are put to work again.
    const Settings& settings() const { return store_.settings(); }
    void start();
    void reload();
    // While the settings are put to work (a failure's box may be open):
    // nothing may start another.
    bool applying() const { return applying_; }
    [[nodiscard]] fw::Subscription onSettingsApplied(std::function<void()> listener) {
        return appliedListeners_.add(std::move(listener));
    }

    // The setup dialog. While it is open, new presses are learned, not
    // carried out; when it closes the walk ends and the remote reloads.
    void beginSetup();
    void endSetup();
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

    // Learning: every new press heard while the setup dialog is open.
    [[nodiscard]] fw::Subscription onCodeHeard(std::function<void(const CodeHeard&)> listener) {
        return heardListeners_.add(std::move(listener));
    }
    // The code becomes the command's only one, or one more of its codes,
    // or every code of the command goes; each written at once. A key that
    // types or moves from a device not said to be a receiver is refused.
    void learnCode(const std::string& command, const std::string& code);
    void addCode(const std::string& command, const std::string& code);
    void forgetCodes(const std::string& command);
    // The device that must be said to be a receiver before `code` may be
    // learned; none when none need be.
    std::optional<std::string> deviceToConfirm(const std::string& code) const;
    // The user said the device is a receiver (or not): a code of it that
    // waits for the walk goes on, or is dropped.
    void confirmReceiver(const std::string& device, bool isReceiver);
    // The code being received is dropped: the next code starts afresh.
    void startAfresh();
    void startWalk();
    void skipWalk();
    void stopWalk();
    const LearningWalk& walk() const { return walk_; }

    // Commands. Runs the command's operation on the GUI thread (a command
    // another thread asked for first runs first), looks at the player for
    // whoever watches, then tells every listener what it came to.
    void runCommand(const Command& command, CommandSource source);
    // Any thread: the command runs on the GUI thread, in the order asked.
    void ask(const Command& command, CommandSource source);
    [[nodiscard]] fw::Subscription onCommand(
        std::function<void(const Command&, CommandSource, const CommandOutcome&)> listener) {
        return commandListeners_.add(std::move(listener));
    }
    // The start key found no player, or the player did not start.
    [[nodiscard]] fw::Subscription onStartFailed(std::function<void(const PlayerStart&, CommandSource)> listener) {
        return startListeners_.add(std::move(listener));
    }
    // The commands' operations, which the command table names.
    // With no Winamp window they go out as the system's media keys, where
    // the settings ask for it ([PLAYER] OTHERS).
    void play() { othersUnless(WinampControl->Play(), platform::MediaKey::play); }
    void pause() { othersUnless(WinampControl->Pause(), platform::MediaKey::pause); }
    void stop() { othersUnless(WinampControl->Stop(), platform::MediaKey::stop); }
    void previousTrack() { othersUnless(WinampControl->PreviousTrack(), platform::MediaKey::previous); }
    void nextTrack() { othersUnless(WinampControl->NextTrack(), platform::MediaKey::next); }
    void rewind() { WinampControl->Rewind(); }
    void fastForward() { WinampControl->FastForward(); }
    void toggleShuffle() { outcome_.notSupported = WinampControl->ToggleShuffle() && WinampControl->NotSupported(); }
    void toggleRepeat() { outcome_.notSupported = WinampControl->ToggleRepeat() && WinampControl->NotSupported(); }
    void volumeStep(int direction) { outcome_.volume = MasterVolume->step(direction); }
    void toggleMute() { outcome_.volume = MasterVolume->toggleMute(); }
    // Closes the player when it runs, starts it when it does not.
    void startOrClosePlayer();
    void typeDigit(int digit);
    // The typed number selects its track, then plays; too many digits for a
    // 32-bit number raise the conversion's error and stay typed.
    void enterTrack();
    void cancelTrack();
    // A slider's level and a track chosen by its number, as a phone asks
    // for them: the level as the volume keys' way takes it, the track as
    // its digits then ENTER choose it.
    void setVolume(int percent, CommandSource source);
    void chooseTrack(std::int32_t number, CommandSource source);

    // The live state, and each change of it.
    const RemoteState& state() const { return Live->state(); }
    [[nodiscard]] fw::Subscription onState(std::function<void(const RemoteState&, const StateChange&)> listener) {
        return Live->onChange(std::move(listener));
    }
    // The player is looked at for this watcher, as often as it asks, until
    // the subscription ends.
    [[nodiscard]] fw::Subscription watch(StateWatch watch) { return Live->watch(watch); }

    // The sources of codes, in the order they are turned on, and each
    // change of their status.
    const std::vector<SourceLink*>& sources() const { return sources_; }
    [[nodiscard]] fw::Subscription onSourceStatus(std::function<void(const SourceLink&)> listener) {
        return sourceListeners_.add(std::move(listener));
    }

    // The parts, owned.
    control::TWinampControl* const WinampControl;
    control::TActivApp* const ActivApp;
    control::TAudioMixer* const AudioMixer;
    control::MasterVolume* const MasterVolume;
    LiveState* const Live;
    ReceiverLink* const Receiver;
    LircLink* const Lirc;
    KeysLink* const Keys;
    // The phone remote: a source of commands, not of codes.
    WebLink* const Web;
    // Every retryMs: each source that is wanted and not live is tried again.
    fw::Timer* TimerSources = nullptr;

private:
    void apply();
    void deactivateSources();
    void sourceChanged(const SourceLink& source);
    void perform(const Command& command, CommandSource source);
    void othersUnless(bool sentToPlayer, platform::MediaKey key);
    void failedStart(CommandSource source);
    // A new press while learning.
    void heard(const ir::CodeEvent& event);
    // A learning write: the store first, then the keys taken follow.
    void learned(const std::function<void()>& write);

    struct Asked {
        const Command* command = nullptr;
        CommandSource source = CommandSource::key;
    };

    SettingsStore& store_;
    ir::CodeBus& codes_;
    platform::Launcher& launcher_;
    platform::RunAtLogon& logon_;
    platform::MediaKeys& mediaKeys_;
    const std::vector<SourceLink*> sources_;
    HandsetCommands handset_;
    LearningWalk walk_;
    std::set<std::string> receivers_;  // devices the user said are receivers
    std::string walkWaiting_;         // a walk's code waiting for the user's word
    bool applying_ = false;
    // The program ends: nothing is turned on again.
    bool ended_ = false;
    CommandSource source_ = CommandSource::key;
    CommandOutcome outcome_;
    fw::Listeners<void(const Command&, CommandSource, const CommandOutcome&)> commandListeners_;
    fw::Listeners<void(const PlayerStart&, CommandSource)> startListeners_;
    fw::Listeners<void(const CodeHeard&)> heardListeners_;
    fw::Listeners<void(const SourceLink&)> sourceListeners_;
    fw::Listeners<void()> appliedListeners_;
    std::vector<fw::Subscription> subscriptions_;
    // Last: it goes first, and a command already posted then runs nowhere.
    fw::PostedQueue<Asked> asked_;
};

}  // namespace app
