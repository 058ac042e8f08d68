#pragma once
// The status refresh: clamps the current character's values, redraws the
// status column and the summary labels, computes the score and applies the
// command availability table. Runs 20 times a second and after every message.

#include "shell/Game.h"

namespace kotou {

// Does nothing while currentCharacter is outside 1..4.
void refreshStatus(Game& g);

}  // namespace kotou
