#pragma once
// Click handlers of combat by component name: the battle panel, the training
// and survival panels and the colosseum.

#include "shell/Game.h"

namespace kotou {

void registerCombatHandlers(HandlerRegistry& r);

}  // namespace kotou
