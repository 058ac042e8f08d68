#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/GameHandlers.h"
#include "shell/StatusRefresh.h"
#include "state/SaveLayout.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

// Every tool and book a dish may need and ten of every store, so that the
// remaining-count line shows what the dish took.
struct RecipesTest : test::RulesTest {
    RecipesTest() {
        host.silentClicks = true;
        stock();
    }

    // Shows the menu `button` lies on; of the other two only the mountain
    // menu may stay.
    void openMenuOf(const char* button) {
        for (const char* menu : {"desert_box", "uminosati_box"}) g.form.hide(menu);
        g.form.setVisible(g.form.at(button).parent, true);
    }

    void stock() {
        GameState& s = g.s;
        struct Ten {
            void integer(const std::string& name, int32_t& v) {
                if (name.ends_with("Count")) v = 10;
            }
            void text(const std::string&, std::string&) {}
        } ten;
        visitSaved(s, ten);
        s.hasKnife = s.hasFireStarter = s.hasPot = s.hasStove = 1;
        s.cakeBookState = s.herbTeaBookState = 2;
        Character& c = s.ch(1);
        c.maxActionPoints = 50;
        c.maxStamina = 150;
        c.stamina = 50;
        c.bowel = c.obesity = 70;
        c.stress = 50;
        c.strength = 10;
        c.dexterity = c.botany = c.zoology = c.poison = 0;
        // The sea and mountain dishes run in an open meal menu (their growth
        // lines do not wait), except the meat dishes, which hide it.
        g.form.show("yamanosati_box");
    }

    std::string transcript() const {
        std::string out;
        for (const std::string& m : host.messageTexts()) out += (out.empty() ? "" : " / ") + m;
        return out;
    }
    Character& ruru() { return g.s.ch(1); }
};

struct Dish {
    const char* button;
    int32_t cooking, actionPoints;  // the needs: the dish is refused one below
    // With every draw 0 (lowest amounts, every chance met), cooked at exactly
    // its needs from 10 of each store:
    std::vector<int32_t> draws;          // the n of each draw, in order
    int32_t bowel, obesity, actionLeft;  // from 70, 70 and the cost
    int clickWaits;
    const char* messages;  // the dish word, then every line after the first
};

