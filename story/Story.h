#pragma once
// The story's chapters as the night plays them, the two-button choices they
// end in and the choice of the final pair. What comes after a chapter is not
// decided here: the night goes on with the next day (daycycle/Night.h) and the
// buttons of a choice belong to the ending (ending/Ending.h).

#include "shell/Game.h"
#include "state/GameState.h"

namespace kotou {

// Plays chapter storyPhase with yoru.mid: its background, a click, its
// pictures and lines. True when the chapter is over (at once for a phase
// without a chapter); false when it ends in a choice offered on select_box,
// whose buttons go on with the story.
bool playChapter(Game& g);

// The pair 0..5 (pairIntimacy order) closest at the end: the highest
// intimacy, ties broken by a fixed tournament that prefers, among equals,
// 嵐–残響, スパーク–残響, ルル–嵐, ルル–スパーク, ルル–残響, 嵐–スパーク.
int finalPair(const GameState& s);

// The end of the escape chapter: the final pair's scene, storyPhase set to
// 21 + pair, and the two farewells offered on select_box.
void offerFinalChoice(Game& g);

}  // namespace kotou
