#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "shell/Inventory.h"
#include "shell/Messages.h"
#include "shell/Screens.h"
#include "state/SaveFile.h"

namespace kotou {

namespace {

namespace fs = std::filesystem;

// A scratch game folder per test, with or without its dat folder.
fs::path scratchDir(bool withDat) {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir = fs::path(KOTOU_TEST_OUTPUT) / "shell" / info->name();
    fs::remove_all(dir);
    fs::create_directories(withDat ? dir / "dat" : dir);
    return dir;
}

struct ScreensTest : testing::Test {
    HeadlessHost host;
    ScriptedRandom rng;
    Game g{host, rng};

    ScreensTest() {
        buildForm(g.form);
        registerGameHandlers(g.handlers);
        host.attach(g);
        FormCreate(g);
        host.clearRecords();
    }
    bool visible(const char* name) const { return g.form.at(name).visible; }
    void press(const char* name) {
        ASSERT_NE(g.handlers.find(name), nullptr) << name;
        dispatch(g, name);
    }
    // A game in progress at the command panel.
    void startPlaying() {
        initNewGame(g.s);
        g.s.runtime.clickState = 1;
        g.s.currentCharacter = 1;
        g.form.hide("start_box");
        g.form.show("com_box");
    }
};

TEST_F(ScreensTest, CreationShowsTheTitleScreenWithPanelsInPlace) {
    HeadlessHost fresh;
    ScriptedRandom noDraws;
    Game h(fresh, noDraws);
    buildForm(h.form);
    FormCreate(h);
    EXPECT_EQ(h.s.runtime.clickState, 1);
    EXPECT_EQ(fresh.music, std::vector<std::string>{"title.mid"});
    EXPECT_TRUE(h.form.at("start_box").visible);
    EXPECT_EQ(h.form.at("start_box").left, 0);
    EXPECT_FALSE(h.form.at("com_box").visible);
    EXPECT_EQ(h.form.at("title_cg").picture, "cg/title.jpg");
    EXPECT_EQ(h.form.at("bak_cg_com").picture, "cg/haikei5.jpg");
    EXPECT_EQ(h.form.at("lv_haikei").picture, "cg/haikei.jpg");
    EXPECT_EQ(h.form.at("Form1").width, 640);
    EXPECT_EQ(h.form.at("Form1").height, 506);
    for (const char* panel : {"com_box", "list_box", "sounan_box", "lv_up_box", "name_box"}) {
        EXPECT_EQ(h.form.at(panel).left, 124) << panel;
        EXPECT_EQ(h.form.at(panel).top, 4) << panel;
    }
    EXPECT_EQ(h.form.at("select_box").left, 124);
    EXPECT_EQ(h.form.at("select_box").top, 250);
}

// Every name of the game's registry is a component of the window, and a name
// registered twice stops the start-up naming it.
TEST_F(ScreensTest, EveryRegisteredHandlerNamesAComponentOfTheWindow) {
    HandlerRegistry r;
    registerGameHandlers(r);
    for (const auto& [name, entry] : r.all()) EXPECT_NE(g.form.find(name), kNoComponent) << name;
    try {
        registerShellHandlers(r);
        FAIL() << "a second registration was accepted";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "handler registered twice: Button2");
    }
}

TEST_F(ScreensTest, TitleAnimationCyclesFiveFramesAndWrapsAtThirty) {
    std::vector<std::string> frames;
    for (int i = 0; i < 31; ++i) {
        Timer2Timer(g);
        frames.push_back(g.form.at("qz_cg").picture);
    }
    EXPECT_EQ(frames[0], "cg/qz2.jpg");   // titleFrame 1
    EXPECT_EQ(frames[3], "cg/qz5.jpg");   // 4
    EXPECT_EQ(frames[4], "cg/qz1.jpg");   // 5
    EXPECT_EQ(frames[28], "cg/qz5.jpg");  // 29
    EXPECT_EQ(frames[29], "cg/qz1.jpg");  // wrapped to 0
    EXPECT_EQ(g.s.runtime.titleFrame, 1);

    g.form.hide("start_box");
    Timer2Timer(g);
    EXPECT_EQ(g.s.runtime.titleFrame, 1);
}

TEST_F(ScreensTest, NewGameAnsweredNoChangesNothing) {
    g.s.dayNumber = 17;
    const GameState before = g.s;
    host.confirmAnswers = {false};
    press("Button2");
    EXPECT_EQ(g.s, before);
    EXPECT_TRUE(visible("start_box"));
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "1.wav"}, {0, "no.wav"}}));
    ASSERT_EQ(host.confirms.size(), 1u);
    EXPECT_EQ(host.confirms[0],
              "データを初期化し、はじめからケームを開始します。\r"
              "これまでのデータがある場合は全て消去されますがよろしいですか");
}

