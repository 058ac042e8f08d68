#pragma once
// A new game in a headless window whose waits are ended without a click
// sound, so that the scripted random source sees only the draws of the rules
// under test. Counts the waits.

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        host.autoClick = false;
        host.onProcessEvents = [this](Game& game) {
            if (game.s.runtime.clickState == 0) {
                ++waits;
                game.s.runtime.clickState = 1;
            }
        };
    }

    Character& ch(int k) { return g.s.ch(k); }
    bool visible(const char* name) const { return g.form.at(name).visible; }
    // Every draw was used and the requested dice were exactly these.
    void expectDice(const std::vector<int32_t>& dice) {
        EXPECT_EQ(rng.requests(), dice);
        EXPECT_EQ(rng.remaining(), 0u);
    }
    // Index of the first message containing part, or -1.
    int messageIndex(const std::string& part) const {
        for (size_t i = 0; i < host.messages.size(); ++i)
            if (host.messages[i].text.find(part) != std::string::npos) return static_cast<int>(i);
        return -1;
    }

    HeadlessHost host;
    ScriptedRandom rng;
    Game g{host, rng};
    int waits = 0;
};

}  // namespace kotou
