#pragma once
// A game at ルル's turn for the craft tests: every store at 60, waits ended
// without a draw, so that the scripted draws are the rules' own.

#include <string>

#include "production/Handlers.h"
#include "shell/Availability.h"
#include "shell/Screens.h"
#include "shell/StatusRefresh.h"
#include "state/SaveLayout.h"
#include "state/Text.h"
#include "tests/support/RulesTest.h"

namespace kotou::test {

inline void registerCraftTestHandlers(HandlerRegistry& r) {
    registerShellHandlers(r);
    registerProductionHandlers(r);
}

// A precondition of one row, as a lambda over the state.
using Prepare = void (*)(GameState&);
#define PRE(...) []([[maybe_unused]] GameState& s) { __VA_ARGS__; }

struct CraftFixture : RulesTest {
    static constexpr int32_t kStock = 60;

    CraftFixture() : RulesTest(registerCraftTestHandlers) {
        host.silentClicks = true;
        fresh();
    }

    Character& ruru() { return g.s.ch(1); }

    // A new game with plenty of everything and ルル in good shape.
    void fresh() {
        initNewGame(g.s);
        g.s.currentCharacter = 1;
        g.s.runtime.clickState = 1;
        struct Stock {
            void integer(const std::string& name, int32_t& v) {
                if (name.size() > 5 && name.ends_with("Count")) v = kStock;
            }
            void text(const std::string&, std::string&) {}
        };
        visitSaved(g.s, Stock{});
        Character& c = ruru();
        c.maxStamina = 100;
        c.stamina = 50;
        for (const char* panel : {"seisaku_box", "sisetu_box", "item_seisaku_box",
                                  "item_seisaku2_box", "sozai_box", "kousaku_box", "name_box"})
            g.form.hide(panel);
        host.clearRecords();
    }

    // Skills for the tests of a row: the two values, everything else high.
    void skills(int32_t dexterity, int32_t strength) {
        Character& c = ruru();
        c.cooking = c.botany = c.zoology = 100;
        c.dexterity = dexterity;
        c.strength = strength;
    }

    bool visible(const char* name) const { return g.form.effectivelyVisible(g.form.id(name)); }
    // Open on its panel and offered by the availability table.
    bool offered(const char* button) const {
        return g.form.effectivelyVisible(g.form.at(button).parent) &&
               commandAvailable(g.s, g.form, button);
    }

    // The state after a status refresh, to compare with after a refusal.
    GameState settled() {
        refreshStatus(g);
        return g.s;
    }

    // Every text the message area showed fits it: 7 lines of 56 bytes.
    void expectMessagesFit() const {
        int lines = 0;
        for (const HeadlessHost::Message& m : host.messages) {
            if (!m.appended) lines = 0;
            lines += static_cast<int>((cp932Length(m.text) + 55) / 56);
            EXPECT_LE(lines, 7) << m.text;
        }
    }
};

}  // namespace kotou::test
