#include <gtest/gtest.h>

#include <array>

#include "daycycle/Weather.h"
#include "shell/Background.h"
#include "tests/daycycle/DayFixture.h"

namespace kotou {
namespace {

class Weather : public DayFixture {
  protected:
    Weather() {
        // As after the fourth night: character 4 is current, so the status
        // refresh of each message keeps only its values in range.
        g.s.currentCharacter = 4;
        g.s.dayNumber = 20;
        for (int k = 1; k <= 4; ++k) {
            Character& c = ch(k);
            c.hygiene = c.stress = 70;
            c.stamina = 60;
            c.maxStamina = 90;
            c.actionPoints = 60;
            c.maxActionPoints = 80;
        }
    }
    template <typename F>
    void expectAll(F value, std::array<int32_t, 4> expected) {
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(value(ch(k)), expected[k - 1]) << "character " << k;
    }
    // The event's presentation: its scene, its headline and two waits.
    void expectEvent(const char* scene, const char* headline, const char* outcome) {
        EXPECT_EQ(host.pictures.at(host.pictures.size() - 2).file, std::string("cg/") + scene);
        EXPECT_EQ(host.messages.at(0).text, headline);
        EXPECT_EQ(host.messages.at(1).text, outcome);
        EXPECT_TRUE(host.messages.at(1).appended);
        EXPECT_EQ(waits(), 2);
        EXPECT_FALSE(visible("cg"));
    }
    void expectDisaster() {
        EXPECT_EQ(host.music, std::vector<std::string>{"tensai.mid"});
        EXPECT_FALSE(host.played("good2.wav"));
    }
    void expectBlessing() {
        EXPECT_TRUE(host.music.empty());
        EXPECT_TRUE(host.played("good2.wav", 3));
    }
    void expectQuietDay() {
        EXPECT_TRUE(host.messages.empty());
        EXPECT_TRUE(host.music.empty());
        EXPECT_EQ(waits(), 0);
    }
};

TEST_F(Weather, DrawGivesRainDroughtUnchangedOrClear) {
    const struct {
        int32_t draw, before, after;
    } rows[] = {{0, kClear, kRain},      {1, kClear, kDrought}, {2, kRain, kRain},
                {2, kTyphoon, kTyphoon}, {3, kRain, kClear},    {4, kDrought, kClear},
                {5, kTyphoon, kClear}};
    for (const auto& r : rows) {
        g.s.weather = r.before;
        g.s.dayNumber = 5;  // no drought events yet
        rng.push(r.draw);
        if (r.after != kDrought && r.after != kTyphoon) rng.push(6);  // a quiet table draw
        rollWeather(g);
        EXPECT_EQ(g.s.weather, r.after) << "draw " << r.draw;
        EXPECT_EQ(rng.remaining(), 0u);
    }
    expectQuietDay();
}

TEST_F(Weather, BackgroundFollowsTheWeather) {
    rng.push({1});
    g.s.dayNumber = 3;
    rollWeather(g);
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景・日照り.bmp");
    rng.push({0, 5});
    rollWeather(g);
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景・雨.bmp");

    // A stranded character sees the stranded background whatever the weather;
    // a typhoon looks like rain.
    const struct {
        int32_t weather, stranded;
        const char* picture;
    } rows[] = {{kTyphoon, 0, "cg/背景・雨.bmp"},
                {kClear, 0, "cg/背景.bmp"},
                {kClear, 1, "cg/背景・遭難.bmp"},
                {kRain, 2, "cg/背景・遭難.bmp"}};
    for (const auto& r : rows) {
        g.s.weather = r.weather;
        ch(4).strandedPhase = r.stranded;
        showWeatherBackground(g);
        EXPECT_EQ(g.form.at("bak").picture, r.picture);
    }
}

TEST_F(Weather, RainGodTurnsOneDroughtInThreeIntoAClearDay) {
    g.s.carvingMade[13] = 1;
    rng.push({1, 0, 7});
    rollWeather(g);
    EXPECT_EQ(g.s.weather, kClear);
    rng.push({1, 1, 3});
    rollWeather(g);
    EXPECT_EQ(g.s.weather, kDrought);
    rng.push({1, 2, 3});
    rollWeather(g);
    EXPECT_EQ(g.s.weather, kDrought);
    expectDice({6, 3, 8, 6, 3, 7, 6, 3, 7});
}

TEST_F(Weather, FloodDirtiesEveryoneByAPersonalDraw) {
    rng.push({0, 0, 0, 19, 5, 10});
    rollWeather(g);
    expectAll([](Character& c) { return c.hygiene; }, {30, 11, 25, 20});
    expectEvent("天災・洪水.jpg", "・・・・大洪水が発生した！！",
                "ずぶ濡れになり、全員の【衛生】が悪化してしまいました！！");
    expectDisaster();
}

TEST_F(Weather, TyphoonFromTheRainTableEndsTheDaysEvents) {
    rng.push({0, 1});
    rollWeather(g);
    EXPECT_EQ(g.s.weather, kTyphoon);
    expectEvent("天災・台風.jpg", "・・・・台風が発生した！！",
                "※このターンは【探索】が不可能になります");
    expectDice({6, 7});
}

TEST_F(Weather, TyphoonThatStaysBringsNoEvent) {
    g.s.weather = kTyphoon;
    rng.push({2});
    rollWeather(g);
    EXPECT_EQ(g.s.weather, kTyphoon);
    expectDice({6});
    expectQuietDay();
}

TEST_F(Weather, RainThatStaysRunsItsTable) {
    g.s.weather = kRain;
    rng.push({2, 2});
    rollWeather(g);
    expectAll([](Character& c) { return c.hygiene; }, {120, 120, 120, 100});
    expectEvent("天災・恵みの雨.jpg", "・・・・恵みの雨が降った！！",
                "全員の体が綺麗に洗われ、【衛生】が50ずつ回復した！！");
    expectBlessing();
}

TEST_F(Weather, DroughtBeforeDayTenBringsNoEvent) {
    g.s.dayNumber = 9;
    rng.push({1});
    rollWeather(g);
    expectDice({6});
    expectQuietDay();
}

TEST_F(Weather, DroughtDividesActionPointsUnlessWaterWasStored) {
    g.s.dayNumber = 10;
    g.s.extra(ExtraItem::StoredWater) = 1;
    rng.push({1, 0});
    rollWeather(g);
    expectEvent("天災・干ばつ.jpg", "・・・・干ばつになってしまった！！",
                "作っておいた『保存用の水』のおかげで、被害を免れた！！");
    expectAll([](Character& c) { return c.actionPoints; }, {60, 60, 60, 60});
    EXPECT_EQ(g.s.extra(ExtraItem::StoredWater), 0);

    host.clearRecords();
    const size_t asked = rng.requests().size();
    rng.push({1, 0, 0, 1, 2, 0});
    rollWeather(g);
    expectAll([](Character& c) { return c.actionPoints; }, {20, 15, 12, 20});
    EXPECT_EQ(std::vector<int32_t>(rng.requests().begin() + static_cast<long>(asked),
                                   rng.requests().end()),
              (std::vector<int32_t>{6, 7, 3, 3, 3, 3}));
    EXPECT_EQ(host.messages.at(1).text,
              "水分不足により、全員の【行動力】が激減してしまいました！！");
    expectDisaster();
}

TEST_F(Weather, FireIsHalvedOnceByStoredFireWater) {
    g.s.extra(ExtraItem::FireWater) = 1;
    rng.push({1, 1, 11});  // 51, halved to 25
    rollWeather(g);
    expectAll([](Character& c) { return c.stress; }, {45, 45, 45, 45});
    expectEvent("天災・火災.jpg", "・・・・火災が発生してしまいました！！",
                "作っておいた『消火用の水』のおかげで、被害を半減させた。");
    EXPECT_EQ(g.s.extra(ExtraItem::FireWater), 0);

    host.clearRecords();
    rng.push({1, 1, 0});
    rollWeather(g);
    expectAll([](Character& c) { return c.stress; }, {5, 5, 5, 5});
    EXPECT_EQ(host.messages.at(1).text,
              "消化作業のため、全員の【ストレス】が悪化してしまいました！！");
}

TEST_F(Weather, ArmageddonOnlyFromDayThreeHundred) {
    g.s.dayNumber = 299;
    rng.push({1, 2});
    rollWeather(g);
    expectQuietDay();

    g.s.dayNumber = 300;
    // Per character: stress, hygiene, stamina divisor.
    rng.push({1, 2, 0, 19, 0, 1, 1, 1, 2, 2, 2, 3, 0, 0});
    rollWeather(g);
    EXPECT_EQ(std::vector<int32_t>(rng.requests().begin() + 2, rng.requests().end()),
              (std::vector<int32_t>{6, 7, 20, 20, 3, 20, 20, 3, 20, 20, 3, 20, 20, 3}));
    expectAll([](Character& c) { return c.stress; }, {30, 29, 28, 27});
    expectAll([](Character& c) { return c.hygiene; }, {11, 29, 28, 30});
    expectAll([](Character& c) { return c.stamina; }, {20, 15, 12, 20});
    expectEvent("天災・火災.jpg", "・・・・ハルマゲドンが発生してしまいました！！",
                "大天災のため、全員の【ストレス・衛生・体力】が悪化してしまいました！！");
    expectDisaster();
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(Weather, EarthquakeIsStoppedOnceByPreservedFood) {
    g.s.extra(ExtraItem::PreservedFood) = 1;
    rng.push({3, 0});
    rollWeather(g);
    expectEvent("天災・地震.jpg", "・・・・大地震が発生しました！！",
                "作っておいた『保存食』のおかげで、被害を免れた！！");
    EXPECT_EQ(g.s.extra(ExtraItem::PreservedFood), 0);
    expectAll([](Character& c) { return c.stamina; }, {60, 60, 60, 60});

    host.clearRecords();
    ch(2).stamina = 14;
    rng.push({4, 0, 0, 1, 2, 0});
    rollWeather(g);
    expectAll([](Character& c) { return c.stamina; }, {20, 3, 12, 20});
    EXPECT_EQ(host.messages.at(1).text, "負傷のため、全員の【体力】が激減してしまいました！！");
}

TEST_F(Weather, EpidemicIsStoppedOnceByTheVaccination) {
    g.s.hasVaccine = 1;
    rng.push({5, 1});
    rollWeather(g);
    expectEvent("天災・疫病.jpg", "・・・・疫病が発生しました！！",
                "『予防注射』の効果により、被害を免れた！！");
    EXPECT_EQ(g.s.hasVaccine, 0);

    host.clearRecords();
    rng.push({5, 1, 3});
    rollWeather(g);
    EXPECT_EQ(rng.requests().back(), 4);
    EXPECT_EQ(host.messages.at(1).text, "残響は疫病に感染し、『病気』になってしまった！");
    expectAll([](Character& c) { return c.illness; }, {0, 0, 0, 10});
}

TEST_F(Weather, ClearDayBlessings) {
    rng.push({3, 2});
    rollWeather(g);
    expectAll([](Character& c) { return c.stamina; }, {90, 90, 90, 90});
    expectEvent("天災・大漁.jpg", "・・・・浜辺に大漁の魚が打ち上げられていた！！",
                "それらを食べ、全員の【体力】が完全回復した！！");
    expectBlessing();

    host.clearRecords();
    rng.push({3, 3});
    rollWeather(g);
    // Only the current character is clamped; the others keep 120 until their
    // own turn.
    expectAll([](Character& c) { return c.stress; }, {120, 120, 120, 100});
    expectEvent("天災・虹.jpg", "・・・・谷に虹がかかった！！",
                "全員の【ストレス】が50ずつ回復した！！");

    host.clearRecords();
    rng.push({3, 4});
    rollWeather(g);
    expectAll([](Character& c) { return c.actionPoints; }, {80, 80, 80, 80});
    expectEvent("天災・流れ星.jpg", "・・・・流れ星だ！！", "全員の【行動力】が完全回復した！！");
    expectBlessing();
}

TEST_F(Weather, QuietFacesOfEachTable) {
    for (int32_t e : {5, 6, 7}) {
        rng.push({3, e});
        rollWeather(g);
    }
    for (int32_t e : {3, 6}) {
        rng.push({0, e});
        rollWeather(g);
        rng.push({1, e});
        rollWeather(g);
    }
    expectQuietDay();
    EXPECT_EQ(rng.remaining(), 0u);
}

TEST_F(Weather, DayMusicByDayAndStory) {
    const struct {
        int32_t day, flag10, weather, draw, dice;
        const char* tune;
    } rows[] = {{29, 0, kClear, 4, 5, "bokura.mid"},
                {30, 0, kDrought, 5, 6, "voice.mid"},
                {30, 1, kClear, 6, 7, "sorairo.mid"},
                {30, 1, kTyphoon, -1, 0, "ame.mid"}};
    for (const auto& r : rows) {
        g.s.dayNumber = r.day;
        g.s.worldFlags[10] = r.flag10;
        g.s.weather = r.weather;
        const size_t before = rng.requests().size();
        if (r.draw >= 0) rng.push(r.draw);
        playDayMusic(g);
        EXPECT_EQ(host.music.back(), r.tune);
        if (r.draw >= 0) {
            EXPECT_EQ(rng.requests().back(), r.dice);
        }
        EXPECT_EQ(rng.requests().size(), before + (r.draw >= 0 ? 1 : 0));
    }
}

}  // namespace
}  // namespace kotou
