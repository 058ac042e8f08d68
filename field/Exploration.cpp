#include "field/Exploration.h"

#include <stdexcept>
#include <string>

#include "combat/Battle.h"
#include "field/Stranded.h"
#include "gains/Finds.h"
#include "gains/Growth.h"
#include "shell/Messages.h"

namespace kotou {

namespace {

int32_t intimacy(const GameState& s, int a, int b) {
    const int p = pairIndex(a, b);
    return p < 0 ? 0 : s.pairIntimacy[static_cast<size_t>(p)];
}

int32_t findRangeOf(const Location& loc, const GameState& s) {
    int32_t size = 0;
    for (const FindRange& r : loc.ranges)
        if (r.when == nullptr || r.when(s)) size = r.size;
    return size;
}

// The explorer gets hurt: the two lines and the losses; poison then waits,
// sounds and marks the character.
void hurt(Game& g, const Hazard& h) {
    Character& c = g.s.cur();
    showMessage(g, h.text);
    appendMessage(g, h.damage);
    c.stress += h.stress;
    c.stamina += h.stamina;
    if (h.kind != Hazard::Kind::Poison) return;
    waitForClick(g);
    playSound(g, 2, "bad.wav");
    appendMessage(g, c.name + "【毒】におかされてしまった！");
    c.poison = 1;
}

FindOutcome applyHazard(Game& g, const Hazard& h) {
    switch (h.kind) {
        case Hazard::Kind::Injury:
        case Hazard::Kind::Poison:
            hurt(g, h);
            return FindOutcome::Wait;
        case Hazard::Kind::Book: {
            int32_t& state = h.book(g.s);
            if (state < 1) {
                state = 1;
                showMessage(g, h.text);
                return FindOutcome::Wait;
            }
            if (h.lostOnceFound) break;
            showMessage(g, "なにも見つけられなかった");
            return FindOutcome::Wait;
        }
        case Hazard::Kind::Lost:
            break;
    }
    getLost(g, h.refreshBackground);
    return FindOutcome::End;
}

// A draw that the table does not cover is a fault of the table; it stops the
// command loudly rather than finding nothing.
[[noreturn]] void tableFault(const Location& loc, const char* what) {
    throw std::logic_error(std::string(loc.name) + ": " + what);
}

// Applies one find; returns what the loop does next.
FindOutcome applyFind(Game& g, const Location& loc, const Find& f, int32_t amount) {
    switch (f.kind) {
        case Find::Kind::Store: {
            const int32_t n = f.drawnAmount ? amount : 1;
            int32_t& total = f.store(g.s);
            total += n;
            showMessage(g, foundLine(f.item, n, total));
            return FindOutcome::Wait;
        }
        case Find::Kind::Monster:
            if (loc.battleArea < 0) tableFault(loc, "a monster where no monster lives");
            playSound(g, 2, "teki.wav");
            battleState(g).area = loc.battleArea;
            startBattle(g);
            return FindOutcome::End;
        case Find::Kind::Operations:
            for (FindOperation op : f.operations)
                if (op) op(g);
            return FindOutcome::NoWait;
        case Find::Kind::Hazards: {
            const auto k = g.rng.random(static_cast<int32_t>(f.hazards.size()));
            return applyHazard(g, f.hazards[static_cast<size_t>(k)]);
        }
    }
    tableFault(loc, "a find of no known kind");
}

}  // namespace

int companionAssist(Game& g) {
    GameState& s = g.s;
    const int k = s.currentCharacter;
    if (!GameState::isCharacterIndex(k)) return 0;
    const std::array<int, 3> partners = partnersOf(k);
    bool close = false;
    for (int p : partners) close = close || intimacy(s, k, p) >= 40;
    const int32_t d = g.rng.random(close ? 5 : 10);
    if (d > 2) return 0;
    const int partner = partners[static_cast<size_t>(d)];
    if (intimacy(s, k, partner) < 30) return 0;
    appendMessage(g, std::string("・・・") + kCharacterNames[static_cast<size_t>(partner)] +
                         "が探索の補助をしてくれた！");
    waitForClick(g);
    return 1;
}

void explore(Game& g, const Location& loc) {
    GameState& s = g.s;
    if (!GameState::isCharacterIndex(s.currentCharacter)) return;
    const ComponentId menu = g.form.id("tansaku_box");
    g.form.setVisible(menu, false);
    playSound(g, 0, "1.wav");
    showMessage(g, "");

    for (const Requirement& r : loc.checks) {
        if (r.value(s) < r.minimum) {
            showMessage(g, r.message);
            g.form.setVisible(menu, true);
            return;
        }
    }

    showScene(g, loc.background);
    for (const CostStep& c : loc.cost) {
        s.cur().*c.stat += c.delta + (c.drawSpan > 0 ? g.rng.random(c.drawSpan) : 0);
    }

    int count = 1;
    for (Condition extra : loc.extraFinds)
        if (extra(s)) ++count;
    count += companionAssist(g);

    const int32_t tableSize = static_cast<int32_t>(loc.finds.size());
    for (int i = 1; i <= count; ++i) {
        const int32_t amount = loc.amountMax > loc.amountMin
                                   ? loc.amountMin + g.rng.random(loc.amountMax - loc.amountMin + 1)
                                   : loc.amountMin;
        playSound(g, 1, "tansaku.wav");
        const int32_t range = findRangeOf(loc, s);
        const int32_t k = g.rng.random(range);
        if (k >= tableSize) tableFault(loc, "a find draw beyond the table");
        const FindOutcome outcome = applyFind(g, loc, loc.finds[static_cast<size_t>(k)], amount);
        if (outcome == FindOutcome::End) return;
        if (i < count && outcome == FindOutcome::Wait) waitForClick(g);
    }

    for (const Discovery& d : loc.discoveries) {
        if (g.rng.random(d.chance) != 0) continue;
        int32_t& entry = s.flag(d.place);
        if (entry != 0) continue;
        entry = 1;
        playSound(g, 2, "place.wav");
        appendMessage(g, d.message);
    }
    chanceGeographyUp(g);
    g.form.setVisible(menu, true);
}

void registerExplorationHandlers(HandlerRegistry& r) {
    struct Place {
        const char* button;
        const Location& (*location)();
    };
    static constexpr Place kPlaces[] = {
        {"hayasi_b", forestLocation}, {"hamabe_b", beachLocation},  {"umi_b", seaLocation},
        {"doukutu_b", caveLocation},  {"jungle_b", jungleLocation}, {"mizuumi_b", lakeLocation},
        {"gake_b", cliffLocation},
    };
    for (const Place& p : kPlaces)
        r.add(p.button, Guard::Command,
              [location = p.location](Game& g) { explore(g, location()); });
}

}  // namespace kotou