// clang-format off
const Dish kDishes[] = {
    {"kibou_b", 0, 0, {8}, 65, 70, 0, 0,
     "希望のデザート / （残：火の実9、不思実8、黒き実9、七つ実8） / "
     "【行動力の最大値】が1上昇した！ / 【料理】が1アップした！→1"},
    {"risou_b", 5, 0, {8}, 62, 70, 0, 0,
     "理想のデザート / （残：緑キノコ9、不思実7、黒き実8、七つ実7） / "
     "【行動力の最大値】が2上昇した！ / 【料理】が1アップした！→6"},
    {"kiken_b", 15, 0, {8, 4}, 60, 70, 0, 0,
     "危険のデザート / （残：動くキノコ7、木蛇7、黒き実5） / 【行動力の最大値】が3上昇した！ / "
     "【料理】が1アップした！→16 / キノコの【毒】におかされてしまった！"},
    {"kirameku_b", 25, 0, {8}, 60, 70, 0, 0,
     "煌くのデザート / （残：巨大キノコ1、青い鳥9、かっぱ9） / "
     "【行動力の最大値】が4上昇した！ / 【料理】が1アップした！→26"},
    {"kinoko_b", 12, 0, {8, 5, 6, 4}, 63, 70, 0, 0,
     "キノコスープ / （残：緑のキノコ5、動くキノコ5、水5） / 【体力】が6回復した！ / "
     "【料理】が1アップした！→13 / 【体力の最大値】が1アップした！→151 / "
     "【植物学】が1アップした！→1 / キノコの【毒】におかされてしまった！"},
    {"mixjuce_b", 3, 0, {2, 8}, 65, 70, 3, 0,
     "ＭＩＸジュース / （残：緑のキノコ7、七つ実7、水7） / 【体力】が9回復した！ / "
     "【行動力】が3回復した！ / 【料理】が1アップした！→4"},
    {"cake_b", 20, 0, {2, 2, 2, 8}, 60, 65, 5, 0,
     "ケーキ / （残：緑のキノコ8、不思実8、さとう7） / 【体力】が6回復した！ / "
     "【行動力】が5回復した！ / 【ストレス】が14回復した！ / 【料理】が1アップした！→21"},
    {"harbtea_b", 24, 0, {2, 2, 8, 6}, 66, 70, 0, 0,
     "ハーブティ / （残：ハーブ7、水8、さとう8） / 【体力】が2回復した！ / "
     "【ストレス】が25回復した！ / 【料理】が1アップした！→25 / 【植物学】が1アップした！→1"},
    {"kudamono_b", 3, 0, {2, 8}, 62, 70, 0, 0,
     "くだもの盛合せ / （残：火の実5、りんご9） / 【体力】が13回復した！ / "
     "【料理】が1アップした！→4"},
    {"kinoko_b2", 6, 0, {2, 4, 8, 6}, 62, 70, 0, 0,
     "キノコの盛合せ / （残：緑のキノコ9、動くキノコ9、巨大キノコ9） / 【体力】が15回復した！ / "
     "キノコの【毒】におかされてしまった！ / 【料理】が1アップした！→7 / "
     "【植物学】が1アップした！→1"},
    {"kaisou_b", 1, 0, {2, 3, 8, 2, 4}, 69, 70, 0, 0,
     "海藻の干し物 / （残：海藻6） / 【体力】が3回復した！ / 【ストレス】が2回復した！ / "
     "【料理】が1アップした！→2 / 【器用さ】が1アップした！→1"},
    {"nibosi_b", 3, 1, {3, 8, 2, 4}, 69, 70, 0, 0,
     "にぼし / （残：小魚7） / 【体力】が1回復した！ / 【骨】を１つ入手した！ / "
     "【料理】が1アップした！→4 / 【器用さ】が1アップした！→1"},
    {"yakisakana_b", 10, 2, {2, 3, 8}, 65, 68, 0, 0,
     "焼き魚 / （残：フナ9、タイ9） / 【体力】が8回復した！ / 【骨】を１つ入手した！ / "
     "【料理】が1アップした！→11"},
    {"kaisoucook_b", 10, 2, {2, 3, 8}, 62, 68, 0, 0,
     "海鮮料理 / （残：海藻6、タイ8） / 【体力】が12回復した！ / 【骨】を１つ入手した！ / "
     "【料理】が1アップした！→11"},
    {"kogani_b", 0, 0, {4, 8}, 67, 70, 0, 0,
     "小カニの煮物 / （残：小カニ7） / 【体力】が4回復した！ / 【料理】が1アップした！→1"},
    {"hamabenosati_b", 0, 0, {3, 8}, 66, 68, 0, 0,
     "浜辺の幸 / （残：貝8、小カニ9） / 【体力】が5回復した！ / 【料理】が1アップした！→1"},
    {"tainosasimi_b", 6, 0, {3, 8}, 65, 70, 0, 0,
     "タイの刺身 / （残：タイ6） / 【体力】が10回復した！ / 【料理】が1アップした！→7"},
    {"ningyo_b", 15, 3, {2, 8, 7}, 60, 70, 0, 0,
     "人魚の姿煮 / （残：人魚9、さとう7） / 【体力】が27回復した！ / "
     "【料理】が1アップした！→16 / 【動物学】が1アップした！→1"},
    {"nikuc_b", 5, 4, {3, 8, 7}, 58, 67, 0, 3,
     "肉料理Ｃ / （残：ピンク兎6） / 【体力の最大値】が1上昇した！ / 【皮】を1つ入手した！ / "
     "【料理】が1アップした！→6 / 【動物学】が1アップした！→1"},
    {"nikub_b", 15, 9, {3, 8, 7}, 55, 66, 0, 3,
     "肉料理Ｂ / （残：パーセウルフ7、ピンク兎7） / 【体力の最大値】が2上昇した！ / "
     "【皮】を1つ入手した！ / 【料理】が1アップした！→16 / 【動物学】が1アップした！→1"},
    {"nikua_b", 20, 10, {2, 2, 3, 2, 8, 7}, 40, 65, 0, 3,
     "肉料理Ａ / （残：パーセウルフ7、黒虎7） / 【体力の最大値】が2上昇した！ / "
     "【ストレス】が5回復した！ / 【皮】を1つ入手した！ / 【料理】が1アップした！→21 / "
     "【動物学】が1アップした！→1"},
    {"nikus_b", 30, 20, {2, 3, 8, 7}, 20, 62, 0, 3,
     "肉料理Ｓ / （残：巨人7、人魚8、ピンク兎8） / 【体力の最大値】が3上昇した！ / "
     "【腕力】が1回復した！ / 【ストレス】が6回復した！ / 【皮】を2つ入手した！ / "
     "【料理】が1アップした！→31 / 【動物学】が1アップした！→1"},
    {"nikusp_b", 30, 20, {2, 2, 3, 8, 7}, 10, 60, 0, 3,
     "肉料理ＳＰ / （残：巨人7、人食い魚8、黒虎7） / 【行動力の最大値力】が1上昇した！ / "
     "【体力の最大値】が4上昇した！ / 【腕力】が1回復した！ / 【ストレス】が10回復した！ / "
     "【皮】を3つ入手した！ / 【料理】が1アップした！→31 / 【動物学】が1アップした！→1"},
    {"sansai_b", 4, 3, {2, 2, 8, 6}, 67, 70, 0, 0,
     "山菜 / （残：草8、葉っぱ7） / 【体力】が6回復した！ / 【ストレス】が5回復した！ / "
     "【料理】が1アップした！→5 / 【植物学】が1アップした！→1"},
    {"kusa_b", 1, 0, {2, 2, 8, 6}, 75, 70, 0, 0,
     "草の石焼き / （残：草7、石7） / 【体力】が7回復した！ / 【便意】が5回復した！ / "
     "【料理】が1アップした！→2 / 【植物学】が1アップした！→1"},
    {"hebi_b", 10, 0, {2, 8}, 63, 67, 0, 0,
     "ヘビの丸焼き / （残：トカゲ9、木蛇9、しお8） / 【体力】が20回復した！ / "
     "【料理】が1アップした！→11"},
    {"kyodaigohan_b", 20, 4, {2, 8}, 58, 62, 0, 0,
     "巨大ご飯 / （残：巨人9、巨大キノコ8、さとう7） / 【体力】が33回復した！ / "
     "【料理】が1アップした！→21"},
};
// clang-format on

