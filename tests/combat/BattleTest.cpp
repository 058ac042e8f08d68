#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "combat/Battle.h"
#include "game/GameHandlers.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

struct BattleTest : test::RulesTest {
    BattleTest() {}

    Character& cur() { return g.s.cur(); }
    BattleState& battle() { return battleState(g); }
    // A battle in progress with the commands offered.
    void fight(int area, const char* name, int32_t hp, int32_t attack, int32_t resistance) {
        BattleState& b = battle();
        b = BattleState{};
        b.area = area;
        b.enemyName = name;
        b.enemyHp = hp;
        b.enemyAttack = attack;
        b.enemyResistance = resistance;
        showBattleCommands(g);
    }
    bool flashed(const char* kind) const {
        return std::any_of(host.flashes.begin(), host.flashes.end(),
                           [&](const Flash& f) { return f.kind == kind; });
    }
};

// --- Encounters --------------------------------------------------------------

TEST_F(BattleTest, ForestFlyShowsTheSpiderPictureAndTheBattleOpens) {
    battle().area = 4;
    g.form.show("tansaku_box");
    rng.push(2);
    startBattle(g);
    EXPECT_EQ(battle().enemyName, "水色ばえ");
    EXPECT_TRUE(g.form.visible("cg"));
    EXPECT_EQ(g.form.at("cg").picture, "cg/敵・クモ.jpg");
    EXPECT_TRUE(host.played("teki.wav", 0));
    EXPECT_EQ(host.music, (std::vector<std::string>{"battle.mid"}));
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"敵【水色ばえ】が現れた！！", "※どうしますか？"}));
    EXPECT_FALSE(g.form.visible("tansaku_box"));
    EXPECT_TRUE(g.form.visible("battle_box"));
    EXPECT_EQ(battle().chain, 0);
}

TEST_F(BattleTest, ColosseumAnnouncementComesBeforePictureAndSound) {
    g.s.worldFlags[28] = 1;  // ルル can flee, but not here
    battle().area = 5;
    std::string pictureAtClick;
    bool soundAtClick = true;
    host.onProcessEvents = [&](Game& game) {
        if (game.s.runtime.clickState != 0) return;
        pictureAtClick = game.form.at("cg").picture;
        soundAtClick = host.played("teki.wav");
    };
    rng.push(0);  // the click
    startBattle(g);
    EXPECT_EQ(host.messages.front().text, "コロシアムバトルスタート！！！");
    EXPECT_NE(pictureAtClick, "cg/敵・ルピ.jpg");
    EXPECT_FALSE(soundAtClick);
    EXPECT_EQ(g.form.at("cg").picture, "cg/敵・ルピ.jpg");
    EXPECT_EQ(battle().enemyResistance, 2);
    EXPECT_FALSE(g.form.visible("toubou_b"));
}

TEST_F(BattleTest, FlightIsOfferedOnlyInExplorationBattles) {
    g.s.worldFlags[28] = 1;
    fight(4, "くも", 4, 2, 0);
    EXPECT_TRUE(g.form.visible("toubou_b"));
    fight(5, "ルピルピの亡霊", 24, 3, 2);
    EXPECT_FALSE(g.form.visible("toubou_b"));
    press("toubou_b");  // a stray click changes nothing
    EXPECT_TRUE(rng.requests().empty());
    fight(16, "パーセウルフ", 6, 3, 0);
    EXPECT_FALSE(g.form.visible("toubou_b"));
    g.s.worldFlags[28] = 0;
    fight(4, "くも", 4, 2, 0);
    EXPECT_FALSE(g.form.visible("toubou_b"));
}

TEST_F(BattleTest, CommandsFollowBooksAndLearnedSkills) {
    g.s.worldFlags[21] = 2;
    g.s.flag(WorldFlag::HighMagicBook) = 1;  // held, not yet read
    g.s.flag(WorldFlag::MysticBook) = 1;     // held, not yet read
    g.s.worldFlags[32] = 1;
    fight(4, "くも", 4, 2, 0);
    EXPECT_TRUE(g.form.visible("magic_b"));
    EXPECT_EQ(g.form.at("magic_b").caption, "魔法");
    EXPECT_FALSE(g.form.visible("kaifuku_b"));
    EXPECT_FALSE(g.form.visible("lazer_b")) << "the laser is スパーク's";
    g.s.worldFlags[22] = 2;
    g.s.worldFlags[23] = 2;
    g.s.currentCharacter = 3;
    showBattleCommands(g);
    EXPECT_EQ(g.form.at("magic_b").caption, "上級魔法");
    EXPECT_TRUE(g.form.visible("kaifuku_b"));
    EXPECT_TRUE(g.form.visible("lazer_b"));
}

