#pragma once
// The materials of the craft tables, under the words their remaining-count
// lines use, and the skill tests most rows make.

#include "production/Craft.h"

namespace kotou::stores {

inline constexpr Material kAngelTear{"天使の涙", &GameState::angelTearCount};
inline constexpr Material kBlackFruit{"黒き実", &GameState::blackFruitCount};
inline constexpr Material kBlueBird{"青い鳥", &GameState::blueBirdCount};
inline constexpr Material kBone{"骨", &GameState::boneCount};
inline constexpr Material kBranch{"枝", &GameState::branchCount};
inline constexpr Material kDriftwood{"流木", &GameState::driftwoodCount};
inline constexpr Material kDrop{"雫", &GameState::dropCount};
inline constexpr Material kFarewellStone{"さよならの石", &GameState::farewellStoneCount};
inline constexpr Material kFireFruit{"火の実", &GameState::fireFruitCount};
inline constexpr Material kFlameStone{"火炎石", &GameState::flameStoneCount};
inline constexpr Material kFlotsam{"漂流物", &GameState::flotsamCount};
inline constexpr Material kGem{"宝石", &GameState::gemCount};
inline constexpr Material kGlowMoss{"ヒカリゴケ", &GameState::glowMossCount};
inline constexpr Material kGrass{"草", &GameState::grassCount};
inline constexpr Material kHerb{"ハーブ", &GameState::herbCount};
inline constexpr Material kHide{"皮", &GameState::hideCount};
inline constexpr Material kIron{"鉄", &GameState::ironCount};
inline constexpr Material kKappa{"かっぱ", &GameState::kappaCount};
inline constexpr Material kKiwi{"キュウイ", &GameState::kiwiCount};
inline constexpr Material kLeaf{"葉っぱ", &GameState::leafCount};
inline constexpr Material kLizard{"トカゲ", &GameState::lizardCount};
inline constexpr Material kLumber{"材木", &GameState::lumberCount};
inline constexpr Material kMachine{"機械", &GameState::machineCount};
inline constexpr Material kMagicStone{"魔法石", &GameState::magicStoneCount};
inline constexpr Material kMermaid{"人魚", &GameState::mermaidCount};
inline constexpr Material kMoonShadow{"月の影", &GameState::moonShadowCount};
inline constexpr Material kMud{"泥", &GameState::mudCount};
inline constexpr Material kObsidian{"黒曜石", &GameState::obsidianCount};
inline constexpr Material kRainStone{"雨石", &GameState::rainStoneCount};
inline constexpr Material kSeaBream{"タイ", &GameState::seaBreamCount};
inline constexpr Material kSeawater{"海水", &GameState::seawaterCount};
inline constexpr Material kShell{"貝", &GameState::shellCount};
inline constexpr Material kStone{"石", &GameState::stoneCount};
inline constexpr Material kThanksStone{"ありがとうの石", &GameState::thanksStoneCount};
inline constexpr Material kTimeSand{"煌く時の砂", &GameState::timeSandCount};
inline constexpr Material kTreeSnake{"木蛇", &GameState::treeSnakeCount};
inline constexpr Material kVine{"つる", &GameState::vineCount};
inline constexpr Material kWater{"水", &GameState::waterCount};
inline constexpr Material kWonderFruit{"不思実", &GameState::wonderFruitCount};
// The sun stone has a long and a short name; each table uses one of them.
inline constexpr Material kSunStone{"太陽の石", &GameState::sunStoneCount};
inline constexpr Material kSunStoneShort{"太陽石", &GameState::sunStoneCount};

constexpr SkillTest dex(int32_t n) {
    return atLeast(kDexterity, n);
}
constexpr SkillTest str(int32_t n) {
    return atLeast(kStrength, n);
}

}  // namespace kotou::stores
