#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

struct MessagesTest : testing::Test {
    HeadlessHost host;
    ScriptedRandom rng;
    Game g{host, rng};

    MessagesTest() {
        buildForm(g.form);
        host.attach(g);
        g.s.runtime.clickState = 1;
    }
    std::string caption() const { return g.form.at("moji_l").caption; }
    // Records the message caption at every event pass.
    std::vector<std::string> steps;
    void recordSteps() {
        host.onProcessEvents = [this](Game& game) {
            steps.push_back(game.form.at("moji_l").caption);
        };
    }
};

TEST_F(MessagesTest, OddByteLengthGetsOneHalfWidthSpace) {
    showMessage(g, "abc");
    EXPECT_EQ(caption(), "abc ");
    showMessage(g, "aあ");  // 3 bytes
    EXPECT_EQ(caption(), "aあ ");
    showMessage(g, "行動力");  // 6 bytes: unchanged
    EXPECT_EQ(caption(), "行動力");
    EXPECT_EQ(host.lastMessage(), "行動力");
}

TEST_F(MessagesTest, RevealAddsOneByteAStepAndTwoStepsPerFullWidthCharacter) {
    recordSteps();
    showMessage(g, "aあい");  // 5 bytes, padded to 6
    EXPECT_EQ(steps, (std::vector<std::string>{"", "a", "a", "aあ", "aあ", "aあい", "aあい "}));
    EXPECT_EQ(host.repaints, 7);
    EXPECT_EQ(host.sleptMs, 7);
    EXPECT_EQ(caption(), "aあい ");
}

TEST_F(MessagesTest, AppendJoinsWithCarriageReturnButNotOnAnEmptyMessage) {
    g.form.setCaption(g.form.id("moji_l"), "");
    recordSteps();
    appendMessage(g, "ab");
    EXPECT_EQ(caption(), "ab");
    EXPECT_EQ(steps.front(), "");
    steps.clear();
    appendMessage(g, "いう");
    EXPECT_EQ(caption(), "ab\rいう");
    EXPECT_EQ(steps, (std::vector<std::string>{"ab\r", "ab\r", "ab\rい", "ab\rい", "ab\rいう"}));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(host.messages[1].appended);
    EXPECT_EQ(host.messages[1].text, "いう");
}

TEST_F(MessagesTest, AMessageShownAtOnceSkipsTheRevealButIsReported) {
    recordSteps();
    showMessageAtOnce(g, "ルルは攻撃した！");
    EXPECT_EQ(caption(), "ルルは攻撃した！");
    EXPECT_TRUE(steps.empty());  // no reveal passes
    EXPECT_EQ(host.repaints, 1);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "ルルは攻撃した！");
    EXPECT_FALSE(host.messages[0].appended);
}

TEST_F(MessagesTest, ClickDuringRevealIsSilentAndTheNextWaitStillWaits) {
    host.autoClick = false;
    int passes = 0;
    host.onProcessEvents = [&](Game& game) {
        ++passes;
        // A click on every pass of the reveal: no draw (rng has none), no sound.
        clickToContinue(game);
    };
    showMessage(g, "あいう");
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(g.s.runtime.clickState, 1);

    passes = 0;
    host.onProcessEvents = [&](Game& game) {
        if (++passes == 50) clickToContinue(game);
    };
    rng.push(0);
    waitForClick(g);
    EXPECT_EQ(passes, 50);
    EXPECT_EQ(g.s.runtime.clickState, 1);
    EXPECT_FALSE(g.form.at("click_l").visible);
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{2, "1.wav"}}));
}

TEST_F(MessagesTest, ClosingDuringAWaitEndsItAndLaterMessagesReturnAtOnce) {
    host.autoClick = false;
    int passes = 0;
    host.onProcessEvents = [&](Game& game) {
        if (game.s.runtime.clickState == 0 && ++passes == 10) FormClose(game);
    };
    waitForClick(g);
    EXPECT_EQ(passes, 10);
    EXPECT_EQ(g.s.runtime.clickState, -1);
    EXPECT_FALSE(g.form.at("click_l").visible);

    const int64_t repaints = host.repaints, events = host.eventPasses;
    showMessage(g, "もう表示されない");
    appendMessage(g, "これも");
    waitForClick(g);
    EXPECT_EQ(host.repaints, repaints);
    EXPECT_EQ(host.eventPasses, events);
    EXPECT_NE(caption(), "もう表示されない");
    // A stray click after closing does not reopen the waits.
    clickToContinue(g);
    EXPECT_EQ(g.s.runtime.clickState, -1);
}

TEST_F(MessagesTest, ClosingDuringARevealStopsIt) {
    host.onProcessEvents = [](Game& game) { FormClose(game); };
    showMessage(g, "長いメッセージ");
    EXPECT_EQ(host.repaints, 1);
}

