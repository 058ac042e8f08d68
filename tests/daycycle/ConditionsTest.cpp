#include <gtest/gtest.h>

#include "game/GameHandlers.h"
#include "tests/daycycle/DayFixture.h"

namespace kotou {
namespace {

class Conditions : public DayFixture {
  protected:
    Conditions() {
        registerGameHandlers(g.handlers);
        g.s.worldFlags[11] = g.s.worldFlags[12] = 1;  // the shower and the toilet stand
        g.form.show("com_box");
        Character& c = ch(1);
        c.hygiene = c.stress = c.bowel = 50;
        c.obesity = 60;
    }
    void everyWashingFacility() {
        g.s.hasWaterSupply = g.s.hasSoap = g.s.hasShower = g.s.worldFlags[42] = g.s.hasDrumBath = 1;
    }
    void everyToiletFacility() {
        g.s.hasWaterSupply = g.s.hasSoap = g.s.hasSimpleToilet = g.s.hasMidToilet =
            g.s.hasLuxuryToilet = 1;
    }
};

TEST_F(Conditions, BathWithoutFacilities) {
    rng.push({1, 0, 1});  // sound channel 2, n = 15, obesity + 1
    dispatch(g, "bath_b");
    expectDice({2, 2, 2});
    const Character& c = ch(1);
    EXPECT_EQ(c.actionPoints, 7);
    EXPECT_EQ(c.hygiene, 65);
    EXPECT_EQ(c.stress, 57);
    EXPECT_EQ(c.obesity, 61);
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"ルルは、体を洗った。", "【衛生】が15回復した！",
                                        "【ストレス】が7回復した！"}));
    EXPECT_TRUE(host.played("water.wav", 2));
    EXPECT_EQ(host.sounds.front(), (HeadlessHost::Sound{0, "1.wav"}));
    EXPECT_TRUE(visible("cg"));  // the scene stays until the next command
    EXPECT_EQ(waits(), 0);
}

TEST_F(Conditions, BathWithEveryFacilityGivesUpToForty) {
    everyWashingFacility();
    rng.push({0, 1, 0});
    dispatch(g, "bath_b");
    EXPECT_TRUE(host.played("water.wav", 1));
    EXPECT_EQ(ch(1).hygiene, 90);
    EXPECT_EQ(ch(1).stress, 70);
    EXPECT_TRUE(host.saw("【衛生】が40回復した！"));
    EXPECT_TRUE(host.saw("【ストレス】が20回復した！"));

    // The message shows the whole gain even where the meter is capped.
    host.clearRecords();
    rng.push({0, 0, 0});
    dispatch(g, "bath_b");
    EXPECT_TRUE(host.saw("【衛生】が39回復した！"));
    EXPECT_EQ(ch(1).hygiene, 100);
}

TEST_F(Conditions, ToiletWithoutFacilitiesCostsUpToTwentyTwoHygiene) {
    rng.push({0});
    dispatch(g, "toile_b");
    const Character& c = ch(1);
    EXPECT_EQ(c.hygiene, 28);
    EXPECT_EQ(c.bowel, 100);
    EXPECT_EQ(c.actionPoints, 8);
    EXPECT_EQ(host.messageTexts(),
              (std::vector<std::string>{"ルルは、用を足した", "【便意】が完全回復した！"}));
    EXPECT_TRUE(host.played("awa.wav", 1));
    EXPECT_EQ(g.form.at("cg").picture, "cg/背景・トイレ.jpg");
}

