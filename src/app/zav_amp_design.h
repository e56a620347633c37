#pragma once

#include <span>

#include "app/zav_amp.h"
#include "framework/design.h"

std::span<const fw::DesignRow<TZAV_Amp>> zavAmpDesign();
