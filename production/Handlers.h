#pragma once
// Click handlers of the production panels, by component name.

#include "shell/Game.h"

namespace kotou {

void registerProductionHandlers(HandlerRegistry& r);

}  // namespace kotou
