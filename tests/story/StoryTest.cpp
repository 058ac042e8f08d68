// The story nights: when a chapter plays, what it shows, how it ends, the
// night choices and the choice of the final pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "daycycle/Handlers.h"
#include "daycycle/LevelUp.h"
#include "daycycle/Night.h"
#include "shell/Availability.h"
#include "shell/StatusRefresh.h"
#include "state/SaveFile.h"
#include "story/Script.h"
#include "story/Story.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

class Story : public test::RulesTest {
  protected:
    Story() : RulesTest(registerStoryHandlers) {
        registerDaycycleHandlers(g.handlers);
        host.silentClicks = true;
        host.keepTranscript = true;
    }

    // The fourth character's night of `day` has just ended in clear weather
    // (the night hides the command panel).
    void nightOf(int day, int phase) {
        g.form.hide("com_box");
        g.s.dayNumber = day;
        g.s.storyPhase = phase;
        g.s.currentCharacter = 4;
        g.s.weather = kClear;
    }
    // The draws of the next day: clear weather, no event, a tune.
    void nextDayDraws() { rng.push({3, 7, 1}); }

    // The transcript from the first line containing `from` to the first
    // following line containing `to`, both included.
    std::vector<std::string> transcriptBetween(const std::string& from, const std::string& to) {
        const auto& t = host.transcript;
        auto first = std::find_if(t.begin(), t.end(), [&](const std::string& l) {
            return l.find(from) != std::string::npos;
        });
        auto last = std::find_if(
            first, t.end(), [&](const std::string& l) { return l.find(to) != std::string::npos; });
        if (last != t.end()) ++last;
        return {first, last};
    }

    std::string caption(const char* name) const { return g.form.at(name).caption; }
};

TEST_F(Story, ChapterZeroPlaysOnTheSixthClearNightAndTheNextDayFollows) {
    nightOf(6, 0);
    nextDayDraws();
    endTurn(g);

    const std::vector<std::string> head = transcriptBetween("music yoru.mid", "> 【嵐】");
    EXPECT_EQ(head,
              (std::vector<std::string>{"music yoru.mid", "picture bak cg/背景・夜.bmp", "click",
                                        "picture pic cg/嵐.jpg", "picture cg2 cg/ルル.jpg",
                                        "> " + lineText(chapterAt(0)->steps[0])}));
    // Six lines with a click each, then the pictures are cleared before the
    // closing click, and the day goes on.
    EXPECT_EQ(
        transcriptBetween(lineText(chapterAt(0)->steps[5]), "picture bak"),
        (std::vector<std::string>{"> " + lineText(chapterAt(0)->steps[5]), "click", "picture pic ",
                                  "picture cg2 ", "click", "picture bak cg/背景.bmp"}));
    EXPECT_EQ(host.count("】『"), 6);
    EXPECT_EQ(g.s.storyPhase, 1);
    EXPECT_EQ(g.s.dayNumber, 7);
    EXPECT_EQ(g.s.currentCharacter, 1);
    EXPECT_TRUE(g.form.at("com_box").visible);
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{6, 8, 5}));  // only the new day draws
}

// Only the fourth night of every sixth clear day with chapters left plays
// one, and never while the window closes; any other night goes straight on.
TEST_F(Story, TheChapterWaitsForTheRightNight) {
    const struct {
        int character, day;
        Weather weather;
        int phase;
        bool closing, plays;
    } cases[] = {
        {4, 12, kClear, 5, false, true}, {4, 18, kClear, 17, false, true},
        {3, 6, kClear, 0, false, false}, {4, 7, kClear, 0, false, false},
        {4, 12, kRain, 1, false, false}, {4, 120, kClear, 20, false, false},
        {4, 6, kClear, 0, true, false},
    };
    for (const auto& c : cases) {
        host.clearRecords();
        g.s.currentCharacter = c.character;
        g.s.dayNumber = c.day;
        g.s.weather = c.weather;
        g.s.storyPhase = c.phase;
        g.s.runtime.clickState = c.closing ? -1 : 1;
        const bool nextDay = c.character == 4 && !c.closing;
        if (nextDay) nextDayDraws();
        endTurn(g);
        EXPECT_EQ(!host.music.empty() && host.music.front() == "yoru.mid", c.plays) << c.day;
        EXPECT_EQ(g.s.storyPhase, c.phase + (c.plays ? 1 : 0)) << c.day;
        EXPECT_EQ(g.s.dayNumber, c.day + (nextDay ? 1 : 0)) << c.day;
        EXPECT_EQ(rng.remaining(), 0u) << c.day;
    }
}

