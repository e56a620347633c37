// Starting with Windows: the log-on list's command line for this program,
// and whether a command line found there starts this very program (a copy
// elsewhere, or this one before it was moved, does not).
#pragma once

#include <string>

namespace app {

std::string logonCommandLine(const std::string& executable);
// Compared without quotes or the blanks around them, and without regard to
// letter case, as Windows names files.
bool startsExecutable(const std::string& commandLine, const std::string& executable);

}  // namespace app
