// Starting with Windows: the log-on list's command line for this program,
// and whether a command line found there starts this very program (a copy
// elsewhere, or this one before it was moved, does not).
#pragma once

#include <string>

#include "platform/run_at_logon.h"

namespace app {

std::string logonCommandLine(const std::string& executable);
// Compared without quotes or the blanks around them, the paths as the
// system compares file names (without regard to case, in every alphabet).
bool startsExecutable(const std::string& commandLine, const std::string& executable,
                      const platform::RunAtLogon& logon);

}  // namespace app
