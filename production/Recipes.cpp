#include "production/Recipes.h"

#include <string>

#include "gains/Growth.h"
#include "production/Draws.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

constexpr const char* kLowCooking = "この料理に必要なパラメーター【料理】が足りません";
constexpr const char* kLowAction = "この料理に必要なパラメーター【行動】が足りません";
constexpr const char* kMountainMenu = "yamanosati_box";

// One store a dish takes from, with the word its remaining-count line uses
// (the rows differ: 緑キノコ in one, 緑のキノコ in another).
struct Ingredient {
    Counter count;  // none ends the list
    const char* word = nullptr;
    int32_t amount = 0;
};

enum class Step : uint8_t {
    End,        // ends the list
    Stat,       // a statistic changes by a drawn amount, reported or silent
    Bone,       // 1 in 3: one bone
    Poison,     // 1 in 4: the cook is poisoned
    Dexterity,  // 1 in 2: the dexterity growth roll
    Growth,     // a chance-based growth operation
    Hides,      // 1 in 3: hides, after a click, replacing the message
};

struct Effect {
    Step step = Step::End;
    int32_t Character::*stat = nullptr;
    int32_t lo = 0, hi = 0;
    const char* label = nullptr;  // the reported line's statistic; nullptr = silent
    const char* verb = nullptr;   // "上昇した！" for maxima, "回復した！" for values
    void (*grow)(Game&) = nullptr;
};

struct Recipe {
    const char* button;
    const char* dish;           // the word of the first line
    int32_t cooking;            // 料理 needed; 0 = none
    int32_t actionPoints;       // cost; 0 = none
    bool meat;                  // hides the mountain menu while it runs, so its growths wait
    Ingredient ingredients[4];  // in the order the remaining-count line names them
    int32_t obesityCost;        // taken with the ingredients
    Effect effects[10];         // in order
};

// --- Effect steps --------------------------------------------------------------

constexpr Effect raised(int32_t Character::*stat, int32_t lo, int32_t hi, const char* label) {
    return {Step::Stat, stat, lo, hi, label, "上昇した！", nullptr};
}
constexpr Effect restored(int32_t Character::*stat, int32_t lo, int32_t hi, const char* label) {
    return {Step::Stat, stat, lo, hi, label, "回復した！", nullptr};
}
constexpr Effect silent(int32_t Character::*stat, int32_t delta) {
    return {Step::Stat, stat, delta, delta, nullptr, nullptr, nullptr};
}
constexpr Effect grow(void (*op)(Game&)) {
    return {Step::Growth, nullptr, 0, 0, nullptr, nullptr, op};
}
constexpr Effect hides(int32_t lo, int32_t hi) {
    return {Step::Hides, nullptr, lo, hi, nullptr, nullptr, nullptr};
}

constexpr Effect maxAction(int32_t n, const char* label = "行動力の最大値") {
    return raised(&Character::maxActionPoints, n, n, label);
}
constexpr Effect maxStamina(int32_t lo, int32_t hi) {
    return raised(&Character::maxStamina, lo, hi, "体力の最大値");
}
constexpr Effect stamina(int32_t lo, int32_t hi) {
    return restored(&Character::stamina, lo, hi, "体力");
}
constexpr Effect action(int32_t lo, int32_t hi) {
    return restored(&Character::actionPoints, lo, hi, "行動力");
}
constexpr Effect stress(int32_t lo, int32_t hi) {
    return restored(&Character::stress, lo, hi, "ストレス");
}
constexpr Effect strength(int32_t lo, int32_t hi) {
    return restored(&Character::strength, lo, hi, "腕力");
}
constexpr Effect bowel(int32_t delta) {
    return silent(&Character::bowel, delta);
}
constexpr Effect obesity(int32_t delta) {
    return silent(&Character::obesity, delta);
}

constexpr Effect kBone{Step::Bone};
constexpr Effect kPoison{Step::Poison};
constexpr Effect kDexterity{Step::Dexterity};
constexpr Effect kCooking = grow(chanceCookingUp);
constexpr Effect kBotany = grow(chanceBotanyUp);
constexpr Effect kZoology = grow(chanceZoologyUp);
constexpr Effect kMaxStaminaGrowth = grow(chanceMaxStaminaUp);

