// PlayListReader: reads the player's play list for the web remote, in
// pieces on the GUI thread's own time: a slice on a timer's tick (the
// lowest of the thread's messages, after input, painting and the other
// timers), each of at most titlesPerSlice player messages and at most
// sliceMs long, so the windows and the handsets keep their pace while a
// long list is read. What was read is kept while the list stays the same:
// when asked again, its length and the titles at a few places are read
// again, and a list that differs is read anew. The player is asked nothing
// unless a page or a search asked for the list, and, while a phone follows
// the state, for its length every 2 s.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control/winamp_control.h"
#include "framework/component.h"
#include "framework/listeners.h"
#include "framework/timer.h"
#include "web/play_list.h"

namespace app {

class PlayListReader : public fw::Component {
public:
    // Measured under Wine, where a title costs the most (its request and
    // the read of its memory, 0.25 to 0.5 ms): 32 keep a slice at 8 to 16
    // ms, within sliceMs, and read 10,000 titles in 5 to 7 s.
    static constexpr int titlesPerSlice = 32;
    static constexpr std::chrono::milliseconds sliceMs{20};
    // The timer's pace between slices.
    static constexpr int slicePaceMs = 10;
    static constexpr int followedEveryMs = 2000;
    // Checked again when asked, at most this often.
    static constexpr std::chrono::milliseconds checkEvery{1000};
    // A player that left a question unanswered is asked again only after
    // this, and only when the list is asked for.
    static constexpr std::chrono::milliseconds silenceRest{2000};

    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    PlayListReader(fw::Component* owner, std::string name, control::TWinampControl& player, web::PlayList& list,
                   Clock clock = [] { return std::chrono::steady_clock::now(); });

    // A page or a search asked for the list; a page's titles from the
    // zero-based index `from` are read before the rest.
    void asked(std::optional<std::int32_t> from);
    // While a phone follows the state: the length is looked at every 2 s,
    // and a list that changed is one to read anew.
    void follow(bool on);
    // The playing track (from 1), as the live state tells it.
    void playing(std::optional<std::int32_t> track) { list_.setPosition(track); }
    // Heard each time the list's number changes.
    [[nodiscard]] fw::Subscription onChanged(std::function<void()> listener) {
        return changedListeners_.add(std::move(listener));
    }
    fw::Timer* TimerSlice = nullptr;   // owned
    fw::Timer* TimerLength = nullptr;  // owned

private:
    void slice();
    void lookAtLength();
    // The length and the titles at a few places against what is kept: a
    // list that differs is begun anew. `messages` counts the questions.
    void check(control::TWinampControl::Session& session, int& messages);
    void anew(std::int32_t length);
    void none();
    std::optional<std::int32_t> nextUnread();
    void silent();

    control::TWinampControl& player_;
    web::PlayList& list_;
    Clock clock_;
    // What this reader knows it read: the list's own copy is the server's.
    std::vector<bool> read_;
    std::int32_t unread_ = 0;
    bool known_ = false;
    // The length the player answered, which may exceed what is served.
    std::int32_t rawLength_ = 0;
    std::int32_t cursor_ = 0;
    std::optional<std::int32_t> from_;
    bool checkDue_ = false;
    std::optional<std::chrono::steady_clock::time_point> checkedAt_;
    std::optional<std::chrono::steady_clock::time_point> silentAt_;
    fw::Listeners<void()> changedListeners_;
};

}  // namespace app
