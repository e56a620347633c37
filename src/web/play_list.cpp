#include "web/play_list.h"

#include <algorithm>
#include <mutex>

namespace web {

namespace {

// The query's words, split at white space (the folded text's ASCII kind;
// a search typed with other spaces is rare enough to take as one word).
std::vector<std::string> wordsOf(std::string_view folded) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < folded.size()) {
        const std::size_t start = folded.find_first_not_of(" \t\r\n\f\v", at);
        if (start == std::string_view::npos) break;
        std::size_t end = folded.find_first_of(" \t\r\n\f\v", start);
        if (end == std::string_view::npos) end = folded.size();
        words.emplace_back(folded.substr(start, end - start));
        at = end;
    }
    return words;
}

}  // namespace

PlayList::PlayList(Fold fold) : fold_(std::move(fold)) {}

void PlayList::reset(std::int32_t length) {
    const auto size = static_cast<std::size_t>(std::clamp(length, 0, maxListLength));
    std::vector<Entry> fresh(size);
    std::unique_lock hold(lock_);
    known_ = true;
    entries_.swap(fresh);
    read_ = 0;
    ++number_;
}

void PlayList::setTitle(std::int32_t index, std::optional<std::string> title) {
    // Folded before the lock is taken: the server's readers never wait
    // for the system's folding.
    std::string folded = title ? fold_(*title) : std::string();
    std::unique_lock hold(lock_);
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return;
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (!entry.read) ++read_;
    entry.read = true;
    entry.title = std::move(title);
    entry.folded = std::move(folded);
}

void PlayList::setPosition(std::optional<std::int32_t> position) {
    std::unique_lock hold(lock_);
    position_ = position;
}

std::uint32_t PlayList::number() const {
    std::shared_lock hold(lock_);
    return number_;
}

std::int32_t PlayList::length() const {
    std::shared_lock hold(lock_);
    return static_cast<std::int32_t>(entries_.size());
}

std::optional<std::int32_t> PlayList::position() const {
    std::shared_lock hold(lock_);
    return position_;
}

std::optional<std::optional<std::string>> PlayList::title(std::int32_t index) const {
    std::shared_lock hold(lock_);
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return std::nullopt;
    const Entry& entry = entries_[static_cast<std::size_t>(index)];
    if (!entry.read) return std::nullopt;
    return entry.title;
}

bool PlayList::complete() const {
    std::shared_lock hold(lock_);
    return head().complete;
}

// Under the lock.
ListPage PlayList::head() const {
    ListPage page;
    page.length = static_cast<std::int32_t>(entries_.size());
    // A position beyond the list is none of its titles.
    if (position_ && *position_ >= 1 && *position_ <= page.length) page.position = position_;
    page.complete = known_ && read_ == entries_.size();
    return page;
}

ListPage PlayList::page(std::size_t offset, std::size_t count) const {
    std::shared_lock hold(lock_);
    ListPage page = head();
    page.offset = offset;
    for (std::size_t i = offset; i < entries_.size() && i - offset < count; ++i)
        page.items.push_back({static_cast<std::int32_t>(i + 1), entries_[i].title});
    return page;
}

ListPage PlayList::search(std::string_view query, std::size_t offset, std::size_t count) const {
    const std::vector<std::string> words = wordsOf(fold_(query));
    if (words.empty()) return page(offset, count);
    std::shared_lock hold(lock_);
    ListPage page = head();
    page.offset = offset;
    std::size_t matches = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        if (!entry.read || !entry.title) continue;
        const bool all = std::all_of(words.begin(), words.end(), [&](const std::string& word) {
            return entry.folded.find(word) != std::string::npos;
        });
        if (!all) continue;
        if (matches >= offset && matches - offset < count)
            page.items.push_back({static_cast<std::int32_t>(i + 1), entry.title});
        ++matches;
    }
    page.length = static_cast<std::int32_t>(matches);
    return page;
}

}  // namespace web
