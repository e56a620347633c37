// What a LIRC or WinLIRC server sends its clients: one line of ASCII for
// each decoded infrared frame, "<code> <repeat> <button> <remote>", the
// code in hexadecimal (16 digits from lircd), the repeat count in
// hexadecimal too ("09" is followed by "0a"): 0 for a new press, more for
// the same key still held. Anything else the server may send (reply blocks
// between "BEGIN" and "END", blank lines) is not a key.
//
// The reader takes the bytes as they arrive, in pieces of any size, and
// gives the keys of the lines they complete. Every line is read by the key
// grammar alone, so a reply block without its end swallows nothing. A line
// longer than maxLineLength is dropped up to its end, and what the reader
// holds never grows beyond that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ir {

struct LircKey {
    std::string code;
    std::uint32_t repeat = 0;
    std::string button;
    std::string remote;
    bool operator==(const LircKey&) const = default;
};

// One line without its line end (a CR before the LF is allowed); none when
// it is not a key.
std::optional<LircKey> parseLircLine(std::string_view line);

class LircLineReader {
public:
    static constexpr std::size_t maxLineLength = 1024;

    std::vector<LircKey> feed(std::string_view bytes);
    // A new connection starts with no partial line.
    void reset();

private:
    std::string line_;
    bool dropping_ = false;
};

// The code text of a server's key: "<remote>:<button>", which names the key
// and not its signal (the same button of another remote is another key).
// A character that a list of codes in ir_zav.ini could not hold as it is
// (a comma, a blank, "=", "%", a control character), and a ":" inside a
// name (which would split the text elsewhere), is written "%XX".
std::string serverCodeText(const LircKey& key);

}  // namespace ir
