// The whole story in one seeded game played through the handlers: a new
// game, then nights until the escape chapter is due. Every sixth night is
// made clear (random weather would take years of game time); everything
// else is the game's own.
#include <gtest/gtest.h>

#include <string>

#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "shell/Screens.h"
#include "story/Story.h"

namespace kotou {
namespace {

class PlayThrough : public ::testing::TestWithParam<uint64_t> {
  protected:
    PlayThrough() : rng(GetParam()), g(host, rng) {
        buildForm(g.form);
        registerGameHandlers(g.handlers);
        host.attach(g);
        g.s.runtime.clickState = 1;
    }
    void press(const std::string& component) {
        ASSERT_NE(g.handlers.find(component), nullptr) << component;
        ASSERT_TRUE(g.form.effectivelyVisible(g.form.id(component))) << component;
        dispatch(g, component);
    }

    HeadlessHost host;
    DefaultRandom rng;
    Game g;
};

TEST_P(PlayThrough, EveryNightChapterPlaysInTurnUpToTheEscape) {
    press("Button2");
    for (int i = 0; i < 24; ++i) press("Button" + std::to_string(3 + i % 8));
    ASSERT_TRUE(g.form.at("com_box").visible);

    int choices = 0;
    for (int day = 1; g.s.storyPhase < 20; ++day) {
        ASSERT_LE(day, 120);
        for (int k = 1; k <= 4; ++k) {
            ASSERT_EQ(g.s.currentCharacter, k) << "day " << day;
            ASSERT_TRUE(g.form.at("com_box").visible) << "day " << day;
            if (k == 4 && day % 6 == 0) g.s.weather = kClear;
            const int phase = g.s.storyPhase;
            press("BitBtn5");
            while (g.form.at("lv_up_box").visible) press("Button3");
            if (g.form.at("select_box").visible) {
                ASSERT_TRUE(phase == 18 || phase == 19) << phase;
                press(choices++ % 2 == 0 ? "select_b1" : "select_b2");
            }
            const bool chapter = k == 4 && day % 6 == 0;
            ASSERT_EQ(g.s.storyPhase, phase + (chapter ? 1 : 0)) << "day " << day;
        }
        ASSERT_EQ(g.s.dayNumber, day + 1);
        ASSERT_EQ(host.lastMessage(), "どうしますか？");
        host.clearRecords();
    }
    EXPECT_EQ(g.s.dayNumber, 121);
    EXPECT_EQ(choices, 2);
    EXPECT_EQ(g.s.worldFlags[10], 1);
    EXPECT_FALSE(g.form.at("select_box").visible);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PlayThrough, ::testing::Values(1u, 20240601u));

}  // namespace
}  // namespace kotou