TEST_F(MessagesTest, MarkerPulsesThroughEightStepsAroundAFixedCentre) {
    host.autoClick = false;
    struct Seen {
        int size, left, top;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    int passes = 0;
    host.onProcessEvents = [&](Game& game) {
        ++passes;
        const Component& m = game.form.at("click_l");
        EXPECT_TRUE(m.visible);
        if (seen.empty() || !(seen.back() == Seen{m.fontSize, m.left, m.top}))
            seen.push_back({m.fontSize, m.left, m.top});
        // The headless host lets the step's time pass at every pass: the
        // first pass shows the marker as it was, each later one a step.
        if (passes == 10) clickToContinue(game);  // one cycle and one step
    };
    rng.push(1);
    const Component before = g.form.at("click_l");
    waitForClick(g);
    const std::vector<Seen> cycle = {{13, 12, 458}, {15, 10, 457}, {17, 8, 456}, {19, 6, 455},
                                     {21, 4, 454},  {19, 6, 455},  {17, 8, 456}, {15, 10, 457}};
    std::vector<Seen> expected = {{before.fontSize, before.left, before.top}};
    expected.insert(expected.end(), cycle.begin(), cycle.end());
    expected.push_back(cycle.front());
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{3, "1.wav"}}));
}

TEST_F(MessagesTest, ClickChannelComesFromOneDraw) {
    rng.push({1, 0});
    g.s.runtime.clickState = 0;
    clickToContinue(g);
    g.s.runtime.clickState = 0;
    clickToContinue(g);
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{3, "1.wav"}, {2, "1.wav"}}));
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{2, 2}));
    EXPECT_EQ(g.s.runtime.clickState, 1);
    // Without a wait: no draw, no sound.
    clickToContinue(g);
    EXPECT_EQ(host.sounds.size(), 2u);
}

TEST_F(MessagesTest, AutomaticHostEndsEveryWaitWithOneClick) {
    rng.push({0, 1});
    showMessage(g, "一");
    waitForClick(g);
    waitForClick(g);
    EXPECT_EQ(host.clicks, 2);
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(MessagesTest, SilentAutomaticWaitsDrawNothing) {
    host.silentClicks = true;
    waitForClick(g);
    waitForClick(g);
    EXPECT_EQ(host.clicks, 2);
    EXPECT_TRUE(rng.requests().empty());
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_EQ(g.s.runtime.clickState, 1);
}

TEST_F(MessagesTest, MusicAndSoundCues) {
    playMusic(g, "tanken.mid");
    playMusic(g, "");
    playMusic(g, "not");
    EXPECT_EQ(host.music, (std::vector<std::string>{"tanken.mid", "not"}));

    host.failSounds = true;
    playSound(g, 1, "missing.wav");
    playMusic(g, "missing.mid");
    playSound(g, 4, "bad-channel.wav");  // outside the four channels: ignored
    EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{1, "missing.wav"}}));
}

TEST_F(MessagesTest, PicturesGoToTheirComponents) {
    showScene(g, "背景・寝る.jpg");
    EXPECT_TRUE(g.form.at("cg").visible);
    EXPECT_EQ(g.form.at("cg").picture, "cg/背景・寝る.jpg");
    showScene(g, "");
    EXPECT_FALSE(g.form.at("cg").visible);

    showPortrait(g, "ルル");
    EXPECT_EQ(g.form.at("pic").picture, "cg/ルル.jpg");
    showPortrait(g, "");
    EXPECT_EQ(g.form.at("pic").picture, "");

    showPicture(g, "石.jpg");
    EXPECT_EQ(g.form.at("cg2").picture, "cg/石.jpg");
    showPicture(g, "");
    EXPECT_EQ(g.form.at("cg2").picture, "");

    loadBackground(g, "背景・雨");
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景・雨.bmp");
    ASSERT_FALSE(host.pictures.empty());
    EXPECT_EQ(host.pictures.back().component, "bak");
}

TEST_F(MessagesTest, TranscriptListsEventsInOrder) {
    host.keepTranscript = true;
    rng.push(0);
    playSound(g, 0, "1.wav");
    showMessage(g, "あ");
    waitForClick(g);
    EXPECT_EQ(host.transcriptText(), "sound 0 1.wav\n> あ\nclick\nsound 2 1.wav\n");
}

}  // namespace
}  // namespace kotou

namespace kotou {
namespace {

// A host whose player shows messages whole at once (the 瞬間 text speed).
struct InstantHost : HeadlessHost {
    bool revealAtOnce() const override { return true; }
};

// Showing messages whole changes only the drawing: the message, what the
// transcript records and the random draws of the clicks stay the same.
TEST(MessagesAtOnce, ChangeOnlyTheSteps) {
    auto play = [](HeadlessHost& host, std::vector<std::string>& steps) {
        ScriptedRandom rng{1, 0};  // the two clicks' sound channels
        Game g{host, rng};
        buildForm(g.form);
        host.attach(g);
        host.keepTranscript = true;
        host.onProcessEvents = [&](Game& game) { steps.push_back(game.form.at("moji_l").caption); };
        g.s.runtime.clickState = 1;
        showMessage(g, "【ルル】『おはよう』");
        waitForClick(g);
        appendMessage(g, "今日は晴れ");
        waitForClick(g);
        EXPECT_EQ(rng.remaining(), 0u);
        return std::pair(g.form.at("moji_l").caption, host.transcriptText());
    };
    HeadlessHost normal;
    InstantHost instant;
    std::vector<std::string> stepsNormal, stepsInstant;
    EXPECT_EQ(play(normal, stepsNormal), play(instant, stepsInstant));
    EXPECT_GT(stepsNormal.size(), 20u);
    EXPECT_LT(stepsInstant.size(), 10u);
}

}  // namespace
}  // namespace kotou
