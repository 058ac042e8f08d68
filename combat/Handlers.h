#pragma once
// Click handlers of the battle panel, by component name.

#include "shell/Game.h"

namespace kotou {

void registerCombatHandlers(HandlerRegistry& r);

}  // namespace kotou
