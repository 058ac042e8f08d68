// A lost character's turns, the rescue by a partner, and the radio.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "field/Radio.h"
#include "game/GameHandlers.h"
#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "shell/Screens.h"
#include "shell/StatusRefresh.h"
#include "state/Text.h"
#include "tests/support/Files.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

struct StrandedTest : test::RulesTest {
    StrandedTest() {
        host.silentClicks = true;
        for (int k = 1; k <= kCharacterCount; ++k) {
            g.s.ch(k).maxActionPoints = g.s.ch(k).actionPoints = 40;
            g.s.ch(k).maxStamina = g.s.ch(k).stamina = 40;
        }
    }
    Character& ruru() { return g.s.ch(1); }
    void strand(int k, int32_t phase) { g.s.ch(k).strandedPhase = phase; }
    int32_t& intimacy(int a, int b) {
        return g.s.pairIntimacy[static_cast<size_t>(pairIndex(a, b))];
    }
    bool shown(const char* name) const { return g.form.visible(name); }
};

TEST_F(StrandedTest, SearchingTheSurroundingsFindsAndOnceRevealsTheCliff) {
    strand(1, 10);
    g.form.show("sounan_box");
    ruru().actionPoints = 2;
    press("BitBtn8");
    EXPECT_EQ(host.lastMessage(), "行動力が足りません");
    EXPECT_TRUE(rng.requests().empty());

    ruru().actionPoints = 6;
    rng.push({1, 0, 0, 0});  // a sea catch: one 海藻; the cliff
    press("BitBtn8");
    EXPECT_EQ(g.s.seaweedCount, 1);
    EXPECT_EQ(g.s.worldFlags[9], 1);
    EXPECT_TRUE(host.saw("島の最果てまで来てしまったようだ・・・・"));
    EXPECT_EQ(host.lastMessage(), "ＭＡＰ【崖】を発見した！");
    EXPECT_TRUE(host.played("place.wav", 1));
    EXPECT_EQ(host.clicks, 2);
    EXPECT_EQ(ruru().actionPoints, 3);
    EXPECT_EQ(ruru().stamina, 39);
    EXPECT_TRUE(shown("sounan_box"));

    host.clearRecords();
    rng.push({0, 2, 4, 0, 2, 0, 0, 0});  // 3 七つ実; 1 ピンク兎 (draw 2 is an animal)
    press("BitBtn8");
    ruru().actionPoints = 3;
    press("BitBtn8");
    EXPECT_EQ(g.s.sevenFruitCount, 3);
    EXPECT_EQ(g.s.pinkRabbitCount, 1);
    EXPECT_FALSE(host.saw("崖"));
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{3, 2, 6, 15, 3, 3, 5, 15, 3, 2, 6, 15}));
}

TEST_F(StrandedTest, TenCallsForHelpBringTheCharacterBack) {
    strand(1, 10);
    g.form.show("sounan_box");
    for (int i = 1; i <= 9; ++i) press("BitBtn10");
    EXPECT_EQ(ruru().strandedPhase, 1);
    EXPECT_TRUE(shown("sounan_box"));
    EXPECT_EQ(host.messageTexts().back(), "【遭難フェイズ】が1減った");
    press("BitBtn10");
    EXPECT_EQ(ruru().strandedPhase, 0);
    EXPECT_EQ(ruru().actionPoints, 10);
    EXPECT_EQ(ruru().stamina, 30);
    EXPECT_EQ(host.lastMessage(), "ルルは、みんなに救助され無事もどることが出来た！！");
    EXPECT_EQ(host.clicks, 21);
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景.bmp");
    EXPECT_TRUE(shown("com_box"));
    EXPECT_FALSE(shown("sounan_box"));
    // Not stranded any more: the button does nothing at all.
    host.clearRecords();
    g.form.show("sounan_box");
    press("BitBtn10");
    EXPECT_TRUE(host.sounds.empty());
    // Short of action points: refused.
    strand(1, 3);
    ruru().actionPoints = 2;
    press("BitBtn10");
    EXPECT_EQ(host.lastMessage(), "行動力が足りません");
    EXPECT_EQ(ruru().strandedPhase, 3);
}

