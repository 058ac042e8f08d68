// Equipment and books, materials, carving and toys.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "daycycle/Weather.h"
#include "production/Craft.h"
#include "tests/production/CraftFixture.h"

namespace kotou {
namespace {

using test::ItemCase;
using test::Prepare;
using test::tooLow;

struct CraftGoods : test::CraftFixture {};

// --- Equipment and books -------------------------------------------------------

const ItemCase kEquipment[] = {
    {"yoroi_b", PRE(), 8, "（残：鉄58）", 20, 1, 0, 2},
    {"kawanoyoroi_b", PRE(s.worldFlags[25] = 1), 16, "（残：鉄58、皮55）", 20, 1, 0, 2},
    {"tetunoyoroi_b", PRE(s.worldFlags[26] = 1), 30, "（残：鉄57、魔法石55、太陽石55）", 20, 1, 0,
     2},
    {"ken_b", PRE(), 6, "（残：宝石56、煌く時の砂57）", 8, 1, 0, 2},
    {"bigken_b", PRE(s.worldFlags[20] = 1), 33, "（残：宝石54、煌く時の砂54）", 8, 1, 0, 2},
    {"deba_b", PRE(s.worldFlags[1] = 1), 2, "（残：石55）", 6, 1, 0, 2},
    {"nikugiri_b", PRE(s.worldFlags[18] = s.worldFlags[3] = 1), 5, "（残：石54、黒き実59）", 6, 1,
     0, 2},
    {"bigkago_b", PRE(s.hasBasket = s.hasNeedle = s.hasKnife = s.worldFlags[2] = 1), 28,
     "（残：雫53、黒曜石45、骨55）", 50, 1, 0, 2},
    {"bigbaketu_b", PRE(s.hasBucket = s.hasNeedle = s.hasKnife = s.worldFlags[2] = 1), 18,
     "（残：雫55、漂流物10、骨54）", 50, 1, 0, 2},
    {"bigami_b", PRE(s.hasNet = s.hasNeedle = s.hasKnife = s.worldFlags[2] = 1), 25,
     "（残：雫54、葉っぱ10、骨54）", 50, 1, 0, 2},
    // Books: no growth; only the supplement waits after its dotted lines.
    {"bessatu_b", PRE(s.worldFlags[16] = 1), -1, "（残：ヒカリゴケ59、タイ59）", 6, 1, 0, 2, false},
    {"syokuzai_b", PRE(s.worldFlags[13] = 1), -1, "（残：不思実58）", 6, 1, 0, 1, false},
    {"sizai_b", PRE(s.worldFlags[15] = 1), -1, "（残：つる59、枝57）", 6, 1, 0, 1, false},
    {"magicbook_b", PRE(s.worldFlags[16] = 1), 8, "（残：魔法石56、煌く時の砂58）", 6, 1, 0, 1,
     false, 1},
    {"magicbook2_b", PRE(s.worldFlags[21] = 2), 16, "（残：魔法石52、月の影55）", 6, 1, 0, 1, false,
     1},
    {"sinpi_b", PRE(s.worldFlags[16] = 1), 18, "（残：太陽石56、煌く時の砂56）", 6, 1, 0, 1, false,
     1},
};

TEST_F(CraftGoods, EquipmentAndBooksTestDexterityAtItsThresholdAndTakeTheirCosts) {
    expectItems("item_seisaku2_box", kEquipment);
}

TEST_F(CraftGoods, ABookOfMagicIsReadyBeforeItsRemainingCounts) {
    g.s.worldFlags[16] = 1;
    skills(8, 0);
    ruru().actionPoints = 10;
    std::vector<int32_t> flagAtWaits;
    host.onProcessEvents = [&](Game& game) {
        if (game.s.runtime.clickState == 0) flagAtWaits.push_back(game.s.worldFlags[21]);
    };
    openPanelOver(g, "item_seisaku2_box", nullptr);
    press("magicbook_b");
    EXPECT_EQ(flagAtWaits, (std::vector<int32_t>{1}));
    EXPECT_EQ(host.messageTexts().at(3), "「魔術書」が１つ完成した！");
    EXPECT_EQ(host.lastMessage(), "※このアイテムは『勉強』欄で使用できます");

    // The advanced book waits until the first one has been read.
    EXPECT_FALSE(shownNow("magicbook2_b"));
    g.s.worldFlags[21] = 2;
    EXPECT_TRUE(shownNow("magicbook2_b"));
}

TEST_F(CraftGoods, ReferenceBooksAddTheirListsToTheItemMenu) {
    const struct {
        const char* book;
        Prepare prepare;
        const char* list;
        size_t flag;  // counts the books made
    } cases[] = {{"syokuzai_b", PRE(s.worldFlags[13] = 1), "syokuzai_list_b", 15},
                 {"sizai_b", PRE(s.worldFlags[15] = 1), "sizai_list_b", 16},
                 {"bessatu_b", PRE(s.worldFlags[16] = 1), "etc_b", 44}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.book);
        fresh();
        c.prepare(g.s);
        ruru().actionPoints = 10;
        refreshStatus(g);
        EXPECT_FALSE(g.form.visible(c.list));
        openPanelOver(g, "item_seisaku2_box", nullptr);
        press(c.book);
        refreshStatus(g);
        EXPECT_TRUE(g.form.visible(c.list));
        EXPECT_EQ(g.s.worldFlags[c.flag], 1);
    }
}

TEST_F(CraftGoods, TheLargeNetTakesTheLastBones) {
    g.s.hasNet = g.s.hasNeedle = g.s.hasKnife = g.s.worldFlags[2] = 1;
    skills(25, 0);
    ruru().actionPoints = 10;
    openPanelOver(g, "item_seisaku2_box", nullptr);
    g.s.boneCount = 5;
    EXPECT_FALSE(offered("bigami_b"));
    g.s.boneCount = 6;
    rng.push(1);
    press("bigami_b");
    EXPECT_EQ(g.s.boneCount, 0);
    EXPECT_EQ(g.s.extra(ExtraItem::BigNet), 1);
    EXPECT_TRUE(host.saw("（残：雫54、葉っぱ10、骨0）"));
}

// --- Materials ---------------------------------------------------------------

struct MaterialCase {
    const char* button;
    Prepare prepare;
    int32_t dexterity;
    const char* second;  // the second test's label, or nullptr
    int32_t minimum;
    const char* finished;   // with 60 of every store (0 of the perfumes) before
    const char* remaining;  // likewise
    int32_t stress;
    int32_t growth;  // chance of the growth draw: 6 botany, 4 dexterity, 0 none
    int waits;       // when nothing grows
    bool again;      // offered again at once
    Counter held;    // the store the product goes to, afterwards
    int32_t count;
};

const MaterialCase kMaterials[] = {
    {"sio_b", PRE(), 5, "料理", 9, "「しお」が完成した！（所持：65）", "（残：海水50）", 10, 0, 1,
     true, &GameState::saltCount, 65},
    {"satou_b", PRE(), 18, "料理", 26, "「さとう」が５つ完成した！（所持：65）", "（残：不思実50）",
     9, 0, 1, true, &GameState::sugarCount, 65},
    {"harb_b", PRE(), 11, "植物学", 30, "「ハーブ」が２つ完成した！（所持：62）", "（残：草50）", 8,
     0, 1, true, &GameState::herbCount, 62},
    {"yakusou_b", PRE(s.medicineBookState = 2), 15, "植物学", 39,
     "「薬草」が１つ完成した！（所持：61）", "（残：草55、葉っぱ55、ヒカリゴケ58）", 8, 6, 2, true,
     &GameState::medicinalHerbCount, 61},
    {"dokukesisou_b", PRE(s.medicineBookState = 2), 10, "植物学", 10,
     "「毒消し草」が１つ完成した！（所持：61）", "（残：草55、葉っぱ56、黒き実55）", 9, 6, 2, true,
     &GameState::antidoteHerbCount, 61},
    {"hanakazari_b", PRE(), 5, "植物学", 5, "「花飾り」が１つ完成した！（所持：61）",
     "（残：草55、葉っぱ57、つる58）", 6, 6, 2, true, &GameState::flowerWreathCount, 61},
    {"tetu_b", PRE(), 6, nullptr, 0, "「鉄」が２つ完成した！（所持：62）",
     "（残：宝石59、月の影59、煌く時の砂59）", 9, 4, 1, true, &GameState::ironCount, 62},
    {"gezai_b", PRE(s.medicineBookState = 2), 10, "植物学", 3,
     "「下剤」が１つ完成した！（所持：61）", "（残：ヒカリゴケ58、木蛇58、トカゲ58）", 12, 6, 2,
     true, &GameState::laxativeCount, 61},
    {"kousui_b", PRE(), 2, "植物学", 1, "「香水」が１つ完成した！（所持：1）", "（残：葉っぱ55）",
     2, 6, 2, true, ExtraItem::Perfume, 1},
    {"hosikuzu_b", PRE(s.worldFlags[7] = s.worldFlags[44] = 1), 1, "植物学", 21,
     "「星屑の香水」が１つ完成した！（所持：1）", "（残：ハーブ57、太陽石59、トカゲ59）", 12, 6, 2,
     true, ExtraItem::StardustPerfume, 1},
    {"seisin_b", PRE(s.medicineBookState = 2), 11, "植物学", 16,
     "「精神安定剤」が１つ完成した！（所持：1）", "（残：雨石59、太陽石59、トカゲ57）", 5, 6, 2,
     true, ExtraItem::Tranquilizer, 1},
    {"syouka_b", PRE(s.dayNumber = 5), 1, nullptr, 0, "「消火用の水」が１つ完成した！",
     "（残：海水57、葉っぱ57、キュウイ57）", 5, 0, 2, false, ExtraItem::FireWater, 1},
    {"hozon_b", PRE(s.dayNumber = 10), 1, nullptr, 0, "「保存用の水」が１つ完成した！",
     "（残：海水50、水55）", 5, 0, 2, false, ExtraItem::StoredWater, 1},
    {"hozonsyoku_b", PRE(s.dayNumber = 15), 1, "植物学", 5, "「保存食」が１つ完成した！",
     "（残：木蛇57、トカゲ57、煌く時の砂59）", 5, 0, 2, false, ExtraItem::PreservedFood, 1},
    {"yobou_b", PRE(s.medicineBookState = 2), 1, "植物学", 10, "「予防注射」が完成した！",
     "（残：ヒカリゴケ59、葉っぱ40）", 5, 0, 2, false, &GameState::hasVaccine, 1},
};

TEST_F(CraftGoods, MaterialsTestBothSkillsAtTheirThresholdsAndYieldTheirProduct) {
    for (const MaterialCase& m : kMaterials) {
        SCOPED_TRACE(m.button);
        int32_t Character::*second = m.second == nullptr               ? nullptr
                                     : std::string(m.second) == "料理" ? &Character::cooking
                                                                       : &Character::botany;
        const auto setUp = [&](int32_t dexterity, int32_t secondValue) {
            fresh();
            m.prepare(g.s);
            skills(dexterity, 0);
            if (second != nullptr) ruru().*second = secondValue;
            ruru().actionPoints = 10;
            ruru().stress = 100;
            openPanelOver(g, "sozai_box", nullptr);
        };
        const struct {
            bool tested;
            int32_t dexterity, secondValue;
            const char* label;
        } refusals[] = {{true, m.dexterity - 1, 100, "器用さ"},
                        {second != nullptr, m.dexterity, m.minimum - 1, m.second}};
        for (const auto& r : refusals) {
            if (!r.tested) continue;
            setUp(r.dexterity, r.secondValue);
            const GameState before = settled();
            press(m.button);
            EXPECT_EQ(host.lastMessage(), tooLow(r.label));
            EXPECT_TRUE(g.s == before);
        }

        setUp(m.dexterity, m.minimum);
        if (m.growth != 0) rng.push(1);
        press(m.button);
        EXPECT_EQ(rng.requests(),
                  m.growth != 0 ? std::vector<int32_t>{m.growth} : std::vector<int32_t>{});
        rng = ScriptedRandom{};
        EXPECT_TRUE(host.saw(m.finished));
        EXPECT_EQ(m.held(g.s), m.count);
        EXPECT_TRUE(host.saw(m.remaining));
        EXPECT_EQ(ruru().actionPoints, 8);
        EXPECT_EQ(ruru().stamina, 49);
        EXPECT_EQ(ruru().stress, 100 - m.stress);
        EXPECT_EQ(host.clicks, m.waits);
        EXPECT_TRUE(visible("sozai_box"));
        EXPECT_EQ(offered(m.button), m.again);
        expectMessagesFit();
    }
}

TEST_F(CraftGoods, MaterialsEndInTheirOwnOrder) {
    // The messages after the start and the dotted lines.
    const auto made = [&](const char* button, bool grows) {
        fresh();
        g.s.medicineBookState = 2;
        skills(100, 100);
        ruru().actionPoints = 10;
        openPanelOver(g, "sozai_box", nullptr);
        if (grows) rng.push(1);
        press(button);
        const std::vector<std::string> texts = host.messageTexts();
        return std::vector<std::string>(texts.begin() + 3, texts.end());
    };
    const std::string note =
        "※このアイテムは、［アイテム］コマンド内［通常アイテム］で使用できます";
    EXPECT_EQ(made("yakusou_b", true),
              (std::vector<std::string>{"「薬草」が１つ完成した！（所持：61）", note,
                                        "（残：草55、葉っぱ55、ヒカリゴケ58）"}));
    EXPECT_EQ(made("hanakazari_b", true),
              (std::vector<std::string>{"「花飾り」が１つ完成した！（所持：61）",
                                        "（残：草55、葉っぱ57、つる58）", note}));
    EXPECT_EQ(made("yobou_b", false),
              (std::vector<std::string>{
                  "「予防注射」が完成した！", "みんなで予防注射をうけた",
                  "（残：ヒカリゴケ59、葉っぱ40）",
                  "※このアイテムは、『疫病』時に、１回だけ病気から回避させられます",
                  "次の『疫病』が起きるまで、再度このアイテムを製作することできません"}));
}

TEST_F(CraftGoods, ProtectionsComeByDayAreHeldOnceAndReturnAfterTheirDisaster) {
    const struct {
        const char* button;
        int32_t day;
    } cases[] = {{"syouka_b", 5}, {"hozon_b", 10}, {"hozonsyoku_b", 15}};
    openPanelOver(g, "sozai_box", nullptr);
    for (const auto& c : cases) {
        g.s.dayNumber = c.day - 1;
        EXPECT_FALSE(commandAvailable(g.s, g.form, c.button)) << c.button;
        g.s.dayNumber = c.day;
        EXPECT_TRUE(commandAvailable(g.s, g.form, c.button)) << c.button;
    }

    // Made at day 5, used by a fire, offered again.
    g.s.dayNumber = 5;
    skills(100, 100);
    ruru().actionPoints = 10;
    press("syouka_b");
    EXPECT_EQ(g.s.extra(ExtraItem::FireWater), 1);
    EXPECT_FALSE(offered("syouka_b"));
    g.s.dayNumber = 30;
    rng.push({1, 1, 0});  // drought, fire, 40
    rollWeather(g);
    EXPECT_TRUE(host.saw("作っておいた『消火用の水』のおかげで、被害を半減させた。"));
    EXPECT_EQ(g.s.extra(ExtraItem::FireWater), 0);
    EXPECT_TRUE(offered("syouka_b"));
}

// --- Carving -----------------------------------------------------------------

struct CarvingCase {
    const char* button;
    Prepare prepare;
    const char* test;  // 器用さ, 動物学 or nullptr
    int32_t minimum;
    const char* remaining;  // with 60 of every store before
    int32_t stress, stamina;
    int waits;
};

const CarvingCase kCarvings[] = {
    {"isidoll_b", PRE(), nullptr, 0, "（残：石57）", 3, 1, 1},
    {"toy_house_b", PRE(s.carvingMade[2] = s.carvingMade[3] = 1), "器用さ", 5,
     "（残：枝55、葉っぱ58、石58）", 3, 1, 1},
    {"toy_chair_b", PRE(), nullptr, 0, "（残：枝56、つる59）", 3, 1, 1},
    {"toy_desk_b", PRE(), "器用さ", 3, "（残：枝56、つる59、貝57）", 4, 1, 1},
    {"toy_car_b", PRE(s.carvingMade[1] = 1), "器用さ", 8, "（残：枝52、つる55、石57、骨57）", 4, 1,
     1},
    {"wooddoll_b", PRE(), nullptr, 0, "（残：枝55、つる57）", 3, 1, 1},
    {"kai_b", PRE(), nullptr, 0, "（残：貝58）", 4, 1, 1},
    {"happa_b", PRE(), nullptr, 0, "（残：葉っぱ57）", 8, 1, 1},
    {"kibori_bird_b", PRE(s.hasKnife = 1), "器用さ", 7, "（残：枝55）", 3, 1, 1},
    {"kibori_ruru_b", PRE(s.hasKnife = 1), "器用さ", 10, "（残：枝52、貝55）", 4, 1, 1},
    {"kibori_arashi_b", PRE(s.hasKnife = s.carvingMade[9] = 1), "器用さ", 20,
     "（残：枝52、火炎石57、骨59）", 8, 1, 1},
    {"kibori_spark_b", PRE(s.hasKnife = s.carvingMade[10] = 1), "器用さ", 30,
     "（残：流木57、黒曜石57、泥55）", 8, 1, 1},
    {"kibori_zankyou_b", PRE(s.hasKnife = s.carvingMade[11] = 1), "器用さ", 40,
     "（残：材木57、草51、青い鳥58）", 10, 1, 1},
    {"amagoi_b", PRE(s.hasKnife = s.carvingMade[9] = 1), "動物学", 9,
     "（残：火炎石55、つる50、太陽の石57）", 10, 2, 3},
    {"phantom_b", PRE(s.worldFlags[8] = 1), nullptr, 0, "（残：さよならの石59、ありがとうの石59）",
     10, 2, 4},
    {"namering_b", PRE(s.worldFlags[9] = 1), nullptr, 0,
     "（残：機械59、天使の涙59、かっぱ59、人魚59）", 10, 2, 3},
};

TEST_F(CraftGoods, CarvingsTestTheirSkillAndRaiseDexterityByOne) {
    for (const CarvingCase& k : kCarvings) {
        SCOPED_TRACE(k.button);
        const bool zoology = k.test != nullptr && std::string(k.test) == "動物学";
        // Dexterity as tested, or well above every requirement.
        const auto setUp = [&](int32_t value) {
            fresh();
            k.prepare(g.s);
            skills(zoology || k.test == nullptr ? 60 : value, 0);
            if (zoology) ruru().zoology = value;
            ruru().actionPoints = 10;
            ruru().stress = 100;
            openPanelOver(g, "kousaku_box", nullptr);
        };
        if (k.test != nullptr) {
            setUp(k.minimum - 1);
            const GameState before = settled();
            press(k.button);
            EXPECT_EQ(host.lastMessage(), tooLow(k.test));
            EXPECT_TRUE(g.s == before);
        }

        setUp(k.minimum);
        const int32_t dexterity = ruru().dexterity;
        press(k.button);
        EXPECT_TRUE(host.saw(k.remaining));
        EXPECT_EQ(host.count("【器用さ】が1上がった！"), 1);
        EXPECT_EQ(ruru().dexterity, dexterity + 1);
        EXPECT_EQ(ruru().actionPoints, 8);
        EXPECT_EQ(ruru().stamina, 50 - k.stamina);
        EXPECT_EQ(ruru().stress, 100 - k.stress);
        EXPECT_EQ(host.clicks, k.waits);
        EXPECT_FALSE(commandAvailable(g.s, g.form, k.button));
        expectMessagesFit();
    }
}

TEST_F(CraftGoods, DexterityAtAHundredStillGrowsBeforeTheRefreshClampsIt) {
    skills(100, 0);
    ruru().actionPoints = 10;
    int32_t highest = 0;
    host.onProcessEvents = [&](Game& game) { highest = std::max(highest, game.s.ch(1).dexterity); };
    openPanelOver(g, "kousaku_box", nullptr);
    press("isidoll_b");
    EXPECT_EQ(highest, 101);
    EXPECT_EQ(ruru().dexterity, 100);
}

TEST_F(CraftGoods, TheNameRingNamesTheIsland) {
    g.s.worldFlags[9] = 1;
    ruru().actionPoints = 10;
    openPanelOver(g, "kousaku_box", nullptr);
    press("namering_b");
    EXPECT_EQ(g.s.carvingMade[15], 1);
    EXPECT_TRUE(visible("name_box"));
    EXPECT_FALSE(visible("kousaku_box"));
    EXPECT_EQ(host.sounds.back(), (HeadlessHost::Sound{1, "key3.wav"}));
    EXPECT_EQ(host.lastMessage(), "※この島の名前をつけてください");

    g.form.setCaption(g.form.id("name_l"), "");
    press("Button11");
    EXPECT_EQ(host.lastMessage(), "名前を入力してね");
    EXPECT_FALSE(visible("kousaku_box"));

    g.form.setCaption(g.form.id("name_l"), "ひだまり");
    press("Button11");
    EXPECT_EQ(g.s.islandName, "ひだまり");
    EXPECT_EQ(host.lastMessage(), "この島の名前を『ひだまり島』と決めた！");
    EXPECT_TRUE(visible("kousaku_box"));
    EXPECT_FALSE(visible("name_box"));

    // 決定 once more, after the box has gone: nothing happens.
    host.clearRecords();
    press("Button11");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(host.sounds.empty());
}

}  // namespace
}  // namespace kotou