using S = GameState;

// --- The menus -------------------------------------------------------------------

// clang-format off
const Recipe kRecipes[] = {
    // Desserts.
    {"kibou_b", "希望のデザート", 0, 0, false,
     {{&S::fireFruitCount, "火の実", 1}, {&S::wonderFruitCount, "不思実", 2},
      {&S::blackFruitCount, "黒き実", 1}, {&S::sevenFruitCount, "七つ実", 2}},
     0, {maxAction(1), bowel(-5), kCooking}},
    {"risou_b", "理想のデザート", 5, 0, false,
     {{&S::greenMushroomCount, "緑キノコ", 1}, {&S::wonderFruitCount, "不思実", 3},
      {&S::blackFruitCount, "黒き実", 2}, {&S::sevenFruitCount, "七つ実", 3}},
     0, {maxAction(2), bowel(-8), kCooking}},
    {"kiken_b", "危険のデザート", 15, 0, false,
     {{&S::walkingMushroomCount, "動くキノコ", 3}, {&S::treeSnakeCount, "木蛇", 3},
      {&S::blackFruitCount, "黒き実", 5}},
     0, {maxAction(3), bowel(-10), kCooking, kPoison}},
    {"kirameku_b", "煌くのデザート", 25, 0, false,
     {{&S::giantMushroomCount, "巨大キノコ", 9}, {&S::blueBirdCount, "青い鳥", 1},
      {&S::kappaCount, "かっぱ", 1}},
     0, {maxAction(4), bowel(-10), kCooking}},
    {"kinoko_b", "キノコスープ", 12, 0, false,
     {{&S::greenMushroomCount, "緑のキノコ", 5}, {&S::walkingMushroomCount, "動くキノコ", 5},
      {&S::waterCount, "水", 5}},
     0, {stamina(6, 6), bowel(-7), kCooking, kMaxStaminaGrowth, kBotany, kPoison}},
    {"mixjuce_b", "ＭＩＸジュース", 3, 0, false,
     {{&S::greenMushroomCount, "緑のキノコ", 3}, {&S::sevenFruitCount, "七つ実", 3},
      {&S::waterCount, "水", 3}},
     0, {stamina(9, 9), action(3, 4), bowel(-5), kCooking}},
    {"cake_b", "ケーキ", 20, 0, false,
     {{&S::greenMushroomCount, "緑のキノコ", 2}, {&S::wonderFruitCount, "不思実", 2},
      {&S::sugarCount, "さとう", 3}},
     0, {stamina(6, 7), action(5, 6), stress(14, 15), obesity(-5), bowel(-10), kCooking}},
    {"harbtea_b", "ハーブティ", 24, 0, false,
     {{&S::herbCount, "ハーブ", 3}, {&S::waterCount, "水", 2}, {&S::sugarCount, "さとう", 2}},
     0, {stamina(2, 3), stress(25, 26), bowel(-4), kCooking, kBotany}},
    // Offered from two apples, but eats one.
    {"kudamono_b", "くだもの盛合せ", 3, 0, false,
     {{&S::fireFruitCount, "火の実", 5}, {&S::appleCount, "りんご", 1}},
     0, {stamina(13, 14), bowel(-8), kCooking}},
    {"kinoko_b2", "キノコの盛合せ", 6, 0, false,
     {{&S::greenMushroomCount, "緑のキノコ", 1}, {&S::walkingMushroomCount, "動くキノコ", 1},
      {&S::giantMushroomCount, "巨大キノコ", 1}},
     0, {stamina(15, 16), bowel(-8), kPoison, kCooking, kBotany}},

    // The sea menu.
    {"kaisou_b", "海藻の干し物", 1, 0, false,
     {{&S::seaweedCount, "海藻", 4}},
     0, {stamina(3, 4), stress(2, 4), bowel(-1), kCooking, kDexterity}},
    {"nibosi_b", "にぼし", 3, 1, false,
     {{&S::smallFishCount, "小魚", 3}},
     0, {stamina(1, 1), bowel(-1), kBone, kCooking, kDexterity}},
    {"yakisakana_b", "焼き魚", 10, 2, false,
     {{&S::crucianCount, "フナ", 1}, {&S::seaBreamCount, "タイ", 1}},
     0, {stamina(8, 9), kBone, obesity(-2), bowel(-5), kCooking}},
    // Its caption asks 料理１２; the dish is open from 10.
    {"kaisoucook_b", "海鮮料理", 10, 2, false,
     {{&S::seaweedCount, "海藻", 4}, {&S::seaBreamCount, "タイ", 2}},
     0, {stamina(12, 13), kBone, obesity(-2), bowel(-8), kCooking}},
    {"kogani_b", "小カニの煮物", 0, 0, false,
     {{&S::smallCrabCount, "小カニ", 3}},
     0, {stamina(4, 7), bowel(-3), kCooking}},
    {"hamabenosati_b", "浜辺の幸", 0, 0, false,
     {{&S::shellCount, "貝", 2}, {&S::smallCrabCount, "小カニ", 1}},
     0, {stamina(5, 7), obesity(-2), bowel(-4), kCooking}},
    {"tainosasimi_b", "タイの刺身", 6, 0, false,
     {{&S::seaBreamCount, "タイ", 4}},
     0, {stamina(10, 12), bowel(-5), kCooking}},
    {"ningyo_b", "人魚の姿煮", 15, 3, false,
     {{&S::mermaidCount, "人魚", 1}, {&S::sugarCount, "さとう", 3}},
     0, {stamina(27, 28), bowel(-10), kCooking, kZoology}},

    // The mountain menu.
    {"nikuc_b", "肉料理Ｃ", 5, 4, true,
     {{&S::pinkRabbitCount, "ピンク兎", 4}},
     0, {maxStamina(1, 1), bowel(-12), obesity(-3), hides(1, 1), kCooking, kZoology}},
    {"nikub_b", "肉料理Ｂ", 15, 9, true,
     {{&S::perseWolfCount, "パーセウルフ", 3}, {&S::pinkRabbitCount, "ピンク兎", 3}},
     0, {maxStamina(2, 2), bowel(-15), obesity(-4), hides(1, 1), kCooking, kZoology}},
    {"nikua_b", "肉料理Ａ", 20, 10, true,
     {{&S::perseWolfCount, "パーセウルフ", 3}, {&S::blackTigerCount, "黒虎", 3}},
     0, {maxStamina(2, 3), stress(5, 6), bowel(-30), obesity(-5), hides(1, 2),
         kCooking, kZoology}},
    {"nikus_b", "肉料理Ｓ", 30, 20, true,
     {{&S::giantCount, "巨人", 3}, {&S::mermaidCount, "人魚", 2},
      {&S::pinkRabbitCount, "ピンク兎", 2}},
     0, {maxStamina(3, 3), strength(1, 1), stress(6, 7), bowel(-50), obesity(-8), hides(2, 2),
         kCooking, kZoology}},
    {"nikusp_b", "肉料理ＳＰ", 30, 20, true,
     {{&S::giantCount, "巨人", 3}, {&S::maneaterFishCount, "人食い魚", 2},
      {&S::blackTigerCount, "黒虎", 3}},
     0, {maxAction(1, "行動力の最大値力"), maxStamina(4, 4), strength(1, 2), stress(10, 11),
         bowel(-60), obesity(-10), hides(3, 3), kCooking, kZoology}},
    {"sansai_b", "山菜", 4, 3, false,
     {{&S::grassCount, "草", 2}, {&S::leafCount, "葉っぱ", 3}},
     0, {stamina(6, 7), stress(5, 6), bowel(-3), kCooking, kBotany}},
    {"kusa_b", "草の石焼き", 1, 0, false,
     {{&S::grassCount, "草", 3}, {&S::stoneCount, "石", 3}},
     0, {stamina(7, 8), restored(&Character::bowel, 5, 6, "便意"), kCooking, kBotany}},
    {"hebi_b", "ヘビの丸焼き", 10, 0, false,
     {{&S::lizardCount, "トカゲ", 1}, {&S::treeSnakeCount, "木蛇", 1},
      {&S::saltCount, "しお", 2}},
     3, {stamina(20, 21), bowel(-7), kCooking}},
    {"kyodaigohan_b", "巨大ご飯", 20, 4, false,
     {{&S::giantCount, "巨人", 1}, {&S::giantMushroomCount, "巨大キノコ", 2},
      {&S::sugarCount, "さとう", 3}},
     0, {stamina(33, 34), obesity(-8), bowel(-12), kCooking}},
};
// clang-format on

