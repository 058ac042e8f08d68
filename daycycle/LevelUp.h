#pragma once
// The allocation panel lv_up_box: points go one at a time into one of eight
// statistics, 6 per character at creation and 3 at a night level-up.

#include "shell/Game.h"

namespace kotou {

// One point into a statistic of the current character; when the last point
// is spent, creation passes to the next character (or starts the game) and
// a night level-up resumes the night with endTurn.
void Button3Click(Game& g);   // 行動力: maxActionPoints
void Button4Click(Game& g);   // 体力: maxStamina
void Button5Click(Game& g);   // 腕力: strength
void Button6Click(Game& g);   // 器用さ: dexterity
void Button7Click(Game& g);   // 料理: cooking
void Button8Click(Game& g);   // 地理学: geography
void Button9Click(Game& g);   // 植物学: botany
void Button10Click(Game& g);  // 動物学: zoology

// The stages of the allocation panel kept in RuntimeState::levelUpMode.
inline constexpr int32_t kLevelUpNight = -1;  // a level-up at night
inline constexpr int32_t kLevelUpNone = 0;    // no allocation running
inline constexpr int32_t kCreationFirst = 1;  // 1..4: creating that character
inline constexpr int32_t kCreationLast = 4;
inline constexpr int32_t kCreationDone = 5;  // handed to startNextTurn
inline constexpr int32_t kCreationPoints = 6;
inline constexpr int32_t kLevelUpPoints = 3;

}  // namespace kotou