TEST_F(ScreensTest, NewGameAnsweredYesStartsCharacterCreation) {
    g.s.dayNumber = 17;
    press("Button2");
    GameState expected;
    initNewGame(expected);
    expected.currentCharacter = 1;
    expected.runtime = g.s.runtime;
    expected.score = g.s.score;
    EXPECT_EQ(g.s, expected);
    EXPECT_EQ(g.s.runtime.clickState, 1);
    EXPECT_EQ(g.s.runtime.statPointsLeft, 6);
    EXPECT_EQ(g.s.runtime.levelUpMode, 1);
    EXPECT_FALSE(visible("start_box"));
    EXPECT_TRUE(visible("lv_up_box"));
    EXPECT_EQ(g.form.at("Form1").color, (Rgb{0, 0, 0}));
    EXPECT_EQ(g.form.at("pic").picture, "cg/ルル.jpg");
    EXPECT_EQ(host.lastMessage(), "キャラクターを製作します。能力値を振り分けてください");
    EXPECT_EQ(host.music, std::vector<std::string>{"voice.mid"});
    EXPECT_TRUE(host.played("start.wav", 0));
}

// The reset keeps the window's own values: a window closed while the question
// was up stays closing, and the title frame stays where it was.
TEST_F(ScreensTest, NewGameKeepsAClosingWindowClosingAndTheTitleFrame) {
    g.s.runtime.clickState = -1;
    g.s.runtime.titleFrame = 17;
    press("Button2");
    EXPECT_TRUE(visible("lv_up_box"));
    EXPECT_EQ(g.s.runtime.clickState, -1);
    EXPECT_EQ(g.s.runtime.titleFrame, 17);
}

TEST_F(ScreensTest, ContinueResumesAStrandedCharacterOnTheStrandedPanel) {
    const fs::path dir = scratchDir(true);
    GameState saved;
    initNewGame(saved);
    saved.currentCharacter = 2;
    saved.weather = kRain;
    saved.ch(2).strandedPhase = 3;
    saveGame(saved, dir, "得点：0点");
    host.setBaseDir(dir);

    press("Button12");
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(g.s.currentCharacter, 2);
    EXPECT_FALSE(visible("start_box"));
    EXPECT_TRUE(visible("sounan_box"));
    EXPECT_FALSE(visible("com_box"));
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景・遭難.bmp");
    EXPECT_EQ(g.form.at("pic").picture, "cg/嵐.jpg");
    EXPECT_EQ(host.lastMessage(), "どうしますか？");
    EXPECT_TRUE(host.music.empty());
}

TEST_F(ScreensTest, ContinueResumesAtTheCommandPanel) {
    const fs::path dir = scratchDir(true);
    GameState saved;
    initNewGame(saved);
    saved.currentCharacter = 4;
    saveGame(saved, dir, "得点：0点");
    host.setBaseDir(dir);

    press("Button12");
    EXPECT_TRUE(visible("com_box"));
    EXPECT_FALSE(visible("sounan_box"));
    EXPECT_EQ(g.form.at("Form1").color, (Rgb{0, 0, 0}));  // as after a new game
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景.bmp");
    EXPECT_EQ(g.form.at("pic").picture, "cg/残響.jpg");
}

