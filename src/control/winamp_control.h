// TWinampControl: drives a running Winamp through its remote-control
// interface, and the programs that answer its window (player_kind.h) each
// the way it understands. Every operation looks the player's window up
// again by its class; with no player, commands answer false and queries
// read 0. What it keeps of a window is what that window never changes:
// which program owns it and the version it answers (asked once, until
// answered), and whether the last shuffle or repeat key was one the player
// cannot carry out. A command is one exchange, or two or three where the
// player's way needs its state first (PAUSE on foobar2000's bridge, its
// shuffle and repeat).
//
// The exchanges made while a Session lives (one look at the player) share
// one look-up, which already tells whether the player runs (IsRunning asks
// it nothing more), and the first of them that the player leaves
// unanswered ends the session's talk: from then on the player counts as
// absent until the session ends, so a hung player costs a look one wait,
// not one per question.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "control/player_kind.h"
#include "control/winamp_api.h"
#include "framework/component.h"
#include "platform/player_window.h"

namespace control {

class TWinampControl : public fw::Component {
public:
    TWinampControl(fw::Component* owner, std::string name, platform::PlayerWindows& windows)
        : fw::Component(owner, std::move(name)), windows_(windows) {}

    class Session {
    public:
        explicit Session(TWinampControl& player);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

        // Every exchange so far had its answer: what the session read is
        // the player's state, not defaults standing in for silence.
        bool answered() const { return !player_.silent_; }

    private:
        TWinampControl& player_;
    };

    // The two primitives: false when there is no player window. A command's
    // reply is discarded; a query's reply is 0 when the player is absent.
    bool SendCommand(winamp::Command command);
    bool SendCommand(winamp::Request request, std::int32_t argument);
    bool QueryValue(winamp::Request request, std::int32_t argument, std::int32_t& reply);

    bool IsRunning();
    bool Play();
    bool Pause();
    bool Stop();
    bool PreviousTrack();
    bool NextTrack();
    bool Rewind();
    bool FastForward();
    // Where the player can only switch them on, a key that would switch one
    // off sends nothing and NotSupported() says so.
    bool ToggleRepeat();
    bool ToggleShuffle();
    bool NotSupported() const { return notSupported_; }
    bool ClosePlayer();
    // N is the one-based number the user typed; the player gets N - 1.
    bool SetTrackNumber(std::int32_t n);
    // Playing, paused or stopped, from one status request.
    enum class PlayState { stopped, playing, paused };
    PlayState Status();
    bool IsShuffleOn();
    bool IsRepeatOn();
    // The elapsed time of the track, in milliseconds.
    std::int32_t PositionMs();
    // The one-based play-list position; none from a player whose answer is
    // always the same (nothing is asked of it).
    std::optional<std::int32_t> TrackNumber();
    // Which program answers, known once per window by its image name, by
    // its name as the views show it ("Winamp 5.9").
    std::string DescribePlayer();
    // The title of the track of that one-based number, read from the
    // player's memory (UTF-16 where it offers it), at most maxTitleChars;
    // none when it cannot be read.
    static constexpr std::size_t maxTitleChars = 512;
    std::optional<std::string> GetTitle(std::int32_t track);
    // The number of titles in the play list; none when no player answers.
    std::optional<std::int32_t> ListLength();
    // The player's own output volume, 0 to 255: none when no player
    // answers (absent, or silent within its time).
    std::optional<std::int32_t> GetVolume();
    bool SetVolume(std::int32_t level);

private:
    fw::WindowHandle playerWindow();
    // Notes a silence in a session; passes the answer through.
    std::optional<std::int32_t> heard(std::optional<std::int32_t> answer);
    std::int32_t ask(winamp::Request request);
    PlayerIdentity identityOf(fw::WindowHandle w);
    const PlayerDifference* difference(fw::WindowHandle w, PlayerAction action);
    bool sendTo(fw::WindowHandle w, std::int32_t commandId);
    // A key's action, the player's way where it has one of its own;
    // `state` is the request that tells a switch's state.
    bool carryOut(PlayerAction action, winamp::Command usual, winamp::Request state = winamp::Request::status);

    platform::PlayerWindows& windows_;
    bool inSession_ = false;
    fw::WindowHandle sessionWindow_ = 0;
    bool silent_ = false;
    fw::WindowHandle identified_ = 0;
    PlayerIdentity identity_;
    bool versionAsked_ = false;
    bool notSupported_ = false;
};

}  // namespace control
