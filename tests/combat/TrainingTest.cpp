#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "combat/Battle.h"
#include "combat/Enemies.h"
#include "game/GameHandlers.h"
#include "shell/Availability.h"
#include "shell/Screens.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

struct TrainingTest : test::RulesTest {
    TrainingTest() { host.silentClicks = true; }

    Character& cur() { return g.s.cur(); }
    bool available(const char* button) const { return commandAvailable(g.s, g.form, button); }
    void expectDraws(const std::vector<int32_t>& dice) {
        EXPECT_EQ(rng.requests(), dice);
        EXPECT_EQ(rng.remaining(), 0u);
    }
};

// --- Training -------------------------------------------------------------------

TEST_F(TrainingTest, EachLevelCostsItsPointsAndDrawsInOrder) {
    const struct {
        const char* button;
        int32_t cost, gain;
        std::vector<int32_t> dice;  // strength [, strength] [, zoology], relief, obesity
        int32_t obesity;            // after 50 and an obesity draw of 2
    } levels[] = {
        {"BitBtn18", 6, 1, {4, 3, 3}, 50 + 4 + 2},
        {"kunren", 11, 2, {4, 7, 3, 3}, 50 + 9 + 2},
        {"BitBtn21", 16, 3, {4, 4, 7, 3, 3}, 50 + 15 + 2},
    };
    for (const auto& t : levels) {
        SCOPED_TRACE(t.button);
        g.form.show("kunren_box");
        cur() = Character{.name = "ルル",
                          .obesity = 50,
                          .actionPoints = t.cost - 1,
                          .maxActionPoints = 99,
                          .stamina = 10,
                          .maxStamina = 30};

        press(t.button);  // one point short
        EXPECT_EQ(host.lastMessage(), "訓練に必要な行動力が足りません");
        EXPECT_EQ(cur().actionPoints, t.cost - 1);
        EXPECT_EQ(cur().trainingLevel, 0);
        EXPECT_TRUE(rng.requests().empty());

        host.clearRecords();
        rng = ScriptedRandom{};
        cur().actionPoints = t.cost;
        for (size_t i = 0; i + 2 < t.dice.size(); ++i) rng.push(1);  // no growth
        rng.push({1, 2});                                            // no relief, obesity +2
        press(t.button);
        expectDraws(t.dice);
        EXPECT_EQ(cur().actionPoints, 0);
        EXPECT_EQ(cur().stamina, 8);
        EXPECT_EQ(cur().trainingLevel, t.gain);
        EXPECT_EQ(cur().obesity, t.obesity);
        EXPECT_EQ(cur().stress, 0);
        EXPECT_EQ(host.messageTexts(),
                  (std::vector<std::string>{
                      "【訓練度】が" + std::to_string(t.gain) + "上がった！",
                      "【肥満】が" + std::to_string(t.obesity - 50) + "回復した！"}));
        EXPECT_EQ(host.sounds.at(0), (HeadlessHost::Sound{1, "1.wav"}));
        EXPECT_EQ(host.sounds.at(1), (HeadlessHost::Sound{0, "kunren.wav"}));
        EXPECT_TRUE(g.form.visible("kunren_box"));
        host.clearRecords();
        rng = ScriptedRandom{};
    }
}

TEST_F(TrainingTest, GrowthReliefAndTheDodgeAtTrainingSix) {
    g.form.show("kunren_box");
    cur().actionPoints = 16;
    cur().trainingLevel = 5;
    cur().strength = 10;
    cur().stress = 40;
    // Strength grows twice, zoology not; relief 3 + 2; obesity 15 + 0.
    rng.push({0, 0, 1, 0, 2, 0});
    press("BitBtn21");
    expectDraws({4, 4, 7, 3, 3, 3});
    EXPECT_EQ(cur().strength, 12);
    EXPECT_EQ(cur().stress, 45);
    EXPECT_EQ(cur().trainingLevel, 8);
    EXPECT_TRUE(host.saw("【腕力】が1アップした！→12"));
    EXPECT_TRUE(host.saw("【ストレス】が5回復した！"));
    EXPECT_EQ(g.s.worldFlags[34], 1) << "ルル learns to dodge at training level 6";
    EXPECT_TRUE(host.saw("ルルは戦闘能力【回避】を修得した！"));
    EXPECT_TRUE(host.played("waza.wav", 2));

    // 5 -> 6 by a level C training learns it too; 4 -> 5 does not.
    for (int32_t before : {4, 5}) {
        g.s.worldFlags[34] = 0;
        cur().trainingLevel = before;
        cur().actionPoints = 6;
        rng.push({1, 1, 0});
        press("BitBtn18");
        EXPECT_EQ(g.s.worldFlags[34], before == 5 ? 1 : 0) << before;
    }
}

