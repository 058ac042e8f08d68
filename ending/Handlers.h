#pragma once
// The escape and the ending's commands.

#include "shell/Game.h"

namespace kotou {

// Registers the escape plan's panel, its builds and the escape.
void registerEndingHandlers(HandlerRegistry& r);

}  // namespace kotou
