#pragma once
// A new game in a headless window whose waits end silently, so that the
// scripted random source sees only the draws of the rules under test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/Game.h"
#include "shell/HeadlessHost.h"
#include "state/GameState.h"
#include "state/Random.h"

namespace kotou {

class DayFixture : public ::testing::Test {
  protected:
    DayFixture() {
        buildForm(g.form);
        initNewGame(g.s);
        g.s.runtime.clickState = 1;
        host.attach(g);
        host.silentClicks = true;
    }

    Character& ch(int k) { return g.s.ch(k); }
    bool visible(const char* name) const { return g.form.at(name).visible; }
    // Every draw was used and the requested dice were exactly these.
    void expectDice(const std::vector<int32_t>& dice) {
        EXPECT_EQ(rng.requests(), dice);
        EXPECT_EQ(rng.remaining(), 0u);
    }
    // Number of waits for a click since the last clearRecords.
    int64_t waits() const { return host.clicks; }

    HeadlessHost host;
    ScriptedRandom rng;
    Game g{host, rng};
};

}  // namespace kotou
