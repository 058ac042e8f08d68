#pragma once
// Using items from the normal item panel, without action-point cost, by the
// current character: the remedies and cosmetics made from materials, the
// flower ornament given to a partner, the rare god items raised to the sky
// and the songs sung for all four characters.

#include "shell/Game.h"

namespace kotou {

// Registers the 28 item buttons of nomal_item_box: yakusou_use_b ..
// seisin_use_b, oogetu_b .. osira_b and ao_b .. tikyu_b.
void registerItemUseHandlers(HandlerRegistry& r);

// The words with which character 1..4 takes the flower ornament, in 『』.
const char* wreathThanks(int character);

}  // namespace kotou
