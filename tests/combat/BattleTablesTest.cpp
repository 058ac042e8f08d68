// What the player sees of every enemy, prize and course reward, pinned row
// by row, and the small numbers of a battle where a neighbouring value would
// show.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "combat/Battle.h"
#include "game/GameHandlers.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

struct BattleTables : test::RulesTest {
    BattleTables() {}

    BattleState& battle() { return battleState(g); }
    Character& cur() { return g.s.cur(); }
    // The dice asked since the last call.
    std::vector<int32_t> newDice() {
        const auto& all = rng.requests();
        std::vector<int32_t> out(all.begin() + static_cast<long>(seen_), all.end());
        seen_ = all.size();
        return out;
    }
    // A battle in progress with the commands offered.
    void fight(int area, int32_t hp, int32_t attack, int32_t resistance = 0) {
        battle() = BattleState{};
        battle().area = area;
        battle().enemyName = "敵";
        battle().enemyHp = hp;
        battle().enemyAttack = attack;
        battle().enemyResistance = resistance;
        showBattleCommands(g);
    }

  private:
    size_t seen_ = 0;
};

struct EnemyRow {
    int area;
    int32_t draw;
    const char* name;
    const char* picture;
    int32_t hp, attack, resistance;
};

constexpr EnemyRow kEnemies[] = {
    {0, 0, "ドラゴン", "敵・ドラゴン.jpg", 35, 15, 2},
    {0, 1, "怪鳥", "敵・怪鳥.jpg", 30, 12, 1},
    {0, 2, "巨大クモ", "敵・巨大クモ.jpg", 25, 10, 0},
    {0, 3, "極北人", "敵・極北人.jpg", 45, 10, 2},
    {1, 0, "サメ", "敵・サメ.jpg", 8, 3, 0},
    {1, 1, "クラゲ", "敵・クラゲ.jpg", 6, 2, 0},
    {1, 2, "かに", "敵・かに.jpg", 3, 1, 0},
    {1, 3, "挌闘家", "敵・挌闘家.jpg", 18, 5, 1},
    {2, 0, "赤い闇", "敵・赤い闇.jpg", 16, 6, 0},
    {2, 1, "コウモリ", "敵・コウモリ.jpg", 12, 4, 0},
    {2, 2, "スモッグ", "敵・スモッグ.jpg", 8, 3, 1},
    {2, 3, "おばけ", "敵・おばけ.jpg", 25, 6, 1},
    {3, 0, "コンドル", "敵・コンドル.jpg", 50, 19, 0},
    {3, 1, "生きた風", "敵・生きた風.jpg", 32, 17, 1},
    {3, 2, "見知らぬ機械", "敵・見知らぬ機械.jpg", 24, 10, 2},
    {3, 3, "訓練生２年", "敵・訓練生２年.jpg", 64, 10, 0},
    {4, 0, "くも", "敵・クモ.jpg", 4, 2, 0},
    {4, 1, "蛾", "敵・蛾.jpg", 2, 1, 0},
    {4, 2, "水色ばえ", "敵・クモ.jpg", 1, 1, 0},
    {4, 3, "訓練生", "敵・訓練生.jpg", 11, 3, 2},
    {5, -1, "ルピルピの亡霊", "敵・ルピ.jpg", 24, 3, 2},
    {6, -1, "トテトテの亡霊", "敵・トテトテ.jpg", 28, 5, 0},
    {7, -1, "ゆらりの亡霊", "敵・ゆらり.jpg", 32, 6, 0},
    {8, -1, "ズンズンの亡霊", "敵・ズンズン.jpg", 36, 7, 1},
    {9, -1, "ハテナ坊の亡霊", "敵・ハテナ.jpg", 40, 8, 0},
    {10, -1, "ｼﾙﾊﾞｰｽﾞﾝｽﾞﾝの亡霊", "敵・シルバー.jpg", 55, 10, 2},
    {11, -1, "ポロポロの亡霊", "敵・ポロポロ.jpg", 65, 15, 0},
    {12, -1, "ｽｲｰﾊﾟｰﾓｸﾞﾓｸﾞの亡霊", "敵・モグモグ.jpg", 99, 20, 1},
    {13, -1, "カナメロボの亡霊", "敵・カナメ.jpg", 140, 25, 0},
    {14, -1, "ｶﾅﾒﾛﾎﾞ(覚醒)の亡霊", "敵・覚醒.jpg", 199, 30, 2},
    {16, 0, "パーセウルフ", "敵・ウルフ.jpg", 6, 3, 0},
    {16, 1, "暴れうさぎ", "敵・うさぎ.jpg", 4, 2, 0},
    {16, 2, "クワガタ虫", "敵・クワガタ.jpg", 3, 1, 0},
    {17, 0, "ミソヅケ", "敵・ミソヅケ.jpg", 11, 6, 0},
    {17, 1, "ソル", "敵・ソル.jpg", 8, 4, 0},
    {17, 2, "反物質デューン", "敵・デューン.jpg", 6, 2, 0},
    {18, 0, "ビクトリー", "敵・ビクトリー.jpg", 22, 12, 0},
    {18, 1, "神秘の子ヨーガ", "敵・ヨーガ.jpg", 16, 8, 0},
    {18, 2, "エンドオブデイズ", "敵・エンド.jpg", 12, 4, 1},
    {19, 0, "メフィストの亡霊", "敵・メフィスト.jpg", 45, 24, 0},
    {19, 1, "マクベスの亡霊", "敵・マクベス.jpg", 32, 17, 2},
    {19, 2, "ファウストの亡霊", "敵・ファウスト.jpg", 28, 10, 1},
    {20, 0, "HEAVEN", "敵・ヘブン.jpg", 130, 30, 0},
    {20, 1, "乱心", "敵・乱心.jpg", 100, 15, 2},
    {20, 2, "昇鬼", "敵・昇鬼.jpg", 90, 20, 1},
    {21, 0, "覚醒", "敵・覚醒.jpg", 170, 60, 0},
    {21, 1, "HEAVEN", "敵・ヘブン.jpg", 150, 45, 2},
    {21, 2, "カナメロボ", "敵・カナメ.jpg", 130, 30, 1},
    {22, 0, "メフィスト", "敵・メフィスト.jpg", 190, 90, 0},
    {22, 1, "マクベス", "敵・マクベス.jpg", 170, 60, 2},
    {22, 2, "ファウスト", "敵・ファウスト.jpg", 180, 75, 1},
};

