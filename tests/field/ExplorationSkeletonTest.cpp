// The exploration skeleton on locations made for the test: costs with and
// without a draw, a fixed amount, a monster in the jungle's area, the
// companion draw's faces without a partner; and the forest's geography step.

#include <gtest/gtest.h>

#include <vector>

#include "combat/Battle.h"
#include "field/Exploration.h"
#include "field/Location.h"
#include "game/GameHandlers.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

struct ExplorationSkeleton : test::RulesTest {
    ExplorationSkeleton() {
        g.form.show("tansaku_box");
        host.silentClicks = true;
    }
    Character& ruru() { return g.s.ch(1); }
};

Location testLocation() {
    return Location{
        .name = "試験場",
        .checks = {},
        .background = "背景・林.jpg",
        .cost = {{&Character::stamina, -2}, {&Character::stress, -1, 3}},
        .extraFinds = {},
        .amountMin = 2,
        .amountMax = 2,
        .ranges = {{nullptr, 2}},
        .finds = {Find::stored("石", Counter(&GameState::stoneCount)), Find::monster()},
        .battleArea = 0,
        .discoveries = {},
    };
}

TEST_F(ExplorationSkeleton, CostsFixedAmountsAndTheFirstSound) {
    ruru().stress = 50;
    rng.push({2, 9, 0, 14});  // stress draw, no helper, the stone, no geography
    explore(g, testLocation());
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{3, 10, 2, 15}));
    EXPECT_EQ(ruru().stamina, 8);
    EXPECT_EQ(ruru().stress, 51);  // -1 + 2
    EXPECT_EQ(g.s.stoneCount, 2);
    EXPECT_EQ(host.sounds.front(), (HeadlessHost::Sound{0, "1.wav"}));
}

TEST_F(ExplorationSkeleton, AMonsterInTheJungleStartsTheJunglesBattle) {
    rng.push({0, 9, 1, 0});  // stress draw, no helper, the monster, ドラゴン
    explore(g, testLocation());
    EXPECT_EQ(battleState(g).area, 0);
    EXPECT_EQ(battleState(g).enemyName, "ドラゴン");
    EXPECT_TRUE(g.form.visible("battle_box"));
}

// With a close friend the companion draw is 0..4; faces 3 and 4 name nobody.
TEST_F(ExplorationSkeleton, CompanionFacesBeyondThePartnersHelpNobody) {
    for (int s = 0; s < 6; ++s) g.s.pairIntimacy[static_cast<size_t>(s)] = 50;
    rng.push({3, 4});
    EXPECT_EQ(companionAssist(g), 0);
    EXPECT_EQ(companionAssist(g), 0);
    rng.push(2);
    EXPECT_EQ(companionAssist(g), 1);
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{5, 5, 5}));
    g.s.currentCharacter = 0;  // nobody's turn: nobody to help
    EXPECT_EQ(companionAssist(g), 0);
    EXPECT_EQ(rng.requests().size(), 3u);
}

// The forest gives one more find from geography 30 on.
TEST_F(ExplorationSkeleton, ForestGeographyStep) {
    for (const int32_t geography : {29, 30}) {
        ruru().geography = geography;
        ruru().actionPoints = 10;
        const size_t asked = rng.requests().size();
        rng.push({9, 0, 0});                    // no helper, one apple
        if (geography == 30) rng.push({0, 0});  // a second apple
        rng.push({1, 1});                       // no discovery, no geography
        press("hayasi_b");
        EXPECT_EQ(rng.requests().size() - asked, geography == 30 ? 7u : 5u) << geography;
    }
}

}  // namespace
}  // namespace kotou
