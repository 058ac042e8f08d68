// The locations' descriptions. The forest is open from the start; each place
// may reveal the next: forest -> beach -> sea -> cave -> jungle / lake; the
// cliff is found by a lost character.

#include "field/Location.h"
#include "gains/Finds.h"

namespace kotou {

namespace {

#define IF(expr) [](const GameState& s) -> bool { return (expr); }
#define STAT(field) [](const GameState& s) -> int32_t { return s.cur().field; }
#define ITEM(field) counterOf<&GameState::field>

constexpr const char* kTooFewPoints = "必要な行動力が足りません";
constexpr const char* kTooLittleGeography = "探索に必要なパラメーター【地理学】が低過ぎます";

Requirement actionPoints(int32_t minimum) {
    return {STAT(actionPoints), minimum, kTooFewPoints};
}
Requirement geography(int32_t minimum) {
    return {STAT(geography), minimum, kTooLittleGeography};
}

// The cave's dark corners: bites, bats, falls and the books left behind. The
// cat's picture book, once found, leaves that corner to getting lost.
constexpr Hazard kCaveHazards[] = {
    Hazard::poison("クモに噛まれてしまった・・・！", "【体力】に１のダメージを受けた", -7, -1),
    Hazard::injury("吸血コウモリに襲われた・・・！！", "【体力】に３のダメージを受けた", -10, -3),
    Hazard::injury("探索中に怪我を負ってしまった・・・！", "【体力】に２のダメージを受けた", -6,
                   -2),
    Hazard::bookThenLost("レアアイテム【絵本「ねこと月」】を手に入れた！", ITEM(catBookFound)),
    Hazard::bookOnce("レアアイテム【絵本「せかいのはて」】を手に入れた！", ITEM(worldBookFound)),
    Hazard::bookOnce("レアアイテム【Ｎ・リーフの手記】を手に入れた！", ITEM(flowerBookFound)),
    Hazard::bookOnce("レアアイテム【本・ケーキの作り方】を手に入れた！", ITEM(cakeBookState)),
    Hazard::bookOnce("レアアイテム【本・ハーブティの作り方】を手に入れた！",
                     ITEM(herbTeaBookState)),
    Hazard::bookOnce("レアアイテム【本・薬の作り方】を手に入れた！", ITEM(medicineBookState)),
};

constexpr Hazard kJungleHazards[] = {
    Hazard::poison("蛇に噛まれてしまった・・・！", "【体力】に２のダメージを受けた", -7, -2),
    Hazard::injury("猛獣に襲われた・・・！！", "【体力】に６のダメージを受けた", -15, -6),
    Hazard::injury("探索中に怪我を負ってしまった・・・！", "【体力】に３のダメージを受けた", -6,
                   -3),
    Hazard::lost(),
};

constexpr Hazard kLakeHazards[] = {
    Hazard::injury("赤葉虫に襲われた・・・！！", "【体力】に２のダメージを受けた", -6, -2),
    Hazard::injury("探索中に怪我を負ってしまった・・・！", "【体力】に１のダメージを受けた", -6,
                   -1),
};

constexpr Hazard kCliffHazards[] = {
    Hazard::poison("毒の茨で足を切ってしまった！！", "【体力】に２のダメージを受けた", -7, -2),
    Hazard::injury("崖から転げ落ちてしまった・・・！", "【体力】に10のダメージを受けた", -15, -10),
    Hazard::injury("探索中に怪我を負ってしまった・・・！", "【体力】に３のダメージを受けた", -6,
                   -3),
    Hazard::lost(),
};

}  // namespace

const Location& forestLocation() {
    static const Location forest{
        .name = "林",
        .checks = {actionPoints(3)},
        .background = "背景・林.jpg",
        .cost = {{&Character::actionPoints, -3},
                 {&Character::stamina, -1},
                 {&Character::stress, -2},
                 {&Character::obesity, +1}},
        .extraFinds = {IF(s.hasBasket >= 1), IF(s.extraItems[0] >= 1), IF(s.cur().geography >= 30)},
        .amountMin = 1,
        .amountMax = 3,
        .ranges = {{nullptr, 13}},
        .finds = {Find::stored("りんご", ITEM(appleCount)),
                  Find::stored("火の実", ITEM(fireFruitCount)),
                  Find::stored("不思実", ITEM(wonderFruitCount)),
                  Find::stored("黒き実", ITEM(blackFruitCount)),
                  Find::stored("七つ実", ITEM(sevenFruitCount)),
                  Find::stored("葉っぱ", ITEM(leafCount)), Find::stored("つる", ITEM(vineCount)),
                  Find::stored("枝", ITEM(branchCount)), Find::stored("石", ITEM(stoneCount)),
                  Find::run(findRareItem), Find::monster(), Find::monster(),
                  Find::stored("キュウイ", ITEM(kiwiCount))},
        .battleArea = 4,
        .discoveries = {{20, 1, "林の向こう側に、ＭＡＰ【浜辺】を発見した！"}},
    };
    return forest;
}

const Location& beachLocation() {
    static const Location beach{
        .name = "浜辺",
        .checks = {actionPoints(2), geography(3)},
        .background = "背景・浜辺.jpg",
        // The sea air makes some hungrier than others: a draw after the rest.
        .cost = {{&Character::actionPoints, -2},
                 {&Character::stamina, -1},
                 {&Character::stress, -1},
                 {&Character::hygiene, -3},
                 {&Character::obesity, 0, 2}},
        .extraFinds = {IF(s.hasBucket >= 1), IF(s.extraItems[1] >= 1), IF(s.cur().geography >= 35)},
        .amountMin = 1,
        .amountMax = 3,
        .ranges = {{nullptr, 5}, {IF(s.hasBucket >= 1), 6}, {IF(s.hasSaw >= 1), 7}},
        .finds = {Find::stored("貝", ITEM(shellCount)),
                  Find::stored("小ガニ", ITEM(smallCrabCount)),
                  Find::stored("漂流物", ITEM(flotsamCount)), Find::stored("枝", ITEM(branchCount)),
                  Find::stored("石", ITEM(stoneCount)), Find::stored("海水", ITEM(seawaterCount)),
                  Find::stored("流木", ITEM(driftwoodCount))},
        .discoveries = {{20, 0, "浜辺の向こう側に、ＭＡＰ【海】を発見した！"}},
    };
    return beach;
}

const Location& seaLocation() {
    static const Location sea{
        .name = "海",
        .checks = {actionPoints(5), geography(7)},
        .background = "背景・海.jpg",
        .cost = {{&Character::actionPoints, -5},
                 {&Character::stamina, -4},
                 {&Character::stress, -1},
                 {&Character::hygiene, -7},
                 {&Character::obesity, +2}},
        .extraFinds = {IF(s.hasNet >= 1), IF(s.extraItems[2] >= 1), IF(s.cur().geography >= 40)},
        .amountMin = 1,
        .amountMax = 1,
        .ranges = {{nullptr, 5},
                   {IF(s.hasFishingTackle >= 1), 6},
                   {IF(s.hasFishingTackle >= 1 && s.hasBoat >= 1 && s.hasBucket >= 1), 8}},
        .finds = {Find::monster(), Find::monster(), Find::single("海藻", ITEM(seaweedCount)),
                  Find::single("貝", ITEM(shellCount)), Find::single("小魚", ITEM(smallFishCount)),
                  Find::single("タイ", ITEM(seaBreamCount)),
                  Find::single("人食い魚", ITEM(maneaterFishCount)),
                  Find::single("人魚", ITEM(mermaidCount))},
        .battleArea = 1,
        .discoveries = {{15, 3, "林の向こう側に、ＭＡＰ【洞窟】を発見した！"}},
    };
    return sea;
}

const Location& caveLocation() {
    static const Location cave{
        .name = "洞窟",
        .checks = {{[](const GameState& s) { return s.hasLamp; }, 1,
                    "暗くて探索できませんでした。"},
                   actionPoints(4),
                   geography(11)},
        .background = "背景・洞窟.jpg",
        .cost = {{&Character::actionPoints, -4},
                 {&Character::stamina, -2},
                 {&Character::stress, -3},
                 {&Character::hygiene, -4},
                 {&Character::obesity, +2}},
        .extraFinds = {IF(s.hasRucksack >= 1), IF(s.cur().geography >= 40)},
        .amountMin = 1,
        .amountMax = 2,
        .ranges = {{nullptr, 12}},
        .finds = {Find::hazard(kCaveHazards), Find::single("緑キノコ", ITEM(greenMushroomCount)),
                  Find::single("動くキノコ", ITEM(walkingMushroomCount)),
                  Find::single("巨大キノコ", ITEM(giantMushroomCount)),
                  Find::single("ヒカリゴケ", ITEM(glowMossCount)),
                  Find::single("火炎石", ITEM(flameStoneCount)),
                  Find::single("黒曜石", ITEM(obsidianCount)),
                  Find::stored("枝", ITEM(branchCount)), Find::single("トカゲ", ITEM(lizardCount)),
                  Find::single("木蛇", ITEM(treeSnakeCount)), Find::monster(), Find::monster()},
        .battleArea = 2,
        .discoveries = {{20, 2, "洞窟を抜けた所に、ＭＡＰ【ジャングル】を発見した！"},
                        {20, 4, "洞窟を抜けた所に、ＭＡＰ【湖】を発見した！"}},
    };
    return cave;
}

const Location& jungleLocation() {
    static const Location jungle{
        .name = "ジャングル",
        .checks = {actionPoints(6), geography(25)},
        .background = "背景・ジャングル.jpg",
        .cost = {{&Character::actionPoints, -6},
                 {&Character::stamina, -3},
                 {&Character::stress, -1},
                 {&Character::hygiene, -3},
                 {&Character::obesity, +3}},
        .extraFinds = {IF(s.hasRucksack >= 1), IF(s.cur().geography >= 50)},
        .amountMin = 1,
        .amountMax = 2,
        .ranges = {{nullptr, 7},
                   {IF(s.hasSaw >= 1), 8},
                   {IF(s.hasSaw >= 1 && s.hasKnife >= 1), 11},
                   {IF(s.hasSaw >= 1 && s.hasKnife >= 1 && s.hasGun >= 1), 14}},
        .finds = {Find::hazard(kJungleHazards), Find::monster(),
                  Find::single("雫", ITEM(dropCount)), Find::stored("枝", ITEM(branchCount)),
                  Find::stored("石", ITEM(stoneCount)), Find::run(findFruit, findFruit),
                  Find::single("材木", ITEM(lumberCount)),
                  Find::single("ピンク兎", ITEM(pinkRabbitCount)),
                  Find::single("木蛇", ITEM(treeSnakeCount)),
                  Find::single("パーセウルフ", ITEM(perseWolfCount)),
                  Find::single("黒虎", ITEM(blackTigerCount)),
                  Find::single("巨人", ITEM(giantCount)),
                  Find::single("青い鳥", ITEM(blueBirdCount)), Find::monster()},
        .battleArea = 0,
        .discoveries = {{20, 4, "洞窟を抜けた所に、ＭＡＰ【湖】を発見した！"}},
    };
    return jungle;
}

const Location& lakeLocation() {
    static const Location lake{
        .name = "湖",
        .checks = {actionPoints(3), geography(18)},
        .background = "背景・湖.jpg",
        .cost = {{&Character::actionPoints, -3},
                 {&Character::stamina, -1},
                 {&Character::stress, -1},
                 {&Character::hygiene, -2},
                 {&Character::obesity, +1}},
        .extraFinds = {IF(s.hasRucksack >= 1), IF(s.cur().geography >= 45)},
        .amountMin = 1,
        .amountMax = 2,
        .ranges = {{nullptr, 4},
                   {IF(s.hasBucket >= 1), 6},
                   {IF(s.hasBucket >= 1 && s.hasFishingTackle >= 1), 8},
                   {IF(s.hasBucket >= 1 && s.hasFishingTackle >= 1 && s.cur().zoology >= 20), 9}},
        .finds = {Find::hazard(kLakeHazards), Find::single("草", ITEM(grassCount)),
                  Find::stored("枝", ITEM(branchCount)), Find::stored("葉っぱ", ITEM(leafCount)),
                  Find::stored("泥", ITEM(mudCount)), Find::single("水", ITEM(waterCount)),
                  Find::single("小魚", ITEM(smallFishCount)),
                  Find::single("フナ", ITEM(crucianCount)),
                  Find::single("かっぱ", ITEM(kappaCount))},
        .discoveries = {},
    };
    return lake;
}

const Location& cliffLocation() {
    static const Location cliff{
        .name = "崖",
        .checks = {actionPoints(7),
                   geography(32),
                   {STAT(strength), 22, "探索に必要なパラメーター【腕力】が低過ぎます"}},
        .background = "背景・崖.jpg",
        .cost = {{&Character::actionPoints, -7},
                 {&Character::stamina, -4},
                 {&Character::stress, -4},
                 {&Character::hygiene, -5},
                 {&Character::obesity, +5}},
        .extraFinds = {IF(s.cur().geography >= 60)},
        .amountMin = 1,
        .amountMax = 2,
        .ranges = {{nullptr, 9}},
        .finds = {Find::hazard(kCliffHazards), Find::monster(), Find::monster(),
                  Find::single("機械", ITEM(machineCount)),
                  Find::stored("天使の涙", ITEM(angelTearCount)), Find::run(findFruit, findAnimal),
                  Find::run(findFruit, findRareItem), Find::single("材木", ITEM(lumberCount)),
                  Find::single("鉄", ITEM(ironCount))},
        .battleArea = 3,
        .discoveries = {},
    };
    return cliff;
}

#undef IF
#undef STAT
#undef ITEM

}  // namespace kotou
