// Starting with the user's session: the one value of the program's own
// under the system's list of what runs at log-on. The value is a command
// line; the list, not the settings file, is the truth of whether the
// program starts with the session.
#pragma once

#include <optional>
#include <string>

namespace platform {

class RunAtLogon {
public:
    virtual ~RunAtLogon() = default;
    // Where the value lives, as a user would look it up.
    virtual std::string place() const = 0;
    // The value's command line; none when there is no value.
    virtual std::optional<std::string> read() = 0;
    virtual bool write(const std::string& commandLine) = 0;
    // True once the value is gone, also when there was none.
    virtual bool remove() = 0;
    // Whether two paths name the same file as the system compares file
    // names: without regard to case, in every alphabet.
    virtual bool sameFile(const std::string& a, const std::string& b) const = 0;
};

}  // namespace platform
