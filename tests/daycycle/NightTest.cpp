#include <gtest/gtest.h>

#include "daycycle/Handlers.h"
#include "daycycle/Night.h"
#include "tests/daycycle/DayFixture.h"

namespace kotou {
namespace {

class Night : public DayFixture {
  protected:
    // Character 1 with meters that bring no conditional draw: the night then
    // draws only the obesity drift (random(2) at 10 action points) and the
    // bed visit.
    Character& calm() {
        Character& c = ch(1);
        c.bowel = 50;
        c.hygiene = 60;
        c.stress = 50;
        c.obesity = 80;
        c.stamina = 7;
        c.actionPoints = 0;
        return c;
    }
};

TEST_F(Night, WithoutSleepingPlaceCostsFiveBowelFourHygieneAndGivesThreeStress) {
    Character& c = calm();
    c.hygiene = 50;
    rng.push({1, 1});
    goToSleep(g);
    expectDice({2, 10});
    EXPECT_EQ(c.bowel, 45);
    EXPECT_EQ(c.hygiene, 46);
    EXPECT_EQ(c.stress, 53);
    EXPECT_EQ(c.obesity, 78);
    // Rest shows the stamina and gives one more.
    EXPECT_EQ(c.actionPoints, 8);
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"ルルは寝床についた....", "【行動力】が体力分の7回復した！",
                                        "≪嵐のターン≫", "どうしますか？"}));
    EXPECT_EQ(waits(), 2);
    EXPECT_EQ(host.sounds.front(), (HeadlessHost::Sound{1, "night.wav"}));
    EXPECT_EQ(g.s.currentCharacter, 2);
    EXPECT_EQ(g.s.dayNumber, 1);
    EXPECT_TRUE(visible("com_box"));
    EXPECT_FALSE(visible("cg"));
    EXPECT_EQ(g.form.at("pic").picture, "cg/嵐.jpg");
}

TEST_F(Night, EverySleepingPlaceCostsNothingAndGivesTwelveStressPlusThreeWhenFilthy) {
    g.s.hasSleepingBag = g.s.worldFlags[45] = g.s.hasTent = g.s.hasHut = g.s.hasHouse = 1;
    Character& c = calm();
    rng.push({0, 1});
    goToSleep(g);
    EXPECT_EQ(c.bowel, 50);
    EXPECT_EQ(c.hygiene, 60);
    EXPECT_EQ(c.stress, 62);

    g.s.currentCharacter = 1;
    c.hygiene = 5;
    c.stress = 50;
    rng.push({0, 1});
    goToSleep(g);
    EXPECT_EQ(c.hygiene, 5);
    EXPECT_EQ(c.stress, 65);
}

TEST_F(Night, FilthCostsStaminaAndLowHygieneAddsStress) {
    Character& c = calm();
    c.hygiene = 9;  // 5 after the night's loss: the dirt costs 7 div 6 + 1 + 4
    rng.push({0, 1});
    goToSleep(g);
    EXPECT_EQ(c.hygiene, 5);
    EXPECT_EQ(c.stress, 56);
    EXPECT_TRUE(host.saw("【衛生】が悪化し、【体力】が6減った・・・"));
    EXPECT_EQ(c.stamina, 1);
    EXPECT_EQ(c.actionPoints, 2);
}

TEST_F(Night, RestWithNoStaminaStillGivesOnePointAndTheCharacterFallsIll) {
    Character& c = calm();
    c.stamina = 0;
    rng.push({0, 1, 2});
    goToSleep(g);
    expectDice({2, 10, 3});
    EXPECT_TRUE(host.saw("【行動力】が体力分の0回復した！"));
    EXPECT_EQ(c.actionPoints, 1);
    EXPECT_EQ(c.illness, 11);
    EXPECT_TRUE(host.saw("ルルは病気になってしまった！！"));
    EXPECT_TRUE(host.played("bad.wav", 2));
}

TEST_F(Night, PoisonAtStaminaThreeLeadsToIllnessOfNineToElevenNights) {
    Character& c = calm();
    c.poison = 1;
    c.stamina = 3;
    c.hygiene = 30;  // 26 after the night: dirt costs 1 more
    rng.push({0, 1, 1, 0});
    goToSleep(g);
    expectDice({2, 2, 10, 3});
    const int poison = host.indexOf("【毒】の影響で、【体力】が2減った・・・");
    const int dirt = host.indexOf("【衛生】が悪化し、【体力】が1減った・・・");
    const int ill = host.indexOf("ルルは病気になってしまった！！");
    ASSERT_GE(poison, 0);
    EXPECT_LT(poison, dirt);
    EXPECT_LT(dirt, ill);
    EXPECT_EQ(c.stamina, 0);
    EXPECT_EQ(c.illness, 9);
    EXPECT_EQ(c.poison, 1);  // poison stays until it is cured
}

