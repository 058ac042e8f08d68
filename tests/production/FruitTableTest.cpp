// Every fruit and drink with the last one held and each draw at the top of
// its range: the dice asked, what the player reads and what changes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/GameHandlers.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

struct FruitTable : test::RulesTest {
    FruitTable() { g.form.show("desert_box"); }
};

TEST_F(FruitTable, EveryFruitAndDrink) {
    GameState& s = g.s;
    const struct {
        const char* button;
        int32_t* count;
        std::vector<int32_t> dice;  // each draw is its top value
        std::vector<std::string> lines;
        int32_t stamina, bowel, obesity, stress, hygiene;
    } rows[] = {
        {"hinomi_b",
         &s.fireFruitCount,
         {3},
         {"ルルは『火の実』を食べた（所持：0）", "【体力】が3回復した！"},
         8,
         47,
         49,
         50,
         50},
        {"ringo_b",
         &s.appleCount,
         {2},
         {"ルルは『りんご』を食べた（所持：0）", "【体力】が4回復した！"},
         9,
         45,
         49,
         50,
         50},
        {"fusimi_b",
         &s.wonderFruitCount,
         {2, 2},
         {"ルルは『不思実』を食べた（所持：0）", "【体力】が3回復した！",
          "【ストレス】が4回復した！"},
         8,
         45,
         50,
         54,
         50},
        {"kurokimi_b",
         &s.blackFruitCount,
         {2, 2},
         {"ルルは『黒き実』を食べた（所持：0）", "【体力】が7回復した！",
          "【ストレス】が4減少した！"},
         12,
         45,
         50,
         40,
         46},
        {"nanatumi_b",
         &s.sevenFruitCount,
         {3, 4},
         {"ルルは『七つ実』を食べた（所持：0）", "【体力】が6回復した！"},
         11,
         46,
         48,
         51,
         50},
        {"kyuui_b",
         &s.kiwiCount,
         {3, 2},
         {"ルルは、【キュウイ】を食べた！", "（残：0）", "【体力】が1回復した！",
          "【肥満】が3回復した！"},
         6,
         49,
         53,
         50,
         50},
        {"water_b",
         &s.waterCount,
         {3, 3},
         {"ルルは、【水】を一杯飲んだ！", "（残：0）", "【体力】が3回復した！",
          "【ストレス】が7回復した！"},
         8,
         45,
         50,
         57,
         50},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.button);
        Character& c = s.ch(1);
        c.stamina = 5;
        c.maxStamina = 50;
        c.bowel = c.obesity = c.stress = c.hygiene = 50;
        *r.count = 1;
        host.clearRecords();
        const size_t asked = rng.requests().size();
        for (int32_t die : r.dice) rng.push(die - 1);
        press(r.button);
        EXPECT_EQ(std::vector<int32_t>(rng.requests().begin() + static_cast<long>(asked),
                                       rng.requests().end()),
                  r.dice);
        EXPECT_EQ(host.messageTexts(), r.lines);
        EXPECT_EQ(host.sounds.front(), (HeadlessHost::Sound{1, "taberu.wav"}));
        EXPECT_EQ(*r.count, 0);
        EXPECT_EQ(c.stamina, r.stamina);
        EXPECT_EQ(c.bowel, r.bowel);
        EXPECT_EQ(c.obesity, r.obesity);
        EXPECT_EQ(c.stress, r.stress);
        EXPECT_EQ(c.hygiene, r.hygiene);
        EXPECT_EQ(c.actionPoints, 10);
    }
}

}  // namespace
}  // namespace kotou
