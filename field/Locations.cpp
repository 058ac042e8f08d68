// The locations' descriptions. The forest is open from the start; its
// discovery opens the beach.

#include "field/Finds.h"
#include "field/Location.h"

namespace kotou {

namespace {

FindOutcome rareFind(Game& g) {
    findRareItem(g);
    return FindOutcome::NoWait;
}

}  // namespace

const Location& forestLocation() {
    static const Location forest{
        .checks = {{[](const GameState& s) { return s.cur().actionPoints; }, 3,
                    "必要な行動力が足りません"}},
        .background = "背景・林.jpg",
        .cost = {{&Character::actionPoints, -3},
                 {&Character::stamina, -1},
                 {&Character::stress, -2},
                 {&Character::obesity, +1}},
        .extraFinds = {[](const GameState& s) { return s.hasBasket >= 1; },
                       [](const GameState& s) { return s.extraItems[0] >= 1; },
                       [](const GameState& s) { return s.cur().geography >= 30; }},
        .amountMin = 1,
        .amountMax = 3,
        .ranges = {{nullptr, 13}},
        .finds = {Find::stored("りんご", counterOf<&GameState::appleCount>),
                  Find::stored("火の実", counterOf<&GameState::fireFruitCount>),
                  Find::stored("不思実", counterOf<&GameState::wonderFruitCount>),
                  Find::stored("黒き実", counterOf<&GameState::blackFruitCount>),
                  Find::stored("七つ実", counterOf<&GameState::sevenFruitCount>),
                  Find::stored("葉っぱ", counterOf<&GameState::leafCount>),
                  Find::stored("つる", counterOf<&GameState::vineCount>),
                  Find::stored("枝", counterOf<&GameState::branchCount>),
                  Find::stored("石", counterOf<&GameState::stoneCount>), Find::run(rareFind),
                  Find::monster(), Find::monster(),
                  Find::stored("キュウイ", counterOf<&GameState::kiwiCount>)},
        .battleArea = 4,
        .discoveries = {{20, 1, "林の向こう側に、ＭＡＰ【浜辺】を発見した！"}},
    };
    return forest;
}

}  // namespace kotou
