#pragma once
// The click handlers of the day cycle by component name.

#include "shell/Game.h"

namespace kotou {

// Registers 寝る (BitBtn5, BitBtn16), the eight allocation buttons
// (Button3..Button10), お風呂 (bath_b), トイレ (toile_b) and the item buttons of
// the normal item panel.
void registerDaycycleHandlers(HandlerRegistry& r);

}  // namespace kotou
