#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "companions/CommunicationScenes.h"
#include "shell/StatusRefresh.h"
#include "state/Text.h"
#include "story/Scene.h"
#include "story/Script.h"
#include "tests/companions/CompanionTest.h"

namespace kotou {
namespace {

using companions::NightActivity;

struct CommunicationTest : test::CompanionTest {
    CommunicationTest() { g.s.worldFlags[14] = 1; }
    void open(int current = 1) {
        g.s.currentCharacter = current;
        g.form.show("com_box");
        press("cominu_b");
    }
    // Trailing draws for the night that follows a night activity.
    void nightDraws() {
        for (int i = 0; i < 200; ++i) rng.push(0);
    }
};

std::string dots18() {
    std::string s;
    for (int i = 0; i < 18; ++i) s += "・";
    return s;
}

TEST_F(CommunicationTest, ThresholdActivitiesShowOnceAnyPairReachesThem) {
    struct Case {
        int32_t best;  // the highest value, held by a pair without the current character
        bool explore, walk, bed;
    };
    const Case cases[] = {{9, false, false, false}, {10, true, false, false},
                          {19, true, false, false}, {20, true, true, false},
                          {29, true, true, false},  {30, true, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.best);
        intimacy(3, 4) = c.best;
        open(1);
        EXPECT_EQ(visible("tanken_b"), c.explore);
        EXPECT_EQ(visible("yoru_b"), c.walk);
        EXPECT_EQ(visible("nedoko_b"), c.bed);
        EXPECT_TRUE(visible("cominu_box"));
        EXPECT_TRUE(visible("cominu_box2"));
        EXPECT_FALSE(visible("who_box"));
        EXPECT_FALSE(visible("com_box"));
        press("BitBtn26");
        EXPECT_TRUE(visible("com_box"));
        EXPECT_FALSE(visible("cominu_box"));
    }
}

TEST_F(CommunicationTest, NameButtonsFollowThePairOfTheCurrentCharacter) {
    // For スパーク the 残響 button follows スパーク–残響; for 残響 the スパーク
    // button follows the same value.
    intimacy(3, 4) = 20;
    intimacy(1, 3) = 19;
    intimacy(2, 3) = 30;
    intimacy(1, 4) = 25;
    intimacy(2, 4) = 5;
    struct Case {
        int current;
        bool ruru, arashi, spark, zankyou;
    };
    for (const Case& c : {Case{4, true, false, true, false}, Case{3, false, true, false, true}}) {
        SCOPED_TRACE(c.current);
        open(c.current);
        g.s.cur().actionPoints = 20;
        press("yoru_b");
        ASSERT_TRUE(visible("who_box"));
        EXPECT_EQ(g.form.at("who_box").caption, "誰と夜の散歩に？");
        EXPECT_EQ(host.lastMessage(), "誰と夜の散歩に行きますか？");
        EXPECT_EQ(enabled("who_ruru_b"), c.ruru);
        EXPECT_EQ(enabled("who_arashi_b"), c.arashi);
        EXPECT_EQ(enabled("who_spark_b"), c.spark);
        EXPECT_EQ(enabled("who_zankyou_b"), c.zankyou);
        // Cancel, then a talk: the names keep the night walk's state.
        host.clearRecords();
        press("Button17");
        EXPECT_TRUE(host.played("1.wav", 1));
        EXPECT_TRUE(visible("cominu_box2"));
        EXPECT_FALSE(visible("who_box"));
        press("BitBtn33");
        EXPECT_EQ(g.form.at("who_box").caption, "誰と話す？");
        EXPECT_EQ(enabled("who_ruru_b"), c.ruru);
        EXPECT_EQ(enabled("who_zankyou_b"), c.zankyou);
        press("BitBtn26");
    }
    // Opening the panel again enables every other name (ルル was off).
    open(3);
    EXPECT_TRUE(enabled("who_ruru_b"));
    EXPECT_TRUE(enabled("who_arashi_b"));
    EXPECT_FALSE(enabled("who_spark_b"));
    EXPECT_TRUE(enabled("who_zankyou_b"));
}

TEST_F(CommunicationTest, ThresholdActivitiesEnableTheNamesFromTheirThreshold) {
    struct Case {
        const char* button;
        int32_t threshold;
    };
    for (const Case& c : {Case{"tanken_b", 10}, Case{"yoru_b", 20}, Case{"nedoko_b", 30}}) {
        SCOPED_TRACE(c.button);
        intimacy(1, 2) = c.threshold - 1;
        intimacy(1, 3) = c.threshold;
        intimacy(2, 4) = 30;  // shows every threshold activity
        open(1);
        ch(1).actionPoints = 30;
        press(c.button);
        EXPECT_FALSE(enabled("who_arashi_b"));
        EXPECT_TRUE(enabled("who_spark_b"));
        EXPECT_FALSE(enabled("who_zankyou_b"));
        press("BitBtn26");
    }
}

TEST_F(CommunicationTest, ActivitiesRefuseTooFewPointsAndTheWrongWeather) {
    for (int p = 0; p < kPairCount; ++p) g.s.pairIntimacy[static_cast<size_t>(p)] = 30;
    g.s.worldFlags[43] = 1;
    refreshStatus(g);
    const char* points = "行動力が足りません";
    const char* weather = "この天候では探検に出かけられません";
    struct Case {
        const char* button;
        int32_t points;
        int32_t weather;
        const char* refusal;  // nullptr: the names open
    };
    const Case cases[] = {
        {"BitBtn33", 3, kTyphoon, points}, {"BitBtn33", 4, kTyphoon, nullptr},
        {"asobu_b", 6, kClear, points},    {"asobu_b", 7, kRain, nullptr},
        {"tanken_b", 9, kClear, points},   {"tanken_b", 10, kClear, nullptr},
        {"tanken_b", 10, kRain, weather},  {"tanken_b", 10, kDrought, weather},
        {"yoru_b", 19, kClear, points},    {"yoru_b", 20, kDrought, nullptr},
        {"yoru_b", 20, kRain, weather},    {"yoru_b", 20, kTyphoon, weather},
        {"nedoko_b", 29, kClear, points},  {"nedoko_b", 30, kTyphoon, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " " + std::to_string(c.points));
        open(1);
        g.s.weather = c.weather;
        g.s.cur().actionPoints = c.points;
        press(c.button);
        EXPECT_EQ(visible("who_box"), c.refusal == nullptr);
        EXPECT_EQ(visible("cominu_box2"), c.refusal != nullptr);
        if (c.refusal) {
            EXPECT_EQ(host.lastMessage(), c.refusal);
        }
        EXPECT_EQ(g.s.cur().actionPoints, c.points);
        press("BitBtn26");
    }
}

TEST_F(CommunicationTest, TalkSpendsItsPointsRaisesStressAndIntimacyAndComesBack) {
    open(1);
    ch(1).actionPoints = 4;
    ch(1).stress = 50;
    intimacy(1, 2) = 5;
    press("BitBtn33");
    host.clearRecords();
    rng.push({2, 1});  // relief 2 + 2, no time sand
    press("who_arashi_b");
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"ルルは嵐と楽しく会話した", dots18(), dots18(),
                                        "【ストレス】が4回復した", "嵐との【親密度】が1上がった"}));
    EXPECT_EQ(rng.requests(), (std::vector<int32_t>{3, 6}));
    EXPECT_EQ(ch(1).actionPoints, 0);
    EXPECT_EQ(ch(1).stress, 54);
    EXPECT_EQ(intimacy(1, 2), 6);
    EXPECT_EQ(g.s.runtime.talkPartner, 2);
    EXPECT_TRUE(host.played("talk.wav", 1));
    EXPECT_TRUE(host.played("1.wav", 3));
    ASSERT_FALSE(host.pictures.empty());
    EXPECT_EQ(host.pictures.front().file, "cg/嵐.jpg");
    EXPECT_EQ(g.form.at("cg2").picture, "");
    EXPECT_TRUE(visible("cominu_box"));
    EXPECT_TRUE(visible("cominu_box2"));
    EXPECT_FALSE(visible("who_box"));
    // No points left: the next talk is refused.
    press("BitBtn33");
    EXPECT_EQ(host.lastMessage(), "行動力が足りません");
}