TEST_F(BattleTables, EveryEnemyOfEveryArea) {
    cur().strength = 99;  // every row can be drawn
    for (const EnemyRow& e : kEnemies) {
        SCOPED_TRACE(e.name);
        battle() = BattleState{};
        battle().area = e.area;
        rng.push(e.draw < 0 ? 0 : e.draw);  // the row, or the click after the announcement
        startBattle(g);
        EXPECT_EQ(newDice(), std::vector<int32_t>{e.area <= 4 ? 4 : e.area <= 14 ? 2 : 3});
        EXPECT_EQ(battle().enemyName, e.name);
        EXPECT_EQ(battle().enemyHp, e.hp);
        EXPECT_EQ(battle().enemyAttack, e.attack);
        EXPECT_EQ(battle().enemyResistance, e.resistance);
        EXPECT_EQ(g.form.at("cg").picture, std::string("cg/") + e.picture);
        EXPECT_EQ(host.messages.back().text, "※どうしますか？");
    }
}

TEST_F(BattleTables, TheFourthEnemyNeedsTheAreasStrength) {
    const int32_t thresholds[] = {20, 10, 15, 30, 10};
    for (int area = 0; area <= 4; ++area) {
        for (const int32_t strength : {thresholds[area] - 1, thresholds[area]}) {
            cur().strength = strength;
            battle().area = area;
            rng.push(0);
            startBattle(g);
            EXPECT_EQ(newDice(), std::vector<int32_t>{strength < thresholds[area] ? 3 : 4})
                << "area " << area << ", strength " << strength;
        }
    }
}

// Victory in each exploration area: the finds after the points (random(4)),
// the obesity (random(3)) and the click; a fruit is random(3) then random(5),
// a sea catch or an animal random(2) then random(6), a rare item random(13).
// Every draw is 0, so the first kind of each table is found.
TEST_F(BattleTables, VictoryFindsOfEachArea) {
    const struct {
        int area;
        std::vector<int32_t> finds;
        std::vector<std::string> lines;
    } rows[] = {
        {0,
         {2, 6, 2, 6},
         {"【ピンク兎】を1個入手した！\r所持：1", "【海藻】を1個入手した！\r所持：1"}},
        {1, {2, 6}, {"【海藻】を1個入手した！\r所持：2"}},
        {2,
         {3, 5, 3, 5},
         {"【りんご】を1個入手した！\r所持：1", "【りんご】を1個入手した！\r所持：2"}},
        {3, {13}, {"レアアイテム【おおげつ姫】を手に入れた！\r所持：1"}},
        {4, {3, 5}, {"【りんご】を1個入手した！\r所持：3"}},
    };
    for (const auto& r : rows) {
        fight(r.area, 0, 4);
        newDice();
        host.clearRecords();
        rng.push({0, 0, 0});
        for (size_t i = 0; i < r.finds.size() + 1; ++i) rng.push(0);  // finds, day music
        winBattle(g);
        std::vector<int32_t> dice{4, 3, 2};
        dice.insert(dice.end(), r.finds.begin(), r.finds.end());
        dice.push_back(5);
        EXPECT_EQ(newDice(), dice) << "area " << r.area;
        const auto texts = host.messageTexts();
        EXPECT_EQ(std::vector<std::string>(texts.begin() + 2, texts.end()), r.lines);
    }
}

