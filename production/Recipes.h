#pragma once
// Cooking: the dishes of the dessert, sea and mountain menus. Every dish is a
// row of one table (threshold, cost, ingredients, effect steps) run by one
// rule, so a dish's handler is its button's name bound to its row.

#include "shell/Game.h"

namespace kotou {

// 海の幸 and 山の幸 on the meal panel: open the sea or the mountain menu.
void uminosati_bClick(Game& g);
void yamanosati_bClick(Game& g);

// Registers the two openers and every dish under its button's name. A dish
// does nothing while its menu rule would not offer it (a stale or double
// click); below its 料理 or 行動力 need it refuses and takes nothing.
void registerRecipeHandlers(HandlerRegistry& r);

}  // namespace kotou