TEST_F(CommunicationTest, PlayAndExploreTakeTheirTollAndExploreFindsTwoFruits) {
    g.s.worldFlags[43] = 1;
    intimacy(1, 3) = 99;
    open(1);
    ch(1).actionPoints = 17;
    ch(1).stamina = 10;
    ch(1).stress = 50;
    ch(1).hygiene = 50;
    press("asobu_b");
    rng.push(1);
    press("who_spark_b");
    EXPECT_EQ(host.lastMessage(), "スパークとの【親密度】が2上がった");
    EXPECT_EQ(ch(1).actionPoints, 10);
    EXPECT_EQ(ch(1).stamina, 9);
    EXPECT_EQ(ch(1).stress, 45);
    // 99 + 2 reads 101 until the status refresh caps it.
    EXPECT_EQ(intimacy(1, 3), 101);
    refreshStatus(g);
    EXPECT_EQ(intimacy(1, 3), 100);
    EXPECT_NE(g.form.at("cominu_l").caption.find("ルルとスパークの親密度：100"), std::string::npos);

    press("tanken_b");
    host.clearRecords();
    g.s.appleCount = 1;
    rng.push({2, 0, 0, 4, 0});  // 3 りんご, 1 七つ実, a time sand
    press("who_spark_b");
    EXPECT_EQ(g.s.appleCount, 4);
    EXPECT_EQ(g.s.sevenFruitCount, 1);
    EXPECT_EQ(g.s.timeSandCount, 1);
    EXPECT_EQ(ch(1).actionPoints, 0);
    EXPECT_EQ(ch(1).stamina, 8);
    EXPECT_EQ(ch(1).hygiene, 45);
    EXPECT_EQ(intimacy(1, 3), 100);  // the time sand's message refreshed the status
    EXPECT_TRUE(host.played("bird.wav", 2));
    EXPECT_EQ(host.pictures[1].file, "cg/背景・探検.bmp");
    EXPECT_TRUE(host.saw("スパークとの【親密度】が1上がった"));
    EXPECT_TRUE(visible("cominu_box2"));
}

