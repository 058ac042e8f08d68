#include <gtest/gtest.h>

#include <string>

#include "daycycle/LevelUp.h"
#include "daycycle/Night.h"
#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "shell/Screens.h"
#include "tests/daycycle/DayFixture.h"

namespace kotou {
namespace {

class LevelUp : public DayFixture {
  protected:
    LevelUp() {
        registerGameHandlers(g.handlers);
        g.form.show("lv_up_box");
    }
    void press(const std::string& button, int times = 1) {
        ASSERT_NE(g.handlers.find(button), nullptr) << button;
        for (int i = 0; i < times; ++i) dispatch(g, button);
    }
    // Sum of the eight statistics the panel raises.
    static int32_t points(const Character& c) {
        return c.maxActionPoints + c.maxStamina + c.strength + c.dexterity + c.cooking +
               c.geography + c.botany + c.zoology;
    }
};

TEST_F(LevelUp, CharacterCreationGivesSixPointsToEachAndStartsWithLulu) {
    press("Button2");
    ASSERT_TRUE(visible("lv_up_box"));
    ASSERT_EQ(g.s.runtime.levelUpMode, 1);
    const int32_t before = points(ch(1));

    press("Button3", 6);
    EXPECT_EQ(ch(1).maxActionPoints, 16);
    EXPECT_EQ(g.s.currentCharacter, 2);
    EXPECT_EQ(g.s.runtime.statPointsLeft, 6);
    EXPECT_EQ(host.lastMessage(), "嵐の能力値を振り分けてください");
    EXPECT_EQ(g.form.at("pic").picture, "cg/嵐.jpg");

    press("Button4", 3);
    press("Button5", 3);
    EXPECT_EQ(g.s.currentCharacter, 3);
    for (const char* b : {"Button6", "Button7", "Button8", "Button9", "Button10", "Button10"})
        press(b);
    EXPECT_EQ(ch(3).zoology, 2);
    EXPECT_EQ(g.s.currentCharacter, 4);
    EXPECT_TRUE(visible("lv_up_box"));
    press("Button8", 5);
    EXPECT_FALSE(host.saw("ゲームスタート"));
    press("Button8");

    for (int k = 1; k <= 4; ++k) EXPECT_EQ(points(ch(k)) - before, 6) << k;
    EXPECT_EQ(ch(4).geography, 6);
    const int start = host.indexOf("それではゲームスタートです！！！");
    ASSERT_GE(start, 0);
    EXPECT_EQ(host.messages[static_cast<size_t>(start) + 1].text, "≪ルルのターン≫");
    EXPECT_EQ(g.s.currentCharacter, 1);
    EXPECT_EQ(g.s.runtime.levelUpMode, 0);
    EXPECT_EQ(g.s.dayNumber, 1);
    EXPECT_FALSE(visible("lv_up_box"));
    EXPECT_TRUE(visible("lv_up_box2"));
    EXPECT_TRUE(visible("com_box"));
    EXPECT_EQ(host.count("上昇した！"), 24);
    int chimes = 0;
    for (const auto& s : host.sounds) chimes += s == HeadlessHost::Sound{3, "ok.wav"};
    EXPECT_EQ(chimes, 4);
    EXPECT_EQ(rng.requests().size(), 0u);
}

TEST_F(LevelUp, EachButtonRaisesItsFieldWithItsChannelAndText) {
    struct Row {
        const char* button;
        int32_t Character::*field;
        int channel;
        const char* text;
    };
    const Row rows[] = {
        {"Button3", &Character::maxActionPoints, 0, "【行動力の最大値】が１上昇した！　→11"},
        {"Button4", &Character::maxStamina, 1, "【体力の最大値】が１上昇した！　→11"},
        {"Button5", &Character::strength, 2, "【腕力】が１上昇した！　→1"},
        {"Button6", &Character::dexterity, 0, "【器用さ】が１上昇した！　→1"},
        {"Button7", &Character::cooking, 1, "【料理】が１上昇した！　→1"},
        {"Button10", &Character::zoology, 2, "【動物学】が１上昇した！　→1"},
        {"Button9", &Character::botany, 0, "【植物学】が１上昇した！　→1"},
        {"Button8", &Character::geography, 1, "【地理学】が１上昇した！　→1"},
    };
    g.s.runtime.statPointsLeft = 9;
    for (const Row& r : rows) {
        host.clearRecords();
        const int32_t before = ch(1).*r.field;
        press(r.button);
        EXPECT_EQ(ch(1).*r.field, before + 1) << r.button;
        EXPECT_EQ(host.lastMessage(), r.text);
        EXPECT_TRUE(host.played("up.wav", r.channel)) << r.button;
    }
    EXPECT_EQ(g.s.runtime.statPointsLeft, 1);
}

TEST_F(LevelUp, APointPastTheCapIsShownAsLost) {
    g.s.runtime.statPointsLeft = 2;
    ch(1).strength = 100;
    press("Button5");
    EXPECT_EQ(ch(1).strength, 100);
    EXPECT_EQ(host.lastMessage(), "【腕力】が１上昇した！　→100");
}

TEST_F(LevelUp, NightLevelUpOfCharacterFourResumesWithTheDayChange) {
    g.s.currentCharacter = 4;
    ch(4).phantom = 120;
    rng.push({0, 1});
    goToSleep(g);
    ASSERT_TRUE(visible("lv_up_box"));
    EXPECT_EQ(ch(4).level, 2);
    EXPECT_EQ(host.count("ファントムレベルアップ！！"), 1);

    press("Button4", 2);
    EXPECT_EQ(g.s.dayNumber, 1);
    EXPECT_EQ(g.s.currentCharacter, 4);

    rng.push({0, 3});  // rain, no event; rain music needs no draw
    press("Button5");
    EXPECT_EQ(ch(4).maxStamina, 12);
    EXPECT_EQ(ch(4).strength, 1);
    EXPECT_EQ(g.s.dayNumber, 2);
    EXPECT_EQ(g.s.weather, kRain);
    EXPECT_EQ(host.music.back(), "ame.mid");
    EXPECT_EQ(g.s.currentCharacter, 1);
    EXPECT_FALSE(visible("lv_up_box"));
    EXPECT_TRUE(visible("com_box"));
    EXPECT_EQ(host.lastMessage(), "どうしますか？");
    EXPECT_EQ(g.s.runtime.levelUpMode, 0);
    EXPECT_TRUE(host.played("ok.wav", 3));
    expectDice({2, 10, 6, 7});
}

TEST_F(LevelUp, APressWithoutPointsOrCharacterDoesNothing) {
    g.s.runtime.levelUpMode = -1;
    g.s.runtime.statPointsLeft = 0;
    g.form.show("lv_up_box");
    press("Button3");
    EXPECT_EQ(ch(1).maxActionPoints, 10);
    EXPECT_EQ(g.s.currentCharacter, 1);
    EXPECT_TRUE(host.messages.empty());

    g.s.runtime.statPointsLeft = 3;
    g.s.currentCharacter = 0;
    press("Button3");
    EXPECT_EQ(g.s.runtime.statPointsLeft, 3);
}

TEST_F(LevelUp, ThePanelClosesWhenNoAllocationRuns) {
    g.s.runtime.levelUpMode = 0;
    g.s.runtime.statPointsLeft = 1;
    g.form.show("lv_up_box");
    press("Button7");
    EXPECT_FALSE(visible("lv_up_box"));
    EXPECT_EQ(g.s.currentCharacter, 1);
    EXPECT_FALSE(host.saw("のターン"));
}

}  // namespace
}  // namespace kotou