TEST_F(RecipesTest, EveryDishRefusesBelowItsNeedsAndCooksAtThem) {
    for (const Dish& d : kDishes) {
        SCOPED_TRACE(d.button);
        stock();
        const int32_t hidesBefore = g.s.hideCount;
        // One below the cooking or the action-point need: refused, nothing taken.
        for (int below : {1, 2}) {
            if ((below == 1 ? d.cooking : d.actionPoints) == 0) continue;
            ruru().cooking = d.cooking - (below == 1 ? 1 : 0);
            ruru().actionPoints = d.actionPoints - (below == 2 ? 1 : 0);
            refreshStatus(g);  // the score follows 料理
            host.clearRecords();
            const GameState before = g.s;
            openMenuOf(d.button);
            openMenuOf(d.button);
            press(d.button);
            EXPECT_TRUE(g.s == before);
            EXPECT_EQ(transcript(), below == 1
                                        ? "この料理に必要なパラメーター【料理】が足りません"
                                        : "この料理に必要なパラメーター【行動】が足りません");
            EXPECT_TRUE(host.sounds.empty());
        }

        ruru().cooking = d.cooking;
        ruru().actionPoints = d.actionPoints;
        host.clearRecords();
        const size_t drawn = rng.requests().size();
        for (size_t i = 0; i < d.draws.size(); ++i) rng.push(0);
        openMenuOf(d.button);
        press(d.button);
        const std::string expected = d.messages;
        const size_t dish = expected.find(" / ");
        EXPECT_EQ(transcript(), "ルルは、【" + expected.substr(0, dish) + "】を作って食べた。" +
                                    expected.substr(dish));
        EXPECT_EQ(std::vector<int32_t>(rng.requests().begin() + static_cast<long>(drawn),
                                       rng.requests().end()),
                  d.draws);
        EXPECT_EQ(ruru().bowel, d.bowel);
        EXPECT_EQ(ruru().obesity, d.obesity);
        EXPECT_EQ(ruru().actionPoints, d.actionLeft);
        EXPECT_EQ(host.clicks, d.clickWaits);
        EXPECT_EQ(g.s.hideCount > hidesBefore, d.clickWaits > 0) << "hides come with meat";
        EXPECT_EQ(g.s.boneCount, 10 + host.count("【骨】を１つ入手した！"));
        EXPECT_TRUE(g.form.visible("yamanosati_box"));
        EXPECT_TRUE(host.played("taberu.wav", 1));
    }
}

