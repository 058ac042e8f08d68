#pragma once
// The allocation panel lv_up_box: points go one at a time into one of eight
// statistics, 6 per character at creation and 3 at a night level-up.

#include "shell/Game.h"

namespace kotou {

// The eight buttons of the panel (行動力, 体力, 腕力, 器用さ, 料理, 地理学,
// 植物学, 動物学): one point into that statistic of the current character;
// when the last point is spent, creation passes to the next character (or
// starts the game) and a night level-up resumes the night with endTurn. The
// guard offers them only while points are left, so a stray press never
// finishes the allocation (and so the night) a second time.
void registerLevelUpHandlers(HandlerRegistry& r);

// The stages of the allocation panel kept in RuntimeState::levelUpMode.
inline constexpr int32_t kLevelUpNight = -1;  // a level-up at night
inline constexpr int32_t kLevelUpNone = 0;    // no allocation running
inline constexpr int32_t kCreationFirst = 1;  // 1..4: creating that character
inline constexpr int32_t kCreationLast = 4;
inline constexpr int32_t kCreationDone = 5;  // handed to startNextTurn
inline constexpr int32_t kCreationPoints = 6;
inline constexpr int32_t kLevelUpPoints = 3;

}  // namespace kotou