TEST_F(StrandedTest, TheRescuePanelOffersOnlyTheOthersWhoAreLost) {
    strand(1, 4);  // the current character is lost too, but cannot rescue itself
    strand(2, -1);
    strand(3, 1);
    strand(4, 1);
    intimacy(1, 2) = 7;
    refreshStatus(g);
    g.form.show("com_box");
    press("kyuujyo_b");
    EXPECT_FALSE(shown("kyu_ruru_b"));
    EXPECT_FALSE(shown("kyu_arashi_b"));
    EXPECT_TRUE(shown("kyu_spark_b"));
    EXPECT_TRUE(shown("kyu_zankyou_b"));
    EXPECT_TRUE(shown("kyuujyo_box"));
    EXPECT_EQ(host.lastMessage(),
              "誰を救助しますか？（要：行動10・親密度10）\r" + g.form.at("cominu_l").caption);
    EXPECT_TRUE(host.saw("嵐の親密度：7"));
    press("BitBtn43");
    EXPECT_TRUE(shown("sounan_box"));
    strand(1, 0);
    g.form.show("kyuujyo_box");
    press("BitBtn43");
    EXPECT_TRUE(shown("com_box"));
    EXPECT_FALSE(shown("kyuujyo_box"));
}

TEST_F(StrandedTest, ARescueNeedsIntimacyFirstThenPointsAndNeverOvershoots) {
    strand(3, 10);
    g.form.show("kyuujyo_box");
    g.form.show("kyu_spark_b");
    intimacy(1, 3) = 9;
    ruru().actionPoints = 0;
    press("kyu_spark_b");
    EXPECT_EQ(host.lastMessage(), "スパークとの親密度が低過ぎて、救助はできません");
    intimacy(1, 3) = 10;
    ruru().actionPoints = 9;
    press("kyu_spark_b");
    EXPECT_EQ(host.lastMessage(), "行動力が足りません");
    EXPECT_TRUE(rng.requests().empty());

    ruru().actionPoints = 20;
    rng.push(1);
    press("kyu_spark_b");
    EXPECT_TRUE(host.saw("ルルはスパークの救助に向かった！"));
    EXPECT_EQ(host.count("・・・・・・・・・・・・・・・・・・・・・・・・・・・・・・・・・"), 1);
    EXPECT_EQ(host.lastMessage(), "スパークの遭難フェイズが4減った");
    EXPECT_EQ(g.s.ch(3).strandedPhase, 6);
    EXPECT_EQ(ruru().actionPoints, 10);
    EXPECT_TRUE(host.played("ok.wav", 2));
    EXPECT_TRUE(shown("kyuujyo_box"));

    strand(3, 2);
    rng.push(0);
    press("kyu_spark_b");
    EXPECT_EQ(g.s.ch(3).strandedPhase, 0);
    EXPECT_EQ(host.lastMessage(), "ルルはスパークを無事救助し、連れ返った！！！");
    EXPECT_TRUE(host.played("3.wav", 0));
    EXPECT_TRUE(shown("com_box"));
    EXPECT_FALSE(shown("kyuujyo_box"));
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{2, 2}));

    // Nobody to rescue: the target is home, or is the rescuer itself.
    host.clearRecords();
    g.form.show("kyu_ruru_b");
    strand(1, 5);
    for (const char* b : {"kyu_spark_b", "kyu_ruru_b"}) press(b);
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(ruru().actionPoints, 0);
}

TEST_F(StrandedTest, EachRescueButtonRescuesItsOwnCharacter) {
    const char* buttons[] = {"kyu_ruru_b", "kyu_arashi_b", "kyu_spark_b", "kyu_zankyou_b"};
    for (int target = 1; target <= kCharacterCount; ++target) {
        SCOPED_TRACE(target);
        g.s.currentCharacter = target % kCharacterCount + 1;
        intimacy(g.s.currentCharacter, target) = 10;
        strand(target, 1);
        g.form.show("kyuujyo_box");
        g.form.show(buttons[target - 1]);
        rng.push(0);
        press(buttons[target - 1]);
        EXPECT_EQ(g.s.ch(target).strandedPhase, 0);
    }
}

