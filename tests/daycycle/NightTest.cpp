#include <gtest/gtest.h>

#include <functional>

#include "daycycle/Night.h"
#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "tests/daycycle/DayFixture.h"

namespace kotou {
namespace {

// Meters that bring no conditional draw: the night then draws only the
// obesity drift (random(2) at 10 action points) and the bed visit.
Character& makeCalm(Character& c) {
    c.bowel = 50;
    c.hygiene = 60;
    c.stress = 50;
    c.obesity = 80;
    c.stamina = 7;
    c.actionPoints = 0;
    return c;
}

class Night : public DayFixture {
  protected:
    Character& calm() { return makeCalm(ch(1)); }
};

// Every draw at one end of its range: the highest value (nothing that needs
// a 0 happens) or 0 (every "one in n" happens). The dice asked are kept.
class EdgeRandom : public Random {
  public:
    explicit EdgeRandom(bool highest) : highest_(highest) {}
    int32_t random(int32_t n) override {
        dice.push_back(n);
        return highest_ && n > 0 ? n - 1 : 0;
    }
    std::vector<int32_t> dice;

  private:
    bool highest_;
};

constexpr bool kHigh = true, kZero = false;
using C = Character;

// One night of ルル from calm meters (bowel 50, hygiene 60, stress 50, obesity
// 80, stamina 7 of 10, no action points, maxima 10) changed by `setup`.
struct NightRow {
    const char* what;
    bool draws;
    std::function<void(GameState&, Character&)> setup;
    int32_t Character::*result;
    int32_t expected;
};

struct NightRun {
    Character c;
    std::vector<int32_t> dice;
};

NightRun nightOf(bool draws, const std::function<void(GameState&, Character&)>& setup) {
    HeadlessHost host;
    EdgeRandom rng(draws);
    Game g(host, rng);
    buildForm(g.form);
    initNewGame(g.s);
    g.s.runtime.clickState = 1;
    host.attach(g);
    host.silentClicks = true;
    Character& c = makeCalm(g.s.ch(1));
    setup(g.s, c);
    goToSleep(g);
    return {c, rng.dice};
}

// The thresholds of the night at t and t + 1, and its divisions with maxima
// (56) and stamina (30) where the neighbouring divisors give other values.
// Meters are clamped to 0..100 and stamina and action points to their maxima
// at every message, so the values stay inside them.
TEST(NightTable, ThresholdsAndDivisions) {
    const auto big = [](Character& c) { c.maxStamina = 56, c.stamina = 30; };
    const NightRow rows[] = {
        // Obesity drift: max draw of random(min(q, 20)) + min(q - 1, 10), q = maxAP div 5.
        {"calm night", kHigh, [](GameState&, C&) {}, &C::obesity, 78},
        {"q 11", kHigh, [](GameState&, C& c) { c.maxActionPoints = 56; }, &C::obesity, 60},
        {"q 12", kHigh, [](GameState&, C& c) { c.maxActionPoints = 60; }, &C::obesity, 59},
        {"q 22", kHigh, [](GameState&, C& c) { c.maxActionPoints = 110; }, &C::obesity, 51},
        // A full bowel and low stress thin: random(3) and random(2) per threshold.
        {"bowel 36", kHigh, [](GameState&, C& c) { c.bowel = 36; }, &C::obesity, 78},
        {"bowel 35", kHigh, [](GameState&, C& c) { c.bowel = 35; }, &C::obesity, 76},
        {"bowel 26", kHigh, [](GameState&, C& c) { c.bowel = 26; }, &C::obesity, 76},
        {"bowel 25", kHigh, [](GameState&, C& c) { c.bowel = 25; }, &C::obesity, 74},
        {"bowel 16", kHigh, [](GameState&, C& c) { c.bowel = 16; }, &C::obesity, 74},
        {"bowel 15", kHigh, [](GameState&, C& c) { c.bowel = 15; }, &C::obesity, 72},
        {"bowel 6", kHigh, [](GameState&, C& c) { c.bowel = 6; }, &C::obesity, 72},
        {"bowel 5", kHigh, [](GameState&, C& c) { c.bowel = 5; }, &C::obesity, 70},
        {"stress 31", kHigh, [](GameState&, C& c) { c.stress = 31; }, &C::obesity, 78},
        {"stress 30", kHigh, [](GameState&, C& c) { c.stress = 30; }, &C::obesity, 77},
        {"stress 26", kHigh, [](GameState&, C& c) { c.stress = 26; }, &C::obesity, 77},
        {"stress 25", kHigh, [](GameState&, C& c) { c.stress = 25; }, &C::obesity, 76},
        {"stress 16", kHigh, [](GameState&, C& c) { c.stress = 16; }, &C::obesity, 76},
        {"stress 15", kHigh, [](GameState&, C& c) { c.stress = 15; }, &C::obesity, 75},
        {"stress 6", kHigh, [](GameState&, C& c) { c.stress = 6; }, &C::obesity, 75},
        {"stress 5", kHigh, [](GameState&, C& c) { c.stress = 5; }, &C::obesity, 74},
        // Filth after the night's loss of 4 adds 3 stress at 5.
        {"hygiene 6 after", kHigh, [](GameState&, C& c) { c.hygiene = 10; }, &C::stress, 53},
        {"hygiene 5 after", kHigh, [](GameState&, C& c) { c.hygiene = 9; }, &C::stress, 56},
        // Poison: random(2) + 1 + stamina div 6.
        {"poison", kHigh, [&](GameState&, C& c) { big(c), c.poison = 1; }, &C::stamina, 23},
        // Dirt: stamina div 6 + 1 + one per threshold of the hygiene left.
        {"hygiene 36 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 40; }, &C::stamina,
         30},
        {"hygiene 35 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 39; }, &C::stamina,
         24},
        {"hygiene 26 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 30; }, &C::stamina,
         24},
        {"hygiene 25 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 29; }, &C::stamina,
         23},
        {"hygiene 16 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 20; }, &C::stamina,
         23},
        {"hygiene 15 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 19; }, &C::stamina,
         22},
        {"hygiene 11 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 15; }, &C::stamina,
         22},
        {"hygiene 10 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 14; }, &C::stamina,
         21},
        {"hygiene 6 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 10; }, &C::stamina,
         21},
        {"hygiene 5 after", kHigh, [&](GameState&, C& c) { big(c), c.hygiene = 9; }, &C::stamina,
         20},
        // Full bowel (after the night's loss of 5): stress - (random(10) + 5 + 5 per
        // hygiene threshold); the night's +3 comes first.
        {"bowel 36 after", kHigh, [](GameState&, C& c) { c.bowel = 41; }, &C::stress, 53},
        {"bowel 35 after", kHigh, [](GameState&, C& c) { c.bowel = 40; }, &C::stress, 39},
        {"full, hygiene 26", kHigh, [](GameState&, C& c) { c.bowel = 40, c.hygiene = 30; },
         &C::stress, 39},
        {"full, hygiene 25", kHigh, [](GameState&, C& c) { c.bowel = 40, c.hygiene = 29; },
         &C::stress, 34},
        {"full, hygiene 21", kHigh, [](GameState&, C& c) { c.bowel = 40, c.hygiene = 25; },
         &C::stress, 34},
        {"full, hygiene 20", kHigh, [](GameState&, C& c) { c.bowel = 40, c.hygiene = 24; },
         &C::stress, 29},
        {"full, hygiene 16", kHigh, [](GameState&, C& c) { c.bowel = 40, c.hygiene = 20; },
         &C::stress, 29},
        {"full, hygiene 15", kHigh, [](GameState&, C& c) { c.bowel = 40, c.hygiene = 19; },
         &C::stress, 24},
        {"full, hygiene 11", kHigh, [](GameState&, C& c) { c.bowel = 40, c.hygiene = 15; },
         &C::stress, 24},
        {"full, hygiene 10", kHigh, [](GameState&, C& c) { c.bowel = 40, c.hygiene = 14; },
         &C::stress, 19},
        // The accident at bowel 5 after the night: 85 + random(10).
        {"bowel 6 after", kHigh, [](GameState&, C& c) { c.bowel = 11; }, &C::bowel, 6},
        {"bowel 5 after", kHigh, [](GameState&, C& c) { c.bowel = 10; }, &C::bowel, 94},
        {"accident's hygiene", kHigh, [](GameState&, C& c) { c.bowel = 10, c.hygiene = 100; },
         &C::hygiene, 27},
        // Bed visit with 嵐 (the first partner): random(2) + maxStamina div 8.
        {"intimacy 29", kZero,
         [](GameState& s, C& c) { s.pairIntimacy[0] = 29, c.maxStamina = 56; }, &C::stamina, 7},
        {"intimacy 30", kZero,
         [](GameState& s, C& c) { s.pairIntimacy[0] = 30, c.maxStamina = 56; }, &C::stamina, 14},
        // Stress (after the night's +3) costs maxAP div 8 + 1 + one per threshold;
        // rest gives stamina + 1 = 31 before.
        {"stress 36 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 33; }, &C::actionPoints,
         31},
        {"stress 35 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 32; }, &C::actionPoints,
         23},
        {"stress 26 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 23; }, &C::actionPoints,
         23},
        {"stress 25 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 22; }, &C::actionPoints,
         22},
        {"stress 16 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 13; }, &C::actionPoints,
         22},
        {"stress 15 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 12; }, &C::actionPoints,
         21},
        {"stress 11 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 8; }, &C::actionPoints,
         21},
        {"stress 10 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 7; }, &C::actionPoints,
         20},
        {"stress 6 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 3; }, &C::actionPoints,
         20},
        {"stress 5 after", kHigh,
         [&](GameState&, C& c) { big(c), c.maxActionPoints = 56, c.stress = 2; }, &C::actionPoints,
         19},
        // Illness: a night less, cured at 0; it begins at stamina 0 with 9 + random(3).
        {"illness 2", kHigh, [](GameState&, C& c) { c.illness = 2; }, &C::illness, 1},
        {"illness 1", kHigh, [](GameState&, C& c) { c.illness = 1; }, &C::illness, 0},
        {"stamina 1", kHigh, [](GameState&, C& c) { c.stamina = 1; }, &C::illness, 0},
        {"stamina 0", kHigh, [](GameState&, C& c) { c.stamina = 0; }, &C::illness, 11},
        {"phantom 99", kHigh, [](GameState&, C& c) { c.phantom = 99; }, &C::level, 1},
        {"phantom 100", kHigh, [](GameState&, C& c) { c.phantom = 100; }, &C::level, 2},
    };
    for (const NightRow& r : rows)
        EXPECT_EQ(nightOf(r.draws, r.setup).c.*r.result, r.expected) << r.what;
}

// The die of each obesity trial follows the obesity left after the drift (2
// here): 5 up to 30, 4 up to 20, 3 up to 10, 2 at 0; no trials above 30.
// A maximum below 10 is not tried.
TEST(NightTable, ObesityTrialDice) {
    const struct {
        int32_t obesity;
        int32_t maxStamina;
        std::vector<int32_t> trials;
    } rows[] = {
        {33, 10, {}},           {32, 10, {5, 5, 5, 5}}, {23, 10, {5, 5, 5, 5}},
        {22, 10, {4, 4, 4, 4}}, {13, 10, {4, 4, 4, 4}}, {12, 10, {3, 3, 3, 3}},
        {3, 10, {3, 3, 3, 3}},  {2, 10, {2, 2, 2, 2}},  {32, 9, {5, 5, 5}},
    };
    for (const auto& r : rows) {
        const NightRun n = nightOf(kHigh, [&](GameState&, C& c) {
            c.obesity = r.obesity;
            c.maxStamina = r.maxStamina;
        });
        std::vector<int32_t> expected{2, 10};
        expected.insert(expected.end(), r.trials.begin(), r.trials.end());
        EXPECT_EQ(n.dice, expected) << "obesity " << r.obesity;
    }
}

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

    // The new day does not begin either (a story chapter ends in advanceDay).
    g.s.currentCharacter = 4;
    advanceDay(g);
    EXPECT_EQ(g.s.dayNumber, 1);
    EXPECT_EQ(g.s.currentCharacter, 4);
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
    registerGameHandlers(g.handlers);
    g.form.show("com_box");
    g.s.ch(3).strandedPhase = 2;
    for (int k = 1; k <= 4; ++k) {
        ASSERT_EQ(g.s.currentCharacter, k);
        rng.push({0, 1});
        if (k == 4) rng.push({3, 7, 1});  // clear, no event, second tune
        const char* button = g.s.cur().strandedPhase != 0 ? "BitBtn16" : "BitBtn5";
        dispatch(g, button);
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
