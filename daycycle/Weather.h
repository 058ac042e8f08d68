#pragma once
// The weather of a new day and the natural events it brings: floods,
// typhoons, droughts, fires, earthquakes, epidemics and a few blessings.

#include "shell/Game.h"

namespace kotou {

// Draws the weather of the new day, shows its background and runs at most
// one event of the weather's table. Called by advanceDay right after the day
// number rose. Changes all four characters without clamping them.
void rollWeather(Game& g);

}  // namespace kotou