TEST_F(Night, IllnessRunsItsCourseAndACureWithoutStaminaFallsIllAgain) {
    Character& c = calm();
    c.illness = 3;
    rng.push({0, 1});
    goToSleep(g);
    EXPECT_EQ(c.illness, 2);
    EXPECT_FALSE(host.saw("完治"));

    g.s.currentCharacter = 1;
    c.illness = 1;
    c.stamina = 0;
    rng.push({0, 1, 1});
    goToSleep(g);
    EXPECT_TRUE(host.saw("ルルの病気が『完治』した！！"));
    EXPECT_TRUE(host.played("3.wav", 3));
    EXPECT_LT(host.indexOf("完治"), host.indexOf("病気になってしまった"));
    EXPECT_EQ(c.illness, 10);
}

TEST_F(Night, FullBowelDrawsInOrderAndEndsInAnAccident) {
    Character& c = calm();
    c.bowel = 5;
    c.stress = 100;
    c.hygiene = 100;
    c.obesity = 100;
    // Drift, four bowel thresholds, the full-bowel stress, the accident's
    // bowel and hygiene, the bed visit.
    rng.push({1, 2, 2, 2, 2, 4, 3, 9, 1});
    goToSleep(g);
    expectDice({2, 3, 3, 3, 3, 10, 10, 10, 10});
    EXPECT_EQ(c.obesity, 90);
    EXPECT_EQ(c.stress, 94);  // 100 + 3 - (4 + 5)
    EXPECT_EQ(c.bowel, 88);
    EXPECT_EQ(c.hygiene, 27);  // 96 - 69
    EXPECT_TRUE(host.saw("ルルは、なんとおもらしをしてしまった・・・！！！"));
    EXPECT_TRUE(host.played("water.wav", 1));
}

TEST_F(Night, StressCostsActionPoints) {
    Character& c = calm();
    c.stress = 20;  // two low-stress obesity draws; 23 after the night
    rng.push({0, 1, 1, 1});
    goToSleep(g);
    expectDice({2, 2, 2, 10});
    EXPECT_TRUE(host.saw("【ストレス】が悪化し、【行動力】が3減った・・・"));
    EXPECT_EQ(c.actionPoints, 5);
    EXPECT_EQ(c.obesity, 77);
}

TEST_F(Night, ObesityTrialsShrinkTheDieAndKeepItAboveThirty) {
    Character& c = calm();
    c.obesity = 1;
    c.strength = 5;
    c.dexterity = 5;
    rng.push({0, 1, 0, 0, 0, 0});
    goToSleep(g);
    // Obesity 0, 10, 20, 30 before the four trials.
    expectDice({2, 10, 2, 3, 4, 5});
    EXPECT_EQ(c.strength, 4);
    EXPECT_EQ(c.maxStamina, 9);
    EXPECT_EQ(c.maxActionPoints, 9);
    EXPECT_EQ(c.dexterity, 4);
    EXPECT_EQ(c.obesity, 40);
    EXPECT_TRUE(host.saw("【肥満】が悪化し、【体力の最大値】が1減少した・・・→9"));

    // Trials go on above 30 once they started, with the die of the last one.
    g.s.currentCharacter = 1;
    c.maxStamina = c.maxActionPoints = 10;
    c.obesity = 25;
    rng.push({0, 1, 0, 0, 0, 0});
    goToSleep(g);
    EXPECT_EQ(std::vector<int32_t>(rng.requests().begin() + 6, rng.requests().end()),
              (std::vector<int32_t>{2, 10, 5, 5, 5, 5}));
    EXPECT_EQ(c.obesity, 64);
}

TEST_F(Night, ObesityNeverLowersTheMaximaBelowNine) {
    Character& c = calm();
    c.maxStamina = 9;
    c.maxActionPoints = 9;
    c.stamina = 7;
    c.obesity = 1;
    c.strength = 5;
    c.dexterity = 5;
    rng.push({0, 1, 0, 1});
    goToSleep(g);
    expectDice({1, 10, 3, 4});  // the two maximum trials are skipped
    EXPECT_EQ(c.maxStamina, 9);
    EXPECT_EQ(c.maxActionPoints, 9);
    EXPECT_EQ(c.strength, 4);
    EXPECT_EQ(c.dexterity, 5);
}

TEST_F(Night, BedVisitDrawsThePartnerFirst) {
    Character& c = calm();
    g.s.pairIntimacy[1] = 40;  // ルル and スパーク
    rng.push({0, 0, 0});       // visit roll, partner 嵐 (intimacy 0): nothing
    goToSleep(g);
    expectDice({2, 10, 3});
    EXPECT_FALSE(host.saw("潜りこんだ"));
    EXPECT_EQ(c.stamina, 7);

    g.s.currentCharacter = 1;
    rng.push({0, 0, 1, 1});  // partner スパーク: 1 + 10 div 8 stamina
    goToSleep(g);
    EXPECT_TRUE(host.saw("ルルはスパークの寝床へこっそり潜りこんだ。"));
    EXPECT_TRUE(host.saw("【体力】が2回復した！"));
    EXPECT_TRUE(host.saw("【行動力】が体力分の9回復した！"));
}

