#pragma once
// Exploration: the one skeleton every location runs, and the forest.

#include "field/Location.h"
#include "shell/Game.h"

namespace kotou {

// One exploration of `loc` by the current character.
void explore(Game& g, const Location& loc);

// The companion assist: one draw; a partner with enough intimacy may help,
// which appends its line, waits and gives one more find. Returns the number
// of extra finds (0 or 1).
int companionAssist(Game& g);

// 林 on the location menu.
void hayasi_bClick(Game& g);

}  // namespace kotou