// The level-up panel of the fourth night comes first; the chapter follows
// once its points are given.
TEST_F(Story, AChapterFollowsTheNightsLevelUp) {
    nightOf(6, 4);
    g.s.runtime.levelUpMode = kLevelUpNight;
    g.s.runtime.statPointsLeft = 1;
    g.form.show("lv_up_box");
    nextDayDraws();
    press("Button3");
    EXPECT_FALSE(g.form.at("lv_up_box").visible);
    EXPECT_EQ(g.s.storyPhase, 5);
    EXPECT_EQ(g.s.dayNumber, 7);
    EXPECT_TRUE(host.saw("器用さは必ず上がる"));
}

TEST_F(Story, ChapterSeventeenOpensTheMusicShop) {
    nightOf(102, 17);
    refreshStatus(g);
    EXPECT_FALSE(commandAvailable(g.s, g.form, "organ_b"));
    nextDayDraws();
    endTurn(g);
    EXPECT_EQ(g.s.worldFlags[10], 1);
    EXPECT_TRUE(commandAvailable(g.s, g.form, "organ_b"));
    EXPECT_TRUE(g.form.at("organ_b").visible);
    // The newcomer is ？？？ until the last line gives the name.
    const int unknown = host.indexOf("【？？？】");
    const int named = host.indexOf("【オルガン】");
    ASSERT_GE(unknown, 0);
    EXPECT_EQ(named,
              static_cast<int>(host.messages.size()) - 3);  // then ≪ルルのターン≫, どうしますか？
    EXPECT_EQ(host.count("【オルガン】"), 1);
}

// Chapters 18 and 19 stop at their question until a button is pressed.
// Either button plays its own scene, and both leave the same game behind: the
// story one phase on, the next day begun.
TEST_F(Story, TheNightChoicesWaitForAButtonAndBothLeadToTheSameState) {
    const struct {
        int phase;
        const char* question;
        const char* first;
        const char* second;
    } cases[] = {{18, "☆だれの寝床へ行きますか？", "嵐の寝床へ", "スパークの寝床へ"},
                 {19, "☆どこへ行きますか？", "残響の寝床へ", "海辺へ"}};
    for (const auto& c : cases) {
        std::vector<std::string> saves, scenes;
        for (const char* button : {"select_b1", "select_b2"}) {
            initNewGame(g.s);
            g.s.runtime.clickState = 1;
            host.clearRecords();
            nightOf(108, c.phase);
            endTurn(g);
            EXPECT_EQ(host.lastMessage(), c.question);
            EXPECT_EQ(host.sounds.back(), (HeadlessHost::Sound{0, "key3.wav"}));
            EXPECT_TRUE(g.form.effectivelyVisible(g.form.id("select_b1")));
            EXPECT_EQ(caption("select_b1"), c.first);
            EXPECT_EQ(caption("select_b2"), c.second);
            EXPECT_EQ(host.count("】『"), 1);  // ルル's one line
            EXPECT_EQ(g.form.at("cg2").picture, "");
            EXPECT_EQ(g.s.storyPhase, c.phase);
            EXPECT_EQ(g.s.dayNumber, 108);
            EXPECT_FALSE(g.form.at("com_box").visible);

            host.clearRecords();
            nextDayDraws();
            press(button);
            EXPECT_FALSE(g.form.at("select_box").visible);
            EXPECT_EQ(host.sounds.front(), (HeadlessHost::Sound{0, "key2.wav"}));
            EXPECT_EQ(g.s.storyPhase, c.phase + 1);
            EXPECT_EQ(g.s.dayNumber, 109);
            EXPECT_TRUE(g.form.at("com_box").visible);
            saves.push_back(formatSave(g.s));
            scenes.push_back(host.messageTexts().front());
        }
        EXPECT_EQ(saves[0], saves[1]) << c.phase;
        EXPECT_NE(scenes[0], scenes[1]) << c.phase;
    }
}

