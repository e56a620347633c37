// TOsd: the on-screen display of what the handset did while the remote is
// hidden. A small borderless window in the bottom-right corner of the
// screen's work area, above every window, that never takes the focus; made
// once and reused, it is updated in place while a key is held and hides
// itself 1.5 s after the last command (or at a click). It speaks the
// remote's look: the read-outs' silver and black, their seven-segment
// figures for the time, the track, the typed digits and the volume, and
// the marks of the remote's status indicators. Whatever it is not told is
// left out, never guessed.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "control/winamp_control.h"
#include "framework/form.h"
#include "framework/std_controls.h"
#include "framework/timer.h"
#include "widgets/lcd99.h"

namespace app {

// What one command left to show, as the player and the mixer reported it
// right after the command.
struct OsdContent {
    // The line of text at the top: the command, or what happened.
    std::string title;
    // Play, pause or stop, as the player's status says.
    std::optional<control::TWinampControl::PlayState> state;
    // The mute mark, on (muted) or off.
    std::optional<bool> muted;
    // The volume in percent of the mixer's range: a bar of 20 steps.
    std::optional<int> percent;
    // The left read-out (the elapsed time) and the right one (the track, the
    // typed digits, or the volume's percent).
    std::optional<std::string> time;
    std::optional<std::string> number;
    // The player's title of the track, on a line of its own beneath.
    std::optional<std::string> song;
    friend bool operator==(const OsdContent&, const OsdContent&) = default;
};

// Where everything lies on the display, in layout pixels (a decoder of
// screenshots reads the same places).
struct OsdLayout {
    static constexpr fw::Size client{184, 60};
    // With a title, the line beneath the read-outs.
    static constexpr fw::Rect song = fw::Rect::fromSize(6, 58, 172, 15);
    static constexpr int songHeight = 18;
    static constexpr fw::Rect title = fw::Rect::fromSize(6, 4, 172, 15);
    static constexpr fw::Rect mark = fw::Rect::fromSize(8, 30, 16, 16);
    static constexpr fw::Rect time = fw::Rect::fromSize(32, 26, 78, 26);
    static constexpr fw::Rect bar = fw::Rect::fromSize(32, 30, 80, 18);
    static constexpr fw::Rect number = fw::Rect::fromSize(118, 26, 58, 26);
    static constexpr int timeDigits = 5;
    static constexpr int numberDigits = 4;
    static constexpr int segmentSize = 2;
    static constexpr int barSteps = 20;
    // From the work area's edges.
    static constexpr int margin = 16;
    static constexpr int hideAfterMs = 1500;
};

// The display's face: its background, title, mark, volume bar and its two
// read-outs, all in one paint of one window (read-outs of their own would be
// windows of their own, each painted apart: showing the display would cost
// three paints).
class OsdFace : public fw::GraphicControl {
public:
    OsdFace(fw::Component* owner, std::string name, widgets::TLCD99& time, widgets::TLCD99& number)
        : fw::GraphicControl(owner, std::move(name)), time_(time), number_(number) {}
    void setContent(const OsdContent& content);
    void paint(fw::Canvas& canvas) override;

private:
    void paintMark(fw::Canvas& canvas) const;
    void paintBar(fw::Canvas& canvas) const;

    OsdContent content_;
    widgets::TLCD99& time_;
    widgets::TLCD99& number_;
};

class TOsd : public fw::Form {
public:
    explicit TOsd(fw::Component* owner);

    // Shows the content (without taking the focus) or updates what is
    // shown in place, and counts the 1.5 s afresh.
    void showContent(const OsdContent& content);
    const OsdContent& content() const { return content_; }
    void TimerHideTimer(fw::Component& sender);

    // Window-less read-outs, painted by the face.
    widgets::TLCD99* const LCDTime;
    widgets::TLCD99* const LCDNumber;
    OsdFace* Face = nullptr;
    fw::Label* LabelSong = nullptr;
    fw::Timer* TimerHide = nullptr;

protected:
    void visibilityChanged() override;

private:
    OsdContent content_;
    std::unique_ptr<widgets::TLCD99> time_, number_;
};

}  // namespace app
