#pragma once
// A game at ルル's turn for the craft tests: every store at 60, waits ended
// without a draw, so that the scripted draws are the rules' own.

#include <span>
#include <string>

#include "game/GameHandlers.h"
#include "shell/Availability.h"
#include "shell/Screens.h"
#include "shell/StatusRefresh.h"
#include "state/SaveLayout.h"
#include "state/Text.h"
#include "tests/support/RulesTest.h"

namespace kotou::test {

// A precondition of one row, as a lambda over the state.
using Prepare = void (*)(GameState&);
#define PRE(...) []([[maybe_unused]] GameState& s) { __VA_ARGS__; }

inline std::string tooLow(const char* label) {
    return std::string("製作に必要なパラメーター【") + label + "】が低過ぎます";
}

// A tool, a piece of equipment or a book: made once, on a panel that stays open.
struct ItemCase {
    const char* button;
    Prepare prepare;
    int32_t dexterity;      // -1: not tested
    const char* remaining;  // with 60 of every store before
    int32_t stress, stamina, hygiene;
    int waits;          // when dexterity does not grow
    bool grows = true;  // may raise dexterity
    int click = 0;      // channel of the opening click
};

struct CraftFixture : RulesTest {
    static constexpr int32_t kStock = 60;

    CraftFixture() {
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
    // Visible once the status refresh has applied the availability table.
    bool shownNow(const char* name) {
        refreshStatus(g);
        return visible(name);
    }
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

    // Each item refused one point of dexterity short with nothing changed,
    // then made at exactly its requirement.
    void expectItems(const char* panel, std::span<const ItemCase> cases) {
        for (const ItemCase& t : cases) {
            SCOPED_TRACE(t.button);
            const int32_t dex = t.dexterity < 0 ? 0 : t.dexterity;
            if (t.dexterity >= 0) {
                fresh();
                t.prepare(g.s);
                skills(dex - 1, 100);
                openPanelOver(g, panel, nullptr);
                const GameState before = settled();
                press(t.button);
                EXPECT_EQ(host.lastMessage(), tooLow("器用さ"));
                EXPECT_TRUE(g.s == before);
            }

            fresh();
            t.prepare(g.s);
            skills(dex, 0);
            Character& c = ruru();
            c.actionPoints = 10;
            c.stress = c.hygiene = 100;
            openPanelOver(g, panel, nullptr);
            ASSERT_TRUE(offered(t.button));
            if (t.grows) rng.push(1);  // no dexterity growth
            press(t.button);
            EXPECT_EQ(rng.remaining(), 0u);
            EXPECT_EQ(rng.requests(), t.grows ? std::vector<int32_t>{4} : std::vector<int32_t>{});
            rng = ScriptedRandom{};
            EXPECT_EQ(host.sounds.at(0), (HeadlessHost::Sound{t.click, "1.wav"}));
            EXPECT_TRUE(host.saw(t.remaining));
            EXPECT_EQ(c.actionPoints, 8);
            EXPECT_EQ(c.stress, 100 - t.stress);
            EXPECT_EQ(c.stamina, 50 - t.stamina);
            EXPECT_EQ(c.hygiene, 100 - t.hygiene);
            EXPECT_EQ(host.clicks, t.waits);
            EXPECT_FALSE(offered(t.button));
            EXPECT_TRUE(g.form.effectivelyVisible(g.form.id(panel)));
            expectMessagesFit();
        }
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
