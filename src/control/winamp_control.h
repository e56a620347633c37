// TWinampControl: drives a running Winamp through its window messages. It
// keeps nothing: every operation looks the player's window up again by its
// class and sends exactly one message; with no player, commands answer
// false and queries read 0.
#pragma once

#include <cstdint>
#include <string>

#include "framework/component.h"
#include "platform/player_window.h"

class TWinampControl : public fw::Component {
public:
    static constexpr const char* windowClass = "Winamp v1.x";
    static constexpr unsigned WM_NULL_ = 0;
    static constexpr unsigned WM_COMMAND_ = 273;
    static constexpr unsigned WM_USER_ = 1024;

    TWinampControl(fw::Component* owner, std::string name, platform::PlayerWindows& windows)
        : fw::Component(owner, std::move(name)), windows_(windows) {}

    bool SendCommand(unsigned msg, std::int32_t wParam, std::int32_t lParam);
    bool QueryValue(unsigned msg, std::int32_t wParam, std::int32_t lParam, std::int32_t& reply);

    bool IsRunning();
    bool Play();
    bool Pause();
    bool Stop();
    bool PreviousTrack();
    bool NextTrack();
    bool Rewind();
    bool FastForward();
    bool ToggleRepeat();
    bool ToggleShuffle();
    bool ClosePlayer();
    // N is the one-based number the user typed; the player gets N - 1.
    bool SetTrackNumber(std::int32_t n);
    bool IsPlaying();
    bool IsPaused();
    bool IsShuffleOn();
    bool IsRepeatOn();
    // Elapsed time as minutes and seconds, "mm:ss".
    void GetTimeText(std::string& text);
    // One-based play-list position.
    void GetTrackText(std::string& text);

    static std::string PadTwoDigits(std::int32_t value);

private:
    bool command(std::int32_t id) { return SendCommand(WM_COMMAND_, id, 0); }
    std::int32_t request(std::int32_t code, std::int32_t argument = 0);

    platform::PlayerWindows& windows_;
};
