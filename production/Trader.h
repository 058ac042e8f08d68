#pragma once
// The travelling trader マーラー: on trader days a visit for 2 action points
// opens a random list of offers, bought one at a time with stones or
// branches.

#include "shell/Game.h"

namespace kotou {

// マーラー on the command panel: the visit, with a new list of offers.
void mara_bClick(Game& g);
// A press on the list of offers (the window has selected the line).
void mara_listMouseDown(Game& g);
// 購入: buys one of the selected offer.
void Button1Click(Game& g);
// 戻る: back to the command panel.
void BitBtn38Click(Game& g);

void registerTraderHandlers(HandlerRegistry& r);

}  // namespace kotou