TEST_F(Story, TheButtonsDoNothingWhileTheChoiceIsNotShown) {
    nightOf(108, 18);
    press("select_b1");
    press("select_b2");
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(g.s.storyPhase, 18);

    // A second click after the first hid the panel (messages pump events).
    endTurn(g);
    host.clearRecords();
    nextDayDraws();
    int secondClicks = 0;
    host.onProcessEvents = [&](Game& game) {
        if (secondClicks == 0 && game.s.runtime.clickState == 0) {
            ++secondClicks;
            select_b2Click(game);
        }
    };
    press("select_b1");
    host.onProcessEvents = nullptr;
    EXPECT_EQ(secondClicks, 1);
    EXPECT_EQ(
        std::count(host.sounds.begin(), host.sounds.end(), HeadlessHost::Sound{0, "key2.wav"}), 1);
    EXPECT_EQ(g.s.storyPhase, 19);
    EXPECT_EQ(g.s.dayNumber, 109);
}

TEST_F(Story, AButtonInAnotherPhaseOnlyEndsTheChapter) {
    nightOf(30, 5);
    g.form.show("select_box");
    nextDayDraws();
    press("select_b2");
    EXPECT_EQ(g.s.storyPhase, 6);
    EXPECT_EQ(g.s.dayNumber, 31);
    EXPECT_FALSE(host.saw("】『"));

    // The final phases (21..26) lead into the ending (tests/ending); either
    // side of them the chapter ends.
    for (int phase : {20, 27}) {
        g.s.storyPhase = phase;
        g.s.currentCharacter = 4;
        const int day = g.s.dayNumber;
        g.form.show("select_box");
        nextDayDraws();
        press("select_b1");
        EXPECT_EQ(g.s.storyPhase, phase + 1) << phase;
        EXPECT_EQ(g.s.dayNumber, day + 1) << phase;
        EXPECT_FALSE(g.form.at("select_box").visible);
    }
}

// A save may hold any phase; one without a chapter just ends.
TEST_F(Story, APhaseWithoutAChapterEndsAtOnce) {
    for (int phase : {-3, 21, 1000}) {
        host.clearRecords();
        g.s.storyPhase = phase;
        g.s.currentCharacter = 4;
        nextDayDraws();
        playNightEvent(g);
        EXPECT_EQ(g.s.storyPhase, phase + 1);
        EXPECT_FALSE(host.saw("】『"));
        EXPECT_EQ(host.pictures.front().component, "pic");
    }
}

