#pragma once
// A game ready for a handler test: the whole window layout, a headless host
// whose waits end at once, scripted draws, and a new game at ルル's turn with
// the command panel hidden (each test opens the panel it works on).

#include <gtest/gtest.h>

#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "state/Random.h"

namespace kotou::test {

class RulesTest : public ::testing::Test {
  protected:
    explicit RulesTest(void (*registerHandlers)(HandlerRegistry&)) {
        buildForm(g.form);
        registerHandlers(g.handlers);
        host.attach(g);
        initNewGame(g.s);
        g.s.runtime.clickState = 1;
        g.s.currentCharacter = 1;
        g.form.hide("com_box");
    }

    // Clicks a component: runs the handler registered under its name.
    void press(const char* name) {
        const Handler* h = g.handlers.find(name);
        ASSERT_NE(h, nullptr) << name;
        (*h)(g);
    }

    HeadlessHost host;
    ScriptedRandom rng;
    Game g{host, rng};
};

}  // namespace kotou::test
