// The player's play list as the web remote serves it: what has been read of
// it so far. The GUI thread reads the player in pieces and writes here; the
// server's thread pages and searches it at once, never waiting for the
// player. Titles are kept with their folded form (letter case and accents
// aside, by the system's own folding), folded once as they are read, so a
// search only compares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

namespace web {

// A list longer than this is served as its first maxListLength titles.
constexpr std::int32_t maxListLength = 100000;
constexpr std::size_t defaultListCount = 50;
constexpr std::size_t maxListCount = 200;
// A search's text, in bytes: more is no one's search.
constexpr std::size_t maxSearchBytes = 256;

// Thread-safe: a text's folded form, to compare with another's.
using Fold = std::function<std::string(std::string_view utf8)>;

struct ListItem {
    std::int32_t number = 0;            // from 1, as the track read-out counts
    std::optional<std::string> title;   // none while unread, or where the player offers none
    bool operator==(const ListItem&) const = default;
};

struct ListPage {
    // The titles in the list, or the matches found so far.
    std::int32_t length = 0;
    std::optional<std::int32_t> position;  // from 1; none where the player cannot tell
    std::size_t offset = 0;
    std::vector<ListItem> items;
    // Every title was read: a search's matches are all found.
    bool complete = false;
};

class PlayList {
public:
    explicit PlayList(Fold fold);

    // The writer's side (one thread).
    // A list of that many titles (0: the player has none, or no player
    // answers), none of them read yet; a new list number.
    void reset(std::int32_t length);
    // The title at that zero-based index was read (none: it has none the
    // remote can read).
    void setTitle(std::int32_t index, std::optional<std::string> title);
    void setPosition(std::optional<std::int32_t> position);

    // Any thread.
    // A number that changes whenever the list does.
    std::uint32_t number() const;
    std::int32_t length() const;
    std::optional<std::int32_t> position() const;
    // The title read at that index, none when unread.
    std::optional<std::optional<std::string>> title(std::int32_t index) const;
    bool complete() const;
    // `count` items from `offset`.
    ListPage page(std::size_t offset, std::size_t count) const;
    // The titles that hold every word of the query, folded, in list
    // order: `count` of them from the `offset`-th match.
    ListPage search(std::string_view query, std::size_t offset, std::size_t count) const;

private:
    struct Entry {
        bool read = false;
        std::optional<std::string> title;
        std::string folded;
    };
    ListPage head() const;

    Fold fold_;
    mutable std::shared_mutex lock_;
    bool known_ = false;
    std::vector<Entry> entries_;
    std::size_t read_ = 0;
    std::optional<std::int32_t> position_;
    std::uint32_t number_ = 0;
};

}  // namespace web
