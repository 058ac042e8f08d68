// The escape plan's builds, the escape, the final farewell and the clear
// screen, played through the handlers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ending/Ending.h"
#include "game/GameHandlers.h"
#include "shell/StatusRefresh.h"
#include "state/RecordsFile.h"
#include "state/SaveFile.h"
#include "state/Text.h"
#include "story/Story.h"
#include "tests/support/Files.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

class Ending : public test::RulesTest {
  protected:
    Ending() {
        host.silentClicks = true;
        dir = test::scratchDir("ending",
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir / "dat");
        host.setBaseDir(dir);
        g.s.storyPhase = 16;
    }

    void openPlan() {
        g.form.show("com_box");
        refreshStatus(g);
        press("dassyutu_b");
        refreshStatus(g);
        ASSERT_TRUE(g.form.at("dassyutu_box").visible);
    }

    fs::path dir;
};

// Tools and a stock of every material, so each build's remaining line shows
// different numbers.
void stock(GameState& s) {
    s.hasSaw = s.hasAxe = s.hasNeedle = 1;
    s.lumberCount = 8, s.driftwoodCount = 9, s.vineCount = 10, s.hideCount = 11;
    s.rainStoneCount = 2, s.ironCount = 3, s.glowMossCount = 4, s.obsidianCount = 6;
    s.dropCount = 2, s.magicStoneCount = 3, s.boneCount = 4, s.branchCount = 5;
}

TEST_F(Ending, EachBuildTestsItsActionPointsAndSkillAndBuildsOneStage) {
    const struct {
        const char* button;
        const char* thing;
        int32_t actionPoints;
        int32_t Character::*skill;
        int32_t skillNeeded;
        const char* skillRefusal;
        int32_t chance;  // of the skill point afterwards
        int32_t stress;
        size_t progress;
        int32_t goal;
        const char* remaining;
        const char* completion;
        const char* growth;
    } cases[] = {
        {"ikada_b", "イカダ", 10, &Character::strength, 25,
         "製作に必要なパラメーター【腕力】が低過ぎます", 4, 6, 0, 2,
         "（残：材木1、流木4、つる4、皮8）", "イカダがついに完成した！！！！！！",
         "【腕力】が1アップした！→26"},
        {"all_b", "オール", 5, &Character::dexterity, 25,
         "製作に必要なパラメーター【器用さ】が低過ぎます", 4, 5, 1, 2, "（残：流木7、雨石1、鉄2）",
         "オールがついに全て揃った！！！！！！", "【器用さ】が1アップした！→26"},
        {"singou_b", "信号灯", 7, &Character::botany, 10,
         "製作に必要なパラメーター【植物学】が低過ぎます", 6, 7, 2, 3,
         "（残：ヒカリゴケ1、黒曜石1）", "信号灯がついに完成した！！！！！！",
         "【植物学】が1アップした！→11"},
        {"buki_b", "武器", 5, &Character::dexterity, 20,
         "製作に必要なパラメーター【器用さ】が低過ぎます", 4, 7, 3, 4,
         "（残：雫1、魔法石2、骨3、枝2）", "武器がついに完成した！！！！！！",
         "【器用さ】が1アップした！→21"},
    };
    const std::string dots = "・・・・・・・・・・・・・・・・・・・";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        // Steps: one action point short, one skill point short, the first
        // stage at exactly both, the last stage with the skill point won.
        for (int step = 0; step < 4; ++step) {
            initNewGame(g.s);
            g.s.runtime.clickState = 1;
            g.s.currentCharacter = 1;
            g.s.storyPhase = 16;
            stock(g.s);
            Character& lulu = g.s.cur();
            lulu.actionPoints = c.actionPoints - (step == 0 ? 1 : 0);
            lulu.*c.skill = c.skillNeeded - (step == 1 ? 1 : 0);
            lulu.stress = lulu.hygiene = 50;
            lulu.stamina = 5;
            const bool last = step == 3;
            if (last) g.s.escape[c.progress] = c.goal - 1;
            if (step >= 2) rng.push(last ? 0 : 1);
            const size_t draws = rng.requests().size();
            openPlan();
            host.clearRecords();
            const GameState before = g.s;
            press(c.button);
            EXPECT_TRUE(g.form.at("dassyutu_box").visible);
            if (step < 2) {
                EXPECT_EQ(host.messageTexts(),
                          (std::vector<std::string>{step == 0 ? "製作に必要な行動力が低過ぎます"
                                                              : c.skillRefusal}));
                EXPECT_TRUE(g.s == before);
                continue;
            }
            ASSERT_EQ(rng.requests().size(), draws + 1);
            EXPECT_EQ(rng.requests().back(), c.chance);
            EXPECT_EQ(lulu.actionPoints, 0);
            EXPECT_EQ(lulu.stress, 50 - c.stress);
            EXPECT_EQ(lulu.stamina, 4);
            EXPECT_EQ(lulu.hygiene, 45);
            EXPECT_EQ(g.s.escape[c.progress], last ? c.goal : 1);
            EXPECT_EQ(g.form.at("cg").picture, "cg/背景・脱出.jpg");
            std::vector<HeadlessHost::Sound> sounds = {{0, "1.wav"}, {2, "hanmer.wav"}};
            std::vector<std::string> lines = {
                std::string("ルルは「") + c.thing + "」の製作に取りかかった！", dots, dots,
                std::string("★") + c.thing + "　＞　" + num(g.s.escape[c.progress]) + "/" +
                    num(c.goal),
                c.remaining};
            if (last) {
                sounds.push_back({3, "seisaku.wav"});
                lines.push_back(c.completion);
                lines.push_back(c.growth);
                // The button goes with the last stage, materials or not.
                refreshStatus(g);
                EXPECT_FALSE(g.form.at(c.button).visible);
            }
            EXPECT_EQ(host.sounds, sounds);
            EXPECT_EQ(host.messageTexts(), lines);
        }
    }
}

