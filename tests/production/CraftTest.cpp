// The craft menu's openers, the facilities and the tools.

#include <gtest/gtest.h>

#include <string>

#include "production/Craft.h"
#include "tests/production/CraftFixture.h"

namespace kotou {
namespace {

using test::Prepare;
using test::tooLow;

struct Craft : test::CraftFixture {
    // Presses `button` on its panel, opened first at the command panel's place.
    void pressOn(const char* panel, const char* button) {
        openPanelOver(g, panel, nullptr);
        press(button);
    }
};

constexpr const char* kTooTired = "製作に必要な行動力が足りません";

// --- Openers -----------------------------------------------------------------

TEST_F(Craft, OpenersTestTheirActionPointsAndShowTheirPicture) {
    const struct {
        const char* button;
        const char* panel;
        const char* picture;
        int32_t cost;
        bool pictureWhenRefused;
    } cases[] = {
        {"BitBtn29", "sisetu_box", "cg/背景・施設.jpg", 10, false},
        {"BitBtn30", "item_seisaku_box", "cg/背景・製作.jpg", 2, true},
        {"BitBtn14", "item_seisaku2_box", "cg/背景・製作.jpg", 2, true},
        {"BitBtn31", "sozai_box", "cg/背景・素材.jpg", 2, false},
        {"kousaku_b", "kousaku_box", "cg/背景・工作.jpg", 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        fresh();
        g.s.worldFlags[13] = 1;  // the desk offers 工作
        ruru().actionPoints = c.cost - 1;
        pressOn("seisaku_box", c.button);
        EXPECT_EQ(host.lastMessage(), kTooTired);
        EXPECT_FALSE(visible(c.panel));
        EXPECT_TRUE(visible("seisaku_box"));
        EXPECT_EQ(visible("cg") && g.form.at("cg").picture == c.picture, c.pictureWhenRefused);

        fresh();
        g.s.worldFlags[13] = 1;
        ruru().actionPoints = c.cost;
        pressOn("seisaku_box", c.button);
        EXPECT_TRUE(visible(c.panel));
        EXPECT_FALSE(visible("seisaku_box"));
        EXPECT_EQ(g.form.at(c.panel).left, g.form.at("com_box").left);
        EXPECT_EQ(g.form.at("cg").picture, c.picture);
        EXPECT_TRUE(host.played("1.wav", 0));
        EXPECT_EQ(ruru().actionPoints, c.cost);  // opening spends nothing
    }
}

// --- Facilities --------------------------------------------------------------

struct FacilityCase {
    const char* button;
    Prepare prepare;
    int32_t dexterity, strength;  // -1: not tested
    const char* remaining;        // with 60 of every store before
    int32_t stress, stamina, hygiene;
};

const FacilityCase kFacilities[] = {
    {"tento_b", PRE(s.hasNeedle = 1), 10, 4, "（残：枝58、漂流物53、葉っぱ58）", 10, 2, 1},
    {"koya_b", PRE(s.hasSaw = s.hasAxe = 1), 23, 10, "（残：材木57、流木55、葉っぱ57）", 12, 5, 5},
    {"ikkenya_b", PRE(s.hasSaw = s.hasAxe = 1), 30, 30, "（残：材木51、鉄56、石51）", 15, 10, 10},
    {"kamado_b", PRE(s.hasFireStarter = 1), 5, 3, "（残：泥57、火炎石57、石57）", 6, 3, 4},
    {"kanitoile_b", PRE(s.worldFlags[12] = 1), 2, 3, "（残：貝58、石57）", 9, 3, 10},
    {"midtoile_b", PRE(s.hasSimpleToilet = 1), 15, 10, "（残：流木57、火炎石54、石54）", 15, 6, 20},
    {"hightoile_b", PRE(s.hasMidToilet = 1), 25, 20, "（残：材木54、泥54、皮59、石51）", 20, 9, 30},
    {"nebukuro_b", PRE(s.hasNeedle = 1), 6, 1, "（残：葉っぱ51、つる58、貝58）", 5, 1, 1},
    {"syawaa_b", PRE(s.hasWaterSupply = s.worldFlags[42] = 1), 16, 10,
     "（残：石57、枝51、葉っぱ57）", 6, 5, 6},
    {"drumhuro_b", PRE(s.hasWaterSupply = 1), 28, 21, "（残：石52、火炎石55、漂流物52）", 8, 12,
     19},
    {"suidou_b", PRE(s.hasBucket = 1), 10, 8, "（残：海水40、水51、漂流物51）", 5, 6, 10},
    {"sokusekisyawaa_b", PRE(), -1, -1, "（残：石58、枝59）", 5, 1, 1},
    {"sokusekitoile_b", PRE(), -1, -1, "（残：石58）", 5, 1, 2},
    {"syuukaijyou_b", PRE(), 1, 1, "（残：石55、枝57）", 5, 1, 2},
    {"kunrenjyou_b", PRE(), 2, -1, "（残：石57、葉っぱ57）", 5, 1, 2},
    {"kanisyawaa_b", PRE(s.worldFlags[11] = s.hasBucket = 1), 12, 5,
     "（残：海水55、枝55、漂流物55）", 6, 5, 6},
    {"asobiba_b", PRE(s.worldFlags[14] = 1), 4, 4, "（残：葉っぱ55、枝57、つる55）", 3, 1, 5},
    {"bed_b", PRE(s.hasTent = 1), 15, 8, "（残：太陽石59、枝55）", 5, 1, 1},
    {"tougi_b", PRE(s.worldFlags[17] = 1), 5, 5, "（残：鉄59、黒き実40）", 5, 2, 3},
    {"chosui_b", PRE(s.hasWaterSupply = s.worldFlags[50] = 1), 20, 5,
     "（残：海水40、水50、雨石59）", 5, 6, 10},
};

TEST_F(Craft, FacilitiesTestSkillsAtTheirThresholdsAndTakeTheirCosts) {
    for (const FacilityCase& f : kFacilities) {
        SCOPED_TRACE(f.button);
        const int32_t dex = f.dexterity < 0 ? 0 : f.dexterity;
        const int32_t str = f.strength < 0 ? 0 : f.strength;
        // One below each requirement, in the order they are tested.
        const struct {
            bool tested;
            int32_t dexterity, strength;
            const char* label;
        } refusals[] = {{f.dexterity >= 0, dex - 1, str - 1, "器用さ"},
                        {f.strength >= 0, dex, str - 1, "腕力"}};
        for (const auto& r : refusals) {
            if (!r.tested) continue;
            fresh();
            f.prepare(g.s);
            skills(r.dexterity, r.strength);
            ruru().actionPoints = 10;
            openPanelOver(g, "sisetu_box", nullptr);
            const GameState before = settled();
            press(f.button);
            EXPECT_EQ(host.lastMessage(), tooLow(r.label));
            EXPECT_TRUE(g.s == before);
            EXPECT_TRUE(visible("sisetu_box"));
        }

        fresh();
        f.prepare(g.s);
        skills(dex, str);
        Character& c = ruru();
        c.actionPoints = 10;
        c.stress = c.hygiene = 100;
        ASSERT_TRUE((openPanelOver(g, "sisetu_box", nullptr), offered(f.button)));
        press(f.button);
        EXPECT_TRUE(host.saw(f.remaining));
        EXPECT_EQ(c.actionPoints, 0);
        EXPECT_EQ(c.stress, 100 - f.stress);
        EXPECT_EQ(c.stamina, 50 - f.stamina);
        EXPECT_EQ(c.hygiene, 100 - f.hygiene);
        // Built once: the button goes; the craft menu comes back instead of the panel.
        EXPECT_FALSE(commandAvailable(g.s, g.form, f.button));
        EXPECT_FALSE(visible("sisetu_box"));
        EXPECT_TRUE(visible("seisaku_box"));
        EXPECT_EQ(host.clicks, std::string(f.button) == "chosui_b" ? 3 : 2);
        expectMessagesFit();
    }
}

TEST_F(Craft, TheTentIsBuiltFromStartToNote) {
    g.s.hasNeedle = 1;
    skills(10, 4);
    ruru().actionPoints = 10;
    g.s.branchCount = 2;
    g.s.flotsamCount = 7;
    g.s.leafCount = 5;
    openPanelOver(g, "seisaku_box", "com_box");
    press("BitBtn29");
    press("tento_b");
    const std::string dots = "・・・・・・・・・・・・・・・・・・・";
    EXPECT_EQ(
        host.messageTexts(),
        (std::vector<std::string>{"ルルは「テント」の製作に取りかかった！", dots, dots,
                                  "「テント」が完成した！", "（残：枝0、漂流物0、葉っぱ3）",
                                  "※就寝時の【衛生・便意・ストレス】の変化が、良好的になった。"}));
    EXPECT_EQ(g.s.hasTent, 1);
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{
                               {0, "1.wav"}, {0, "1.wav"}, {2, "hanmer.wav"}, {3, "seisaku.wav"}}));
    // Only the opener checks ten points again for the next building.
    EXPECT_EQ(ruru().actionPoints, 0);
    press("BitBtn29");
    EXPECT_EQ(host.lastMessage(), kTooTired);
    EXPECT_FALSE(visible("sisetu_box"));
}

TEST_F(Craft, TheReservoirSetsItsFlagOnlyAfterItsExtraWait) {
    g.s.hasWaterSupply = g.s.worldFlags[50] = 1;
    skills(20, 5);
    ruru().actionPoints = 10;
    std::vector<int32_t> flagAtWaits;
    host.onProcessEvents = [&](Game& game) {
        if (game.s.runtime.clickState == 0) flagAtWaits.push_back(game.s.hasReservoir);
    };
    openPanelOver(g, "sisetu_box", nullptr);
    press("chosui_b");
    EXPECT_EQ(flagAtWaits, (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(g.s.hasReservoir, 1);
}

TEST_F(Craft, TheHouseWithdrawsTheTentAndTheHut) {
    g.s.hasNeedle = g.s.hasSaw = g.s.hasAxe = 1;
    skills(30, 30);
    ruru().actionPoints = 10;
    openPanelOver(g, "sisetu_box", nullptr);
    EXPECT_TRUE(shownNow("tento_b") && shownNow("koya_b"));
    press("ikkenya_b");
    openPanelOver(g, "sisetu_box", nullptr);
    EXPECT_FALSE(shownNow("tento_b"));
    EXPECT_FALSE(visible("koya_b"));
    EXPECT_FALSE(visible("ikkenya_b"));
}

// --- Tools -------------------------------------------------------------------

const test::ItemCase kTools[] = {
    {"turi_b", PRE(), 1, "（残：枝59、骨59）", 7, 1, 0, 2},
    {"ami_b", PRE(s.hasNeedle = 1), 13, "（残：つる45）", 9, 1, 0, 3},
    {"boat_b", PRE(s.hasSaw = s.hasNet = 1), 21, "（残：つる55、材木59、流木59）", 8, 3, 4, 2},
    {"hiokosiki_b", PRE(), 3, "（残：枝58）", 6, 1, 0, 1},
    {"hari_b", PRE(), 8, "（残：骨58）", 8, 1, 0, 2},
    {"ono_b", PRE(), 5, "（残：石59、枝59、つる59）", 7, 1, 0, 3},
    {"nokogiri_b", PRE(), 9, "（残：枝58、黒曜石58）", 10, 2, 0, 2},
    {"baketu_b", PRE(), 6, "（残：漂流物57、つる57）", 8, 2, 0, 2},
    {"kago_b", PRE(), 11, "（残：つる51）", 7, 1, 0, 2},
    {"ryukku_b", PRE(s.hasBasket = 1), 32, "（残：つる52、皮52）", 16, 4, 0, 2},
    {"naifu_b", PRE(s.worldFlags[19] = 1), 6, "（残：黒曜石59、骨59）", 10, 1, 0, 2},
    {"gun_b", PRE(s.hasKnife = s.hasAxe = 1), 43, "（残：火炎石42、漂流物52、火の実51）", 16, 4, 0,
     2},
    {"ranpu_b", PRE(s.hasFireStarter = s.worldFlags[3] = 1), 3, "（残：漂流物59、火の実55）", 6, 1,
     0, 2},
    {"nabe_b", PRE(s.hasStove = 1), 3, "（残：葉っぱ59、漂流物59）", 8, 1, 0, 2},
    {"sekken_b", PRE(), -1, "（残：貝59、漂流物59）", 6, 1, 0, 2},
    {"tukue_b", PRE(), -1, "（残：枝55）", 6, 1, 0, 3},
    {"old_radio_b", PRE(s.worldFlags[10] = 1), -1, "（残：漂流物50）", 6, 1, 0, 2},
    {"new_radio_b", PRE(s.worldFlags[10] = s.radioState = 1), -1, "（残：漂流物10）", 10, 1, 0, 2},
};

TEST_F(Craft, ToolsTestDexterityAtItsThresholdAndTakeTheirCosts) {
    expectItems("item_seisaku_box", kTools);
}

TEST_F(Craft, AnOpenToolPanelMakesItemsEvenWithTheirPointsSpent) {
    skills(100, 0);
    ruru().actionPoints = 2;
    openPanelOver(g, "seisaku_box", nullptr);
    press("BitBtn30");
    ASSERT_TRUE(visible("item_seisaku_box"));
    rng.push({0});  // dexterity grows: "【器用さ】が1アップした！→" and a wait
    press("turi_b");
    EXPECT_EQ(ruru().actionPoints, 0);
    EXPECT_EQ(ruru().dexterity, 100);  // grown, then held at the top of its range
    EXPECT_TRUE(host.saw("【器用さ】が1アップした！→100"));
    EXPECT_TRUE(visible("item_seisaku_box"));

    // Only the opener tests the points: soap is made at 0 and the refresh
    // floors the -2 it leaves.
    rng.push(1);
    press("sekken_b");
    EXPECT_EQ(g.s.hasSoap, 1);
    EXPECT_EQ(ruru().actionPoints, 0);
    EXPECT_TRUE(visible("item_seisaku_box"));
}

TEST_F(Craft, TheFireStarterEndsWithItsRemainingCounts) {
    skills(3, 0);
    ruru().actionPoints = 10;
    openPanelOver(g, "item_seisaku_box", nullptr);
    rng.push(1);
    press("hiokosiki_b");
    EXPECT_EQ(host.lastMessage(), "（残：枝58）");
    EXPECT_EQ(g.s.hasFireStarter, 1);
}

TEST_F(Craft, TheRadioImprovementFollowsTheOldRadioAndTheStory) {
    openPanelOver(g, "item_seisaku_box", nullptr);
    skills(0, 0);
    ruru().actionPoints = 10;
    const auto shown = [&] { return std::pair{shownNow("old_radio_b"), visible("new_radio_b")}; };
    g.s.radioState = 1;
    EXPECT_EQ(shown(), std::pair(false, false));  // the story has not revealed the radio
    g.s.radioState = 0;
    g.s.worldFlags[10] = 1;
    EXPECT_EQ(shown(), std::pair(true, false));
    rng.push({1, 1});
    press("old_radio_b");
    EXPECT_EQ(g.s.radioState, 1);
    EXPECT_EQ(shown(), std::pair(false, true));
    press("new_radio_b");
    EXPECT_EQ(g.s.radioState, 2);
    EXPECT_EQ(shown(), std::pair(false, false));
    EXPECT_TRUE(host.saw("ルルは「ラジオの改良」に取りかかった！"));
    EXPECT_TRUE(host.saw("「ラジオの改良」が終了した！"));
}

TEST_F(Craft, TheKnifeWaitsForTheMeatKnife) {
    openPanelOver(g, "item_seisaku_box", nullptr);
    EXPECT_FALSE(shownNow("naifu_b"));
    g.s.worldFlags[19] = 1;
    EXPECT_TRUE(shownNow("naifu_b"));
}

// --- Stale and double clicks ---------------------------------------------------

TEST_F(Craft, ClicksArrivingDuringOrAfterAMakeChangeNothing) {
    skills(100, 100);
    ruru().actionPoints = 10;
    g.s.boneCount = 4;  // enough for two needles: only the closed panel stops the second
    openPanelOver(g, "item_seisaku_box", nullptr);
    int extra = 0;
    host.onProcessEvents = [&](Game& game) {
        // The player clicks the needle again while its messages run.
        if (game.s.runtime.clickState == 0 && extra++ < 2) press("hari_b");
    };
    rng.push(1);
    press("hari_b");
    host.onProcessEvents = nullptr;
    press("hari_b");  // once more after the panel is back
    EXPECT_EQ(g.s.boneCount, 2);
    EXPECT_EQ(g.s.hasNeedle, 1);
    EXPECT_EQ(ruru().actionPoints, 8);
    EXPECT_EQ(host.count("の製作に取りかかった！"), 1);
}

}  // namespace
}  // namespace kotou