// --- The player's commands -----------------------------------------------------

TEST_F(BattleTest, ResistanceQuartersTheAttackBeforeTheRandomPoint) {
    cur().strength = 7;
    fight(4, "訓練生", 11, 3, 1);
    rng.push({1, 0, 0, 0});  // hit, +0, click, enemy's growth
    press("BitBtn9");
    EXPECT_EQ(battle().enemyHp, 11);
    EXPECT_TRUE(host.saw("訓練生に0ダメージ与えた！"));
    EXPECT_EQ(host.messages.front().text, "ルルは攻撃した！");
    rng.push({1, 1, 0, 0});  // hit, +1
    press("BitBtn9");
    EXPECT_EQ(battle().enemyHp, 10);
    EXPECT_TRUE(flashed("red"));
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(BattleTest, SwordsAddToTheAttack) {
    cur().strength = 7;
    cur().zoology = 9;
    g.s.worldFlags[20] = 1;
    g.s.worldFlags[24] = 1;
    fight(4, "くも", 100, 0, 0);
    rng.push({1, 0, 0, 0});
    press("BitBtn9");
    EXPECT_EQ(battle().enemyHp, 100 - (3 + 5 + 3));
}

TEST_F(BattleTest, CriticalHitOfTenDealsSixteen) {
    cur().strength = 20;
    g.s.worldFlags[38] = 1;
    fight(4, "くも", 100, 0, 0);
    rng.push({1, 0, 0, 0, 0});  // hit, +0, critical, click, growth
    press("BitBtn9");
    EXPECT_EQ(battle().enemyHp, 84);
    EXPECT_TRUE(host.saw("クリティカルヒット！！"));
    EXPECT_TRUE(host.saw("くもに16ダメージ与えた！"));
    EXPECT_TRUE(host.played("cli.wav", 2));
    EXPECT_EQ(rng.requests().at(2), 10);  // one critical hit in ten
}

TEST_F(BattleTest, AnEnemyLeftWithOneHpFightsOn) {
    cur().strength = 4;
    fight(4, "くも", 3, 0, 0);
    rng.push({1, 0, 0, 0});  // hit, +0, click, enemy's growth
    press("BitBtn9");
    EXPECT_EQ(battle().enemyHp, 1);
    EXPECT_FALSE(host.played("victory.wav", 2));
    EXPECT_EQ(battle().area, 4);
}

TEST_F(BattleTest, MissGoesStraightToTheEnemy) {
    fight(4, "くも", 4, 2, 0);
    rng.push({0, 0, 0});  // miss, click, growth
    press("BitBtn9");
    EXPECT_TRUE(host.played("miss.wav", 2));
    EXPECT_TRUE(host.saw("ミスしてしまった！"));
    EXPECT_EQ(battle().enemyHp, 4);
    EXPECT_EQ(cur().stamina, 8);
    EXPECT_FALSE(flashed("red"));
}

TEST_F(BattleTest, MagicDividesUnlessAdvancedAndResistanceQuarters) {
    cur().dexterity = 9;
    g.s.worldFlags[21] = 2;                  // the magic book read
    g.s.flag(WorldFlag::HighMagicBook) = 1;  // held, not yet read
    fight(4, "くも", 100, 0, 0);
    rng.push({1, 1, 0, 0});  // hit, +1, click, growth
    press("magic_b");
    EXPECT_EQ(battle().enemyHp, 96);  // 9 / 3 + 1
    EXPECT_TRUE(flashed("cyan"));
    g.s.worldFlags[22] = 2;
    battle().enemyResistance = 2;
    rng.push({1, 0, 0, 0});
    press("magic_b");
    EXPECT_EQ(battle().enemyHp, 94);  // 9 / 4
}

TEST_F(BattleTest, HealNeedsTwoActionPointsAndOtherwiseKeepsTheTurn) {
    cur().actionPoints = 1;
    g.s.worldFlags[23] = 2;  // the mystic book read
    fight(4, "くも", 4, 2, 0);
    press("kaifuku_b");
    EXPECT_EQ(host.lastMessage(), "回復に必要な行動力が足りません");
    EXPECT_TRUE(g.form.visible("battle_box"));
    EXPECT_TRUE(rng.requests().empty());

    cur().actionPoints = 2;
    cur().botany = 7;
    cur().stamina = 3;
    rng.push({1, 0, 0});  // +1, click, growth
    press("kaifuku_b");
    EXPECT_TRUE(host.saw("【体力】が4回復した！！"));
    EXPECT_EQ(cur().actionPoints, 0);
    EXPECT_EQ(cur().stamina, 3 + 4 - 2);
}

TEST_F(BattleTest, LaserNeverMissesAndCostsHalfTheStamina) {
    g.s.currentCharacter = 3;
    g.s.worldFlags[32] = 1;
    cur().strength = 5;
    cur().dexterity = 6;
    cur().stamina = 9;
    fight(4, "くも", 100, 0, 2);
    rng.push({1, 0, 0, 0});  // +1, two clicks, growth
    press("lazer_b");
    EXPECT_EQ(battle().enemyHp, 88);
    EXPECT_EQ(cur().stamina, 4);
    EXPECT_TRUE(flashed("yellow"));
    EXPECT_TRUE(host.saw("【体力】の半分を失った。"));
}

TEST_F(BattleTest, SuccessfulFlightEndsTheBattleAtTheLocationMenu) {
    g.s.worldFlags[28] = 1;
    fight(4, "くも", 4, 2, 0);
    rng.push({2, 0, 0});  // success, click, day music
    press("toubou_b");
    EXPECT_EQ(host.lastMessage(), "ルルは逃亡に成功した！！");
    EXPECT_EQ(battle().area, -1);
    EXPECT_TRUE(g.form.visible("tansaku_box"));
    EXPECT_FALSE(g.form.visible("battle_box"));
    EXPECT_FALSE(g.form.visible("cg"));
}

// --- The enemy's turn ----------------------------------------------------------

TEST_F(BattleTest, ReflectedBlowOfTwoDealsOne) {
    g.s.worldFlags[46] = 1;
    fight(4, "蛾", 2, 2, 0);
    rng.push({0, 0, 0});  // growth, reflect, click
    enemyTurn(g);
    EXPECT_EQ(cur().stamina, 10);
    EXPECT_EQ(battle().enemyHp, 1);
    EXPECT_TRUE(host.saw("ルル攻撃を反射した！"));
    EXPECT_TRUE(host.saw("蛾に1ダメージ与えた！"));
    EXPECT_TRUE(flashed("red"));
    EXPECT_FALSE(flashed("hp"));
    EXPECT_TRUE(g.form.visible("battle_box"));
}

TEST_F(BattleTest, AllThreeArmoursReduceNineToNothing) {
    g.s.worldFlags[25] = g.s.worldFlags[26] = g.s.worldFlags[27] = 1;
    fight(4, "くも", 4, 9, 0);
    rng.push(1);  // the enemy grows to 10 after this blow
    enemyTurn(g);
    EXPECT_TRUE(host.saw("0ダメージ食らった！！"));
    EXPECT_EQ(cur().stamina, 10);
    EXPECT_EQ(battle().enemyAttack, 10);
    EXPECT_TRUE(flashed("hp"));
}

TEST_F(BattleTest, DodgeSkipsTheBlowEntirely) {
    g.s.worldFlags[34] = 1;
    fight(4, "くも", 4, 9, 0);
    rng.push(0);
    enemyTurn(g);
    EXPECT_TRUE(host.saw("ルル攻撃をかわした！"));
    EXPECT_EQ(rng.requests().back(), 10);  // one chance in ten
    EXPECT_EQ(cur().stamina, 10);
    EXPECT_EQ(battle().enemyAttack, 9);
}

TEST_F(BattleTest, ZankyoRevivesOnlyOncePerBattle) {
    g.s.currentCharacter = 4;
    g.s.worldFlags[33] = 1;
    cur().stamina = 2;
    cur().stress = 100;
    fight(4, "くも", 40, 5, 0);
    g.form.hide("tansaku_box");
    rng.push({0, 0, 0, 1, 0});  // growth, click, click, revive +1, click
    enemyTurn(g);
    EXPECT_EQ(cur().stamina, 2);
    EXPECT_TRUE(battle().reviveUsed);
    EXPECT_TRUE(g.form.visible("battle_box"));

    rng.push({0, 0, 0, 0, 0, 0, 0});  // growth, click, obesity, click, stress, click, music
    enemyTurn(g);
    EXPECT_EQ(host.count("復活"), 1);
    EXPECT_EQ(host.lastMessage(), "【ストレス】が40減った。");
    EXPECT_EQ(cur().stress, 60);
    EXPECT_EQ(battle().area, -1);
    EXPECT_TRUE(g.form.visible("tansaku_box"));
    EXPECT_EQ(rng.remaining(), 0u);

    // A new battle allows the revival again.
    battle().area = 4;
    rng.push(0);
    startBattle(g);
    EXPECT_FALSE(battle().reviveUsed);
}

// --- Victory --------------------------------------------------------------------

TEST_F(BattleTest, ForestVictoryGivesPointsAndAFruit) {
    cur().obesity = 50;
    fight(4, "くも", 0, 12, 0);
    rng.push({3, 2, 0, 1, 0, 0});  // points +3, obesity +2, click, fruit 2 apples, music
    winBattle(g);
    EXPECT_TRUE(host.played("victory.wav", 2));
    EXPECT_EQ(cur().phantom, 6 + 2 + 3);
    EXPECT_EQ(cur().obesity, 55);
    EXPECT_TRUE(host.saw("【ファントム】が11追加された！"));
    EXPECT_EQ(g.s.appleCount, 2);
    EXPECT_EQ(host.music.front(), "not");
    EXPECT_TRUE(g.form.visible("tansaku_box"));
}

TEST_F(BattleTest, SurvivalCourseIsFourVictoriesInARow) {
    cur().strength = 40;
    battle().area = 16;
    rng.push(0);
    startBattle(g);
    EXPECT_EQ(battle().chain, 1);
    for (int fightNo = 1; fightNo <= 4; ++fightNo) {
        SCOPED_TRACE(fightNo);
        EXPECT_FALSE(g.form.visible("toubou_b"));
        rng.push({1, 0, 0});            // hit, +0, click: the wolf falls
        rng.push({0, 0, 0});            // points, obesity, click
        rng.push(0);                    // the next enemy, or the clear's click
        if (fightNo == 4) rng.push(0);  // the day music
        press("BitBtn9");
    }
    EXPECT_EQ(rng.remaining(), 0u);
    // The course's music runs on through the four battles; the clear stops it
    // and the field music follows.
    EXPECT_EQ(host.music, (std::vector<std::string>{"svival.mid", "not", "tanken.mid"}));
    EXPECT_EQ(host.count("ルルは『ノーマルコース』をクリアした！"), 1);
    EXPECT_EQ(g.s.worldFlags[5], 1);
    EXPECT_EQ(cur().phantom, 4 * 6);
    EXPECT_EQ(battle().chain, -1);
    EXPECT_EQ(battle().area, -1);
    EXPECT_TRUE(g.form.visible("svival_box"));
}

TEST_F(BattleTest, HarderCourseTitleIsNotReplacedByAnEasierOne) {
    g.s.finalCourseClears = 2;
    fight(21, "覚醒", 0, 60, 0);
    battle().chain = 4;
    rng.push({0, 0, 0, 0, 0});  // points, obesity, click, clear click, music
    winBattle(g);
    EXPECT_TRUE(host.saw("称号【さよなら】を入手した！"));
    EXPECT_EQ(g.s.finalCourseClears, 2);
}

// --- Learning ----------------------------------------------------------------------

TEST_F(BattleTest, TrainingUnlocksAbilitiesInOrderOnce) {
    g.s.currentCharacter = 3;
    cur().trainingLevel = 30;
    rng.push({0, 0, 0, 0, 0});
    learnBattleAbilities(g);
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{
                  "スパークは戦闘能力【回避】を修得した！", "（※敵の攻撃を稀に交わします）",
                  "スパークは戦闘能力【クリティカル】を修得した！", "（※稀に大ダメージを与えます）",
                  "スパークは戦闘能力【反射】を修得した！", "（※稀にダメージをはね返します）",
                  "スパークは戦闘コマンド【逃亡】を修得した！", "（探索時の戦闘時のみ使用可能）",
                  "スパークは戦闘コマンド【レーザー】を修得した！"}));
    EXPECT_EQ(g.s.worldFlags[36], 1);
    EXPECT_EQ(g.s.worldFlags[40], 1);
    EXPECT_EQ(g.s.worldFlags[48], 1);
    EXPECT_EQ(g.s.worldFlags[30], 1);
    EXPECT_EQ(g.s.worldFlags[32], 1);
    EXPECT_EQ(g.s.worldFlags[33], 0);
    host.clearRecords();
    learnBattleAbilities(g);
    EXPECT_TRUE(host.messages.empty());

    g.s.currentCharacter = 4;
    cur().trainingLevel = 14;
    rng.push(0);
    learnBattleAbilities(g);
    EXPECT_EQ(host.messageTexts().front(), "残響は戦闘能力【回避】を修得した！");
    EXPECT_EQ(g.s.worldFlags[37], 1);
    EXPECT_EQ(g.s.worldFlags[31], 0);
}

}  // namespace
}  // namespace kotou
