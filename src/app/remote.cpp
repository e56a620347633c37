#include "app/remote.h"

#include <algorithm>
#include <stdexcept>

#include "app/player_path.h"
#include "app/web_link.h"
#include "app/start_with_windows.h"
#include "framework/application.h"
#include "framework/convert.h"
#include "framework/raised.h"
#include "ir/key_codes.h"

namespace app {

Remote::Remote(fw::Component* owner, const Platform& platform, SettingsStore& store, ir::CodeBus& codes)
    : fw::Component(owner, "Remote"),
      WinampControl(&create<control::TWinampControl>("WinampControl", platform.player)),
      ActivApp(&create<control::TActivApp>("ActivApp", platform.launcher)),
      AudioMixer(&create<control::TAudioMixer>("AudioMixer", platform.mixer)),
      MasterVolume(&create<control::MasterVolume>("MasterVolume", platform.endpoint, *WinampControl, *AudioMixer)),
      Live(&create<LiveState>("LiveState", *WinampControl, [this] { return settings().OthersByMediaKeys; })),
      Receiver(&create<ReceiverLink>("ReceiverLink", platform.serial, platform.showMessage, codes)),
      Lirc(&create<LircLink>("LircLink", platform.sockets, codes)),
      Keys(&create<KeysLink>("KeysLink", platform.keys, codes)),
      Web(&create<WebLink>("WebLink", *this, store, platform.crypto, platform.network, platform.folding, platform.host)),
      store_(store),
      codes_(codes),
      launcher_(platform.launcher),
      logon_(platform.logon),
      mediaKeys_(platform.mediaKeys),
      sources_{Receiver, Lirc, Keys, Web},
      handset_(*this),
      walk_([this](const std::string& command, const std::string& code, bool add) {
          add ? addCode(command, code) : learnCode(command, code);
      }),
      asked_(fw::Application::of(owner), maxCommandsWaiting,
             [this](Asked& asked) {
                 // A command's error is shown, and the ones after it still run.
                 // A phone's is not: nobody may be at the PC to close a box,
                 // and the phone learns from the state what came of it.
                 if (!opensBoxes(asked.source)) {
                     try {
                         perform(*asked.command, asked.source);
                     } catch (const std::exception&) {
                     }
                     return;
                 }
                 fw::Application::of(this).guarded([&] { perform(*asked.command, asked.source); });
             }) {
    ActivApp->setMainFormTitle("MyOtherApp");
    AudioMixer->setMixerId(0);
    TimerSources = &create<fw::Timer>("TimerSources");
    TimerSources->setInterval(static_cast<int>(SourceLink::retryMs));
    TimerSources->bindHandler([this](fw::Component&) {
        for (SourceLink* source : sources_) source->keep();
    });
    for (SourceLink* source : sources_)
        subscriptions_.push_back(source->onStatus([this, source](const SourceStatus&) { sourceChanged(*source); }));
    // Codes the setup dialog does not learn may carry out commands.
    subscriptions_.push_back(codes.onCarryOut([this](const ir::CodeEvent& e) { handset_.received(e); }));
    subscriptions_.push_back(codes.onLearn([this](const ir::CodeEvent& e) { heard(e); }));
    // The held-key code as learned now, also while the dialog learns it.
    codes.setHeldKeyCode([&store = store_](const std::string& code) {
        const auto& learned = store.settings().LearnedCodes;
        const auto held = learned.find(heldKeyName);
        return held != learned.end() && holdsCode(held->second, code);
    });
    subscriptions_.push_back(MasterVolume->onChanged([this] { Live->setSound(MasterVolume->percent(), MasterVolume->muted()); }));
    // However the program ends, every source lets go before the process
    // does, and none is turned on again.
    subscriptions_.push_back(fw::Application::of(this).onEnding([this] {
        ended_ = true;
        deactivateSources();
    }));
}

// The parts go while the listeners and the settings they reach are here.
Remote::~Remote() {
    codes_.setLearning(false);
    subscriptions_.clear();
    destroyComponents();
}

void Remote::start() {
    apply();
}

void Remote::apply() {
    if (applying_ || ended_) return;
    const fw::Raised applying(applying_);
    MasterVolume->choose(settings().Volume);
    Keys->takeLearned(settings());
    // Each source reads its own settings: "Enable/Disable IR" is the
    // serial receiver's, the server is on whenever its address is set, the
    // system's keys unless "[KEYS] ENABLED" is 0. A failure's box may let
    // the program end meanwhile.
    for (SourceLink* source : sources_) {
        if (ended_) return;
        source->activate(settings());
    }
    TimerSources->setEnabled(!ended_);
    appliedListeners_();
}

void Remote::deactivateSources() {
    TimerSources->setEnabled(false);
    for (SourceLink* source : sources_) source->deactivate();
}

void Remote::reload() {
    if (ended_ || applying_) return;
    deactivateSources();
    store_.LoadSettings();
    apply();
}

void Remote::sourceChanged(const SourceLink& source) {
    const bool lit = std::any_of(sources_.begin(), sources_.end(),
                                 [](const SourceLink* s) { return s->lightsBadge() && s->isLive(); });
    Live->setBadge(lit);
    sourceListeners_(source);
}

void Remote::beginSetup() {
    codes_.setLearning(true);
}

void Remote::endSetup() {
    // Closing the dialog ends a walk; what it learned stays.
    walk_.stop();
    walkWaiting_.clear();
    codes_.setLearning(false);
    // Left by Ok or not, learned codes were written at once: every setting
    // is taken afresh from the file.
    reload();
}

void Remote::save(DialogSettings values, std::optional<bool> startWithWindows) {
    std::vector<std::string> failures;
    if (values.LircAddress) {
        *values.LircAddress = std::string(fw::trimBlanks(*values.LircAddress));
        if (!values.LircAddress->empty() && !ir::parseLircAddress(*values.LircAddress)) {
            failures.push_back("Not a LIRC server address: " + *values.LircAddress);
            values.LircAddress.reset();
        }
    }
    try {
        store_.SaveSettings(values);
    } catch (const std::exception& e) {
        failures.emplace_back(e.what());
    }
    // Only a change of the box touches the list, so another copy's value
    // survives an Ok that changed something else.
    if (startWithWindows) {
        const std::string exe = fw::Application::of(this).exeName();
        const bool written = *startWithWindows ? logon_.write(logonCommandLine(exe)) : logon_.remove();
        if (!written) failures.push_back("Unable to write to " + logon_.place());
    }
    if (failures.empty()) return;
    std::string text;
    for (const std::string& f : failures) text += (text.empty() ? "" : "\n") + f;
    throw std::runtime_error(text);
}

bool Remote::startsWithWindows() {
    // The log-on list is the truth: a value of another copy's, or of this
    // one before it moved, is not ours.
    const auto commandLine = logon_.read();
    return commandLine && startsExecutable(*commandLine, fw::Application::of(this).exeName(), logon_);
}

std::optional<std::string> Remote::findPlayer() {
    return app::findPlayer(settings().PlayerPath, launcher_);
}

std::string Remote::answeringPlayer() {
    if (WinampControl->IsRunning()) return WinampControl->DescribePlayer();
    return settings().OthersByMediaKeys ? "none: media keys" : "none";
}

std::optional<std::string> Remote::deviceToConfirm(const std::string& code) const {
    const auto key = ir::parseKeyCode(code);
    if (!key || key->device.empty() || receivers_.count(key->device)) return std::nullopt;
    return key->device;
}

void Remote::learned(const std::function<void()>& write) {
    // A failed write raises its error; the store is then what the file is,
    // and the keys taken follow that.
    struct Follow {
        Remote& remote;
        ~Follow() { remote.Keys->takeLearned(remote.settings()); }
    } follow{*this};
    write();
}

void Remote::learnCode(const std::string& command, const std::string& code) {
    if (const auto device = deviceToConfirm(code))
        throw std::runtime_error("Not learned: " + *device + " was not said to be a handset's receiver");
    learned([&] { store_.SaveCodIr(command, code); });
}

void Remote::addCode(const std::string& command, const std::string& code) {
    if (const auto device = deviceToConfirm(code))
        throw std::runtime_error("Not learned: " + *device + " was not said to be a handset's receiver");
    learned([&] { store_.AddCodIr(command, code); });
}

void Remote::forgetCodes(const std::string& command) {
    learned([&] { store_.ForgetCodIr(command); });
}

void Remote::confirmReceiver(const std::string& device, bool isReceiver) {
    const std::string waiting = std::exchange(walkWaiting_, {});
    if (!isReceiver) return;
    receivers_.insert(device);
    if (!waiting.empty() && walk_.walking() && !deviceToConfirm(waiting)) walk_.received(waiting);
}

void Remote::startAfresh() { codes_.startAfresh(); }

void Remote::startWalk() {
    walkWaiting_.clear();
    walk_.start();
}

void Remote::skipWalk() {
    walkWaiting_.clear();
    walk_.skip();
}

void Remote::stopWalk() {
    walkWaiting_.clear();
    walk_.stop();
}

void Remote::heard(const ir::CodeEvent& event) {
    CodeHeard heard{event.code, deviceToConfirm(event.code)};
    if (walk_.walking()) {
        // Esc ends the walk and is learned for nothing; a key that types
        // or moves waits for the user's word on its device.
        if (isEscapeCode(event.code)) {
            stopWalk();
            heard.deviceToConfirm.reset();
        } else if (heard.deviceToConfirm) {
            walkWaiting_ = event.code;
        } else {
            walk_.received(event.code);
        }
    }
    heardListeners_(heard);
}

void Remote::runCommand(const Command& command, CommandSource source) {
    asked_.emptyNow();
    perform(command, source);
}

void Remote::ask(const Command& command, CommandSource source) {
    asked_.push(Asked{&command, source});
}

void Remote::perform(const Command& command, CommandSource source) {
    source_ = source;
    outcome_ = {};
    {
        // What the command changes and what the look after it finds are
        // told as one change.
        LiveState::CommandChanges changes(*Live);
        command.run(*this);
        changes.look();
        outcome_.unanswered = Live->watched() ? Live->unanswered() : 0;
    }
    // Copied: a listener may serve messages, and another command may run
    // meanwhile.
    const CommandOutcome outcome = outcome_;
    commandListeners_(command, source, outcome);
}

void Remote::startOrClosePlayer() {
    PlayerStart& start = outcome_.start;
    if (WinampControl->IsRunning()) {
        WinampControl->ClosePlayer();
        start.outcome = PlayerStart::Outcome::closed;
        return;
    }
    const auto path = findPlayer();
    if (!path) {
        start.outcome = PlayerStart::Outcome::notFound;
        failedStart(source_);
        return;
    }
    start.file = *path;
    ActivApp->setExePath(*path);
    if (const auto failure = ActivApp->ActivateApp()) {
        start.outcome = PlayerStart::Outcome::failed;
        start.error = failure->text + (failure->code ? " (error " + std::to_string(failure->code) + ")" : "");
        failedStart(source_);
        return;
    }
    start.outcome = PlayerStart::Outcome::started;
}

void Remote::failedStart(CommandSource source) {
    // Copied: a listener may serve messages, and another press may start
    // the player again meanwhile.
    const PlayerStart start = outcome_.start;
    startListeners_(start, source);
}

void Remote::typeDigit(int digit) {
    Live->setDigits(state().digits + static_cast<char>('0' + digit));
}

void Remote::enterTrack() {
    if (!state().digits.empty()) {
        // Too many digits for a 32-bit number: the error is shown and the
        // digits stay typed.
        const std::int32_t n = fw::strToInt(state().digits);
        WinampControl->SetTrackNumber(n);
    }
    Live->setDigits("");
    WinampControl->Play();
}

void Remote::cancelTrack() {
    Live->setDigits("");
}

void Remote::setVolume(int percent, CommandSource) {
    MasterVolume->setPercent(percent);
}

void Remote::chooseTrack(std::int32_t number, CommandSource source) {
    Live->setDigits(std::to_string(number));
    runCommand(*commandNamed("ENTER"), source);
}

void Remote::othersUnless(bool sentToPlayer, platform::MediaKey key) {
    if (!sentToPlayer && settings().OthersByMediaKeys) mediaKeys_.send(key);
}

}  // namespace app
