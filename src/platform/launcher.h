// Bringing another application forward or starting it: what the
// application activator needs. Applications that hold an activator agree on
// one private message that asks the receiver to come to the front.
#pragma once

#include <string>

#include "framework/host.h"

namespace platform {

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
    // Starts a command line the way the old launch call does, shown normally.
    virtual void runCommandLine(const std::string& commandLine) = 0;
    // Starts exactly this program file, whatever its path holds, shown normally.
    virtual void runFile(const std::string& path) = 0;
};

}  // namespace platform
