#include "app/start_with_windows.h"

#include "framework/convert.h"

namespace app {

std::string logonCommandLine(const std::string& executable) {
    // Quoted: a path with blanks given bare is split at the first blank.
    return "\"" + executable + "\"";
}

bool startsExecutable(const std::string& commandLine, const std::string& executable) {
    std::string bare;
    for (char c : commandLine)
        if (c != '"') bare.push_back(c);
    const auto first = bare.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    bare = bare.substr(first, bare.find_last_not_of(" \t") - first + 1);
    return !executable.empty() && fw::sameText(bare, executable);
}

}  // namespace app
