#pragma once
// The materials of the craft tables, under the words their remaining-count
// lines use, and the skill tests most rows make.

#include "production/Craft.h"

namespace kotou::stores {

#define KOTOU_MATERIAL(name, word, member) \
    inline constexpr Material name{word, field(&GameState::member)};

KOTOU_MATERIAL(kAngelTear, "天使の涙", angelTearCount)
KOTOU_MATERIAL(kBlackFruit, "黒き実", blackFruitCount)
KOTOU_MATERIAL(kBlueBird, "青い鳥", blueBirdCount)
KOTOU_MATERIAL(kBone, "骨", boneCount)
KOTOU_MATERIAL(kBranch, "枝", branchCount)
KOTOU_MATERIAL(kDriftwood, "流木", driftwoodCount)
KOTOU_MATERIAL(kDrop, "雫", dropCount)
KOTOU_MATERIAL(kFarewellStone, "さよならの石", farewellStoneCount)
KOTOU_MATERIAL(kFireFruit, "火の実", fireFruitCount)
KOTOU_MATERIAL(kFlameStone, "火炎石", flameStoneCount)
KOTOU_MATERIAL(kFlotsam, "漂流物", flotsamCount)
KOTOU_MATERIAL(kGem, "宝石", gemCount)
KOTOU_MATERIAL(kGlowMoss, "ヒカリゴケ", glowMossCount)
KOTOU_MATERIAL(kGrass, "草", grassCount)
KOTOU_MATERIAL(kHerb, "ハーブ", herbCount)
KOTOU_MATERIAL(kHide, "皮", hideCount)
KOTOU_MATERIAL(kIron, "鉄", ironCount)
KOTOU_MATERIAL(kKappa, "かっぱ", kappaCount)
KOTOU_MATERIAL(kKiwi, "キュウイ", kiwiCount)
KOTOU_MATERIAL(kLeaf, "葉っぱ", leafCount)
KOTOU_MATERIAL(kLizard, "トカゲ", lizardCount)
KOTOU_MATERIAL(kLumber, "材木", lumberCount)
KOTOU_MATERIAL(kMachine, "機械", machineCount)
KOTOU_MATERIAL(kMagicStone, "魔法石", magicStoneCount)
KOTOU_MATERIAL(kMermaid, "人魚", mermaidCount)
KOTOU_MATERIAL(kMoonShadow, "月の影", moonShadowCount)
KOTOU_MATERIAL(kMud, "泥", mudCount)
KOTOU_MATERIAL(kObsidian, "黒曜石", obsidianCount)
KOTOU_MATERIAL(kRainStone, "雨石", rainStoneCount)
KOTOU_MATERIAL(kSeaBream, "タイ", seaBreamCount)
KOTOU_MATERIAL(kSeawater, "海水", seawaterCount)
KOTOU_MATERIAL(kShell, "貝", shellCount)
KOTOU_MATERIAL(kStone, "石", stoneCount)
KOTOU_MATERIAL(kThanksStone, "ありがとうの石", thanksStoneCount)
KOTOU_MATERIAL(kTimeSand, "煌く時の砂", timeSandCount)
KOTOU_MATERIAL(kTreeSnake, "木蛇", treeSnakeCount)
KOTOU_MATERIAL(kVine, "つる", vineCount)
KOTOU_MATERIAL(kWater, "水", waterCount)
KOTOU_MATERIAL(kWonderFruit, "不思実", wonderFruitCount)
// The sun stone has a long and a short name; each table uses one of them.
KOTOU_MATERIAL(kSunStone, "太陽の石", sunStoneCount)
KOTOU_MATERIAL(kSunStoneShort, "太陽石", sunStoneCount)

#undef KOTOU_MATERIAL

constexpr SkillTest dex(int32_t n) {
    return atLeast(kDexterity, n);
}
constexpr SkillTest str(int32_t n) {
    return atLeast(kStrength, n);
}

}  // namespace kotou::stores
