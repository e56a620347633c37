// The remote's 25 commands, each once: its name (the key of its learned
// code in ir_zav.ini), its place in the order the codes are loaded (the
// table's own order) and in the setup dialog's list, the operation it runs
// on the remote, how a held handset key repeats it and what the on-screen
// display shows of it. Settings, the setup dialog, the views and the
// handset all read this table; a view maps its own keys to commands in
// its own design table. Adding a command takes a row here, the operation
// it names on the remote, a key for it in the main window's design table,
// and the counts the tests hold.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace app {

class Remote;

// How a held handset key repeats its command.
enum class Repetition { once, everyArrival, everySecondArrival };

// What a command shows on the on-screen display once it has run.
enum class Feedback { transport, volume, mute, digits, shuffle, repeat, player };

// Who asked for a command to run: a key of the main window, a handset
// through one of the sources of codes, or a phone.
enum class CommandSource { key, receiver, lirc, keys, web };

// A handset (or a phone) asked, not the mouse on the remote's own keys.
constexpr bool fromHandset(CommandSource source) { return source != CommandSource::key; }
// What a command came to may be told in a box on the PC: not for a phone,
// whose user may be in another room.
constexpr bool opensBoxes(CommandSource source) { return source != CommandSource::web; }

struct Command {
    const char* name;
    std::size_t dialogPlace;  // from 0
    void (*run)(Remote& remote);
    Repetition repetition;
    Feedback feedback;
};

// Every command, in load order.
std::span<const Command> commands();
// The command of that name (exactly as the table writes it), or none.
const Command* commandNamed(std::string_view name);
const std::vector<std::string>& commandNamesLoadOrder();
const std::vector<std::string>& commandNamesDialogOrder();

// The code many handsets send while a key is held, the same for every key:
// learned like a command, after the last one, it carries out none of its
// own but repeats the key held.
extern const char* const heldKeyName;
// Everything a code can be learned for: the commands, then the held-key
// code, in load order and in the setup dialog's order.
const std::vector<std::string>& learnedNamesLoadOrder();
const std::vector<std::string>& learnedNamesDialogOrder();

}  // namespace app