// Each facility adds its own amount: added one at a time, every sum differs
// from the one a swapped weight would give.
TEST_F(Conditions, FacilitiesAddedOneAtATime) {
    GameState& s = g.s;
    const struct {
        int32_t* facility;
        int32_t hygieneGain;
    } bath[] = {{nullptr, 15},      {&s.hasWaterSupply, 19}, {&s.hasSoap, 23},
                {&s.hasShower, 29}, {&s.worldFlags[42], 32}, {&s.hasDrumBath, 39}};
    for (const auto& row : bath) {
        if (row.facility != nullptr) *row.facility = 1;
        ch(1).hygiene = ch(1).stress = 50;
        ch(1).actionPoints = 3;
        host.clearRecords();
        rng.push({0, 0, 0});
        dispatch(g, "bath_b");
        EXPECT_EQ(ch(1).hygiene, 50 + row.hygieneGain);
        EXPECT_EQ(ch(1).stress, 50 + row.hygieneGain / 2);
        EXPECT_EQ(host.messageTexts()[1],
                  "【衛生】が" + std::to_string(row.hygieneGain) + "回復した！");
        EXPECT_EQ(ch(1).actionPoints, 0);
    }

    const struct {
        int32_t* facility;
        int32_t hygiene;
    } toilet[] = {{nullptr, 28},         {&s.hasWaterSupply, 30},
                  {&s.hasSoap, 33},      {&s.hasSimpleToilet, 36},
                  {&s.hasMidToilet, 39}, {&s.hasLuxuryToilet, 42}};
    s.hasWaterSupply = s.hasSoap = 0;
    for (const auto& row : toilet) {
        if (row.facility != nullptr) *row.facility = 1;
        ch(1).hygiene = 50;
        ch(1).actionPoints = 2;
        host.clearRecords();
        rng.push(0);
        dispatch(g, "toile_b");
        EXPECT_EQ(ch(1).hygiene, row.hygiene);
        EXPECT_EQ(host.sounds, (std::vector<HeadlessHost::Sound>{{0, "1.wav"}, {1, "awa.wav"}}));
        EXPECT_EQ(rng.requests().back(), 2);
        EXPECT_EQ(ch(1).actionPoints, 0);
    }
    rng.push(1);  // the other end of the draw
    ch(1).hygiene = 50;
    ch(1).actionPoints = 2;
    dispatch(g, "toile_b");
    EXPECT_EQ(ch(1).hygiene, 43);
}

TEST_F(Conditions, DroughtWithoutReservoirRefusesBothWithoutCost) {
    g.s.weather = kDrought;
    dispatch(g, "bath_b");
    dispatch(g, "toile_b");
    EXPECT_EQ(host.count("日照りのせいで水が干上がって、お風呂が使用できません"), 2);
    EXPECT_EQ(ch(1).actionPoints, 10);
    // The drought is named even when the action points would not do either.
    ch(1).actionPoints = 0;
    host.clearRecords();
    dispatch(g, "bath_b");
    dispatch(g, "toile_b");
    EXPECT_EQ(host.count("日照りのせいで水が干上がって、お風呂が使用できません"), 2);
    EXPECT_EQ(host.count("行動力が足りません"), 0);
    ch(1).actionPoints = 10;
    EXPECT_EQ(ch(1).bowel, 50);
    EXPECT_EQ(rng.requests().size(), 0u);

    g.s.hasReservoir = 1;
    rng.push({0, 0, 0, 0});
    dispatch(g, "bath_b");
    dispatch(g, "toile_b");
    EXPECT_EQ(ch(1).actionPoints, 5);
    EXPECT_EQ(ch(1).bowel, 100);
}

TEST_F(Conditions, NotEnoughActionPoints) {
    ch(1).actionPoints = 2;
    dispatch(g, "bath_b");
    EXPECT_EQ(host.lastMessage(), "行動力が足りません");
    EXPECT_EQ(ch(1).hygiene, 50);
    ch(1).actionPoints = 1;
    dispatch(g, "toile_b");
    EXPECT_EQ(host.count("行動力が足りません"), 2);
    EXPECT_EQ(ch(1).bowel, 50);
    EXPECT_EQ(rng.requests().size(), 0u);

    // Exactly enough is enough.
    ch(1).actionPoints = 2;
    rng.push({0});
    dispatch(g, "toile_b");
    EXPECT_EQ(ch(1).actionPoints, 0);
}

TEST_F(Conditions, NoCharacterNoCommand) {
    g.s.currentCharacter = 0;
    dispatch(g, "bath_b");
    dispatch(g, "toile_b");
    EXPECT_TRUE(host.sounds.empty());
    EXPECT_TRUE(host.messages.empty());
}

}  // namespace
}  // namespace kotou
