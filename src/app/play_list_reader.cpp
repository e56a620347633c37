#include "app/play_list_reader.h"

#include <algorithm>

namespace app {

using Session = control::TWinampControl::Session;

PlayListReader::PlayListReader(fw::Component* owner, std::string name, control::TWinampControl& player,
                               web::PlayList& list, Clock clock)
    : fw::Component(owner, std::move(name)), player_(player), list_(list), clock_(std::move(clock)) {
    TimerSlice = &create<fw::Timer>("TimerSlice");
    TimerSlice->setEnabled(false);
    TimerSlice->setInterval(slicePaceMs);
    TimerSlice->bindHandler([this](fw::Component&) { slice(); });
    TimerLength = &create<fw::Timer>("TimerLength");
    TimerLength->setEnabled(false);
    TimerLength->setInterval(followedEveryMs);
    TimerLength->bindHandler([this](fw::Component&) { lookAtLength(); });
}

void PlayListReader::asked(std::optional<std::int32_t> from) {
    if (from) from_ = std::clamp(*from, 0, web::maxListLength);
    const auto now = clock_();
    if (silentAt_ && now - *silentAt_ < silenceRest) return;
    silentAt_.reset();
    if (known_ && (!checkedAt_ || now - *checkedAt_ >= checkEvery)) checkDue_ = true;
    if (!known_ || unread_ > 0 || checkDue_) TimerSlice->setEnabled(true);
}

void PlayListReader::follow(bool on) { TimerLength->setEnabled(on); }

void PlayListReader::slice() {
    const auto start = clock_();
    // One look-up of the window for the slice; the first question left
    // unanswered ends it.
    Session session(player_);
    int messages = 0;
    if (!known_ || checkDue_) {
        checkDue_ = false;
        checkedAt_ = start;
        if (!player_.IsRunning()) {
            none();
            TimerSlice->setEnabled(false);
            return;
        }
        if (!known_) {
            const auto length = player_.ListLength();
            const auto position = player_.TrackNumber();
            messages += 2;
            // A player that answers nothing has no list to show, until
            // it answers again.
            if (!session.answered() || !length) {
                none();
                return silent();
            }
            list_.setPosition(position);
            anew(*length);
        } else {
            check(session, messages);
            if (!session.answered()) {
                checkDue_ = true;
                return silent();
            }
        }
    }
    // A title is begun only when one as slow as the slowest so far would
    // still end within the slice.
    std::chrono::steady_clock::duration slowest{};
    for (auto at = clock_(); messages < titlesPerSlice && at - start + slowest < sliceMs;) {
        const auto index = nextUnread();
        if (!index) break;
        auto title = player_.GetTitle(*index + 1);
        ++messages;
        const auto done = clock_();
        slowest = std::max(slowest, done - at);
        at = done;
        if (!session.answered()) return silent();
        read_[static_cast<std::size_t>(*index)] = true;
        --unread_;
        list_.setTitle(*index, std::move(title));
    }
    if (unread_ == 0) TimerSlice->setEnabled(false);
}

void PlayListReader::check(Session& session, int& messages) {
    const auto length = player_.ListLength();
    const auto position = player_.TrackNumber();
    messages += 2;
    if (!session.answered()) return;
    list_.setPosition(position);
    if (!length || *length != rawLength_) {
        anew(length.value_or(0));
        return;
    }
    const auto n = static_cast<std::int32_t>(read_.size());
    if (n == 0) return;
    // The ends, the middle and the playing title: an edit, a sort or
    // another list shows at one of them, in a handful of questions.
    std::vector<std::int32_t> places{0, n - 1, n / 2};
    if (position && *position >= 1 && *position <= n) places.push_back(*position - 1);
    for (const std::int32_t at : places) {
        if (!read_[static_cast<std::size_t>(at)]) continue;
        const auto title = player_.GetTitle(at + 1);
        ++messages;
        if (!session.answered()) return;
        if (list_.title(at) != std::optional<std::optional<std::string>>(title)) {
            anew(*length);
            return;
        }
    }
}

void PlayListReader::anew(std::int32_t length) {
    rawLength_ = length;
    const auto n = static_cast<std::size_t>(std::clamp(length, 0, web::maxListLength));
    read_.assign(n, false);
    unread_ = static_cast<std::int32_t>(n);
    known_ = true;
    cursor_ = 0;
    list_.reset(length);
    changedListeners_();
}

void PlayListReader::none() {
    list_.setPosition(std::nullopt);
    if (known_ && rawLength_ == 0) return;
    anew(0);
}

std::optional<std::int32_t> PlayListReader::nextUnread() {
    const auto n = static_cast<std::int32_t>(read_.size());
    if (from_) {
        const std::int32_t end = std::min(n, *from_ + static_cast<std::int32_t>(web::maxListCount));
        for (std::int32_t i = *from_; i < end; ++i)
            if (!read_[static_cast<std::size_t>(i)]) return i;
        from_.reset();
    }
    // Everything before the cursor is read.
    while (cursor_ < n && read_[static_cast<std::size_t>(cursor_)]) ++cursor_;
    if (cursor_ < n) return cursor_;
    return std::nullopt;
}

void PlayListReader::lookAtLength() {
    Session session(player_);
    if (!player_.IsRunning()) {
        if (known_) none();
        return;
    }
    // Nothing kept, nothing to tell: the next page asks for it all.
    if (!known_) return;
    const auto length = player_.ListLength();
    if (session.answered() && length && *length != rawLength_) anew(*length);
}

void PlayListReader::silent() {
    silentAt_ = clock_();
    TimerSlice->setEnabled(false);
}

}  // namespace app
