#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/StatusRefresh.h"
#include "state/Text.h"
#include "tests/companions/CompanionTest.h"

namespace kotou {
namespace {

struct SongsTest : test::CompanionTest {
    SongsTest() {
        g.s.worldFlags[10] = 1;  // the shop is open
        g.form.hide("com_box");
    }
    void openShop(int32_t points) {
        ch(1).actionPoints = points;
        refreshStatus(g);
        g.form.show("seisaku_box");
        press("organ_b");
    }
};

TEST_F(SongsTest, TheShopOpensWithFivePoints) {
    openShop(4);
    EXPECT_EQ(host.lastMessage(), "製作に必要な行動力が足りません");
    EXPECT_TRUE(host.played("1.wav", 0));
    EXPECT_FALSE(visible("uta_box"));
    openShop(5);
    EXPECT_TRUE(visible("uta_box"));
    EXPECT_FALSE(visible("seisaku_box"));
    EXPECT_EQ(g.form.at("cg").picture, "cg/背景・歌.jpg");
    EXPECT_EQ(g.form.at("uta_box").left, g.form.at("com_box").left);
    EXPECT_EQ(ch(1).actionPoints, 5);  // opening spends nothing
    host.clearRecords();
    press("BitBtn42");
    EXPECT_TRUE(host.played("1.wav", 0));
    EXPECT_TRUE(visible("seisaku_box"));
    EXPECT_FALSE(visible("uta_box"));
}

struct SongCase {
    const char* button;
    const char* song;
    int32_t zoology;
    std::vector<std::pair<Counter, int32_t>> materials;  // in the remaining line's order
    const char* remaining;                               // with one of each left over
    Counter count;
    int flag;
};

const SongCase kSongs[] = {
    {"uta_b1",
     "青空の歌",
     9,
     {{&GameState::sunStoneCount, 2}, {&GameState::rainStoneCount, 1}},
     "（残：太陽の石1、雨の石1）",
     ExtraItem::BlueSkySong,
     -1},
    {"uta_b2",
     "癒しの歌",
     20,
     {{&GameState::angelTearCount, 3},
      {&GameState::rainStoneCount, 1},
      {&GameState::magicStoneCount, 3}},
     "（残：天使の涙1、雨の石1、魔法石1）",
     ExtraItem::HealingSong,
     -1},
    {"uta_b3",
     "風の歌",
     15,
     {{&GameState::moonShadowCount, 2},
      {&GameState::sunStoneCount, 1},
      {&GameState::timeSandCount, 2}},
     "（残：月の影1、太陽石1、煌く時の砂1）",
     ExtraItem::WindSong,
     -1},
    {"uta_b4",
     "希望の歌",
     30,
     {{&GameState::dropCount, 3}, {&GameState::angelTearCount, 5}, {&GameState::gemCount, 3}},
     "（残：雫1、天使の涙1、宝石1）",
     ExtraItem::HopeSong,
     2},
    {"uta_b5",
     "力の歌",
     25,
     {{&GameState::giantCount, 1}, {&GameState::blueBirdCount, 1}, {&GameState::machineCount, 3}},
     "（残：巨人1、青い鳥1、機械1）",
     ExtraItem::PowerSong,
     3},
    {"uta_b6",
     "獣の歌",
     5,
     {{RareItem::Honokagutsuchi, 2}, {&GameState::blackTigerCount, 3}},
     "（残：ほのかぐつちの神1、黒虎1）",
     ExtraItem::BeastSong,
     -1},
    {"uta_b7",
     "未来の歌",
     50,
     {{&GameState::kappaCount, 1},
      {&GameState::mermaidCount, 3},
      {&GameState::machineCount, 5},
      {&GameState::magicStoneCount, 3}},
     "（残：かっぱ1、人魚1、機械1、魔法石1）",
     ExtraItem::FutureSong,
     1},
    {"uta_b8",
     "地球の歌",
     50,
     {{&GameState::moonShadowCount, 3},
      {&GameState::timeSandCount, 3},
      {&GameState::angelTearCount, 6}},
     "（残：月の影1、煌く時の砂1、天使の涙1）",
     ExtraItem::EarthSong,
     0},
};

// Zoology one short is refused; at the minimum the song is made, its
// materials spent, the remaining line shown and its organ flag set.
TEST_F(SongsTest, EverySongHasItsMinimumMaterialsAndRemainingLine) {
    for (const SongCase& c : kSongs) {
        SCOPED_TRACE(c.song);
        GameState fresh;
        initNewGame(fresh);
        g.s = fresh;
        g.s.currentCharacter = 1;
        g.s.worldFlags[10] = 1;
        ch(1).maxActionPoints = 99;
        for (const auto& [store, amount] : c.materials) store(g.s) = amount;
        openShop(5);
        ASSERT_TRUE(enabled(c.button));
        // One material short greys the button.
        c.materials.back().first(g.s) -= 1;
        refreshStatus(g);
        EXPECT_FALSE(enabled(c.button));
        press(c.button);
        EXPECT_EQ(ch(1).actionPoints, 5);
        for (const auto& [store, amount] : c.materials) store(g.s) += 1;  // one of each to spare
        c.materials.back().first(g.s) += 1;  // the one taken away above
        refreshStatus(g);
        ASSERT_TRUE(enabled(c.button));

        ch(1).zoology = c.zoology - 1;
        press(c.button);
        EXPECT_EQ(host.lastMessage(), "【動物学】が低過ぎます");
        EXPECT_EQ(ch(1).actionPoints, 5);
        EXPECT_EQ(c.count(g.s), 0);

        ch(1).zoology = c.zoology;
        host.clearRecords();
        rng.push(1);  // no zoology growth
        press(c.button);
        EXPECT_EQ(rng.requests().back(), 7);
        EXPECT_EQ(ch(1).actionPoints, 0);
        EXPECT_EQ(c.count(g.s), 1);
        const std::vector<std::string> t = texts();
        ASSERT_EQ(t.size(), 6u);
        EXPECT_EQ(t[0], std::string("オルガンに「") + c.song + "」を作曲してもらった！");
        EXPECT_EQ(t[1], t[2]);
        EXPECT_EQ(cp932Length(t[1]), 38u);  // 19 dots
        EXPECT_TRUE(host.played("1.wav", 0));
        EXPECT_EQ(t[3], std::string("「") + c.song + "」が１つ完成した！（所持：1）");
        EXPECT_EQ(t[4], c.remaining);
        EXPECT_EQ(t[5], "※このアイテムは、［アイテム］コマンド内［通常アイテム］で使用できます");
        for (int f = 0; f < kOrganFlagCount; ++f)
            EXPECT_EQ(g.s.organFlags[static_cast<size_t>(f)], f == c.flag ? 1 : 0) << f;
        EXPECT_TRUE(host.played("seisaku.wav", 1));
        EXPECT_TRUE(visible("uta_box"));
    }
}

TEST_F(SongsTest, TwoSongsInARowWithSevenPointsLeaveZero) {
    g.s.sunStoneCount = 4;
    g.s.rainStoneCount = 2;
    ch(1).zoology = 9;
    openShop(7);
    rng.push({1, 1});
    press("uta_b1");
    EXPECT_EQ(ch(1).actionPoints, 2);
    press("uta_b1");
    EXPECT_EQ(g.s.extra(ExtraItem::BlueSkySong), 2);
    EXPECT_EQ(ch(1).actionPoints, 0);
    EXPECT_TRUE(visible("uta_box"));
}

TEST_F(SongsTest, TheOrganSongAppearsAfterTheFourKeySongsAndRestoresEveryone) {
    g.s.angelTearCount = 11;
    g.s.machineCount = 10;
    g.s.thanksStoneCount = 1;
    openShop(5);
    EXPECT_FALSE(visible("uta_b9"));
    EXPECT_EQ(g.form.at("uta_b9").caption,
              "オルガンの歌　（要・天使の涙１０機械１０ありがとうの石１・動物学６０）");
    g.s.organFlags = {1, 1, 1, 1};
    refreshStatus(g);
    ASSERT_TRUE(visible("uta_b9"));
    ASSERT_TRUE(enabled("uta_b9"));

    ch(1).zoology = 59;
    press("uta_b9");
    EXPECT_EQ(host.lastMessage(), "【動物学】が低過ぎます");
    EXPECT_EQ(g.s.angelTearCount, 11);

    ch(1).zoology = 60;
    for (int k = 1; k <= kCharacterCount; ++k) {
        ch(k).maxStamina = 20 + k;
        ch(k).stamina = 1;
        ch(k).maxActionPoints = 30 + k;
        ch(k).stress = 40;
        ch(k).hygiene = 3;
    }
    host.clearRecords();
    press("uta_b9");
    EXPECT_EQ(rng.requests().size(), 0u);  // no growth chance
    EXPECT_EQ(g.s.angelTearCount, 1);
    EXPECT_EQ(g.s.machineCount, 0);
    EXPECT_EQ(g.s.thanksStoneCount, 0);
    EXPECT_TRUE(host.saw("（残：天使の涙1、機械0、ありがとうの石0）"));
    EXPECT_EQ(host.lastMessage(), "全員の【体力・行動力・ストレス・衛生】が完全回復した！");
    for (int k = 1; k <= kCharacterCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(ch(k).stamina, 20 + k);
        EXPECT_EQ(ch(k).actionPoints, 30 + k);
        EXPECT_EQ(ch(k).stress, 100);
        EXPECT_EQ(ch(k).hygiene, 100);
    }
    EXPECT_EQ(g.s.organTitle, 1);
    EXPECT_TRUE(host.played("uta2.wav", 1));
    EXPECT_TRUE(visible("uta_box"));
    // The materials are gone: the button greys.
    refreshStatus(g);
    EXPECT_FALSE(enabled("uta_b9"));
}

}  // namespace
}  // namespace kotou
