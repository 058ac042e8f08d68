#pragma once
// The colosseum on the training panel: ten ghost opponents, each fought for
// a prize once; a beaten opponent leaves the panel for good.

#include "shell/Game.h"

namespace kotou {

// コロシアム on the training panel and 戻る on the colosseum panel.
void colo_bClick(Game& g);
void BitBtn22Click(Game& g);

// Registers the two above and the opponent buttons colo_b1 .. colo_b10
// (opponent n is fought in battle area 4 + n).
void registerColosseumHandlers(HandlerRegistry& r);

}  // namespace kotou