TEST_F(Night, BedVisitNeedsSomeCloseCoupleBeforeDrawingAPartner) {
    calm();
    g.s.pairIntimacy = {29, 29, 29, 29, 29, 29};
    rng.push({0, 0});
    goToSleep(g);
    expectDice({2, 10});
}

TEST_F(Night, BedVisitOfCharacterFourPicksAmongTheOtherThree) {
    g.s.currentCharacter = 4;
    g.s.pairIntimacy[5] = 30;  // スパーク and 残響
    // Drift, visit, partner スパーク, recovery; then the new day: clear and
    // quiet, music.
    rng.push({0, 0, 2, 0, 3, 7, 0});
    goToSleep(g);
    EXPECT_TRUE(host.saw("残響はスパークの寝床へこっそり潜りこんだ。"));
}

TEST_F(Night, FullPhantomGaugeOpensTheLevelUpInsteadOfEndingTheTurn) {
    Character& c = calm();
    c.phantom = 100;
    rng.push({0, 1});
    goToSleep(g);
    EXPECT_EQ(c.level, 2);
    EXPECT_EQ(c.phantom, 0);
    EXPECT_EQ(g.s.runtime.statPointsLeft, 3);
    EXPECT_EQ(g.s.runtime.levelUpMode, -1);
    EXPECT_TRUE(visible("lv_up_box"));
    EXPECT_FALSE(visible("com_box"));
    EXPECT_EQ(g.s.currentCharacter, 1);
    EXPECT_EQ(host.lastMessage(), "ルルはレベルが2になった！");
    EXPECT_TRUE(host.played("lv.wav", 2));
}

TEST_F(Night, ClosingTheWindowStopsTheNightBeforeTheTurnPasses) {
    Character& c = calm();
    host.onProcessEvents = [](Game& game) {
        if (game.s.runtime.clickState == 0) game.s.runtime.clickState = -1;
    };
    rng.push({0, 1});
    goToSleep(g);
    EXPECT_EQ(c.actionPoints, 8);  // the night's own changes are made
    EXPECT_EQ(g.s.currentCharacter, 1);
    EXPECT_FALSE(visible("com_box"));
    EXPECT_FALSE(host.saw("のターン"));
}

TEST_F(Night, NothingHappensWithoutACurrentCharacter) {
    for (int k : {0, 5, -1}) {
        g.s.currentCharacter = k;
        goToSleep(g);
    }
    EXPECT_EQ(rng.requests().size(), 0u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Night, StoryNightIsCharacterFoursNightOfEverySixthClearDay) {
    g.s.currentCharacter = 4;
    g.s.dayNumber = 6;
    EXPECT_TRUE(isStoryNight(g.s));
    g.s.storyPhase = 19;
    EXPECT_TRUE(isStoryNight(g.s));
    g.s.storyPhase = 20;
    EXPECT_FALSE(isStoryNight(g.s));
    g.s.storyPhase = 0;
    g.s.weather = kRain;
    EXPECT_FALSE(isStoryNight(g.s));
    g.s.weather = kClear;
    g.s.dayNumber = 7;
    EXPECT_FALSE(isStoryNight(g.s));
    g.s.dayNumber = 12;
    g.s.currentCharacter = 3;
    EXPECT_FALSE(isStoryNight(g.s));
}

// The day rises only after the fourth night; the turn goes round through the
// handlers of both bed buttons.
TEST_F(Night, FourNightsMakeOneDay) {
    registerDaycycleHandlers(g.handlers);
    g.s.ch(3).strandedPhase = 2;
    for (int k = 1; k <= 4; ++k) {
        ASSERT_EQ(g.s.currentCharacter, k);
        rng.push({0, 1});
        if (k == 4) rng.push({3, 7, 1});  // clear, no event, second tune
        const char* button = g.s.cur().strandedPhase != 0 ? "BitBtn16" : "BitBtn5";
        (*g.handlers.find(button))(g);
        if (k < 4) {
            EXPECT_EQ(g.s.dayNumber, 1);
        }
        if (k == 2) {
            EXPECT_TRUE(visible("sounan_box"));
            EXPECT_FALSE(visible("com_box"));
            EXPECT_EQ(g.form.at("bak").picture, "cg/背景・遭難.bmp");
        }
    }
    EXPECT_EQ(g.s.dayNumber, 2);
    EXPECT_EQ(g.s.currentCharacter, 1);
    EXPECT_EQ(host.music.back(), "tanken2.mid");
    EXPECT_TRUE(visible("com_box"));
    EXPECT_FALSE(visible("sounan_box"));
    EXPECT_EQ(rng.remaining(), 0u);
}

}  // namespace
}  // namespace kotou
