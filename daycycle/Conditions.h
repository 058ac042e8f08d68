#pragma once
// The bath and the toilet of the command panel, which keep the hygiene,
// stress and bowel meters of the current character up.

#include "shell/Game.h"

namespace kotou {

// "お風呂": 3 action points for 15..40 hygiene and half as much stress relief,
// more with every washing facility. "トイレ": 2 action points to empty the
// bowel; costs 7..22 hygiene, less with every toilet facility. Both are
// refused in a drought without reservoir.
void registerConditionHandlers(HandlerRegistry& r);

}  // namespace kotou
