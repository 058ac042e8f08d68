#include "combat/Colosseum.h"

#include <string>

#include "combat/Battle.h"
#include "shell/Availability.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

constexpr int32_t kBoutCost = 5;
constexpr int kOpponents = kLastColosseumArea - kFirstColosseumArea + 1;

// Opponent n (1..10): a beaten one is no longer offered, which the
// availability of its button already says (its won flag is set).
void fight(Game& g, int n, const std::string& button) {
    if (!commandAvailable(g.s, g.form, button)) return;
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

}  // namespace

void colo_bClick(Game& g) {
    if (!commandAvailable(g.s, g.form, "colo_b")) return;
    playSound(g, 0, "1.wav");
    openPanelOver(g, "colo_box", "kunren_box");
}

void BitBtn22Click(Game& g) {
    if (!commandAvailable(g.s, g.form, "BitBtn22")) return;
    playSound(g, 0, "1.wav");
    g.form.hide("colo_box");
    g.form.show("kunren_box");
}

void registerColosseumHandlers(HandlerRegistry& r) {
    r.add("colo_b", colo_bClick);
    r.add("BitBtn22", BitBtn22Click);
    for (int n = 1; n <= kOpponents; ++n) {
        const std::string button = "colo_b" + std::to_string(n);
        r.add(button, [n, button](Game& g) { fight(g, n, button); });
    }
}

}  // namespace kotou
