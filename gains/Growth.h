#pragma once
// Chance-based growth: after a successful command a statistic of the current
// character (or a material) may grow by one. Each operation makes exactly one
// draw; on success it appends its line and waits for a click, except that
// most of them do not wait while a meal panel is open, so that the meal's own
// lines stay on the message line.

#include "shell/Game.h"

namespace kotou {

void chanceStrengthUp(Game& g);    // 1 in 4: strength +1
void chanceDexterityUp(Game& g);   // 1 in 4: dexterity +1
void chanceTimeSandFind(Game& g);  // 1 in 6: one time sand; always waits
void chanceCookingUp(Game& g);     // 1 in 8: cooking +1
void chanceGeographyUp(Game& g);   // 1 in 15: geography +1; always waits
void chanceMaxStaminaUp(Game& g);  // 1 in 5: maximum stamina +1
void chanceBotanyUp(Game& g);      // 1 in 6: botany +1
void chanceZoologyUp(Game& g);     // 1 in 7: zoology +1

// True while one of the meal panels (desserts, sea dishes, mountain dishes)
// is shown.
bool mealPanelVisible(const Game& g);

}  // namespace kotou
