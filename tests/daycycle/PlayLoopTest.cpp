#include <gtest/gtest.h>

#include <string>

#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "shell/Screens.h"
#include "shell/StatusRefresh.h"

namespace kotou {
namespace {

// The game as a player drives it, through the handler registry with real
// clicks and the game's own random source: a new game, the creation of the
// four characters, then days of four nights each.
class PlayLoop : public ::testing::TestWithParam<uint64_t> {
  protected:
    PlayLoop() : rng(GetParam()), g(host, rng) {
        buildForm(g.form);
        registerGameHandlers(g.handlers);
        host.attach(g);
        g.s.runtime.clickState = 1;
    }
    void press(const std::string& component) {
        ASSERT_NE(g.handlers.find(component), nullptr) << component;
        dispatch(g, component);
    }
    // The player's view of the day, as the status refresh writes it.
    std::string dayLabel() {
        refreshStatus(g);
        return g.form.at("day_l").caption;
    }

    HeadlessHost host;
    DefaultRandom rng;
    Game g;
};

TEST_P(PlayLoop, NewGameThenDaysOfFourNights) {
    press("Button2");
    const char* buttons[] = {"Button3", "Button4", "Button5", "Button6",
                             "Button7", "Button8", "Button9", "Button10"};
    for (int i = 0; i < 24; ++i) press(buttons[i % 8]);
    ASSERT_EQ(g.s.currentCharacter, 1);
    ASSERT_TRUE(g.form.at("com_box").visible);
    ASSERT_EQ(dayLabel().rfind("1日目／", 0), 0u) << dayLabel();

    for (int day = 2; day <= 40; ++day) {
        for (int k = 1; k <= 4; ++k) {
            ASSERT_EQ(g.s.currentCharacter, k);
            ASSERT_TRUE(g.form.at("com_box").visible);
            press("BitBtn5");
        }
        ASSERT_EQ(g.s.dayNumber, day);
        ASSERT_EQ(dayLabel().rfind(std::to_string(day) + "日目／", 0), 0u) << dayLabel();
        ASSERT_FALSE(g.form.at("lv_up_box").visible);
        ASSERT_FALSE(g.form.at("cg").visible);
        ASSERT_EQ(host.lastMessage(), "どうしますか？");
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, PlayLoop, ::testing::Values(1u, 2u, 3u, 20240601u));

}  // namespace
}  // namespace kotou
