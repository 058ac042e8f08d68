#pragma once
// Exploration: the one skeleton every location runs, and the location menu's buttons.

#include "field/Location.h"
#include "shell/Game.h"

namespace kotou {

// One exploration of `loc` by the current character.
void explore(Game& g, const Location& loc);

// The companion assist: one draw; a partner with enough intimacy may help,
// which appends its line, waits and gives one more find. Returns the number
// of extra finds (0 or 1).
int companionAssist(Game& g);

// The buttons of the location menu: 林, 浜辺, 海, 洞窟, ジャングル, 湖, 崖.
void registerExplorationHandlers(HandlerRegistry& r);

}  // namespace kotou
