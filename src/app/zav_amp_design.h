// The main window's layout: one row per component, in stored order.
#pragma once

#include <span>

#include "app/zav_amp.h"
#include "framework/design.h"

namespace app {

std::span<const fw::DesignRow<TZAV_Amp>> zavAmpDesign();

}  // namespace app
