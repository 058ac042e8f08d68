#pragma once
// A character lost in the wilds: getting lost, the turns on the stranded
// panel (searching the surroundings, calling for help), and the rescue by a
// partner from the command panel.

#include "shell/Game.h"

namespace kotou {

// The phase a character starts with when it gets lost; each call for help
// takes one off, a rescue three or four.
inline constexpr int32_t kStrandedStart = 10;

// The current character gets lost: the message, the disaster tune, the phase
// set, the stranded panel shown. `refreshBackground` also shows the stranded
// background at once (else it comes with the next background refresh).
void getLost(Game& g, bool refreshBackground);

// The stranded panel's 探索 (search the surroundings) and 助けを呼ぶ; 救助 on
// the command panel, 戻る of the rescue panel and its four rescue buttons.
void registerStrandedHandlers(HandlerRegistry& r);

}  // namespace kotou