TEST_F(TrainingTest, OpenersShowTheirPanelsInPlaceOfTheCommandPanel) {
    g.form.show("com_box");
    g.form.setPosition(g.form.id("com_box"), 355, 180);
    press("kunren_b");  // no training ground yet
    EXPECT_FALSE(g.form.visible("kunren_box"));
    EXPECT_TRUE(host.sounds.empty());

    g.s.worldFlags[17] = 1;
    press("kunren_b");
    EXPECT_TRUE(g.form.visible("kunren_box"));
    EXPECT_FALSE(g.form.visible("com_box"));
    EXPECT_EQ(g.form.at("kunren_box").left, 355);
    EXPECT_EQ(g.form.at("kunren_box").top, 180);

    g.form.show("com_box");
    g.s.dayNumber = 9;
    press("svival_b");
    EXPECT_FALSE(g.form.visible("svival_box"));
    g.s.dayNumber = 10;
    press("svival_b");
    EXPECT_TRUE(g.form.visible("svival_box"));
    EXPECT_FALSE(g.form.visible("com_box"));
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{0, "1.wav"}, {0, "1.wav"}}));
}

TEST_F(TrainingTest, ClicksWithoutATurnOrOnClosedCoursesChangeNothing) {
    g.form.show("kunren_box");
    g.form.show("svival_box");
    cur().obesity = 80;
    cur().actionPoints = 200;
    const GameState before = g.s;
    for (const char* button :
         {"svival_b2", "svival_b3", "svival_b4", "svival_b5", "svival_b6", "svival_b7"})
        press(button);
    g.s.currentCharacter = 0;
    press("BitBtn18");
    press("BitBtn24");
    g.s.currentCharacter = 1;
    EXPECT_TRUE(g.s == before);
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_TRUE(host.messages.empty());
}

// --- Survival courses -------------------------------------------------------------

TEST_F(TrainingTest, EveryCourseRefillsStaminaAndStartsItsChain) {
    const struct {
        const char* button;
        int32_t cost;
        int area;
        const char* banner;
    } courses[] = {
        {"BitBtn24", 9, 16, "＊＊＊　ノーマルコース　スタート　＊＊＊"},
        {"svival_b2", 17, 17, "＊＊＊　ゴルドスコース　スタート　＊＊＊"},
        {"svival_b3", 25, 18, "＊＊＊　ビクトリーコース　スタート　＊＊＊"},
        {"svival_b4", 40, 19, "＊＊＊　アケローンコース　スタート　＊＊＊"},
        {"svival_b5", 50, 20, "＊＊＊　ファントムコース　スタート　＊＊＊"},
        {"svival_b6", 99, 21, "＊＊＊　さよなら！！！！　スタート　＊＊＊"},
        {"svival_b7", 120, 22, "＊＊＊　？？？？　スタート　＊＊＊"},
    };
    for (int entry = 5; entry <= 8; ++entry) g.s.worldFlags[static_cast<size_t>(entry)] = 1;
    g.s.carvingMade[14] = 1;
    g.s.finalCourseClears = 1;
    g.s.organTitle = 1;
    for (const auto& c : courses) {
        SCOPED_TRACE(c.button);
        host.clearRecords();
        rng = ScriptedRandom{};
        g.form.show("svival_box");
        g.form.hide("battle_box");
        battleState(g) = BattleState{};
        battleState(g).chain = -1;  // as the previous battle left it
        cur() = Character{.name = "ルル",
                          .obesity = 36,
                          .actionPoints = c.cost - 1,
                          .maxActionPoints = 199,
                          .stamina = 3,
                          .maxStamina = 30};
        press(c.button);
        EXPECT_EQ(host.lastMessage(), "必要な行動力が足りません");
        EXPECT_TRUE(g.form.visible("svival_box"));

        cur().actionPoints = c.cost;
        rng.push(2);  // the enemy
        press(c.button);
        expectDraws({3});
        EXPECT_EQ(cur().actionPoints, 0);
        EXPECT_EQ(cur().stamina, 30);
        EXPECT_EQ(battleState(g).area, c.area);
        EXPECT_EQ(battleState(g).chain, 1);
        const auto& enemy = kCourseEnemies[static_cast<size_t>(c.area - kFirstCourseArea)][2];
        EXPECT_EQ(battleState(g).enemyName, enemy.name);
        const std::vector<std::string> texts = host.messageTexts();
        ASSERT_GE(texts.size(), 4u);
        EXPECT_EQ(texts[1], "【体力】が完全回復した！");
        EXPECT_EQ(texts[2], c.banner);
        EXPECT_EQ(host.music, (std::vector<std::string>{"not", "svival.mid"}));
        EXPECT_FALSE(g.form.visible("svival_box"));
        EXPECT_TRUE(g.form.visible("battle_box"));
    }
}

