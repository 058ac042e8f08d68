// The locations' descriptions. The forest is open from the start; each place
// may reveal the next: forest -> beach -> sea -> cave -> jungle / lake; the
// cliff is found by a lost character.

#include "field/Location.h"
#include "gains/Finds.h"

namespace kotou {

namespace {

#define IF(expr) [](const GameState& s) -> bool { return (expr); }
#define STAT(field) [](const GameState& s) -> int32_t { return s.cur().field; }

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
    Hazard::bookThenLost("レアアイテム【絵本「ねこと月」】を手に入れた！",
                         &GameState::catBookFound),
    Hazard::bookOnce("レアアイテム【絵本「せかいのはて」】を手に入れた！",
                     &GameState::worldBookFound),
    Hazard::bookOnce("レアアイテム【Ｎ・リーフの手記】を手に入れた！", &GameState::flowerBookFound),
    Hazard::bookOnce("レアアイテム【本・ケーキの作り方】を手に入れた！", &GameState::cakeBookState),
    Hazard::bookOnce("レアアイテム【本・ハーブティの作り方】を手に入れた！",
                     &GameState::herbTeaBookState),
    Hazard::bookOnce("レアアイテム【本・薬の作り方】を手に入れた！", &GameState::medicineBookState),
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
        .extraFinds = {IF(s.hasBasket >= 1), IF(s.extra(ExtraItem::BigBasket) >= 1),
                       IF(s.cur().geography >= 30)},
        .amountMin = 1,
        .amountMax = 3,
        .ranges = {{nullptr, 13}},
        .finds = {Find::stored("りんご", &GameState::appleCount),
                  Find::stored("火の実", &GameState::fireFruitCount),
                  Find::stored("不思実", &GameState::wonderFruitCount),
                  Find::stored("黒き実", &GameState::blackFruitCount),
                  Find::stored("七つ実", &GameState::sevenFruitCount),
                  Find::stored("葉っぱ", &GameState::leafCount),
                  Find::stored("つる", &GameState::vineCount),
                  Find::stored("枝", &GameState::branchCount),
                  Find::stored("石", &GameState::stoneCount), Find::run(findRareItem),
                  Find::monster(), Find::monster(),
                  Find::stored("キュウイ", &GameState::kiwiCount)},
        .battleArea = 4,
        .discoveries = {{20, WorldFlag::Beach, "林の向こう側に、ＭＡＰ【浜辺】を発見した！"}},
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
        .extraFinds = {IF(s.hasBucket >= 1), IF(s.extra(ExtraItem::BigBucket) >= 1),
                       IF(s.cur().geography >= 35)},
        .amountMin = 1,
        .amountMax = 3,
        .ranges = {{nullptr, 5}, {IF(s.hasBucket >= 1), 6}, {IF(s.hasSaw >= 1), 7}},
        .finds = {Find::stored("貝", &GameState::shellCount),
                  Find::stored("小ガニ", &GameState::smallCrabCount),
                  Find::stored("漂流物", &GameState::flotsamCount),
                  Find::stored("枝", &GameState::branchCount),
                  Find::stored("石", &GameState::stoneCount),
                  Find::stored("海水", &GameState::seawaterCount),
                  Find::stored("流木", &GameState::driftwoodCount)},
        .discoveries = {{20, WorldFlag::Sea, "浜辺の向こう側に、ＭＡＰ【海】を発見した！"}},
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
        .extraFinds = {IF(s.hasNet >= 1), IF(s.extra(ExtraItem::BigNet) >= 1),
                       IF(s.cur().geography >= 40)},
        .amountMin = 1,
        .amountMax = 1,
        .ranges = {{nullptr, 5},
                   {IF(s.hasFishingTackle >= 1), 6},
                   {IF(s.hasFishingTackle >= 1 && s.hasBoat >= 1 && s.hasBucket >= 1), 8}},
        .finds = {Find::monster(), Find::monster(), Find::single("海藻", &GameState::seaweedCount),
                  Find::single("貝", &GameState::shellCount),
                  Find::single("小魚", &GameState::smallFishCount),
                  Find::single("タイ", &GameState::seaBreamCount),
                  Find::single("人食い魚", &GameState::maneaterFishCount),
                  Find::single("人魚", &GameState::mermaidCount)},
        .battleArea = 1,
        .discoveries = {{15, WorldFlag::Cave, "林の向こう側に、ＭＡＰ【洞窟】を発見した！"}},
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
        .finds = {Find::hazard(kCaveHazards),
                  Find::single("緑キノコ", &GameState::greenMushroomCount),
                  Find::single("動くキノコ", &GameState::walkingMushroomCount),
                  Find::single("巨大キノコ", &GameState::giantMushroomCount),
                  Find::single("ヒカリゴケ", &GameState::glowMossCount),
                  Find::single("火炎石", &GameState::flameStoneCount),
                  Find::single("黒曜石", &GameState::obsidianCount),
                  Find::stored("枝", &GameState::branchCount),
                  Find::single("トカゲ", &GameState::lizardCount),
                  Find::single("木蛇", &GameState::treeSnakeCount), Find::monster(),
                  Find::monster()},
        .battleArea = 2,
        .discoveries = {{20, WorldFlag::Jungle,
                         "洞窟を抜けた所に、ＭＡＰ【ジャングル】を発見した！"},
                        {20, WorldFlag::Lake, "洞窟を抜けた所に、ＭＡＰ【湖】を発見した！"}},
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
                  Find::single("雫", &GameState::dropCount),
                  Find::stored("枝", &GameState::branchCount),
                  Find::stored("石", &GameState::stoneCount), Find::run(findFruit, findFruit),
                  Find::single("材木", &GameState::lumberCount),
                  Find::single("ピンク兎", &GameState::pinkRabbitCount),
                  Find::single("木蛇", &GameState::treeSnakeCount),
                  Find::single("パーセウルフ", &GameState::perseWolfCount),
                  Find::single("黒虎", &GameState::blackTigerCount),
                  Find::single("巨人", &GameState::giantCount),
                  Find::single("青い鳥", &GameState::blueBirdCount), Find::monster()},
        .battleArea = 0,
        .discoveries = {{20, WorldFlag::Lake, "洞窟を抜けた所に、ＭＡＰ【湖】を発見した！"}},
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
        .finds = {Find::hazard(kLakeHazards), Find::single("草", &GameState::grassCount),
                  Find::stored("枝", &GameState::branchCount),
                  Find::stored("葉っぱ", &GameState::leafCount),
                  Find::stored("泥", &GameState::mudCount),
                  Find::single("水", &GameState::waterCount),
                  Find::single("小魚", &GameState::smallFishCount),
                  Find::single("フナ", &GameState::crucianCount),
                  Find::single("かっぱ", &GameState::kappaCount)},
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
                  Find::single("機械", &GameState::machineCount),
                  Find::stored("天使の涙", &GameState::angelTearCount),
                  Find::run(findFruit, findAnimal), Find::run(findFruit, findRareItem),
                  Find::single("材木", &GameState::lumberCount),
                  Find::single("鉄", &GameState::ironCount)},
        .battleArea = 3,
        .discoveries = {},
    };
    return cliff;
}

#undef IF
#undef STAT

}  // namespace kotou