TEST_F(Ending, ABuildClickCountsOnlyWhileItsPanelIsUp) {
    stock(g.s);
    g.s.cur().actionPoints = g.s.cur().maxActionPoints = 30;
    g.s.cur().strength = 30;
    press("ikada_b");  // the panel is not open
    EXPECT_TRUE(host.sounds.empty());

    openPlan();
    host.clearRecords();
    int secondClicks = 0;
    host.onProcessEvents = [&](Game&) {
        if (secondClicks++ == 0) press("ikada_b");  // while the first build runs
    };
    rng.push(1);
    press("ikada_b");
    EXPECT_EQ(g.s.progress(EscapePart::Raft), 1);
    EXPECT_EQ(g.s.lumberCount, 1);
    EXPECT_EQ(g.s.cur().actionPoints, 20);

    // 戻る puts the picture away and brings the command panel back.
    press("BitBtn34");
    EXPECT_EQ(host.sounds.back(), (HeadlessHost::Sound{0, "1.wav"}));
    EXPECT_FALSE(g.form.at("dassyutu_box").visible);
    EXPECT_FALSE(g.form.at("cg").visible);
    EXPECT_TRUE(g.form.at("com_box").visible);
}

// From the escape button to the closed window: the last chapter, the closest
// pair's farewell, the clear screen and both files.
TEST_F(Ending, TheEscapeEndsOnTheClearScreenAndClosesTheWindow) {
    // Everything built, teamwork 60 with 嵐–スパーク closest, chapter 17.
    g.s.escape = {2, 2, 3, 4};
    g.s.pairIntimacy = {5, 5, 5, 30, 5, 10};
    g.s.storyPhase = 17;
    g.s.dayNumber = 140;
    g.s.cur().illness = 2;
    g.s.cur().poison = 1;
    openPlan();
    bool marksSeen = false;
    host.onProcessEvents = [&](Game& game) {
        if (!game.s.runtime.endingStarted) return;
        for (const char* mark : {"ill_l", "poison_l", "turn_name_l", "point_l"})
            marksSeen = marksSeen || game.form.at(mark).visible;
    };
    host.clearRecords();
    press("clear_b");
    ASSERT_GE(host.messages.size(), 2u);
    EXPECT_EQ(host.sounds.front(), (HeadlessHost::Sound{0, "start.wav"}));
    EXPECT_EQ(host.messages[0].text, "とうとう脱出をはかった！！！");
    EXPECT_NE(host.messages[1].text.find("ゴルドス"), std::string::npos);
    EXPECT_EQ(g.s.storyPhase, 24);  // 嵐–スパーク
    EXPECT_TRUE(g.form.at("select_box").visible);
    EXPECT_FALSE(g.form.at("dassyutu_box").visible);
    EXPECT_EQ(g.form.at("select_b2").caption, "アニキ、守ってくれてありがとな。オレ、忘れねえ");

    host.clearRecords();
    press("select_b2");
    EXPECT_FALSE(marksSeen);
    const int score = g.s.score;
    const std::vector<std::string> expected = {
        "【スパーク】『アニキ、守ってくれてありがとな。オレ、忘れねえ』",
        "【嵐】『礼はいらん。お前も、俺の背中を守ってくれた』",
        "【スパーク】『……へへっ。な、泣いてねえからな！　潮風が目にしみただけだ！』",
        "【嵐】『わかってる。……元気でな、スパーク。お前は、俺の自慢の弟分だ』",
        "★★★　クリア　★★★",
        "クリアタイム：140日目",
        "（これまでの最短記録：140日）",
        "得点：" + num(score) + "点",
        "（これまでの最高得点：" + num(score) + "点）",
        "ベストカップルリング：スパーク×嵐",
        "ここまでゲームしてくれてありがとうございました☆",
        "ＴＨＥ ＥＮＤ",
    };
    EXPECT_EQ(host.messageTexts(), expected);
    EXPECT_EQ(host.closeRequests, 1);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(g.form.at("pic").picture, "");
    EXPECT_EQ(g.form.at("cg2").picture, "");

    const GameState saved = loadSaveImage(test::readAll(dir / "dat" / "my.dat"), GameState{});
    EXPECT_EQ(saved.storyPhase, 24);
    EXPECT_EQ(saved.bestDays, 140);
    EXPECT_EQ(saved.bestScore, score);
    EXPECT_EQ(saved.bestCoupleText, "スパーク×嵐");
    const std::string records = fromCp932(test::readAll(recordsFilePath(dir)));
    EXPECT_NE(records.find("\r\nﾍﾞｽﾄｶｯﾌﾟﾘﾝｸﾞ：スパーク×嵐\r\n"), std::string::npos) << records;
    EXPECT_NE(records.find("140日目（最短記録140日）"), std::string::npos) << records;
}

