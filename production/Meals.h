#pragma once
// The dessert menu: single fruits and water. They cost no action points and
// leave the menu open, so the player can eat several times in a row.

#include "shell/Game.h"

namespace kotou {

// デザート on the meal panel: opens the dessert menu over the meal panel.
void BitBtn6Click(Game& g);

void hinomi_bClick(Game& g);    // 火の実
void ringo_bClick(Game& g);     // りんご
void fusimi_bClick(Game& g);    // 不思実
void kurokimi_bClick(Game& g);  // 黒き実
void nanatumi_bClick(Game& g);  // 七つ実
void kyuui_bClick(Game& g);     // キュウイ
void water_bClick(Game& g);     // 水

}  // namespace kotou
