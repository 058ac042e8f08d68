#pragma once
// The three inventory lists of the item screen (materials, food, other): their
// titles and their lines, one per item held, in a fixed order. A line is the
// item's label padded with full-width spaces to seven characters, "：" and the
// count; items with a count below 1 are left out.

#include <string>
#include <string_view>
#include <vector>

#include "state/GameState.h"

namespace kotou {

enum class InventoryList { Materials, Food, Other };

// "□資材一覧", "□食材一覧" or "□その他一覧".
std::string_view inventoryTitle(InventoryList list);

// The lines of one list for the state.
std::vector<std::string> inventoryLines(const GameState& s, InventoryList list);

// One line: the label padded with full-width spaces to seven characters, then
// "：" and the count. A longer label is not cut. (The materials list writes
// "ありがとうの石" with one space after it, one character wider than the rest.)
std::string inventoryLine(std::string_view label, int32_t count);

}  // namespace kotou
