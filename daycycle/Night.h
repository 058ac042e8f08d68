#pragma once
// The end of a turn: the night of the current character, the passing of the
// turn and, after the fourth character, the new day.

#include "shell/Game.h"

namespace kotou {

// The night of the current character: its meters drift, poison, dirt, a full
// bowel and stress take their toll, action points are refilled from stamina,
// obesity may cost statistics, illness runs its course or begins, and a full
// phantom gauge opens the level-up panel. Otherwise the night ends in endTurn.
// Does nothing while currentCharacter is not a character.
void goToSleep(Game& g);
// "寝る" on the command panel and on the stranded panel: goToSleep.
void registerNightHandlers(HandlerRegistry& r);

// After the night (or after a night level-up): the next story chapter on
// every sixth clear day after character 4 (it goes on with advanceDay when
// it ends), otherwise advanceDay.
void endTurn(Game& g);
// After character 4: the next day with its weather, events and music; then
// the next turn.
void advanceDay(Game& g);
// Passes the turn to the next character (1 -> 2 -> 3 -> 4 -> 1) and shows its
// panel. Also ends character creation.
void startNextTurn(Game& g);

// The story night: chapter storyPhase plays (story/Story.h); once it is over,
// endStoryChapter. A chapter that ends in a choice leaves that to the
// choice's buttons (ending/Ending.h).
void playNightEvent(Game& g);
// Clears both pictures, waits for a click, advances storyPhase by one and
// goes on with the next day.
void endStoryChapter(Game& g);

// True when the night just ended is a story night: character 4's night of
// a clear day divisible by 6 while chapters remain.
bool isStoryNight(const GameState& s);

}  // namespace kotou
