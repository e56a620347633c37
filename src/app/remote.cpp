#include "app/remote.h"

#include <algorithm>
#include <stdexcept>

#include "app/player_path.h"
#include "app/start_with_windows.h"
#include "framework/application.h"
#include "framework/convert.h"
#include "framework/raised.h"

namespace app {

Remote::Remote(fw::Component* owner, const RemoteServices& services)
    : fw::Component(owner, "Remote"),
      WinampControl(&create<control::TWinampControl>("WinampControl", services.player)),
      ActivApp(&create<control::TActivApp>("ActivApp", services.launcher)),
      AudioMixer(&create<control::TAudioMixer>("AudioMixer", services.mixer)),
      MasterVolume(&create<control::MasterVolume>("MasterVolume", services.endpoint, *WinampControl, *AudioMixer)),
      Receiver(&create<ReceiverLink>("ReceiverLink", services.com, services.receiver, services.codes)),
      Server(&create<LircLink>("LircLink", services.sockets, services.codes)),
      Keys(&create<KeysLink>("KeysLink", services.keys, services.codes)),
      store_(services.store),
      launcher_(services.launcher),
      logon_(services.logon),
      mediaKeys_(services.mediaKeys),
      sources_{Receiver, Server, Keys},
      handset_(*this) {
    ActivApp->setMainFormTitle("MyOtherApp");
    AudioMixer->setMixerId(0);
    for (SourceLink* source : sources_) subscriptions_.push_back(source->onLit([this](bool) { sourceLit(); }));
    // Codes the setup dialog does not learn may carry out commands.
    subscriptions_.push_back(services.codes.onCarryOut([this](const ir::CodeEvent& e) { handset_.received(e); }));
    // The held-key code as learned now, also while the dialog learns it.
    services.codes.setHeldKeyCode([&store = store_](const std::string& code) {
        const auto& learned = store.settings().LearnedCodes;
        const auto held = learned.find(heldKeyName);
        return held != learned.end() && holdsCode(held->second, code);
    });
    subscriptions_.push_back(MasterVolume->onChanged([this] { muteListeners_(MasterVolume->muted()); }));
    // However the program ends, every source lets go before the process
    // does, and none is turned on again.
    subscriptions_.push_back(fw::Application::of(this).onEnding([this] {
        ended_ = true;
        Dezactivare();
    }));
}

// The parts go while the listeners and the settings they reach are here.
Remote::~Remote() {
    subscriptions_.clear();
    destroyComponents();
}

void Remote::LoadSettings() {
    store_.LoadSettings();
}

void Remote::apply() {
    if (applying_) return;
    const fw::Raised applying(applying_);
    MasterVolume->choose(settings().Volume);
    // Each source reads its own settings: "Enable/Disable IR" is the
    // serial receiver's, the server is on whenever its address is set, the
    // system's keys unless "[KEYS] ENABLED" is 0. A
    // failure's box may let the program end meanwhile.
    for (SourceLink* source : sources_) {
        if (ended_) return;
        source->activate(settings());
    }
}

void Remote::Dezactivare() {
    for (SourceLink* source : sources_) source->deactivate();
}

void Remote::reload() {
    if (ended_ || applying_) return;
    Dezactivare();
    LoadSettings();
    apply();
}

void Remote::sourceLit() {
    const bool lit = std::any_of(sources_.begin(), sources_.end(), [](const SourceLink* s) { return s->isLit(); });
    if (lit == badgeLit_) return;
    badgeLit_ = lit;
    badgeListeners_(lit);
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

void Remote::runCommand(const Command& command, CommandSource source) {
    source_ = source;
    command.run(*this);
    commandListeners_(command, source);
}

void Remote::startOrClosePlayer() {
    lastStart_ = {};
    if (WinampControl->IsRunning()) {
        WinampControl->ClosePlayer();
        lastStart_.outcome = PlayerStart::Outcome::closed;
        return;
    }
    const auto path = findPlayer();
    if (!path) {
        lastStart_.outcome = PlayerStart::Outcome::notFound;
        failedStart(source_);
        return;
    }
    lastStart_.file = *path;
    ActivApp->setExePath(*path);
    if (const auto failure = ActivApp->ActivateApp()) {
        lastStart_.outcome = PlayerStart::Outcome::failed;
        lastStart_.error = failure->text + (failure->code ? " (error " + std::to_string(failure->code) + ")" : "");
        failedStart(source_);
        return;
    }
    lastStart_.outcome = PlayerStart::Outcome::started;
}

void Remote::failedStart(CommandSource source) {
    // Copied: a listener may serve messages, and another press may start
    // the player again meanwhile.
    const PlayerStart start = lastStart_;
    startListeners_(start, source);
}

void Remote::setDigits(std::string digits) {
    trackDigits_ = std::move(digits);
    digitListeners_(trackDigits_);
}

void Remote::typeDigit(int digit) {
    setDigits(trackDigits_ + static_cast<char>('0' + digit));
}

void Remote::enterTrack() {
    if (!trackDigits_.empty()) {
        // Too many digits for a 32-bit number: the error is shown and the
        // digits stay typed.
        const std::int32_t n = fw::strToInt(trackDigits_);
        WinampControl->SetTrackNumber(n);
    }
    setDigits("");
    WinampControl->Play();
}

void Remote::cancelTrack() {
    setDigits("");
}

void Remote::othersUnless(bool sentToPlayer, platform::MediaKey key) {
    if (!sentToPlayer && settings().OthersByMediaKeys) mediaKeys_.send(key);
}

std::string Remote::answeringPlayer() {
    if (WinampControl->IsRunning()) return WinampControl->DescribePlayer();
    return settings().OthersByMediaKeys ? "none: media keys" : "none";
}

PlayerLook Remote::lookAtPlayer() {
    control::TWinampControl& player = *WinampControl;
    // One look-up of the player's window serves the whole look. A player
    // that leaves a question unanswered is asked nothing more.
    const control::TWinampControl::Session session(player);
    PlayerLook look;
    const bool running = player.IsRunning();
    std::string track;
    if (running) player.GetTrackText(track);
    if (!session.answered()) return look;
    look.running = running;
    if (running) look.track = track;
    // Each thing once: one status request tells playing, paused and
    // stopped apart. Once the player is silent these ask nothing.
    PlayerLook::State state;
    state.play = player.Status();
    state.repeat = player.IsRepeatOn();
    state.shuffle = player.IsShuffleOn();
    player.GetTimeText(state.time);
    // The players the media keys reach tell nothing: no figures, not zeros.
    if (!running && settings().OthersByMediaKeys) {
        look.track = "--";
        state.time = "--:--";
    }
    if (session.answered()) look.state = state;
    return look;
}

}  // namespace app
