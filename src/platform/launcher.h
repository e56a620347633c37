// Finding another application's window by title, posting to it, and
// starting a program: what the application activator needs.
#pragma once

#include <cstdint>
#include <string>

#include "framework/host.h"

namespace platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // FindWindowA with no class: the exact title, any class; 0 for none.
    virtual fw::WindowHandle findByTitle(const std::string& title) = 0;
    virtual void post(fw::WindowHandle window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // WinExec of a command line with a show state.
    virtual void runCommandLine(const std::string& commandLine, int show) = 0;
    // Starts exactly this program file, whatever its path holds.
    virtual void runFile(const std::string& path, int show) = 0;
};

}  // namespace platform
