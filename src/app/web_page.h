// What the phone's page needs of the main window to look and work like it:
// where each command's key, each read-out and each status patch lies on the
// skin picture, taken from the main window's own design table, so the page
// follows any change of the skin's layout.
#pragma once

#include <string>

namespace app {

// {"width", "height", "keys": [{"command", "x", "y", "w", "h"}],
//  "readouts": {"time"|"track": {"x", "y", "w", "h"}},
//  "patches": {"<name>": {"x", "y", "w", "h"}}}
std::string remoteLayoutJson();

}  // namespace app
