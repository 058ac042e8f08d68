#include "production/Meals.h"

#include <optional>
#include <string>

#include "gains/Growth.h"
#include "production/Draws.h"
#include "shell/Messages.h"
#include "state/Text.h"

namespace kotou {

namespace {

// The common opening of a fruit: the eating sound, the stamina draw, one
// fruit less and the two lines. Returns the gain, or nothing when nothing can
// be eaten (the fruit ran out before the button disappeared); the count
// never goes below zero.
std::optional<int32_t> eatFruit(Game& g, int32_t& count, const char* item, int32_t lo, int32_t hi) {
    if (count < 1) return std::nullopt;
    playSound(g, 1, "taberu.wav");
    const int32_t gain = drawRange(g, lo, hi);
    count -= 1;
    showMessage(g, g.s.cur().name + "は『" + item + "』を食べた（所持：" + num(count) + "）");
    appendMessage(g, "【体力】が" + num(gain) + "回復した！");
    return gain;
}

// The opening of the kiwi and of water: an action line, the stock left and
// the stamina line.
std::optional<int32_t> consume(Game& g, int32_t& count, const std::string& action, int32_t lo,
                               int32_t hi) {
    if (count < 1) return std::nullopt;
    playSound(g, 1, "taberu.wav");
    const int32_t gain = drawRange(g, lo, hi);
    count -= 1;
    showMessage(g, g.s.cur().name + action);
    appendMessage(g, "（残：" + num(count) + "）");
    appendMessage(g, "【体力】が" + num(gain) + "回復した！");
    return gain;
}

void openDesserts(Game& g) {
    playSound(g, 0, "1.wav");
    g.form.hide("cook_box");
    showScene(g, "背景・食事.jpg");
    const Component& com = g.form.at("com_box");
    const ComponentId desert = g.form.id("desert_box");
    g.form.setVisible(desert, true);
    g.form.setPosition(desert, com.left, com.top);
}

void eatFireFruit(Game& g) {
    const auto gain = eatFruit(g, g.s.fireFruitCount, "火の実", 1, 3);
    if (!gain) return;
    Character& c = g.s.cur();
    c.stamina += *gain;
    c.bowel -= 3;
    c.obesity -= 1;
}

void eatApple(Game& g) {
    const auto gain = eatFruit(g, g.s.appleCount, "りんご", 3, 4);
    if (!gain) return;
    Character& c = g.s.cur();
    c.stamina += *gain;
    c.bowel -= 5;
    c.obesity -= 1;
}

void eatWonderFruit(Game& g) {
    const auto gain = eatFruit(g, g.s.wonderFruitCount, "不思実", 2, 3);
    if (!gain) return;
    const int32_t relief = drawRange(g, 3, 4);
    appendMessage(g, "【ストレス】が" + num(relief) + "回復した！");
    Character& c = g.s.cur();
    c.stamina += *gain;
    c.bowel -= 5;
    c.stress += relief;
}

void eatBlackFruit(Game& g) {
    const auto gain = eatFruit(g, g.s.blackFruitCount, "黒き実", 6, 7);
    if (!gain) return;
    // The line reports only the drawn part; the fruit costs six more.
    const int32_t loss = drawRange(g, 3, 4);
    appendMessage(g, "【ストレス】が" + num(loss) + "減少した！");
    Character& c = g.s.cur();
    c.stamina += *gain;
    c.stress -= loss;
    c.bowel -= 5;
    c.hygiene -= 4;
    c.stress -= 6;
}

void eatSevenFruit(Game& g) {
    const auto gain = eatFruit(g, g.s.sevenFruitCount, "七つ実", 4, 6);
    if (!gain) return;
    Character& c = g.s.cur();
    c.stamina += *gain;
    c.stress += 1;
    c.obesity -= 2;
    c.bowel -= 4;
    chanceStrengthUp(g);
}

void eatKiwi(Game& g) {
    const auto gain = consume(g, g.s.kiwiCount, "は、【キュウイ】を食べた！", 1, 1);
    if (!gain) return;
    const int32_t fat = drawRange(g, 1, 3);
    appendMessage(g, "【肥満】が" + num(fat) + "回復した！");
    const int32_t bowel = drawRange(g, 0, 1);
    Character& c = g.s.cur();
    c.stamina += *gain;
    c.obesity += fat;
    c.bowel -= bowel;
}

void drinkWater(Game& g) {
    const auto gain = consume(g, g.s.waterCount, "は、【水】を一杯飲んだ！", 1, 3);
    if (!gain) return;
    const int32_t relief = drawRange(g, 5, 7);
    appendMessage(g, "【ストレス】が" + num(relief) + "回復した！");
    Character& c = g.s.cur();
    c.stamina += *gain;
    c.stress += relief;
    c.bowel -= 5;
}

}  // namespace

void registerMealHandlers(HandlerRegistry& r) {
    r.add("BitBtn6", Guard::Navigation, openDesserts);
    r.add("hinomi_b", Guard::Command, eatFireFruit);
    r.add("ringo_b", Guard::Command, eatApple);
    r.add("fusimi_b", Guard::Command, eatWonderFruit);
    r.add("kurokimi_b", Guard::Command, eatBlackFruit);
    r.add("nanatumi_b", Guard::Command, eatSevenFruit);
    r.add("kyuui_b", Guard::Command, eatKiwi);
    r.add("water_b", Guard::Command, drinkWater);
}

}  // namespace kotou
