// The setup dialog's layout: one row per component, in stored order.
#pragma once

#include <span>

#include "app/setari_ir.h"
#include "framework/design.h"

namespace app {

std::span<const fw::DesignRow<TFormaSetari>> setariIrDesign();

}  // namespace app
