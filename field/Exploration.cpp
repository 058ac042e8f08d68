#include "field/Exploration.h"

#include <string>

#include "combat/Battle.h"
#include "production/Growth.h"
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

// Applies one find; returns what the loop does next.
FindOutcome applyFind(Game& g, const Location& loc, const Find& f, int32_t amount) {
    switch (f.kind) {
        case Find::Kind::Store: {
            const int32_t n = f.drawnAmount ? amount : 1;
            int32_t& total = f.store(g.s);
            total += n;
            showMessage(g, std::string("【") + f.item + "】を" + std::to_string(n) +
                               "個入手した！\r所持：" + std::to_string(total));
            return FindOutcome::Wait;
        }
        case Find::Kind::Monster:
            // A location without monsters has no monster rows; should a table
            // say otherwise, the find is nothing rather than a battle nowhere.
            if (loc.battleArea < 0) return FindOutcome::Wait;
            playSound(g, 2, "teki.wav");
            battleState(g).area = loc.battleArea;
            startBattle(g);
            return FindOutcome::End;
        case Find::Kind::Action:
            return f.action ? f.action(g) : FindOutcome::Wait;
    }
    return FindOutcome::Wait;
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
        // A draw beyond the table would be a fault of the table; it finds
        // nothing instead of reading past the end.
        const FindOutcome outcome =
            k < tableSize ? applyFind(g, loc, loc.finds[static_cast<size_t>(k)], amount)
                          : FindOutcome::Wait;
        if (outcome == FindOutcome::End) return;
        if (i < count && outcome == FindOutcome::Wait) waitForClick(g);
    }

    for (const Discovery& d : loc.discoveries) {
        if (g.rng.random(d.chance) != 0) continue;
        int32_t& entry = s.worldFlags[static_cast<size_t>(d.flagEntry)];
        if (entry != 0) continue;
        entry = 1;
        playSound(g, 2, "place.wav");
        appendMessage(g, d.message);
    }
    chanceGeographyUp(g);
    g.form.setVisible(menu, true);
}

void hayasi_bClick(Game& g) {
    explore(g, forestLocation());
}

}  // namespace kotou