TEST_F(TrainingTest, CourseChecksIllnessObesityAndPointsInTheButtonsOrder) {
    g.s.worldFlags[5] = 1;
    cur().maxActionPoints = 99;
    const struct {
        const char* button;
        int32_t illness, obesity, points;
        const char* refusal;  // nullptr: the course starts
    } cases[] = {
        {"BitBtn24", 1, 80, 5, "【病気】のためサバイバルはできません"},
        {"svival_b2", 1, 80, 5, "【病気】のためサバイバルはできません"},
        {"BitBtn24", 0, 30, 5, "【肥満】のためサバイバルはできません"},
        {"svival_b2", 0, 30, 5, "必要な行動力が足りません"},
        {"BitBtn24", 0, 35, 9, "【肥満】のためサバイバルはできません"},
        {"svival_b2", 0, 35, 17, "【肥満】のためサバイバルはできません"},
        {"BitBtn24", 0, 36, 9, nullptr},
        {"svival_b2", 0, 36, 17, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " obesity " + std::to_string(c.obesity));
        host.clearRecords();
        rng = ScriptedRandom{};
        g.form.show("svival_box");
        cur().illness = c.illness;
        cur().obesity = c.obesity;
        cur().actionPoints = c.points;
        if (c.refusal == nullptr) rng.push(0);
        press(c.button);
        if (c.refusal != nullptr) {
            EXPECT_EQ(host.messageTexts(), std::vector<std::string>{c.refusal});
            EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{0, "1.wav"}}));
            EXPECT_EQ(cur().actionPoints, c.points);
            EXPECT_TRUE(g.form.visible("svival_box"));
        } else {
            EXPECT_EQ(cur().actionPoints, 0);
            EXPECT_EQ(battleState(g).chain, 1);
        }
    }
}

// --- Colosseum --------------------------------------------------------------------

TEST_F(TrainingTest, ColosseumOpensFromTheTrainingPanelAndGoesBack) {
    g.form.show("kunren_box");
    press("colo_b");  // no colosseum built
    EXPECT_FALSE(g.form.visible("colo_box"));

    g.s.worldFlags[50] = 1;
    press("colo_b");
    EXPECT_TRUE(g.form.visible("colo_box"));
    EXPECT_FALSE(g.form.visible("kunren_box"));
    EXPECT_EQ(g.form.at("colo_box").left, g.form.at("com_box").left);
    press("BitBtn22");
    EXPECT_FALSE(g.form.visible("colo_box"));
    EXPECT_TRUE(g.form.visible("kunren_box"));
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{0, "1.wav"}, {0, "1.wav"}}));
}

TEST_F(TrainingTest, EachOpponentCostsFivePointsAndIsFoughtInItsArea) {
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        // Every other opponent beaten: this one is offered.
        for (size_t e = 51; e <= 60; ++e) g.s.worldFlags[e] = 1;
        g.s.worldFlags[static_cast<size_t>(50 + n)] = 0;
        const std::string button = "colo_b" + std::to_string(n);
        host.clearRecords();
        g.form.show("colo_box");
        battleState(g) = BattleState{};
        cur().actionPoints = 4;
        press(button.c_str());
        EXPECT_EQ(host.sounds.front(), (HeadlessHost::Sound{0, "1.wav"}));  // the click
        EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"行動力が足りません"});
        EXPECT_EQ(cur().actionPoints, 4);
        EXPECT_TRUE(rng.requests().empty());

        cur().actionPoints = 5;
        press(button.c_str());
        EXPECT_EQ(cur().actionPoints, 0);
        EXPECT_EQ(battleState(g).area, 4 + n);
        EXPECT_EQ(battleState(g).enemyName, kColosseumEnemies[static_cast<size_t>(n - 1)].name);
        EXPECT_TRUE(host.saw("コロシアムバトルスタート！！！"));
        EXPECT_FALSE(g.form.visible("colo_box"));
    }
}

TEST_F(TrainingTest, ALossKeepsTheOpponentAndAWinHidesIt) {
    g.form.show("colo_box");
    cur().actionPoints = 10;
    cur().stamina = 1;
    press("colo_b1");
    // A miss, the ghost's blow of 3 (+0), fainting: obesity, stress, day music.
    rng.push({0, 0, 0, 0, 0});
    press("BitBtn9");
    EXPECT_TRUE(host.saw("ルルは気絶してしまった・・・・"));
    EXPECT_EQ(cur().actionPoints, 5);
    EXPECT_EQ(g.s.worldFlags[51], 0);
    EXPECT_TRUE(g.form.visible("colo_box"));
    EXPECT_TRUE(available("colo_b1"));

    cur().stamina = 30;
    cur().strength = 10;
    press("colo_b1");
    battleState(g).enemyHp = 1;
    // A hit, +0, points, obesity, day music.
    rng.push({1, 0, 0, 0, 0});
    press("BitBtn9");
    EXPECT_EQ(cur().actionPoints, 0);
    EXPECT_EQ(g.s.worldFlags[51], 1);
    EXPECT_EQ(g.s.fireFruitCount, 10);
    EXPECT_FALSE(available("colo_b1"));

    // A second click on the beaten ghost does nothing.
    host.clearRecords();
    cur().actionPoints = 5;
    press("colo_b1");
    EXPECT_EQ(cur().actionPoints, 5);
    EXPECT_TRUE(host.sounds.empty());
}

}  // namespace
}  // namespace kotou
