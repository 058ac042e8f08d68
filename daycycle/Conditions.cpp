#include "daycycle/Conditions.h"

#include <string>

#include "shell/Messages.h"

namespace kotou {
namespace {

int flag(int32_t v) {
    return v >= 1 ? 1 : 0;
}

// Without water in a drought neither the bath nor the toilet can be used;
// the reservoir keeps both going.
bool refusedForDrought(Game& g) {
    if (g.s.weather != kDrought || g.s.hasReservoir != 0) return false;
    showMessage(g, "日照りのせいで水が干上がって、お風呂が使用できません");
    return true;
}

bool refusedForActionPoints(Game& g, int32_t cost) {
    if (g.s.cur().actionPoints >= cost) return false;
    showMessage(g, "行動力が足りません");
    return true;
}

void takeBath(Game& g) {
    GameState& s = g.s;
    Character& c = s.cur();
    playSound(g, 0, "1.wav");
    if (refusedForDrought(g) || refusedForActionPoints(g, 3)) return;

    c.actionPoints -= 3;
    showScene(g, "背景・お風呂.jpg");
    playSound(g, 1 + g.rng.random(2), "water.wav");
    showMessage(g, c.name + "は、体を洗った。");
    const int32_t n = g.rng.random(2) + 15 + 4 * flag(s.hasWaterSupply) + 4 * flag(s.hasSoap) +
                      6 * flag(s.hasShower) + 3 * flag(s.flag(WorldFlag::SimpleShower)) +
                      7 * flag(s.hasDrumBath);
    c.hygiene += n;
    c.stress += n / 2;
    c.obesity += g.rng.random(2);
    appendMessage(g, "【衛生】が" + std::to_string(n) + "回復した！");
    appendMessage(g, "【ストレス】が" + std::to_string(n / 2) + "回復した！");
}

void useToilet(Game& g) {
    GameState& s = g.s;
    Character& c = s.cur();
    playSound(g, 0, "1.wav");
    if (refusedForDrought(g) || refusedForActionPoints(g, 2)) return;

    playSound(g, 1, "awa.wav");
    c.actionPoints -= 2;
    showScene(g, "背景・トイレ.jpg");
    showMessage(g, c.name + "は、用を足した");
    c.hygiene += g.rng.random(2) - 22 + 2 * flag(s.hasWaterSupply) + 3 * flag(s.hasSoap) +
                 3 * flag(s.hasSimpleToilet) + 3 * flag(s.hasMidToilet) +
                 3 * flag(s.hasLuxuryToilet);
    c.bowel = 100;
    appendMessage(g, "【便意】が完全回復した！");
}

}  // namespace

void registerConditionHandlers(HandlerRegistry& r) {
    r.add("bath_b", Guard::Command, takeBath);
    r.add("toile_b", Guard::Command, useToilet);
}

}  // namespace kotou