TEST_F(BattleTables, ColosseumPrizes) {
    GameState& s = g.s;
    const struct {
        int32_t* store;
        int32_t amount;
        const char* message;
    } prizes[] = {
        {&s.fireFruitCount, 10, "勝利賞品：【火の実１０コ】を入手した！！（所持：10）"},
        {&s.appleCount, 10, "勝利賞品：【りんご１０コ】を入手した！！（所持：10）"},
        {&s.wonderFruitCount, 10,
         "勝利賞品：【不思実・七つ実】をそれぞれ１０コを入手した！！（所持：不思実10、七つ実10）"},
        {&s.boneCount, 5, "勝利賞品：【骨】を5コを入手した！！（所持：骨5）"},
        {&s.hideCount, 5, "勝利賞品：【皮】を5コを入手した！！（所持：皮5）"},
        {&s.timeSandCount, 3, "勝利賞品：【煌く時の砂】を3コを入手した！！（所持：煌く時の砂3）"},
        {&s.moonShadowCount, 3, "勝利賞品：【月の影】を3コを入手した！！（所持：月の影3）"},
        {&s.rareItems[12], 5, "勝利賞品：【オシラさま】を5コを入手した！！（所持：オシラさま5）"},
        {&s.ironCount, 3, "勝利賞品：【鉄】を3コを入手した！！（所持：鉄3）"},
        {&s.farewellStoneCount, 1,
         "勝利賞品：【さよならの石】を1コを入手した！！（所持：さよならの石1）"},
    };
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i + 1);
        fight(kFirstColosseumArea + i, 0, 4);
        host.clearRecords();
        rng.push({0, 0, 0, 0, 0});  // points, obesity, two clicks, day music
        winBattle(g);
        EXPECT_EQ(host.lastMessage(), prizes[i].message);
        EXPECT_EQ(*prizes[i].store, prizes[i].amount);
        if (i == 2) {
            EXPECT_EQ(s.sevenFruitCount, 10);
        }
        for (int j = 0; j < 10; ++j) EXPECT_EQ(s.worldFlags[51 + j], j <= i ? 1 : 0);
        EXPECT_TRUE(host.played("battle_clear.wav", 1));
        EXPECT_TRUE(g.form.visible("colo_box"));
    }
}

TEST_F(BattleTables, SurvivalCourseClears) {
    GameState& s = g.s;
    const struct {
        const char* clear;
        const char* reward;  // "" none
        int32_t* store;
        int flagEntry;  // -1 none
        int32_t finalClears;
    } courses[] = {
        {"ルルは『ノーマルコース』をクリアした！", "", nullptr, 5, 0},
        {"ルルは『ゴルドスコース』をクリアした！", "素材【太陽の石】を１コ入手した！（所持：1）",
         &s.sunStoneCount, 6, 0},
        {"ルルは『ビクトリーコース』をクリアした！", "素材【雨石】を１コ入手した！（所持：1）",
         &s.rainStoneCount, 7, 0},
        {"ルルは『アケローンコース』をクリアした！", "素材【月の影】を１コ入手した！（所持：1）",
         &s.moonShadowCount, 8, 0},
        {"ルルは『ファントムコース』をクリアした！",
         "【ありがとうの石】を１コ入手した！（所持：1）", &s.thanksStoneCount, -1, 0},
        {"ルルは『さよなら！！！！』をクリアした！", "称号【さよなら】を入手した！", nullptr, -1,
         1},
        {"ルルは『？？？？』をクリアした！", "称号【????】を入手した！", nullptr, -1, 2},
    };
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(courses[i].clear);
        const auto flags = s.worldFlags;
        fight(kFirstCourseArea + i, 0, 4);
        battle().chain = 4;
        host.clearRecords();
        rng.push({0, 0, 0, 0, 0});  // points, obesity, two clicks, day music
        winBattle(g);
        std::vector<std::string> tail{courses[i].clear};
        if (*courses[i].reward) tail.emplace_back(courses[i].reward);
        const auto texts = host.messageTexts();
        EXPECT_EQ(
            std::vector<std::string>(texts.end() - static_cast<long>(tail.size()), texts.end()),
            tail);
        if (courses[i].store) {
            EXPECT_EQ(*courses[i].store, 1);
        }
        for (size_t f = 0; f < flags.size(); ++f)
            EXPECT_EQ(s.worldFlags[f], static_cast<int>(f) == courses[i].flagEntry ? 1 : flags[f])
                << "worldFlags[" << f << "]";
        EXPECT_EQ(s.finalCourseClears, courses[i].finalClears);
        EXPECT_TRUE(g.form.visible("svival_box"));
    }
}

