#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/GameHandlers.h"
#include "shell/Availability.h"
#include "state/Text.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

struct ItemUseTest : test::RulesTest {
    ItemUseTest() {
        host.silentClicks = true;
        g.form.show("nomal_item_box");
    }

    Character& cur() { return g.s.cur(); }
    bool clickedAgain = false;
    // Uses an item with exactly these draws, from a clean record.
    void use(const char* button, std::initializer_list<int32_t> draws = {}) {
        host.clearRecords();
        rng = ScriptedRandom{};
        rng.push(draws);
        press(button);
        EXPECT_EQ(rng.remaining(), 0u) << button;
    }
};

// --- Remedies ------------------------------------------------------------------

TEST_F(ItemUseTest, HerbCuresWhenIllnessFallsToZeroAndRefusesTheHealthy) {
    g.s.medicinalHerbCount = 3;
    cur().illness = -1;  // not ill either
    use("yakusou_use_b");
    EXPECT_EQ(host.messageTexts(), std::vector<std::string>{"ルルは病気になっていません"});
    EXPECT_EQ(g.s.medicinalHerbCount, 3);
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "1.wav"}}));

    // Illness less 2 + draw: 3 - 2 leaves one night, 3 - 3 cures.
    cur().illness = 3;
    use("yakusou_use_b", {0});
    EXPECT_EQ(rng.requests(), std::vector<int32_t>{2});
    EXPECT_EQ(cur().illness, 1);
    EXPECT_EQ(host.lastMessage(), "ルルの病気が、少しだけ良くなった・・・（残：2）");
    EXPECT_FALSE(host.played("3.wav"));
    EXPECT_TRUE(host.played("taberu.wav", 0));
    EXPECT_TRUE(g.form.visible("nomal_item_box"));

    cur().illness = 2;
    use("yakusou_use_b", {0});
    EXPECT_EQ(cur().illness, 0);
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"ルルは【薬草】を食べた！",
                                        "ルルは病気が『完治』した！！！（残：1）"}));
    EXPECT_TRUE(host.played("3.wav", 2));

    cur().illness = 1;
    use("yakusou_use_b", {0});
    EXPECT_EQ(cur().illness, 0);
    EXPECT_EQ(g.s.medicinalHerbCount, 0);
}

TEST_F(ItemUseTest, AntidoteClearsPoisonAndIllnessButRefusesTheUnpoisoned) {
    g.s.antidoteHerbCount = 1;
    cur().illness = 4;
    use("dokukesisou_use_b");
    EXPECT_EQ(host.lastMessage(), "ルルは毒になっていません");
    EXPECT_EQ(g.s.antidoteHerbCount, 1);
    EXPECT_EQ(cur().illness, 4);

    cur().poison = 3;
    use("dokukesisou_use_b");
    EXPECT_EQ(cur().poison, 0);
    EXPECT_EQ(cur().illness, 0);
    EXPECT_EQ(g.s.antidoteHerbCount, 0);
    EXPECT_EQ(host.lastMessage(), "ルルの体から毒が完全に消えた！！！（残：0）");
    EXPECT_EQ(host.sounds,
              (std::vector<HeadlessHost::Sound>{{1, "1.wav"}, {0, "taberu.wav"}, {2, "3.wav"}}));
}

TEST_F(ItemUseTest, MeterRemediesRaiseTheirMeterByBasePlusDraw) {
    const struct {
        const char* button;
        int32_t& count;
        int32_t Character::*meter;
        int32_t gain;  // with a draw of 9
        const char* first;
        const char* second;
        const char* sound;
    } rows[] = {
        {"gezai_use_b", g.s.laxativeCount, &Character::bowel, 79,
         "ルルは【下剤】を飲んだ！（残：1）", "『便意』が79回復した！", "taberu.wav"},
        {"kousui_use_b", g.s.extra(ExtraItem::Perfume), &Character::hygiene, 34,
         "ルルは【香水】を使った！（残：1）", "『衛生』が34回復した！", "good.wav"},
        {"hosikuzu_use_b", g.s.extra(ExtraItem::StardustPerfume), &Character::hygiene, 74,
         "ルルは【星屑の香水】を使った！（残：1）", "『衛生』が74回復した！", "good.wav"},
        {"seisin_use_b", g.s.extra(ExtraItem::Tranquilizer), &Character::stress, 74,
         "ルルは【精神安定剤】を使った！（残：1）", "『ストレス』が74回復した！", "taberu.wav"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.button);
        r.count = 2;
        cur().*r.meter = 10;
        use(r.button, {9});
        EXPECT_EQ(rng.requests(), std::vector<int32_t>{10});
        EXPECT_EQ(cur().*r.meter, 10 + r.gain);
        EXPECT_EQ(r.count, 1);
        EXPECT_EQ(host.messageTexts(), (std::vector<std::string>{r.first, r.second}));
        EXPECT_EQ(host.clicks, 1);
        EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "1.wav"}, {0, r.sound}}));
        EXPECT_TRUE(g.form.visible("nomal_item_box"));
    }
}

