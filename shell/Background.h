#pragma once
// The day's background picture and music.

#include "shell/Game.h"

namespace kotou {

// The background for the weather, or the stranded background while the
// current character is lost.
void showWeatherBackground(Game& g);
// The music of a new day (one draw unless it rains).
void playDayMusic(Game& g);

}  // namespace kotou
