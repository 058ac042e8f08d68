#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "combat/Battle.h"
#include "field/Exploration.h"
#include "gains/Finds.h"
#include "game/GameHandlers.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

// A click (the end of a wait) draws 0..1 for the channel of its sound.
constexpr int32_t kClick = 2;

struct ExplorationTest : test::RulesTest {
    ExplorationTest() { g.form.show("tansaku_box"); }
    Character& ruru() { return g.s.ch(1); }
    void forest() { press("hayasi_b"); }
    std::vector<int32_t> requests() const { return rng.requests(); }
};

TEST_F(ExplorationTest, ForestWithExactlyThreeActionPointsMakesOneFindWithoutWaiting) {
    ruru().actionPoints = 3;
    ruru().obesity = 50;
    // no assist (9 of 10), amount 2, apple, no discovery, no geography
    rng.push({9, 1, 0, 5, 3});
    forest();
    EXPECT_EQ(ruru().actionPoints, 0);
    EXPECT_EQ(ruru().stamina, 9);
    EXPECT_EQ(ruru().stress, 98);
    EXPECT_EQ(ruru().obesity, 51);
    EXPECT_EQ(g.s.appleCount, 2);
    EXPECT_EQ(host.lastMessage(), "【りんご】を2個入手した！\r所持：2");
    EXPECT_EQ(requests(), (std::vector<int32_t>{10, 3, 13, 20, 15}));
    EXPECT_EQ(host.clicks, 0);
    EXPECT_TRUE(g.form.visible("tansaku_box"));
    EXPECT_EQ(g.form.at("cg").picture, "cg/背景・林.jpg");
    EXPECT_TRUE(host.played("tansaku.wav", 1));
}

TEST_F(ExplorationTest, TooFewActionPointsSpendNothing) {
    ruru().actionPoints = 2;
    const GameState before = g.s;
    forest();
    EXPECT_EQ(host.lastMessage(), "必要な行動力が足りません");
    EXPECT_TRUE(requests().empty());
    EXPECT_EQ(g.s.ch(1), before.ch(1));
    EXPECT_TRUE(g.form.visible("tansaku_box"));
}

TEST_F(ExplorationTest, ToolsGeographyAndAPartnerGiveFiveFindsWithWaitsBetween) {
    g.s.hasBasket = 1;
    g.s.extra(ExtraItem::BigBasket) = 1;
    ruru().geography = 30;
    g.s.pairIntimacy[static_cast<size_t>(pairIndex(1, 2))] = 30;
    rng.push({0, 0});      // 嵐 helps (draw 0 of 10); wait
    rng.push({0, 7, 0});   // 1: 1 枝; wait
    rng.push({1, 8, 0});   // 2: 2 石; wait
    rng.push({2, 9, 12});  // 3: rare item オシラさま; no wait
    rng.push({2, 12, 0});  // 4: 3 キュウイ; wait
    rng.push({0, 5});      // 5: 1 葉っぱ; last find, no wait
    rng.push({1, 1});      // no discovery, no geography
    forest();
    EXPECT_EQ(host.messages[1].text, "・・・嵐が探索の補助をしてくれた！");
    EXPECT_EQ(g.s.branchCount, 1);
    EXPECT_EQ(g.s.stoneCount, 2);
    EXPECT_EQ(g.s.rareItems[12], 1);
    EXPECT_TRUE(host.saw("レアアイテム【オシラさま】を手に入れた！\r所持：1"));
    EXPECT_EQ(g.s.kiwiCount, 3);
    EXPECT_EQ(g.s.leafCount, 1);
    EXPECT_EQ(host.clicks, 4);  // the assist and finds 1, 2 and 4
    EXPECT_EQ(rng.remaining(), 0u);
    EXPECT_EQ(requests(), (std::vector<int32_t>{10, kClick, 3, 13, kClick, 3, 13, kClick, 3, 13, 13,
                                                3, 13, kClick, 3, 13, 20, 15}));
}