TEST_F(ItemUseTest, WreathRedrawsTheGiverAndRaisesThePairEitherWay) {
    g.s.flowerWreathCount = 2;
    g.s.currentCharacter = 4;
    use("hanakazari_use_b", {3, 0, 1});  // 残響 drawn, then ルル; +2
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{4, 4, 2}));
    EXPECT_EQ(g.s.pairIntimacy[2], 2);
    EXPECT_EQ(g.s.flowerWreathCount, 1);
    const std::vector<std::string> texts = host.messageTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "残響は【花飾り】をルルにプレゼントした！");
    EXPECT_EQ(texts[1].rfind("【ルル】『", 0), 0u);
    EXPECT_LE(cp932Length(texts[1]), 54u) << "one line of the message area";
    EXPECT_EQ(texts[2], "残響とルルの【親密度】が2上がった！！");
    EXPECT_EQ(texts[3], "（残：1）");
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "1.wav"}}));

    g.s.currentCharacter = 1;
    use("hanakazari_use_b", {3, 0});  // ルル gives to 残響, +1
    EXPECT_EQ(g.s.pairIntimacy[2], 3);
    EXPECT_EQ(host.messageTexts()[0], "ルルは【花飾り】を残響にプレゼントした！");
    EXPECT_EQ(host.messageTexts()[1].rfind("【残響】『", 0), 0u) << "the last character thanks too";
}

// --- Rare god items ---------------------------------------------------------------

TEST_F(ItemUseTest, GodItemsChangeOneValueAndShowIt) {
    const struct {
        const char* button;
        size_t index;
        const char* name;
        int32_t Character::*stat;  // nullptr: nothing changes
        int32_t after;             // from the values below, after the refresh
        const char* line;
    } rows[] = {
        {"oogetu_b", 0, "おおげつ姫", &Character::maxActionPoints, 21,
         "【行動力の最大値】が１上昇した！！→21"},
        {"konohana_b", 1, "この花の咲くや姫", &Character::maxStamina, 31,
         "【体力の最大値】が１上昇した！！→31"},
        {"omoi_b", 2, "おもいかねの神", &Character::strength, 100, "【腕力】が１上昇した！！→100"},
        {"susano_b", 3, "すさのおの命", &Character::dexterity, 6, "【器用さ】が１上昇した！！→6"},
        {"take_b", 4, "たけみかづちの命", &Character::cooking, 7, "【料理】が１上昇した！！→7"},
        {"tuku_b", 5, "つくよみの命", &Character::botany, 8, "【植物学】が１上昇した！！→8"},
        {"toki_b", 6, "ときはかしの神", nullptr, 0, "【裏切り】が１上昇した！！）"},
        {"yomo_b", 7, "よもつおお神", &Character::zoology, 9, "【動物学】が１上昇した！！→9"},
        {"wata_b", 8, "わたつみの神", &Character::geography, 10, "【地理学】が１上昇した！！→10"},
        {"hetu_b", 9, "へつなぎさびこの神", &Character::phantom, 60,
         "【ファントム】が10上昇した！！→60"},
        {"honoka_b", 10, "ほのかぐつちの神", &Character::stamina, 30, "【体力】が完全回復した！！"},
        {"araha_b", 11, "アラハバキ神", &Character::actionPoints, 20,
         "【行動力】が完全回復した！！"},
        {"osira_b", 12, "オシラさま", &Character::phantom, 70, "【ファントム】が20上昇した！！→70"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.button);
        Character& c = cur();
        c.actionPoints = 3, c.maxActionPoints = 20, c.stamina = 4, c.maxStamina = 30;
        c.phantom = 50, c.strength = 100, c.dexterity = 5, c.cooking = 6;
        c.geography = 9, c.botany = 7, c.zoology = 8;
        const Character before = cur();
        g.s.rareItems[r.index] = 1;
        use(r.button);
        EXPECT_EQ(g.s.rareItems[r.index], 0);
        Character expected = before;
        if (r.stat != nullptr) expected.*r.stat = r.after;
        EXPECT_TRUE(cur() == expected);
        EXPECT_EQ(host.messageTexts(),
                  (std::vector<std::string>{
                      std::string("レアアイテム【") + r.name + "】をお空に掲げた！", r.line}));
        EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "1.wav"}, {0, "up.wav"}}));
        EXPECT_EQ(host.clicks, 0);
    }
}

// --- Songs ---------------------------------------------------------------------------

