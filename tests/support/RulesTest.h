#pragma once
// A game ready for a handler test: the whole window layout, a headless host
// whose waits end at once, scripted draws, and a new game at ルル's turn with
// the command panel hidden (each test opens the panel it works on).

#include <gtest/gtest.h>

#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "state/Random.h"

namespace kotou::test {

class RulesTest : public ::testing::Test {
  protected:
    RulesTest() {
        buildForm(g.form);
        registerGameHandlers(g.handlers);
        host.attach(g);
        initNewGame(g.s);
        g.s.runtime.clickState = 1;
        g.s.currentCharacter = 1;
        g.form.hide("com_box");
    }

    // Clicks a component: the dispatcher runs its guard, then its handler.
    void press(const char* name) {
        ASSERT_NE(g.handlers.find(name), nullptr) << name;
        dispatch(g, name);
    }

    HeadlessHost host;
    ScriptedRandom rng;
    Game g{host, rng};
};

}  // namespace kotou::test