TEST(FinalPair, HighestIntimacyWinsAndTiesFollowTheTournament) {
    const struct {
        std::array<int32_t, kPairCount> values;
        int pair;
    } cases[] = {
        {{0, 0, 0, 0, 0, 0}, 4},  // everything tied: 嵐–残響
        {{9, 0, 0, 0, 0, 0}, 0},       {{0, 9, 0, 0, 0, 0}, 1},   {{0, 0, 9, 0, 0, 0}, 2},
        {{0, 0, 0, 9, 0, 0}, 3},       {{0, 0, 0, 0, 9, 0}, 4},   {{0, 0, 0, 0, 0, 9}, 5},
        {{40, 0, 0, 0, 40, 0}, 4},  // ルル–嵐 and 嵐–残響 tied
        {{40, 40, 0, 0, 0, 0}, 0},  // ルル–嵐 and ルル–スパーク tied
        {{0, 0, 0, 40, 0, 40}, 5},  // スパーク–残響 beats an equal 嵐–スパーク
        {{0, 0, 0, 0, 40, 40}, 4},     {{40, 0, 0, 0, 0, 40}, 5}, {{0, 40, 40, 0, 0, 0}, 1},
        {{0, 0, 40, 40, 0, 0}, 2},     {{0, 40, 0, 40, 0, 0}, 1}, {{30, 31, 31, 30, 0, 30}, 1},
        {{50, 49, 0, 0, 49, 50}, 5},   {{1, 2, 3, 4, 5, 4}, 4},   {{100, 0, 0, 0, 99, 0}, 0},
        {{0, 100, 100, 0, 100, 0}, 4},
    };
    for (const auto& c : cases) {
        GameState s;
        s.pairIntimacy = c.values;
        EXPECT_EQ(finalPair(s), c.pair)
            << c.values[0] << "," << c.values[1] << "," << c.values[2] << "," << c.values[3] << ","
            << c.values[4] << "," << c.values[5];
    }
}

// The escape chapter: its lines, the giant picture at natural size, the last
// background stretched over a black window, then the final pair's choice.
TEST_F(Story, TheEscapeEndsInTheFinalPairsChoice) {
    g.s.storyPhase = kEscapeChapter;
    g.s.pairIntimacy = {30, 35, 10, 35, 0, 20};
    bool giantAtNaturalSize = false;
    host.onProcessEvents = [&](Game& game) {
        const Component& bak = game.form.at("bak");
        if (bak.picture == "cg/ゴルドス2.jpg") giantAtNaturalSize = !bak.stretch;
    };
    playNightEvent(g);
    EXPECT_TRUE(giantAtNaturalSize);

    EXPECT_EQ(host.music, (std::vector<std::string>{"yoru.mid", "title.mid"}));
    // The chapter's forty lines (five narrations), then the final pair's
    // narration and five lines.
    EXPECT_EQ(host.messages.size(), 46u);
    EXPECT_EQ(host.count("】『"), 40);
    EXPECT_EQ(
        std::count(host.sounds.begin(), host.sounds.end(), HeadlessHost::Sound{2, "baku.wav"}), 1);
    EXPECT_EQ(transcriptBetween("picture bak cg/ゴルドス2.jpg", "> "),
              (std::vector<std::string>{
                  "picture bak cg/ゴルドス2.jpg",
                  "> " + spokenLine("スパーク", "おい、でっかいの！　ルルを返してもらうぜ！")}));
    EXPECT_EQ(transcriptBetween("sound 0 baku.wav", "picture bak cg/背景・最後.bmp"),
              (std::vector<std::string>{"sound 0 baku.wav", "picture bak ",
                                        "picture bak cg/背景・最後.bmp"}));
    EXPECT_TRUE(g.form.at("bak").stretch);
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景・最後.bmp");
    EXPECT_EQ(g.form.at("Form1").color, (Rgb{0, 0, 0}));

    // 嵐–スパーク and ルル–スパーク tie at 35: the earlier pair of the first
    // round wins.
    EXPECT_EQ(g.s.storyPhase, 22);
    EXPECT_TRUE(g.form.at("select_box").visible);
    EXPECT_EQ(host.sounds.back(), (HeadlessHost::Sound{0, "key3.wav"}));
    EXPECT_EQ(g.form.at("pic").picture, "cg/ルル.jpg");
    EXPECT_EQ(g.form.at("cg2").picture, "cg/スパーク.jpg");
    EXPECT_EQ(rng.requests().size(), 0u);
}

}  // namespace
}  // namespace kotou
