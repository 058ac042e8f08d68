#pragma once
// A game at ルル's turn for the companion handlers: silent clicks, so that the
// scripted draws are those of the rules alone.

#include <string>
#include <vector>

#include "companions/CompanionHandlers.h"
#include "shell/StatusRefresh.h"
#include "tests/support/RulesTest.h"

namespace kotou::test {

struct CompanionTest : RulesTest {
    CompanionTest() {
        host.silentClicks = true;
        g.form.show("com_box");
        // Room above the points the commands cost: the status refresh that
        // runs with every message caps them at the maximum.
        for (int k = 1; k <= kCharacterCount; ++k) g.s.ch(k).maxActionPoints = 99;
    }
    Character& ch(int k) { return g.s.ch(k); }
    int32_t& intimacy(int a, int b) {
        return g.s.pairIntimacy[static_cast<size_t>(pairIndex(a, b))];
    }
    bool visible(const char* name) const { return g.form.at(name).visible; }
    bool enabled(const char* name) const { return g.form.at(name).enabled; }
    std::vector<std::string> texts() const { return host.messageTexts(); }
};

}  // namespace kotou::test
