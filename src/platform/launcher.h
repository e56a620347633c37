// Bringing another application forward or starting it: what the
// application activator needs. Applications that hold an activator agree on
// one private message that asks the receiver to come to the front.
#pragma once

#include <optional>
#include <string>

#include "framework/host.h"

namespace platform {

// How a program file is started: exactly that file, its path quoted as the
// command line's first word, in its own folder.
struct Launch {
    std::string file;
    std::string commandLine;
    std::string folder;
};

// Why a program did not start: the system's error number (0 when the
// system was not asked) and its words.
struct LaunchFailure {
    unsigned code = 0;
    std::string text;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // The exact title, any class; 0 for none.
    virtual fw::WindowHandle findByTitle(const std::string& title) = 0;
    // Posts the activation request to that window.
    virtual void requestActivation(fw::WindowHandle window) = 0;
    // Whether a message taken from our own queue is such a request.
    virtual bool isActivationRequest(const fw::Message& message) const = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // Starts exactly the launch's program file, shown normally; what kept
    // it from starting, if it did not.
    virtual std::optional<LaunchFailure> runFile(const Launch& launch) = 0;
    // An environment variable's value; none when it is not set.
    virtual std::optional<std::string> environment(const std::string& name) = 0;
    // The text of a value under the current user's part of the registry
    // ("" names a key's default value); none when it is missing.
    virtual std::optional<std::string> userSetting(const std::string& key, const std::string& value) = 0;
};

}  // namespace platform