// Each armour alone takes its own share off a blow of 9.
TEST_F(BattleTables, EachArmourAlone) {
    const struct {
        size_t entry;
        const char* blow;
    } rows[] = {{25, "7ダメージ食らった！！"},
                {26, "6ダメージ食らった！！"},
                {27, "5ダメージ食らった！！"}};
    for (const auto& r : rows) {
        g.s.worldFlags[25] = g.s.worldFlags[26] = g.s.worldFlags[27] = 0;
        g.s.worldFlags[r.entry] = 1;
        cur().stamina = 10;
        fight(4, 40, 9);
        host.clearRecords();
        rng.push(0);
        enemyTurn(g);
        EXPECT_EQ(host.messages.back().text, r.blow);
        EXPECT_EQ(cur().stamina, 10 - (9 - (r.entry == 25 ? 2 : r.entry == 26 ? 3 : 4)));
    }
}

// The dice of each command, and the numbers around them.
TEST_F(BattleTables, CommandDiceAndBonuses) {
    cur().strength = 20;
    cur().zoology = 9;
    g.s.worldFlags[21] = 1;  // the magic book found but not read
    fight(4, 100, 0);
    EXPECT_FALSE(g.form.visible("magic_b"));
    g.s.worldFlags[21] = 2;
    showBattleCommands(g);
    EXPECT_TRUE(g.form.visible("magic_b"));
    newDice();

    // Without a sword the zoology adds nothing: 20 / 2 + 1.
    rng.push({1, 1, 0, 0});  // hit, +1, click, growth
    press("BitBtn9");
    EXPECT_EQ(battle().enemyHp, 89);
    EXPECT_EQ(newDice(), (std::vector<int32_t>{10, 2, 2, 2}));

    cur().dexterity = 9;
    rng.push({1, 1, 0, 0});
    press("magic_b");
    EXPECT_EQ(battle().enemyHp, 85);  // 9 / 3 + 1
    EXPECT_EQ(newDice(), (std::vector<int32_t>{10, 2, 2, 2}));
}

TEST_F(BattleTables, FaintingCostsObesityAndStress) {
    cur().stamina = 1;
    cur().obesity = 50;
    cur().stress = 80;
    fight(4, 40, 5);
    newDice();
    rng.push({0, 0, 2, 0, 19, 0, 0});  // growth, click, obesity +17, click, stress 59, click, music
    enemyTurn(g);
    EXPECT_EQ(newDice(), (std::vector<int32_t>{2, 2, 3, 2, 20, 2, 5}));
    EXPECT_EQ(cur().obesity, 67);
    EXPECT_EQ(cur().stress, 21);
    EXPECT_TRUE(host.played("bad.wav", 2));
    EXPECT_EQ(host.lastMessage(), "【ストレス】が59減った。");
}

// Each ability at the training level below its threshold and at it.
TEST_F(BattleTables, AbilityThresholds) {
    const struct {
        int k;
        int32_t training;
        size_t entry;
    } rows[] = {{1, 6, 34}, {1, 20, 38}, {1, 25, 46}, {1, 15, 28}, {3, 30, 32}, {4, 30, 33}};
    host.silentClicks = true;
    for (const auto& r : rows) {
        g.s.currentCharacter = r.k;
        g.s.worldFlags.fill(0);
        cur().trainingLevel = r.training - 1;
        learnBattleAbilities(g);
        EXPECT_EQ(g.s.worldFlags[r.entry], 0) << r.training - 1;
        cur().trainingLevel = r.training;
        learnBattleAbilities(g);
        EXPECT_EQ(g.s.worldFlags[r.entry], 1) << r.training;
    }
}

}  // namespace
}  // namespace kotou
