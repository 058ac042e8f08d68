#include <gtest/gtest.h>

#include <string>

#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "shell/StatusRefresh.h"
#include "state/Random.h"

namespace kotou {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

class StatusRefreshTest : public ::testing::Test {
  protected:
    StatusRefreshTest() : g(host, rng) {
        buildForm(g.form);
        initNewGame(g.s);
    }
    Character& cur() { return g.s.cur(); }
    const Component& c(const char* name) { return g.form.at(name); }
    void refresh() { refreshStatus(g); }

    HeadlessHost host;
    DefaultRandom rng{1};
    Game g;
};

TEST_F(StatusRefreshTest, OutOfRangeCharacterChangesNothing) {
    for (int k : {0, 5, -1, 1000}) {
        SCOPED_TRACE(k);
        g.s.currentCharacter = k;
        g.s.dayNumber = 20000;
        const GameState before = g.s;
        const uint64_t revision = g.form.revision();
        refresh();
        EXPECT_EQ(g.s, before);
        EXPECT_EQ(g.form.revision(), revision);
    }
}

TEST_F(StatusRefreshTest, GaugesShowTheValueBeforeItIsClamped) {
    cur().hygiene = 115;
    refresh();
    EXPECT_EQ(c("eisei_l").gaugeValue, 115);
    EXPECT_EQ(c("eisei_l2").caption, "115");
    EXPECT_EQ(cur().hygiene, 100);
    refresh();
    EXPECT_EQ(c("eisei_l").gaugeValue, 100);
    EXPECT_EQ(c("eisei_l2").caption, "100");
}

TEST_F(StatusRefreshTest, ClampsInTheirOrder) {
    // Stamina is capped by the old maximum first, the maximum only after it.
    cur().maxStamina = 200;
    cur().stamina = 250;
    refresh();
    EXPECT_EQ(c("hp_l2").caption, "250/200");
    EXPECT_EQ(c("hp_l").gaugeMax, 200);
    EXPECT_EQ(cur().stamina, 200);
    EXPECT_EQ(cur().maxStamina, 199);
    refresh();
    EXPECT_EQ(cur().stamina, 199);
    EXPECT_EQ(c("hp_l2").caption, "200/199");

    cur().maxActionPoints = 300;
    cur().actionPoints = -4;
    refresh();
    EXPECT_EQ(c("koudou_l2").caption, "-4/300");
    EXPECT_EQ(cur().actionPoints, 0);
    EXPECT_EQ(cur().maxActionPoints, 199);

    cur().strength = 0;
    cur().dexterity = -3;
    cur().trainingLevel = 140;
    cur().phantom = 100;
    g.s.pairIntimacy = {150, -5, 100, 99, 0, 101};
    g.s.dayNumber = 12345;
    refresh();
    EXPECT_EQ(cur().strength, 0);
    EXPECT_EQ(cur().dexterity, 0);
    EXPECT_EQ(cur().trainingLevel, 100);
    EXPECT_EQ(cur().phantom, 100);
    EXPECT_EQ(g.s.pairIntimacy, (std::array<int32_t, 6>{100, -5, 100, 99, 0, 100}));
    EXPECT_EQ(g.s.dayNumber, 9999);
    EXPECT_EQ(c("day_l").caption, "9999日目／晴れ");
}

TEST_F(StatusRefreshTest, OnlyTheCurrentCharacterIsClamped) {
    g.s.ch(2).hygiene = 130;
    refresh();
    EXPECT_EQ(g.s.ch(2).hygiene, 130);
    g.s.currentCharacter = 2;
    refresh();
    EXPECT_EQ(g.s.ch(2).hygiene, 100);
}

TEST_F(StatusRefreshTest, ConditionGaugeColourBands) {
    struct Band {
        int value;
        Rgb color;
    };
    const Band bands[] = {
        {100, {0, 255, 0}},  {115, {0, 255, 0}},  {99, {255, 255, 0}},  {90, {255, 255, 0}},
        {89, {254, 203, 1}}, {60, {254, 203, 1}}, {59, {255, 159, 0}},  {30, {255, 159, 0}},
        {29, {182, 77, 73}}, {15, {182, 77, 73}}, {14, {113, 47, 140}}, {5, {113, 47, 140}},
        {4, {0, 0, 0}},      {0, {0, 0, 0}},
    };
    for (const Band& b : bands) {
        SCOPED_TRACE(b.value);
        cur().hygiene = cur().stress = cur().obesity = cur().bowel = b.value;
        refresh();
        for (const char* gauge : {"eisei_l", "stress_l", "himan_l", "beni_l"})
            EXPECT_EQ(c(gauge).color, b.color) << gauge;
    }
}

TEST_F(StatusRefreshTest, StaminaColourKeepsItsBandBetweenBands) {
    cur().maxStamina = 100;  // m = 10
    struct Step {
        int stamina;
        Rgb color;
    };
    const Step steps[] = {
        {100, {255, 0, 0}},   {99, {236, 19, 68}},  {80, {236, 19, 68}},
        {75, {236, 19, 68}},  // 71..79: between bands, colour kept
        {70, {227, 28, 153}}, {60, {227, 28, 153}}, {55, {227, 28, 153}},
        {50, {200, 32, 162}}, {30, {200, 32, 162}}, {25, {200, 32, 162}},
        {20, {141, 39, 180}}, {0, {141, 39, 180}},  {25, {141, 39, 180}},
        {65, {227, 28, 153}},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(st.stamina);
        cur().stamina = st.stamina;
        refresh();
        EXPECT_EQ(c("hp_l").color, st.color);
        EXPECT_EQ(g.hpColor, st.color);
    }
}

// The colour is chosen with the maximum as capped in the same refresh: with
// a maximum of 200 and 199 stamina the stamina is full (red), not in the
// 8m..max band the uncapped maximum would give.
TEST_F(StatusRefreshTest, StaminaColourUsesTheCappedMaximum) {
    struct Case {
        int maxStamina, stamina;
        Rgb color;
    };
    const Case cases[] = {
        {200, 199, {255, 0, 0}},     // capped max 199 = stamina
        {200, 160, {236, 19, 68}},   // m = 19: 152 <= 160 < 199
        {250, 120, {227, 28, 153}},  // m = 19: 114 <= 120 <= 133 (uncapped m = 25: 75..125)
        {199, 199, {255, 0, 0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.maxStamina * 1000 + k.stamina);
        g.hpColor = {1, 2, 3};
        cur().maxStamina = k.maxStamina;
        cur().stamina = k.stamina;
        refresh();
        EXPECT_EQ(c("hp_l").color, k.color);
    }
}

TEST_F(StatusRefreshTest, StaminaNumberTurnsRedAtZero) {
    cur().stamina = 0;
    refresh();
    EXPECT_EQ(c("hp_l2").fontColor, kRed);
    EXPECT_EQ(c("hp_l3").fontColor, kRed);
    cur().stamina = -2;  // clamped to 0 by the same refresh
    refresh();
    EXPECT_EQ(c("hp_l2").fontColor, kRed);
    cur().stamina = 1;
    refresh();
    EXPECT_EQ(c("hp_l2").fontColor, kWhite);
    EXPECT_EQ(c("hp_l3").fontColor, kWhite);
}

TEST_F(StatusRefreshTest, IllnessAndPoisonMarks) {
    refresh();
    EXPECT_FALSE(c("ill_l").visible);
    EXPECT_FALSE(c("poison_l").visible);
    cur().illness = 3;
    cur().poison = 1;
    refresh();
    EXPECT_TRUE(c("ill_l").visible);
    EXPECT_TRUE(c("poison_l").visible);
}

TEST_F(StatusRefreshTest, SummaryLabels) {
    g.s.currentCharacter = 2;
    g.s.dayNumber = 17;
    g.s.weather = kDrought;
    cur().level = 4;
    cur().strandedPhase = 7;
    cur().trainingLevel = 12;
    g.s.pairIntimacy = {5, 6, 7, 8, 9, 10};
    g.s.stoneCount = 33;
    g.s.branchCount = 4;
    g.s.runtime.statPointsLeft = 3;
    g.s.progress(EscapePart::Raft) = 1;
    g.s.progress(EscapePart::Weapon) = 4;
    refresh();
    EXPECT_EQ(c("turn_name_l").caption, "嵐");
    EXPECT_EQ(c("day_l").caption, "17日目／日照り");
    EXPECT_EQ(c("lv_l").caption, "Lv:4");
    EXPECT_EQ(c("sounan_l").caption, "遭難フェイズ＞7");
    EXPECT_EQ(c("kunren_l").caption, "訓練度：12");
    EXPECT_EQ(c("cominu_l").caption,
              "　　　嵐と　　ルルの親密度：5\r"
              "　　　嵐とスパークの親密度：8\r"
              "　　　嵐と　　残響の親密度：9");
    EXPECT_EQ(c("dassyutu_l").caption,
              "◇イカダ　　　　＞　1/2\r◇オール　　　　＞　0/2\r◇信号灯　　　　＞　0/3\r"
              "◇武器　　　　　＞　4/4\r◇チームワーク　＞　45/60");
    EXPECT_EQ(c("mara_l").caption, "所持している石：33\r所持している枝：4");
    EXPECT_EQ(c("nouryoku_l").caption, "【嵐】のステータス振り分け\r（残り能力値：3）");

    g.s.currentCharacter = 4;
    refresh();
    EXPECT_EQ(c("cominu_l").caption,
              "　　残響と　　ルルの親密度：7\r"
              "　　残響と　　　嵐の親密度：9\r"
              "　　残響とスパークの親密度：10");
}

TEST_F(StatusRefreshTest, Score) {
    refresh();
    EXPECT_EQ(g.s.score, 0);  // 4 x (1 + 10 + 10) = 84, below the offset of 108
    EXPECT_EQ(c("point_l").caption, "得点：0点");

    // After character creation the 24 points bring the sum to exactly 108.
    for (int k = 1; k <= 4; ++k) g.s.ch(k).strength = 6;
    refresh();
    EXPECT_EQ(g.s.score, 0);

    g.s.ch(3).geography = 40;
    g.s.ch(2).trainingLevel = 7;
    g.s.ch(4).level = 3;
    g.s.pairIntimacy = {10, 0, 0, 0, 0, 5};
    g.s.worldFlags[0] = 1;
    g.s.worldFlags[98] = 2;
    cur().hygiene = 50;  // not part of the score
    refresh();
    EXPECT_EQ(g.s.score, 40 + 7 + 2 + 15 + 3);
    EXPECT_EQ(c("point_l").caption, "得点：67点");
}

TEST_F(StatusRefreshTest, CountCaptions) {
    g.s.appleCount = 3;
    g.s.kiwiCount = 0;
    g.s.rareItems[10] = 2;
    g.s.extra(ExtraItem::EarthSong) = 0;
    refresh();
    EXPECT_EQ(c("ringo_b").caption, "りんご（3）");
    EXPECT_TRUE(c("ringo_b").visible);
    EXPECT_FALSE(c("kyuui_b").visible);
    EXPECT_EQ(c("kyuui_b").caption, "キュウイ");  // a hidden fruit keeps its caption
    EXPECT_EQ(c("honoka_b").caption, "ほのかぐつちの神（2）");
    EXPECT_EQ(c("tikyu_b").caption, "地球の歌（0）");  // item captions always follow the count

    g.s.appleCount = 0;
    refresh();
    EXPECT_FALSE(c("ringo_b").visible);
    EXPECT_EQ(c("ringo_b").caption, "りんご（3）");
}

TEST_F(StatusRefreshTest, UnchangedStateChangesNoComponent) {
    refresh();
    const uint64_t revision = g.form.revision();
    refresh();
    EXPECT_EQ(g.form.revision(), revision);
}

TEST_F(StatusRefreshTest, WorksOnAFormWithoutTheWindowsComponents) {
    Game bare(host, rng);
    initNewGame(bare.s);
    bare.s.ch(1).hygiene = 300;
    refreshStatus(bare);
    EXPECT_EQ(bare.s.ch(1).hygiene, 100);
    // And again on the full window afterwards.
    cur().hygiene = 120;
    refresh();
    EXPECT_EQ(c("eisei_l").gaugeValue, 120);
}

}  // namespace
}  // namespace kotou
