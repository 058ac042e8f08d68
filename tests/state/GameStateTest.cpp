#include <gtest/gtest.h>

#include "state/GameState.h"

namespace kotou {
namespace {

TEST(GameState, NewGameValues) {
    GameState s;
    s.appleCount = 5;
    s.worldFlags[3] = 1;
    s.runtime.clickState = -1;
    initNewGame(s);
    EXPECT_EQ(s.dayNumber, 1);
    EXPECT_EQ(s.bestDays, 9999);
    EXPECT_EQ(s.currentCharacter, 1);
    EXPECT_EQ(s.appleCount, 0);
    EXPECT_EQ(s.worldFlags[3], 0);
    EXPECT_EQ(s.runtime.clickState, 0);
    for (int k = 1; k <= 4; ++k) {
        const Character& c = s.ch(k);
        EXPECT_EQ(c.name, kCharacterNames[k]);
        EXPECT_EQ(c.obesity, 100);
        EXPECT_EQ(c.hygiene, 100);
        EXPECT_EQ(c.bowel, 100);
        EXPECT_EQ(c.stress, 100);
        EXPECT_EQ(c.actionPoints, 10);
        EXPECT_EQ(c.maxStamina, 10);
        EXPECT_EQ(c.level, 1);
        EXPECT_EQ(c.strength, 0);
    }
    EXPECT_EQ(s.ch(2).name, "嵐");
}

TEST(GameState, PairIndicesAndPartners) {
    // Every pair index maps back to its members, in either order.
    for (int p = 0; p < kPairCount; ++p) {
        auto [a, b] = pairMembers(p);
        EXPECT_LT(a, b);
        EXPECT_EQ(pairIndex(a, b), p);
        EXPECT_EQ(pairIndex(b, a), p);
    }
    EXPECT_EQ(pairIndex(1, 2), 0);
    EXPECT_EQ(pairIndex(2, 4), 4);
    EXPECT_EQ(pairIndex(3, 4), 5);
    EXPECT_EQ(pairIndex(2, 2), -1);
    EXPECT_EQ(pairIndex(0, 3), -1);
    EXPECT_EQ(pairIndex(4, 5), -1);
    EXPECT_EQ(partnersOf(1), (std::array<int, 3>{2, 3, 4}));
    EXPECT_EQ(partnersOf(3), (std::array<int, 3>{1, 2, 4}));
    EXPECT_EQ(partnersOf(4), (std::array<int, 3>{1, 2, 3}));
}

TEST(GameState, TeamworkIsCappedAt60) {
    GameState s;
    EXPECT_EQ(teamwork(s), 0);
    s.pairIntimacy = {10, 10, 10, 10, 10, 9};
    EXPECT_EQ(teamwork(s), 59);
    s.pairIntimacy = {100, 100, 100, 100, 100, 100};
    EXPECT_EQ(teamwork(s), 60);
}

}  // namespace
}  // namespace kotou
