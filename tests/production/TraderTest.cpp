#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/GameHandlers.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

constexpr size_t kOfferCount = 16;

struct TraderTest : test::RulesTest {
    TraderTest() {
        g.s.dayNumber = 12;
        g.form.show("com_box");
        g.s.ch(1).actionPoints = 10;
    }

    // A visit whose draws offer exactly the rows in `offered` (table order).
    void visit(std::vector<size_t> offered) {
        for (size_t row = 0; row < kOfferCount; ++row) {
            const bool on = std::find(offered.begin(), offered.end(), row) != offered.end();
            rng.push(on ? 0 : 1);
        }
        press("mara_b");
    }
    const std::vector<std::string>& lines() const { return g.form.at("mara_list").items; }
    void select(int line) { g.form.setSelected(g.form.id("mara_list"), line); }
};

TEST_F(TraderTest, AVisitCostsTwoPointsAndDrawsEachOfferInTableOrder) {
    g.s.ch(1).actionPoints = 1;
    press("mara_b");
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"行動力が足りません"});
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_FALSE(g.form.visible("mara_box"));
    EXPECT_EQ(g.s.ch(1).actionPoints, 1);

    g.s.ch(1).actionPoints = 2;
    g.form.setPosition(g.form.id("mara_box"), 0, 0);
    visit({0, 9, 15});
    EXPECT_EQ(g.s.ch(1).actionPoints, 0);
    EXPECT_TRUE(host.played("door.wav", 0));
    EXPECT_TRUE(g.form.visible("mara_box"));
    EXPECT_FALSE(g.form.visible("com_box"));
    EXPECT_EQ(g.form.at("mara_box").left, g.form.at("com_box").left);
    EXPECT_EQ(g.form.at("mara_cg").picture, "cg/マーラー.jpg");
    EXPECT_EQ(lines(),
              (std::vector<std::string>{"人食い魚　　（要：石５０）", "鉄　　　　　（要：石６０）",
                                        "煌く時の砂　（要：石６０）"}));
    std::vector<int32_t> chances(kOfferCount - 1, 3);
    chances.push_back(5);
    EXPECT_EQ(rng.requests(), chances);

    // Not a trader day: a stale click does nothing.
    g.s.dayNumber = 14;
    host.clearRecords();
    press("mara_b");
    EXPECT_TRUE(host.sounds.empty());
}

// Each offer bought with exactly its price, then once more without it.
TEST_F(TraderTest, EachOfferSellsOneForItsPrice) {
    struct Row {
        const char* line;
        bool stones;
        int32_t price;
        const char* bought;
        Counter held;
    };
    const Row rows[kOfferCount] = {
        {"人食い魚　　（要：石５０）", true, 50, "人食い魚", &GameState::maneaterFishCount},
        {"火炎石　　　（要：石２０）", true, 20, "火炎石", &GameState::flameStoneCount},
        {"骨　　　　　（要：枝２０）", false, 20, "骨", &GameState::boneCount},
        {"皮　　　　　（要：石２０）", true, 20, "皮", &GameState::hideCount},
        {"ヒカリゴケ　（要：石３０）", true, 30, "ヒカリゴケ", &GameState::glowMossCount},
        {"泥　　　　　（要：石１５）", true, 15, "泥", &GameState::mudCount},
        {"材木　　　　（要：枝３０）", false, 30, "材木", &GameState::lumberCount},
        {"つる　　　　（要：石１０）", true, 10, "つる", &GameState::vineCount},
        {"漂流物　　　（要：枝１０）", false, 10, "漂流物", &GameState::flotsamCount},
        {"鉄　　　　　（要：石６０）", true, 60, "鉄", &GameState::ironCount},
        {"月の影　　　（要：枝５０）", false, 50, "月の影", &GameState::moonShadowCount},
        {"精神安定剤　（要：枝４０）", false, 40, "精神安定剤", ExtraItem::Tranquilizer},
        {"アラハバキ神（要：枝５０）", false, 50, "アラハバキ神", RareItem::Arahabaki},
        {"宝石　　　　（要：石３０）", true, 30, "宝石", &GameState::gemCount},
        {"魔法石　　　（要：枝３０）", false, 30, "魔法石", &GameState::magicStoneCount},
        {"煌く時の砂　（要：石６０）", true, 60, "煌く時の砂", &GameState::timeSandCount},
    };
    for (size_t i = 0; i < kOfferCount; ++i) {
        const Row& r = rows[i];
        SCOPED_TRACE(r.line);
        g.form.show("com_box");
        g.s.ch(1).actionPoints = 2;
        visit({i});
        ASSERT_EQ(lines(), std::vector<std::string>{r.line});
        select(0);
        int32_t& money = r.stones ? g.s.stoneCount : g.s.branchCount;
        int32_t& other = r.stones ? g.s.branchCount : g.s.stoneCount;
        money = r.price;
        other = 100;
        r.held(g.s) = 2;
        host.clearRecords();
        press("Button1");
        EXPECT_EQ(money, 0);
        EXPECT_EQ(other, 100);
        EXPECT_EQ(r.held(g.s), 3);
        EXPECT_EQ(host.lastMessage(), std::string(r.bought) + "を１コ購入した（所持：3）");
        EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "1.wav"}, {0, "katan.wav"}}));

        // One short of the price: refused, nothing changes.
        money = r.price - 1;
        host.clearRecords();
        press("Button1");
        EXPECT_EQ(money, r.price - 1);
        EXPECT_EQ(r.held(g.s), 3);
        EXPECT_EQ(host.lastMessage(), "交換に必要なものが足りません");
        EXPECT_FALSE(host.played("katan.wav"));
    }
}

TEST_F(TraderTest, BuyingNeedsASelectedOfferAndANewVisitClearsTheChoice) {
    g.s.stoneCount = 500;
    visit({});
    EXPECT_TRUE(lines().empty());
    host.clearRecords();
    press("Button1");
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "1.wav"}}));
    EXPECT_TRUE(host.messages.empty());

    press("BitBtn38");
    EXPECT_EQ(host.sounds.back(), (HeadlessHost::Sound{0, "1.wav"}));
    EXPECT_FALSE(g.form.visible("mara_box"));
    EXPECT_TRUE(g.form.visible("com_box"));
    visit({1, 5});
    press("Button1");  // nothing selected yet
    EXPECT_EQ(g.s.stoneCount, 500);
    select(1);
    press("mara_list");
    EXPECT_TRUE(host.played("key.wav", 0));
    press("Button1");
    EXPECT_EQ(g.s.mudCount, 1);

    // The same offers again: the lines stay, the choice does not.
    press("BitBtn38");
    visit({1, 5});
    EXPECT_EQ(g.form.at("mara_list").selected, -1);
    press("Button1");
    EXPECT_EQ(g.s.stoneCount, 485);
}

}  // namespace
}  // namespace kotou