TEST_F(CommunicationTest, NightWalkEndsTheDayWithPointsLeft) {
    intimacy(1, 3) = 20;
    open(1);
    ch(1).actionPoints = 50;
    ch(1).stress = 40;
    ch(1).maxStamina = 99;
    ch(1).stamina = 20;
    ch(1).hygiene = 50;
    press("yoru_b");
    host.clearRecords();
    rng.push({1, 1});  // relief 16, no time sand
    nightDraws();
    Character atGain;
    host.onProcessEvents = [&](Game& game) {
        if (host.lastMessage() == "スパークとの【親密度】が3上がった") atGain = game.s.ch(1);
    };
    press("who_spark_b");
    EXPECT_EQ(intimacy(1, 3), 23);
    EXPECT_EQ(atGain.stamina, 18);
    EXPECT_EQ(atGain.hygiene, 42);
    EXPECT_EQ(atGain.stress, 40);
    EXPECT_EQ(atGain.actionPoints, 30);
    EXPECT_TRUE(host.played("com.wav", 1));
    const int walk = host.indexOf("ルルはスパークと２人でこっそり夜の散歩に出かけた！");
    const int gain = host.indexOf("スパークとの【親密度】が3上がった");
    const int relief = host.indexOf("ルルの【ストレス】が16回復した");
    const int asleep = host.indexOf("ルルは寝床についた....");
    EXPECT_TRUE(walk >= 0 && walk < gain && gain < relief && relief < asleep);
    EXPECT_EQ(g.s.currentCharacter, 2);
    EXPECT_TRUE(host.saw("≪嵐のターン≫"));
    EXPECT_FALSE(visible("cominu_box"));
    EXPECT_TRUE(visible("com_box"));
}

