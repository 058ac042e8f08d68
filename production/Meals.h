#pragma once
// The dessert menu: single fruits and water. They cost no action points and
// leave the menu open, so the player can eat several times in a row.

#include "shell/Game.h"

namespace kotou {

// デザート on the meal panel (opens the dessert menu over the meal panel), and
// 火の実, りんご, 不思実, 黒き実, 七つ実, キュウイ and 水 on that menu.
void registerMealHandlers(HandlerRegistry& r);

}  // namespace kotou
