#pragma once
// The travelling trader マーラー: on trader days a visit for 2 action points
// opens a random list of offers, bought one at a time with stones or
// branches.

#include <vector>

#include "shell/Availability.h"
#include "shell/Game.h"

namespace kotou {

// マーラー on the command panel (the visit, with a new list of offers), a
// press on the list of offers (the window has selected the line), 購入 (buys
// one of the selected offer) and 戻る (back to the command panel).
void registerTraderHandlers(HandlerRegistry& r);

// The price of every offer, under the offer's list line.
std::vector<RowRequirement> traderRequirements();

}  // namespace kotou
