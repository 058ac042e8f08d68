#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gains/Growth.h"
#include "game/GameHandlers.h"
#include "production/Meals.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

struct MealsTest : test::RulesTest {
    MealsTest() { g.form.show("desert_box"); }
    Character& ruru() { return g.s.ch(1); }
    // Each wait for a click costs one draw of 2 (the click's sound channel).
    std::vector<int32_t> requests() const { return rng.requests(); }
};

// --- Growth -------------------------------------------------------------------

struct GrowthCase {
    const char* label;
    void (*op)(Game&);
    int32_t chance;
    int32_t Character::*stat;
    bool alwaysWaits;
};

const GrowthCase kGrowth[] = {
    {"腕力", chanceStrengthUp, 4, &Character::strength, false},
    {"器用さ", chanceDexterityUp, 4, &Character::dexterity, false},
    {"料理", chanceCookingUp, 8, &Character::cooking, false},
    {"地理学", chanceGeographyUp, 15, &Character::geography, true},
    {"体力の最大値", chanceMaxStaminaUp, 5, &Character::maxStamina, false},
    {"植物学", chanceBotanyUp, 6, &Character::botany, false},
    {"動物学", chanceZoologyUp, 7, &Character::zoology, false},
};

TEST_F(MealsTest, GrowthHasItsChanceAndWaitsOnlyOutsideMealPanels) {
    for (const GrowthCase& c : kGrowth) {
        SCOPED_TRACE(c.label);
        for (bool mealOpen : {false, true}) {
            g.form.setVisible(g.form.id("desert_box"), mealOpen);
            const bool waits = c.alwaysWaits || !mealOpen;
            const size_t drawsBefore = requests().size();
            rng.push(0);
            if (waits) rng.push(0);
            const int32_t before = ruru().*c.stat;
            c.op(g);
            EXPECT_EQ(ruru().*c.stat, before + 1);
            EXPECT_EQ(host.lastMessage(), std::string("【") + c.label + "】が1アップした！→" +
                                              std::to_string(before + 1));
            std::vector<int32_t> expected{c.chance};
            if (waits) expected.push_back(2);
            const std::vector<int32_t>& all = rng.requests();
            const std::vector<int32_t> made(all.begin() + static_cast<long>(drawsBefore),
                                            all.end());
            EXPECT_EQ(made, expected) << "meal panel open: " << mealOpen;
            EXPECT_EQ(rng.remaining(), 0u);
        }
    }
}

TEST_F(MealsTest, FailedGrowthDrawShowsNothing) {
    rng.push({1, 5});
    chanceStrengthUp(g);
    chanceTimeSandFind(g);
    EXPECT_EQ(ruru().strength, 0);
    EXPECT_EQ(g.s.timeSandCount, 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(MealsTest, TimeSandAlwaysWaitsEvenInAMealPanel) {
    g.s.timeSandCount = 2;
    rng.push({0, 0});
    chanceTimeSandFind(g);
    EXPECT_EQ(g.s.timeSandCount, 3);
    EXPECT_EQ(host.lastMessage(), "素材【煌く時の砂】を１コ入手した！（所持：3）");
    EXPECT_EQ(requests(), (std::vector<int32_t>{6, 2}));
}

TEST_F(MealsTest, MealPanelsAreTheDessertSeaAndMountainMenus) {
    g.form.hide("desert_box");
    g.form.show("uminosati_box");
    EXPECT_TRUE(mealPanelVisible(g));
    g.form.hide("uminosati_box");
    g.form.show("yamanosati_box");
    EXPECT_TRUE(mealPanelVisible(g));
    g.form.hide("yamanosati_box");
    g.form.show("cook_box");
    EXPECT_FALSE(mealPanelVisible(g));
}

// --- Fruit and water ------------------------------------------------------------

TEST_F(MealsTest, DessertButtonOpensTheDessertMenuOverTheCommandPanel) {
    g.form.hide("desert_box");
    g.form.show("cook_box");
    g.form.setPosition(g.form.id("desert_box"), 0, 0);
    press("BitBtn6");
    EXPECT_FALSE(g.form.visible("cook_box"));
    EXPECT_TRUE(g.form.visible("desert_box"));
    EXPECT_TRUE(g.form.visible("cg"));
    EXPECT_EQ(g.form.at("cg").picture, "cg/背景・食事.jpg");
    EXPECT_EQ(g.form.at("desert_box").left, g.form.at("com_box").left);
    EXPECT_EQ(g.form.at("desert_box").top, g.form.at("com_box").top);
    EXPECT_TRUE(host.played("1.wav", 0));
}

TEST_F(MealsTest, LastAppleShowsZeroLeftAndItsButtonDisappears) {
    g.s.appleCount = 1;
    ruru().stamina = 5;
    rng.push(1);  // gain 4
    press("ringo_b");
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "ルルは『りんご』を食べた（所持：0）");
    EXPECT_EQ(host.messages[1].text, "【体力】が4回復した！");
    EXPECT_EQ(g.s.appleCount, 0);
    EXPECT_EQ(ruru().bowel, 95);
    EXPECT_EQ(ruru().obesity, 99);
    EXPECT_EQ(ruru().stamina, 9);
    EXPECT_TRUE(host.played("taberu.wav", 1));
    EXPECT_FALSE(g.form.visible("ringo_b"));
    EXPECT_EQ(g.s.ch(1).actionPoints, 10) << "fruit costs no action points";
}

TEST_F(MealsTest, EatingWithoutTheFruitDoesNothing) {
    press("hinomi_b");
    press("kyuui_b");
    press("water_b");
    EXPECT_EQ(g.s.fireFruitCount, 0);
    EXPECT_EQ(g.s.kiwiCount, 0);
    EXPECT_EQ(g.s.waterCount, 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(requests().empty());
}

TEST_F(MealsTest, FullStaminaStillReportsTheWholeGain) {
    g.s.fireFruitCount = 3;
    rng.push(2);
    press("hinomi_b");
    EXPECT_EQ(host.messages[0].text, "ルルは『火の実』を食べた（所持：2）");
    EXPECT_EQ(host.lastMessage(), "【体力】が3回復した！");
}

TEST_F(MealsTest, SevenFruitGrowsStrengthWithoutWaitingInTheMenu) {
    g.s.sevenFruitCount = 1;
    ruru().stress = 50;
    rng.push({2, 0});  // stamina 6, strength grows
    press("nanatumi_b");
    EXPECT_EQ(ruru().strength, 1);
    EXPECT_EQ(ruru().stress, 51);
    EXPECT_EQ(ruru().obesity, 98);
    EXPECT_EQ(ruru().bowel, 96);
    EXPECT_EQ(host.lastMessage(), "【腕力】が1アップした！→1");
    EXPECT_EQ(requests(), (std::vector<int32_t>{3, 4}));
}

}  // namespace
}  // namespace kotou
