#pragma once
// The end of the game: the parting of the final pair after the player's
// choice of farewell, the best couple, and the clear screen that records the
// bests, saves and closes the window.

#include <array>
#include <cstdint>
#include <string>

#include "shell/Game.h"

namespace kotou {

// The best couple (character indices, first name first) chosen by farewell
// `option` (0 = the upper button, 1 = the lower) in final story phase
// 21..26: the first farewell names the pair's lower index first, the second
// the other way round. {0, 0} for any other phase or option.
std::array<int32_t, 2> bestCoupleOf(int phase, int option);

// The name of character k; "" for an index outside 1..4.
std::string characterName(const GameState& s, int32_t k);

// The bests after a clear on the current day with the current score: the
// shortest time (a stored 0 or less counts as none) and the highest score
// (an equal score rewrites it).
void recordBests(GameState& s);

// The farewell `option` of the final choice (storyPhase 21..26): the option
// speaker says it, the pair parts in three more lines, the best couple is
// set and the clear screen follows. Does nothing in another phase.
void playFarewell(Game& g, int option);

// The two buttons of select_box: on the night of chapter 18 or 19 they play
// the chosen scene and end the chapter; in another story phase they only end
// the chapter; in the final phases (21..26) they choose the farewell.
void registerChoiceHandlers(HandlerRegistry& r);

// The clear screen: records the bests and the best couple's text, saves the
// game (a failed save is reported and the screen goes on), shows the
// results one click at a time and closes the window.
void showClearScreen(Game& g);

}  // namespace kotou
