#pragma once
// Every click handler of the game, from all subsystems, in one registry.

#include "shell/Game.h"

namespace kotou {

void registerGameHandlers(HandlerRegistry& r);

}  // namespace kotou
