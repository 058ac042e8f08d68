#pragma once
// The story nights, the chapter end, the two-button choices and the choice
// of the final pair.

#include "shell/Game.h"
#include "state/GameState.h"

namespace kotou {

// Plays chapter storyPhase with yoru.mid: its background, a click, its
// pictures and lines. It ends in endStoryChapter, or in a choice whose
// buttons end it. A phase without a chapter ends at once.
void playNightEvent(Game& g);

// Clears both pictures, waits for a click, advances storyPhase by one and
// goes on with the next day.
void endStoryChapter(Game& g);

// The pair 0..5 (pairIntimacy order) closest at the end: the highest
// intimacy, ties broken by a fixed tournament that prefers, among equals,
// 嵐–残響, スパーク–残響, ルル–嵐, ルル–スパーク, ルル–残響, 嵐–スパーク.
int finalPair(const GameState& s);

// The end of the escape chapter: the final pair's scene, storyPhase set to
// 21 + pair, and the two farewells offered on select_box.
void offerFinalChoice(Game& g);

// The two buttons of select_box: on the night of chapter 18 or 19 they play
// the chosen scene and end the chapter; in another story phase they only end
// the chapter; in the final phases (21..26) they choose the farewell that
// begins the ending (playFarewell).
void registerStoryHandlers(HandlerRegistry& r);

}  // namespace kotou