std::string remainingLine(const GameState& s, const Recipe& r) {
    std::string line = "（残：";
    for (const Ingredient& i : r.ingredients) {
        if (!i.count) break;
        if (&i != r.ingredients) line += "、";
        line += i.word + std::to_string(i.count(s));
    }
    return line + "）";
}

void apply(Game& g, const Effect& e) {
    Character& c = g.s.cur();
    switch (e.step) {
        case Step::End:
            return;
        case Step::Stat: {
            const int32_t amount = drawRange(g, e.lo, e.hi);
            c.*e.stat += amount;
            if (e.label)
                appendMessage(
                    g, std::string("【") + e.label + "】が" + std::to_string(amount) + e.verb);
            return;
        }
        case Step::Bone:
            if (g.rng.random(3) != 0) return;
            g.s.boneCount += 1;
            appendMessage(g, "【骨】を１つ入手した！");
            return;
        case Step::Poison:
            if (g.rng.random(4) != 0) return;
            c.poison = 1;
            playSound(g, 2, "bad.wav");
            appendMessage(g, "キノコの【毒】におかされてしまった！");
            return;
        case Step::Dexterity:
            if (g.rng.random(2) == 0) chanceDexterityUp(g);
            return;
        case Step::Growth:
            e.grow(g);
            return;
        case Step::Hides: {
            if (g.rng.random(3) != 0) return;
            const int32_t n = drawRange(g, e.lo, e.hi);
            waitForClick(g);
            g.s.hideCount += n;
            showMessage(g, "【皮】を" + std::to_string(n) + "つ入手した！");
            return;
        }
    }
}