TEST(BestCouple, TheFarewellDecidesWhichNameComesFirst) {
    const struct {
        int phase, option, first, second;
    } cases[] = {
        {21, 0, 1, 2}, {21, 1, 2, 1}, {22, 0, 1, 3}, {22, 1, 3, 1},  {23, 0, 1, 4}, {23, 1, 4, 1},
        {24, 0, 2, 3}, {24, 1, 3, 2}, {25, 0, 2, 4}, {25, 1, 4, 2},  {26, 0, 3, 4}, {26, 1, 4, 3},
        {20, 0, 0, 0}, {27, 1, 0, 0}, {21, 2, 0, 0}, {26, -1, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bestCoupleOf(c.phase, c.option), (std::array<int32_t, 2>{c.first, c.second}))
            << c.phase << "/" << c.option;
    GameState s;
    initNewGame(s);
    EXPECT_EQ(characterName(s, 3), "スパーク");
    EXPECT_EQ(characterName(s, 0), "");
    EXPECT_EQ(characterName(s, 5), "");
}

TEST_F(Ending, InEveryFinalPhaseTheButtonsBeginTheFarewell) {
    for (int phase = 21; phase <= 26; ++phase) {
        g.s.storyPhase = phase;
        g.form.show("select_box");
        refreshStatus(g);
        press(phase % 2 == 0 ? "select_b1" : "select_b2");
        EXPECT_EQ(g.s.storyPhase, phase);  // no chapter ended, no next day
        EXPECT_EQ(host.closeRequests, phase - 20);
    }
}

TEST_F(Ending, AFarewellOutsideTheFinalChoiceDoesNothing) {
    for (const auto& [phase, option] : {std::pair{20, 0}, {27, 1}, {24, 2}}) {
        g.s.storyPhase = phase;
        playFarewell(g, option);
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.closeRequests, 0);
}

TEST(BestCouple, TheBestsKeepTheShortestTimeAndTheHighestScore) {
    const struct {
        int32_t bestDays, day, days;
        int32_t bestScore, score, best;
    } cases[] = {
        {9999, 40, 40, 0, 7, 7},   // the first clear
        {30, 40, 30, 50, 49, 50},  // slower and lower: the bests stay
        {40, 40, 40, 50, 50, 50},  // equal
        {41, 40, 40, 50, 51, 51},  // one day faster, one point more
        {1, 40, 1, 0, 0, 0},       // a one-day record stays
        {0, 40, 40, 0, 0, 0},      // no time stored
        {-3, 40, 40, -5, 0, 0},
    };
    for (const auto& c : cases) {
        GameState s;
        s.bestDays = c.bestDays;
        s.dayNumber = c.day;
        s.bestScore = c.bestScore;
        s.score = c.score;
        recordBests(s);
        EXPECT_EQ(s.bestDays, c.days) << c.bestDays;
        EXPECT_EQ(s.bestScore, c.best) << c.bestScore;
    }
}

// Nothing waits for the player after the clear screen, so a save that fails
// is reported and the game still ends.
TEST_F(Ending, AFailedSaveStillFinishesTheClearScreen) {
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only save" : "no dat folder");
        host.clearRecords();
        g.s.runtime.clickState = 1;
        g.s.dayNumber = readOnly ? 9999 : 1;
        g.s.runtime.bestCoupleFirst = 4;
        g.s.runtime.bestCoupleSecond = 7;  // not a character: no name
        if (readOnly) {
            test::writeAll(dir / "dat" / "my.dat", "old");
            fs::permissions(dir / "dat" / "my.dat", fs::perms::owner_write,
                            fs::perm_options::remove);
        } else {
            fs::remove_all(dir / "dat");
        }
        showClearScreen(g);
        EXPECT_EQ(host.errors.size(), 1u);
        EXPECT_TRUE(host.saw("ベストカップルリング：残響×"));
        // 9999 days cannot be told from no record; one day is the shortest.
        EXPECT_EQ(host.saw("（これまでの最短記録：1日）"), !readOnly);
        EXPECT_EQ(host.saw("これまでの最短記録"), !readOnly);
        EXPECT_EQ(host.lastMessage(), "ＴＨＥ ＥＮＤ");
        EXPECT_EQ(host.closeRequests, 1);
    }
}

}  // namespace
}  // namespace kotou
