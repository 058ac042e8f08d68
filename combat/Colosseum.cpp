#include "combat/Colosseum.h"

#include <string>

#include "combat/Battle.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

constexpr int32_t kBoutCost = 5;
constexpr int kOpponents = kLastColosseumArea - kFirstColosseumArea + 1;

// Opponent n (1..10): a beaten one is no longer offered, which the
// availability of its button already says (its won flag is set).
void fight(Game& g, int n) {
    playSound(g, 0, "1.wav");
    Character& c = g.s.cur();
    if (c.actionPoints < kBoutCost) {
        showMessage(g, "行動力が足りません");
        return;
    }
    c.actionPoints -= kBoutCost;
    g.form.hide("colo_box");
    BattleState& b = battleState(g);
    b.area = kFirstColosseumArea - 1 + n;
    startBattle(g);
}

void openColosseum(Game& g) {
    playSound(g, 0, "1.wav");
    openPanelOver(g, "colo_box", "kunren_box");
}

void closeColosseum(Game& g) {
    closePanelTo(g, "colo_box", "kunren_box");
}

}  // namespace

void registerColosseumHandlers(HandlerRegistry& r) {
    r.add("colo_b", Guard::Command, openColosseum);
    r.add("BitBtn22", Guard::Command, closeColosseum);
    for (int n = 1; n <= kOpponents; ++n)
        r.add("colo_b" + std::to_string(n), Guard::Command, [n](Game& g) { fight(g, n); });
}

}  // namespace kotou