void cook(Game& g, const Recipe& r) {
    Character& c = g.s.cur();
    if (c.cooking < r.cooking) {
        showMessage(g, kLowCooking);
        return;
    }
    if (c.actionPoints < r.actionPoints) {
        showMessage(g, kLowAction);
        return;
    }
    if (r.meat) g.form.hide(kMountainMenu);
    for (const Ingredient& i : r.ingredients)
        if (i.count) i.count(g.s) -= i.amount;
    c.actionPoints -= r.actionPoints;
    c.obesity -= r.obesityCost;
    playSound(g, 1, "taberu.wav");
    showMessage(g, c.name + "は、【" + r.dish + "】を作って食べた。");
    appendMessage(g, remainingLine(g.s, r));
    for (const Effect& e : r.effects) apply(g, e);
    if (r.meat) g.form.show(kMountainMenu);
}

void openMenu(Game& g, const char* menu, const char* picture) {
    playSound(g, 0, "1.wav");
    showScene(g, picture);
    openPanelOver(g, menu, "cook_box");
}

}  // namespace

std::vector<RowRequirement> recipeRequirements() {
    std::vector<RowRequirement> out;
    for (const Recipe& recipe : kRecipes) {
        RowRequirement& r = out.emplace_back();
        r.button = recipe.button;
        for (const Ingredient& i : recipe.ingredients)
            if (i.count) r.materials.push_back({i.word, i.count, i.amount});
        if (recipe.cooking > 0) r.minimums.emplace_back("料理", recipe.cooking);
        if (recipe.actionPoints > 0) r.minimums.emplace_back("行動力", recipe.actionPoints);
    }
    return out;
}

void registerRecipeHandlers(HandlerRegistry& r) {
    r.add("uminosati_b", Guard::Command,
          [](Game& g) { openMenu(g, "uminosati_box", "背景・魚.jpg"); });
    r.add("yamanosati_b", Guard::Command,
          [](Game& g) { openMenu(g, kMountainMenu, "背景・肉.jpg"); });
    for (const Recipe& recipe : kRecipes)
        r.add(recipe.button, Guard::Command, [&recipe](Game& g) { cook(g, recipe); });
}

}  // namespace kotou