TEST_F(ScreensTest, ContinueWithoutAUsableSaveKeepsTheTitleAndTheState) {
    struct Case {
        const char* what;
        std::string bytes;  // empty: no file at all
    };
    GameState unplayable;
    unplayable.currentCharacter = 9;
    for (const Case& c : {Case{"missing", ""}, Case{"not a number", "12\r\nabc\r\n"},
                          Case{"no playable character", formatSave(unplayable)}}) {
        SCOPED_TRACE(c.what);
        const fs::path dir = scratchDir(true);
        if (!c.bytes.empty()) std::ofstream(dir / "dat" / "my.dat", std::ios::binary) << c.bytes;
        host.setBaseDir(dir);
        host.clearRecords();
        g.s.dayNumber = 5;
        const GameState before = g.s;

        press("Button12");
        ASSERT_EQ(host.errors.size(), 1u);
        EXPECT_NE(host.errors[0].find("dat/my.dat"), std::string::npos) << host.errors[0];
        EXPECT_EQ(g.s, before);
        EXPECT_TRUE(visible("start_box"));
        EXPECT_FALSE(visible("com_box"));
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST_F(ScreensTest, ExploreRefusesTyphoonBeforeIllness) {
    startPlaying();
    g.s.weather = kTyphoon;
    g.s.ch(1).illness = 2;
    press("BitBtn1");
    EXPECT_EQ(host.lastMessage(), "台風のため、探索ができません");
    EXPECT_TRUE(visible("com_box"));
    EXPECT_FALSE(visible("tansaku_box"));

    g.s.weather = kClear;
    press("BitBtn1");
    EXPECT_EQ(host.lastMessage(), "病気のため、探索ができません");
    EXPECT_FALSE(visible("tansaku_box"));

    g.s.ch(1).illness = 0;
    press("BitBtn1");
    EXPECT_TRUE(visible("tansaku_box"));
    EXPECT_FALSE(visible("com_box"));
    EXPECT_EQ(g.form.at("tansaku_box").left, g.form.at("com_box").left);
    EXPECT_EQ(host.sounds.size(), 3u);
}

TEST_F(ScreensTest, PanelsOpenAndBackButtonsReturnOneLevel) {
    startPlaying();
    showScene(g, "x.jpg");
    press("BitBtn2");
    EXPECT_TRUE(visible("cook_box"));
    g.form.hide("cook_box");
    g.form.show("uminosati_box");
    press("BitBtn7");
    EXPECT_TRUE(visible("cook_box"));
    EXPECT_FALSE(visible("uminosati_box"));
    EXPECT_FALSE(visible("cg"));
    press("BitBtn13");
    EXPECT_TRUE(visible("com_box"));
    EXPECT_FALSE(visible("cook_box"));

    press("BitBtn3");
    g.form.hide("seisaku_box");
    g.form.show("sozai_box");
    press("BitBtn19");
    EXPECT_TRUE(visible("seisaku_box"));
    EXPECT_FALSE(visible("sozai_box"));

    press("BitBtn32");
    press("BitBtn35");
    EXPECT_TRUE(visible("item_box"));
    EXPECT_FALSE(visible("com_box"));
    press("BitBtn39");
    EXPECT_TRUE(visible("nomal_item_box"));
    EXPECT_FALSE(visible("item_box"));
    press("BitBtn36");  // the usable-items panel leads back to the item menu
    EXPECT_FALSE(visible("nomal_item_box"));
    EXPECT_TRUE(visible("item_box"));
}

TEST_F(ScreensTest, InventoryListsReplaceTheItemMenuAndComeBack) {
    startPlaying();
    g.s.stoneCount = 4;
    g.s.appleCount = 2;
    g.s.worldFlags[15] = g.s.worldFlags[16] = 1;  // the two inventory books made
    g.form.hide("com_box");
    g.form.show("item_box");
    press("sizai_list_b");
    EXPECT_TRUE(visible("list_box"));
    EXPECT_FALSE(visible("item_box"));
    EXPECT_EQ(g.form.at("list_l").caption, "□資材一覧");
    EXPECT_EQ(g.form.at("list").items, inventoryLines(g.s, InventoryList::Materials));
    EXPECT_EQ(g.form.at("list").items.size(), 1u);

    g.form.show("item_box");
    press("syokuzai_list_b");  // a second list replaces the lines of the first
    EXPECT_EQ(g.form.at("list_l").caption, "□食材一覧");
    EXPECT_EQ(g.form.at("list").items, inventoryLines(g.s, InventoryList::Food));

    g.form.show("listen_b");
    press("list");
    press("BitBtn40");
    EXPECT_FALSE(visible("list_box"));
    EXPECT_FALSE(visible("listen_b"));
    EXPECT_TRUE(visible("item_box"));
    EXPECT_TRUE(host.played("key.wav", 0));
}

TEST_F(ScreensTest, SaveWithExactlyThreeActionPointsStoresZero) {
    const fs::path dir = scratchDir(true);
    host.setBaseDir(dir);
    startPlaying();
    g.s.ch(1).actionPoints = 3;
    press("BitBtn20");
    EXPECT_EQ(g.s.ch(1).actionPoints, 0);
    EXPECT_EQ(host.lastMessage(), "セーブしました。");
    EXPECT_TRUE(host.played("save.wav", 0));
    EXPECT_TRUE(fs::exists(dir / "記録.txt"));
    GameState loaded;
    loadGame(loaded, dir);
    EXPECT_EQ(loaded.ch(1).actionPoints, 0);
    EXPECT_EQ(loaded.currentCharacter, 1);
}

TEST_F(ScreensTest, SaveRefusedWithTwoActionPointsAndFailureIsReported) {
    const fs::path dir = scratchDir(false);  // no dat folder: the save cannot be written
    host.setBaseDir(dir);
    startPlaying();
    g.s.ch(1).actionPoints = 2;
    g.form.show("sounan_box");
    press("BitBtn41");
    EXPECT_EQ(host.lastMessage(), "行動力が足りません");
    EXPECT_EQ(g.s.ch(1).actionPoints, 2);
    EXPECT_TRUE(host.sounds.empty());

    g.s.ch(1).actionPoints = 5;
    press("BitBtn20");
    EXPECT_EQ(g.s.ch(1).actionPoints, 2);
    EXPECT_EQ(host.errors.size(), 1u);
    EXPECT_FALSE(host.saw("セーブしました。"));
}

TEST_F(ScreensTest, CharacterIndexOutOfRangeIsHarmless) {
    startPlaying();
    g.s.currentCharacter = 7;
    press("BitBtn20");
    press("BitBtn1");
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(ScreensTest, IslandNameIsCheckedStoredAndConfirmed) {
    startPlaying();
    g.form.show("name_box");
    g.form.setCaption(g.form.id("name_l"), "");
    press("Button11");
    EXPECT_EQ(host.lastMessage(), "名前を入力してね");
    EXPECT_TRUE(visible("name_box"));

    for (const char* bad : {"島\r名", "🌴"}) {
        g.form.setCaption(g.form.id("name_l"), bad);
        press("Button11");
        EXPECT_TRUE(visible("name_box"));
        EXPECT_EQ(g.s.islandName, "");
    }

    rng.push(0);
    g.form.setCaption(g.form.id("name_l"), "ルル");
    press("Button11");
    EXPECT_EQ(g.s.islandName, "ルル");
    EXPECT_FALSE(visible("name_box"));
    EXPECT_TRUE(visible("kousaku_box"));
    EXPECT_EQ(host.lastMessage(), "この島の名前を『ルル島』と決めた！");
    EXPECT_EQ(host.clicks, 1);
    EXPECT_TRUE(host.played("key2.wav", 0));
}

TEST_F(ScreensTest, ClosingTheHostWindowEndsWaits) {
    host.closeWindow();
    EXPECT_EQ(g.s.runtime.clickState, -1);
    waitForClick(g);
    EXPECT_EQ(host.clicks, 0);
}

}  // namespace
}  // namespace kotou
