#pragma once
// Battles: one enemy against the current character, in strict alternation of
// the player's command and the enemy's blow. The values of the running battle
// live in BattleState; they are never saved.

#include <string>

#include "shell/Game.h"

namespace kotou {

// Battle area codes: 0 jungle, 1 sea, 2 cave, 3 cliff, 4 forest (exploration);
// 5..14 colosseum opponents 1..10; 16..22 survival courses 1..7.
inline constexpr int kFirstColosseumArea = 5;
inline constexpr int kLastColosseumArea = 14;
inline constexpr int kFirstCourseArea = 16;
inline constexpr int kLastCourseArea = 22;

inline constexpr bool isExplorationArea(int area) {
    return area >= 0 && area <= 4;
}
inline constexpr bool isColosseumArea(int area) {
    return area >= kFirstColosseumArea && area <= kLastColosseumArea;
}
inline constexpr bool isCourseArea(int area) {
    return area >= kFirstCourseArea && area <= kLastCourseArea;
}

// The battle values of a game (kept with the runtime values of its state).
inline BattleState& battleState(Game& g) {
    return g.s.runtime.battle;
}

// Starts the battle of battleState(g).area (and, for a survival course, the
// course's chain): picks the enemy, shows it and offers the commands.
void startBattle(Game& g);
// Shows the battle panel with the commands the character has.
void showBattleCommands(Game& g);

// The commands of the battle panel: 攻撃, 魔法 (上級魔法), 回復, レーザー
// and 逃亡 (exploration battles only).
void registerBattleHandlers(HandlerRegistry& r);

// The enemy's blow, after every command that did not end the battle.
void enemyTurn(Game& g);
// The enemy is beaten: points, prizes, finds, and the next battle of a course.
void winBattle(Game& g);
// Back to the field: day music, the area's panel, no battle running.
void endBattle(Game& g);
// Grants the abilities the current character's training level has reached.
void learnBattleAbilities(Game& g);

}  // namespace kotou
