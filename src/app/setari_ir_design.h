// The setup dialog's layout: one row per component, in stored order.
#pragma once

#include <span>

#include "app/setari_ir.h"
#include "framework/design.h"

namespace app {

std::span<const fw::DesignRow<TFormaSetari>> setariIrDesign();
// The dialog's pages, one a tab, each its group and what the group holds.
std::vector<fw::TabControl::Page> setariIrPages(TFormaSetari& f);

}  // namespace app