TEST_F(ItemUseTest, SongsReachAllFourCharacters) {
    const struct {
        const char* button;
        const char* name;
        int32_t& count;
        int32_t Character::*stat;
        int32_t Character::*also;  // a second value the song raises, or nullptr
        int32_t after;             // every character starts from the values below
        const char* line;
    } rows[] = {
        {"iyasi_b", "癒しの歌", g.s.extra(ExtraItem::HealingSong), &Character::stress, nullptr, 70,
         "全員の【ストレス】が60ずつ回復した！"},
        {"kaze_b", "風の歌", g.s.extra(ExtraItem::WindSong), &Character::hygiene, &Character::bowel,
         70, "全員の【衛生・便意】が60ずつ回復した！"},
        {"kibou_song_b", "希望の歌", g.s.extra(ExtraItem::HopeSong), &Character::maxActionPoints,
         nullptr, 21, "全員の【最大行動力】が１ずつ上がった！"},
        {"tikara_b", "力の歌", g.s.extra(ExtraItem::PowerSong), &Character::strength, nullptr, 11,
         "全員の【腕力】が1ずつ上がった！"},
        {"kemono_b", "獣の歌", g.s.extra(ExtraItem::BeastSong), &Character::zoology, nullptr, 11,
         "全員の【動物学】が1ずつ上がった！"},
        {"mirai_b", "未来の歌", g.s.extra(ExtraItem::FutureSong), &Character::stamina, nullptr, 30,
         "全員の【体力】が完全回復した！！"},
        {"tikyu_b", "地球の歌", g.s.extra(ExtraItem::EarthSong), &Character::actionPoints, nullptr,
         20, "全員の【行動力】が完全回復した！！"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.button);
        std::array<Character, 5> expected;
        for (int k = 1; k <= 4; ++k) {
            Character& c = g.s.ch(k);
            c.actionPoints = 2, c.maxActionPoints = 20, c.stamina = 3, c.maxStamina = 30;
            c.strength = c.hygiene = c.bowel = c.stress = c.zoology = 10;
            expected[static_cast<size_t>(k)] = c;
        }
        r.count = 1;
        use(r.button);
        EXPECT_EQ(r.count, 0);
        for (int k = 1; k <= 4; ++k) {
            Character& e = expected[static_cast<size_t>(k)];
            e.*r.stat = r.after;
            if (r.also != nullptr) e.*r.also = r.after;
            EXPECT_TRUE(g.s.ch(k) == e) << k;
        }
        EXPECT_EQ(host.messageTexts(),
                  (std::vector<std::string>{std::string("【") + r.name + "】を歌った！（残：0）",
                                            r.line}));
        EXPECT_EQ(host.clicks, 1);
        EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "uta2.wav"}}));
    }
}

TEST_F(ItemUseTest, BlueSkySongClearsTheWeatherAndItsBackground) {
    g.s.extra(ExtraItem::BlueSkySong) = 2;
    g.s.weather = kRain;
    use("ao_b");
    EXPECT_EQ(g.s.weather, kClear);
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景.bmp");
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string>{"【青空の歌】を歌った！（残：1）",
                                                             "天気が【晴れ】に変わった！"}));
}

// --- No item, no use ---------------------------------------------------------------

TEST_F(ItemUseTest, ButtonsOfMissingItemsDoNothingAndCountsNeverGoBelowZero) {
    const char* buttons[] = {"yakusou_use_b",
                             "dokukesisou_use_b",
                             "hanakazari_use_b",
                             "gezai_use_b",
                             "kousui_use_b",
                             "hosikuzu_use_b",
                             "seisin_use_b",
                             "oogetu_b",
                             "konohana_b",
                             "omoi_b",
                             "susano_b",
                             "take_b",
                             "tuku_b",
                             "toki_b",
                             "yomo_b",
                             "wata_b",
                             "hetu_b",
                             "honoka_b",
                             "araha_b",
                             "osira_b",
                             "ao_b",
                             "iyasi_b",
                             "kaze_b",
                             "kibou_song_b",
                             "tikara_b",
                             "kemono_b",
                             "mirai_b",
                             "tikyu_b"};
    cur().illness = 5;
    cur().poison = 5;
    g.s.laxativeCount = -1;  // a damaged save: still nothing to use
    const GameState before = g.s;
    for (const char* b : buttons) use(b);
    EXPECT_TRUE(g.s == before);
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_TRUE(host.messages.empty());

    // A click that arrives while the last god item's message is still shown.
    g.s.rareItems[2] = 1;
    cur().strength = 10;
    host.onProcessEvents = [this](Game& game) {
        if (game.s.rareItems[2] == 0 && !clickedAgain) {
            clickedAgain = true;
            press("omoi_b");
        }
    };
    use("omoi_b");
    EXPECT_TRUE(clickedAgain);
    EXPECT_EQ(g.s.rareItems[2], 0);
    EXPECT_EQ(cur().strength, 11);

    g.s.currentCharacter = 0;  // no one has the turn
    g.s.ch(1).strength = 10;
    g.s.rareItems[2] = 1;
    use("omoi_b");
    EXPECT_EQ(g.s.rareItems[2], 1);
}

}  // namespace
}  // namespace kotou