TEST_F(StrandedTest, ALostCharacterKeepsItsPanelAcrossTheNightsAndASave) {
    struct ScriptThenSeeded : Random {
        ScriptedRandom script{9, 0, 0, 3};  // jungle: no assist; amount; hazard; lost
        DefaultRandom rest{5};
        int32_t random(int32_t n) override {
            return script.remaining() ? script.random(n) : rest.random(n);
        }
    } draws;
    HeadlessHost h(test::scratchDir("field", "stranded-save"));
    std::filesystem::create_directories(h.baseDir() / "dat");
    Game game(h, draws);
    buildForm(game.form);
    registerGameHandlers(game.handlers);
    h.attach(game);
    initNewGame(game.s);
    game.s.runtime.clickState = 1;
    game.s.worldFlags[2] = 1;
    game.s.cur().geography = 25;
    const auto press = [&](const char* name) { dispatch(game, name); };

    game.form.show("tansaku_box");
    press("jungle_b");
    ASSERT_EQ(game.s.cur().strandedPhase, 10);
    press("BitBtn16");
    for (int k = 2; k <= 4; ++k) {
        ASSERT_EQ(game.s.currentCharacter, k);
        ASSERT_TRUE(game.form.visible("com_box"));
        press("BitBtn5");
    }
    EXPECT_EQ(game.s.currentCharacter, 1);
    EXPECT_TRUE(game.form.visible("sounan_box"));
    EXPECT_FALSE(game.form.visible("com_box"));
    EXPECT_EQ(game.form.at("bak").picture, "cg/背景・遭難.bmp");

    game.s.cur().actionPoints = 5;
    press("BitBtn41");
    ASSERT_EQ(h.lastMessage(), "セーブしました。");
    initNewGame(game.s);
    game.form.hide("sounan_box");
    press("Button12");
    EXPECT_EQ(game.s.ch(1).strandedPhase, 10);
    EXPECT_TRUE(game.form.visible("sounan_box"));
    EXPECT_EQ(game.form.at("bak").picture, "cg/背景・遭難.bmp");
}

TEST_F(StrandedTest, TheRadioPlaysTheSelectedChannel) {
    const std::vector<std::pair<std::string, std::string>> oldRadio = {
        {"誰もいない浜辺　　", "title.mid"},   {"夜　　　　　　　　", "yoru.mid"},
        {"雨　　　　　　　　", "ame.mid"},     {"戦い　　　　　　　", "battle.mid"},
        {"僕等のやり方　　　", "bokura.mid"},  {"サバイバル  　　　", "svival.mid"},
        {"草木を掻き分けて　", "tanken.mid"},  {"潮香る午後　  　　", "tanken2.mid"},
        {"輝く時間　　  　　", "tanken3.mid"}, {"結ばれてゆく絆　　", "tanken4.mid"},
        {"声　　　　　　　　", "voice.mid"}};
    g.s.radioState = 1;
    g.form.show("item_box");
    press("radio_b");
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{0, "1.wav"}}));
    EXPECT_FALSE(shown("item_box"));
    EXPECT_TRUE(shown("list_box"));
    EXPECT_TRUE(shown("listen_b"));
    EXPECT_EQ(g.form.at("list_l").caption, "□古びたラジオチャンネル");
    const ComponentId list = g.form.id("list");
    ASSERT_EQ(g.form.at(list).items.size(), oldRadio.size());
    for (size_t i = 0; i < oldRadio.size(); ++i) {
        EXPECT_EQ(g.form.at(list).items[i], oldRadio[i].first);
        g.form.setSelected(list, static_cast<int>(i));
        press("listen_b");
        EXPECT_EQ(host.music.back(), oldRadio[i].second);
    }
    EXPECT_TRUE(host.played("save.wav", 0));

    // Nothing selected: only the click.
    g.s.radioState = 2;
    g.form.show("item_box");
    press("radio_b");
    ASSERT_EQ(g.form.at(list).items.size(), 23u);
    host.clearRecords();
    press("listen_b");
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{0, "1.wav"}}));
    EXPECT_TRUE(host.music.empty());
    g.form.setSelected(list, 22);
    press("listen_b");
    EXPECT_EQ(host.music, std::vector<std::string>{"radio12.mid"});
    // The improved channels are distinct lines the list can show.
    const auto& items = g.form.at(list).items;
    EXPECT_EQ(std::set<std::string>(items.begin(), items.end()).size(), items.size());
    for (size_t i = 11; i < 23; ++i) {
        const std::string& line = g.form.at(list).items[i];
        EXPECT_LE(cp932Length(line), 34u) << line;
        char music[16];
        std::snprintf(music, sizeof music, "radio%02zu.mid", i - 10);
        EXPECT_STREQ(radioChannels(2)[i].music, music);
    }
}

}  // namespace
}  // namespace kotou
