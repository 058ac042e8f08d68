#pragma once
// Click handlers of the field panels, by component name.

#include "shell/Game.h"

namespace kotou {

void registerFieldHandlers(HandlerRegistry& r);

}  // namespace kotou
