// The main window's layout: one row per component, in stored order; and
// which of its keys asks for which command.
#pragma once

#include <span>

#include "app/zav_amp.h"
#include "framework/design.h"

namespace app {

std::span<const fw::DesignRow<TZAV_Amp>> zavAmpDesign();

struct CommandKey {
    widgets::TCoolButton* TZAV_Amp::*key;
    const char* command;  // its name in the command table
    // What makes its row of the design, which tells where it lies.
    fw::DesignRow<TZAV_Amp>::Make make;
};
// Every command's key, one each.
std::span<const CommandKey> commandKeys();

}  // namespace app