TEST_F(CommunicationTest, BedVisitWakesThePartnerWhosePointsMayStayNegative) {
    intimacy(1, 3) = 98;
    open(3);
    ch(3).actionPoints = 30;
    ch(1).actionPoints = 5;
    ch(3).maxStamina = 99;
    ch(3).stamina = 20;
    ch(3).hygiene = 50;
    press("nedoko_b");
    host.clearRecords();
    rng.push({1, 5, 0});  // partner loses 10; no time sand, then one
    nightDraws();
    Character atGain;
    host.onProcessEvents = [&](Game& game) {
        if (host.lastMessage() == "ルルとの【親密度】が4上がった") atGain = game.s.ch(3);
    };
    const size_t drawsBefore = rng.requests().size();
    press("who_ruru_b");
    EXPECT_EQ(rng.requests().at(drawsBefore), 2);  // the partner's loss: 9 + 0..1
    EXPECT_EQ(atGain.stamina, 18);
    EXPECT_EQ(atGain.hygiene, 40);
    EXPECT_EQ(atGain.actionPoints, 0);
    EXPECT_TRUE(host.played("com.wav", 1));
    EXPECT_TRUE(host.saw("スパークはルルの寝床を襲った！"));
    EXPECT_TRUE(host.saw("ルルとの【親密度】が4上がった"));
    EXPECT_TRUE(host.saw("ルルの【行動力】が10減少した"));
    EXPECT_TRUE(host.saw("素材【煌く時の砂】を１コ入手した！（所持：1）"));
    EXPECT_EQ(ch(1).actionPoints, -5);  // refreshed only at ルル's own turn
    EXPECT_EQ(intimacy(1, 3), 100);     // 102, capped by the night's refresh
    EXPECT_EQ(g.s.currentCharacter, 4);
}

TEST_F(CommunicationTest, TheRoutineRunsOnlyAPendingActivityWithAnother) {
    open(1);
    ch(1).actionPoints = 10;
    g.s.runtime.talkPartner = 2;
    runCommunication(g);  // nothing chosen yet: the design caption
    press("BitBtn33");
    g.s.runtime.talkPartner = 1;
    runCommunication(g);  // with herself
    g.s.runtime.talkPartner = 0;
    runCommunication(g);
    EXPECT_EQ(ch(1).actionPoints, 10);
    EXPECT_TRUE(visible("who_box"));
    // Points lost meanwhile are checked again before anything is spent.
    ch(1).actionPoints = 3;
    press("who_arashi_b");
    EXPECT_EQ(host.lastMessage(), "行動力が足りません");
    EXPECT_EQ(ch(1).actionPoints, 3);
    EXPECT_EQ(intimacy(1, 2), 0);
    EXPECT_TRUE(visible("cominu_box2"));
}

// Who speaks, in order, and where a blushing picture appears: a letter per
// speaker (R ルル, A 嵐, S スパーク, Z 残響), "c" for the partner's blushing
// picture, "p" for the current character's.
struct SceneCase {
    int current, partner;
    NightActivity activity;
    const char* beats;
};
const SceneCase kSceneCases[] = {
    {2, 1, NightActivity::Walk, "AcR"},      {3, 1, NightActivity::Walk, "SR"},
    {4, 1, NightActivity::Walk, "ZRZ"},      {1, 2, NightActivity::Walk, "RA"},
    {3, 2, NightActivity::Walk, "SA"},       {4, 2, NightActivity::Walk, "ZA"},
    {1, 3, NightActivity::Walk, "RS"},       {2, 3, NightActivity::Walk, "SA"},
    {4, 3, NightActivity::Walk, "ZS"},       {1, 4, NightActivity::Walk, "RZ"},
    {2, 4, NightActivity::Walk, "AZ"},       {3, 4, NightActivity::Walk, "ZSZ"},
    {2, 1, NightActivity::BedVisit, "RAcR"}, {3, 1, NightActivity::BedVisit, "RScR"},
    {4, 1, NightActivity::BedVisit, "ZRZ"},  {1, 2, NightActivity::BedVisit, "RApR"},
    {3, 2, NightActivity::BedVisit, "AScA"}, {4, 2, NightActivity::BedVisit, "ZcAZ"},
    {1, 3, NightActivity::BedVisit, "SRcS"}, {2, 3, NightActivity::BedVisit, "SAcS"},
    {4, 3, NightActivity::BedVisit, "ZSpZ"}, {1, 4, NightActivity::BedVisit, "ZRZ"},
    {2, 4, NightActivity::BedVisit, "ZAcZ"}, {3, 4, NightActivity::BedVisit, "SZS"},
};

char letterOf(const std::string& name) {
    const char* letters = " RASZ";
    for (int k = 1; k <= kCharacterCount; ++k)
        if (name == kCharacterNames[static_cast<size_t>(k)]) return letters[k];
    return '?';
}

