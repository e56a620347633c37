#include "app/start_with_windows.h"

#include "control/activ_app.h"
#include "framework/convert.h"

namespace app {

std::string logonCommandLine(const std::string& executable) {
    // Quoted, as a program is started: a path with blanks given bare is
    // split at the first blank.
    return control::launchOf(executable).commandLine;
}

bool startsExecutable(const std::string& commandLine, const std::string& executable,
                      const platform::RunAtLogon& logon) {
    std::string bare;
    for (char c : commandLine)
        if (c != '"') bare.push_back(c);
    const std::string path(fw::trimBlanks(bare));
    return !path.empty() && !executable.empty() && logon.sameFile(path, executable);
}

}  // namespace app