TEST_F(ExplorationTest, CloseFriendshipNarrowsTheAssistDrawAndOnlyTheDrawnPartnerHelps) {
    ruru().actionPoints = 6;
    g.s.pairIntimacy[static_cast<size_t>(pairIndex(1, 4))] = 40;
    // Draw 2 names 残響, the third partner: intimacy 40 helps (then a click).
    rng.push({2, 0});
    rng.push({0, 0, 0});  // find 1: one apple; click
    rng.push({0, 0});     // find 2: one apple
    rng.push({1, 1});     // no discovery, no geography
    forest();
    EXPECT_TRUE(host.saw("・・・残響が探索の補助をしてくれた！"));
    EXPECT_EQ(requests().front(), 5);
    // Draw 0 names 嵐, whose intimacy is 0: nobody helps.
    host.clearRecords();
    rng.push({0, 0, 0, 1, 1});
    forest();
    EXPECT_FALSE(host.saw("探索の補助"));
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(ExplorationTest, MonsterOnTheFirstFindEndsTheExploration) {
    g.s.hasBasket = 1;
    g.s.extra(ExtraItem::BigBasket) = 1;
    // no assist, amount, monster (10), then the forest's enemy: くも
    rng.push({9, 0, 10, 0});
    forest();
    EXPECT_EQ(rng.remaining(), 0u);
    EXPECT_EQ(requests(), (std::vector<int32_t>{10, 3, 13, 3}));
    EXPECT_TRUE(host.played("teki.wav", 2));
    EXPECT_EQ(battleState(g).area, 4);
    EXPECT_EQ(battleState(g).enemyName, "くも");
    EXPECT_TRUE(g.form.visible("battle_box"));
    EXPECT_FALSE(g.form.visible("tansaku_box"));
    EXPECT_EQ(ruru().geography, 0);
    EXPECT_EQ(g.s.worldFlags[1], 0);
}

TEST_F(ExplorationTest, TheBeachIsDiscoveredOnlyOnce) {
    rng.push({9, 0, 0, 0, 1});  // discovery draw 0
    forest();
    EXPECT_EQ(g.s.worldFlags[1], 1);
    EXPECT_EQ(host.lastMessage(), "林の向こう側に、ＭＡＰ【浜辺】を発見した！");
    EXPECT_TRUE(host.played("place.wav", 2));

    host.clearRecords();
    rng.push({9, 0, 0, 0, 0, 0});  // discovery draw 0 again; geography grows; click
    forest();
    EXPECT_FALSE(host.saw("浜辺】を発見"));
    EXPECT_FALSE(host.played("place.wav"));
    EXPECT_EQ(ruru().geography, 1);
    EXPECT_EQ(host.lastMessage(), "【地理学】が1アップした！→1");
    EXPECT_EQ(rng.remaining(), 0u);
}

// --- Find operations -------------------------------------------------------------

TEST_F(ExplorationTest, FindOperationsDrawAmountThenKind) {
    g.s.gemCount = 4;
    rng.push({1, 4});  // amount 2 drawn, but a gem is always one
    findSeaCatch(g);
    EXPECT_EQ(g.s.gemCount, 5);
    EXPECT_EQ(host.lastMessage(), "【宝石】を1個入手した！\r所持：5");

    rng.push({1, 0});  // two pink rabbits
    findAnimal(g);
    EXPECT_EQ(g.s.pinkRabbitCount, 2);
    rng.push({1, 5});  // one moon shadow
    findAnimal(g);
    EXPECT_EQ(g.s.moonShadowCount, 1);

    rng.push({2, 4});  // three 七つ実
    findFruit(g);
    EXPECT_EQ(g.s.sevenFruitCount, 3);
    EXPECT_EQ(host.lastMessage(), "【七つ実】を3個入手した！\r所持：3");

    rng.push(0);
    findRareItem(g);
    EXPECT_EQ(host.lastMessage(), "レアアイテム【おおげつ姫】を手に入れた！\r所持：1");
    EXPECT_EQ(requests(), (std::vector<int32_t>{2, 6, 2, 6, 2, 6, 3, 5, 13}));
    EXPECT_EQ(host.clicks, 0) << "find operations never wait";
    EXPECT_TRUE(host.messages.back().appended);
}

TEST_F(ExplorationTest, EveryFindRangeStaysWithinItsTable) {
    const Location& loc = forestLocation();
    for (const FindRange& r : loc.ranges) EXPECT_LE(r.size, static_cast<int32_t>(loc.finds.size()));
}

}  // namespace
}  // namespace kotou