// Plays each scene through the panel, at the start of the story and near its
// end (where the later variants play), and reads back the speakers of the
// tagged lines and the blushing pictures as they came.
TEST_F(CommunicationTest, EveryNightSceneHasItsSpeakersAndBlushesInOrder) {
    const size_t cases = std::size(kSceneCases);
    for (size_t run = 0; run < 2 * cases; ++run) {
        const SceneCase& c = kSceneCases[run % cases];
        const int phase = run < cases ? 0 : 19;
        const bool walk = c.activity == NightActivity::Walk;
        SCOPED_TRACE(std::to_string(c.current) + "->" + std::to_string(c.partner) +
                     (walk ? " walk" : " bed") + " in phase " + std::to_string(phase));
        g.s.storyPhase = phase;
        for (int p = 0; p < kPairCount; ++p) g.s.pairIntimacy[static_cast<size_t>(p)] = 30;
        g.s.weather = kClear;
        g.s.dayNumber = 1;  // not a story night: only the scene plays
        g.s.runtime.levelUpMode = 0;
        open(c.current);
        g.s.cur().actionPoints = 30;
        g.s.cur().phantom = 0;
        press(walk ? "yoru_b" : "nedoko_b");
        host.clearRecords();
        host.keepTranscript = true;
        nightDraws();
        const char* names[] = {"", "who_ruru_b", "who_arashi_b", "who_spark_b", "who_zankyou_b"};
        press(names[c.partner]);
        host.keepTranscript = false;

        const std::string partnerBlush = std::string("picture cg2 cg/") +
                                         kCharacterNames[static_cast<size_t>(c.partner)] + "頬.jpg";
        const std::string selfBlush = std::string("picture pic cg/") +
                                      kCharacterNames[static_cast<size_t>(c.current)] + "頬.jpg";
        std::string got;
        for (const std::string& line : host.transcript) {
            if (line == partnerBlush) got += 'c';
            if (line == selfBlush) got += 'p';
            const size_t close = line.find("】『");
            if (line.rfind("> 【", 0) == 0 && close != std::string::npos)
                got += letterOf(line.substr(5, close - 5));
        }
        EXPECT_EQ(got, c.beats);
        // The words are the phase's variant: its last line was shown.
        const companions::SceneBeat& last =
            companions::findNightScene(c.current, c.partner, c.activity, phase)->beats.back();
        EXPECT_TRUE(
            host.saw(spokenLine(kCharacterNames[static_cast<size_t>(last.speaker)], last.words)));
        g.form.hide("lv_up_box");
    }
}

TEST_F(CommunicationTest, EverySceneLineIsCodePage932AndFitsThreeRows) {
    int lines = 0;
    for (const companions::NightScene& s : companions::nightScenes()) {
        for (const companions::SceneBeat& b : s.beats) {
            if (b.words == nullptr) continue;
            ++lines;
            const std::string line = std::string("【") +
                                     kCharacterNames[static_cast<size_t>(b.speaker)] + "】『" +
                                     b.words + "』";
            EXPECT_NO_THROW(toCp932(line)) << line;
            EXPECT_LE(cp932Length(line), 150u) << line;
            // The code adds the brackets; the words carry none.
            EXPECT_EQ(std::string(b.words).find("『"), std::string::npos) << line;
        }
    }
    EXPECT_EQ(lines, 72);
    // One scene per pair and activity from the start; a variant from its phase on.
    size_t first = 0;
    for (const companions::NightScene& s : companions::nightScenes()) {
        first += s.fromPhase == 0;
        EXPECT_EQ(companions::findNightScene(s.current, s.partner, s.activity, s.fromPhase), &s);
    }
    EXPECT_EQ(first, std::size(kSceneCases));
    // The variants play from the chapter in which スパーク first calls 嵐 アニキ.
    auto callsAniki = [](const Step& st) {
        return st.kind == StepKind::Say && std::string_view(st.who) == "スパーク" &&
               std::string_view(st.text).find("アニキ") != std::string_view::npos;
    };
    int brothers = 0;
    while (brothers < kChapterCount && std::none_of(chapterAt(brothers)->steps.begin(),
                                                    chapterAt(brothers)->steps.end(), callsAniki))
        ++brothers;
    for (const companions::NightScene& s : companions::nightScenes()) {
        if (s.fromPhase == 0) continue;
        EXPECT_EQ(s.fromPhase, brothers);
    }
}

}  // namespace
}  // namespace kotou
