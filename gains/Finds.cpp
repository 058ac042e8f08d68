#include "gains/Finds.h"

#include <array>

#include "shell/Messages.h"

namespace kotou {

const char* const kRareItemNames[kRareItemCount] = {
    "おおげつ姫",       "この花の咲くや姫", "おもいかねの神", "すさのおの命", "たけみかづちの命",
    "つくよみの命",     "ときはかしの神",   "よもつおお神",   "わたつみの神", "へつなぎさびこの神",
    "ほのかぐつちの神", "アラハバキ神",     "オシラさま"};

namespace {

struct Kind {
    const char* item;
    Counter store;
    bool drawnAmount;  // false: always exactly one
};

// Draws the amount (1..maxAmount), then the kind, adds and appends.
template <size_t N>
void findOne(Game& g, int32_t maxAmount, const std::array<Kind, N>& kinds) {
    const int32_t drawn = 1 + g.rng.random(maxAmount);
    const Kind& k = kinds[static_cast<size_t>(g.rng.random(static_cast<int32_t>(N)))];
    const int32_t amount = k.drawnAmount ? drawn : 1;
    int32_t& total = k.store(g.s);
    total += amount;
    appendMessage(g, foundLine(k.item, amount, total));
}

constexpr std::array<Kind, 5> kFruits = {{
    {"りんご", &GameState::appleCount, true},
    {"火の実", &GameState::fireFruitCount, true},
    {"不思実", &GameState::wonderFruitCount, true},
    {"黒き実", &GameState::blackFruitCount, true},
    {"七つ実", &GameState::sevenFruitCount, true},
}};

constexpr std::array<Kind, 6> kSeaCatches = {{
    {"海藻", &GameState::seaweedCount, true},
    {"小魚", &GameState::smallFishCount, true},
    {"タイ", &GameState::seaBreamCount, true},
    {"貝", &GameState::shellCount, true},
    {"宝石", &GameState::gemCount, false},
    {"魔法石", &GameState::magicStoneCount, false},
}};

constexpr std::array<Kind, 6> kAnimals = {{
    {"ピンク兎", &GameState::pinkRabbitCount, true},
    {"木蛇", &GameState::treeSnakeCount, false},
    {"パーセウルフ", &GameState::perseWolfCount, false},
    {"黒虎", &GameState::blackTigerCount, false},
    {"巨人", &GameState::giantCount, false},
    {"月の影", &GameState::moonShadowCount, false},
}};

}  // namespace

std::string foundLine(const char* item, int32_t amount, int32_t total) {
    return std::string("【") + item + "】を" + std::to_string(amount) + "個入手した！\r所持：" +
           std::to_string(total);
}

void findFruit(Game& g) {
    findOne(g, 3, kFruits);
}
void findSeaCatch(Game& g) {
    findOne(g, 2, kSeaCatches);
}
void findAnimal(Game& g) {
    findOne(g, 2, kAnimals);
}

void findRareItem(Game& g) {
    const auto entry = static_cast<size_t>(g.rng.random(kRareItemCount));
    int32_t& count = g.s.rare(static_cast<RareItem>(entry));
    count += 1;
    appendMessage(g, std::string("レアアイテム【") + kRareItemNames[entry] +
                         "】を手に入れた！\r所持：" + std::to_string(count));
}

}  // namespace kotou