TEST_F(RecipesTest, ReportedAndSilentEffectsChangeTheCook) {
    ruru().cooking = 30;
    ruru().actionPoints = 20;
    ruru().stress = 50;
    rng.push({1, 1, 1, 7, 6});  // strength 2, stress 11; no hides, no growth
    press("nikusp_b");
    EXPECT_EQ(ruru().maxActionPoints, 51);
    EXPECT_EQ(ruru().maxStamina, 154);
    EXPECT_EQ(ruru().strength, 12);
    EXPECT_EQ(ruru().stress, 61);
    EXPECT_EQ(g.s.hideCount, 10);
    EXPECT_EQ(host.clicks, 0);

    // The soup's poison sets the flag with its sound.
    host.clearRecords();
    ruru().cooking = 12;
    rng.push({7, 4, 5, 0});
    openMenuOf("kinoko_b");
    press("kinoko_b");
    EXPECT_EQ(ruru().stamina, 56);
    EXPECT_EQ(ruru().poison, 1);
    EXPECT_TRUE(host.played("bad.wav", 2));
}

TEST_F(RecipesTest, MeatHidesAreDrawnBeforeTheClickAndReplaceTheMessage) {
    ruru().cooking = 20;
    ruru().actionPoints = 10;
    host.silentClicks = false;        // each wait draws its click sound's channel
    rng.push({0, 0, 0, 1, 0, 7, 6});  // 2 hides, then the click (channel 2)
    press("nikua_b");
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{2, 2, 3, 2, 2, 8, 7}));
    EXPECT_EQ(g.s.hideCount, 12);
    EXPECT_FALSE(host.messages[4].appended);
    EXPECT_EQ(host.messages[4].text, "【皮】を2つ入手した！");
}

TEST_F(RecipesTest, AStaleOrDoubleClickCooksOnlyWhatIsThere) {
    g.s.pinkRabbitCount = 4;
    ruru().cooking = 5;
    ruru().actionPoints = 8;
    int presses = 0;
    // The second press arrives while the first dish shows its lines.
    host.onProcessEvents = [&](Game&) {
        if (presses++ == 0) press("nikuc_b");
    };
    rng.push({1, 1, 1});
    press("nikuc_b");
    EXPECT_EQ(g.s.pinkRabbitCount, 0);
    EXPECT_EQ(ruru().actionPoints, 4);
    EXPECT_EQ(host.count("作って食べた"), 1);

    // Without the ingredients the menu would not offer it: nothing, not even a sound.
    host.onProcessEvents = nullptr;
    host.clearRecords();
    const GameState before = g.s;
    press("nikuc_b");
    EXPECT_TRUE(g.s == before);
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RecipesTest, SeaAndMountainMenusOpenOnceTheirKnifeIsMade) {
    g.form.hide("yamanosati_box");
    g.form.show("cook_box");
    press("uminosati_b");
    press("yamanosati_b");
    EXPECT_TRUE(g.form.visible("cook_box"));
    EXPECT_TRUE(host.sounds.empty());

    struct Menu {
        const char* button;
        int flag;
        const char* panel;
        const char* picture;
    };
    for (const Menu& m : {Menu{"uminosati_b", 18, "uminosati_box", "cg/背景・魚.jpg"},
                          Menu{"yamanosati_b", 19, "yamanosati_box", "cg/背景・肉.jpg"}}) {
        SCOPED_TRACE(m.button);
        g.s.worldFlags[static_cast<size_t>(m.flag)] = 1;
        g.form.show("cook_box");
        g.form.setPosition(g.form.id(m.panel), 0, 0);
        host.clearRecords();
        press(m.button);
        EXPECT_FALSE(g.form.visible("cook_box"));
        EXPECT_TRUE(g.form.visible(m.panel));
        EXPECT_EQ(g.form.at(m.panel).left, g.form.at("com_box").left);
        EXPECT_EQ(g.form.at("cg").picture, m.picture);
        EXPECT_TRUE(host.played("1.wav", 0));
    }
}

}  // namespace
}  // namespace kotou
