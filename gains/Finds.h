#pragma once
// The random finds shared by exploration, victories, the stranded phase and
// communication. Each draws its amount first and then its kind, adds the find
// to the island's stores and appends its line; none of them waits.

#include <string>

#include "shell/Game.h"

namespace kotou {

void findFruit(Game& g);     // りんご, 火の実, 不思実, 黒き実 or 七つ実, 1..3
void findSeaCatch(Game& g);  // sea food 1..2, or one gem or magic stone
void findAnimal(Game& g);    // ピンク兎 1..2, or one of five rarer catches
void findRareItem(Game& g);  // one of the thirteen rare items

// "【item】をN個入手した！" and the new total on a second line.
std::string foundLine(const char* item, int32_t amount, int32_t total);

// The names of the rare items, in the order of RareItem.
extern const char* const kRareItemNames[kRareItemCount];

}  // namespace kotou
