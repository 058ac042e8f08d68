#pragma once
// Cooking: the dishes of the dessert, sea and mountain menus. Every dish is a
// row of one table (threshold, cost, ingredients, effect steps) run by one
// rule, so a dish's handler is its button's name bound to its row.

#include <vector>

#include "shell/Availability.h"
#include "shell/Game.h"

namespace kotou {

// Registers 海の幸 and 山の幸 on the meal panel (they open the sea or the
// mountain menu) and every dish under its button's name. Below its 料理 or
// 行動力 need a dish refuses and takes nothing.
void registerRecipeHandlers(HandlerRegistry& r);

// The ingredients, 料理 and 行動力 of every dish.
std::vector<RowRequirement> recipeRequirements();

}  // namespace kotou
