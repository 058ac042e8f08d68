#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "shell/Availability.h"
#include "shell/FormLayout.h"

namespace kotou {
namespace {

class AvailabilityTest : public ::testing::Test {
  protected:
    AvailabilityTest() {
        buildForm(form);
        initNewGame(s);
    }
    void apply() { Availability(form).apply(s, form); }
    bool shown(const char* name) { return form.at(name).visible; }
    bool enabled(const char* name) { return form.at(name).enabled; }

    FormModel form;
    GameState s;
};

TEST_F(AvailabilityTest, TableNamesEachButtonOnce) {
    std::set<std::string> seen;
    for (const AvailabilityRow& r : availabilityRows())
        EXPECT_TRUE(seen.insert(r.button).second) << r.button;
    EXPECT_GT(seen.size(), 200u);
}

// The guard a handler runs first: it answers from the state, not from what
// the form showed when the click was made.
TEST_F(AvailabilityTest, GuardFollowsTheStateNotAStaleForm) {
    apply();
    s.appleCount = 1;  // shown by its row, whatever the form still says
    EXPECT_TRUE(commandAvailable(s, form, "ringo_b"));
    s.appleCount = 0;
    form.show("ringo_b");  // a stale form before the next refresh
    EXPECT_FALSE(commandAvailable(s, form, "ringo_b"));

    s.worldFlags[0] = 1;  // 海 shown; enabled is not a condition of its row
    EXPECT_TRUE(commandAvailable(s, form, "umi_b"));
    form.setEnabled(form.id("umi_b"), false);
    EXPECT_FALSE(commandAvailable(s, form, "umi_b"));

    // A button without a row follows the form alone.
    form.show("hayasi_b");
    EXPECT_TRUE(commandAvailable(s, form, "hayasi_b"));
    form.hide("hayasi_b");
    EXPECT_FALSE(commandAvailable(s, form, "hayasi_b"));
    EXPECT_FALSE(commandAvailable(s, form, "no_such_button"));

    // Nobody's turn (a damaged save): no command acts.
    form.show("hayasi_b");
    s.currentCharacter = 0;
    EXPECT_FALSE(commandAvailable(s, form, "hayasi_b"));
}

// The handlers' guard adds the panels: a button on a closed panel (closed by
// its own handler while the messages run) is not offered.
TEST_F(AvailabilityTest, OfferedOnlyWhileItsPanelsAreShown) {
    s.appleCount = 1;
    form.show("cook_box");
    form.show("desert_box");
    EXPECT_TRUE(commandOffered(s, form, "ringo_b"));
    form.hide("desert_box");
    EXPECT_FALSE(commandOffered(s, form, "ringo_b"));
    form.show("desert_box");
    s.appleCount = 0;
    EXPECT_FALSE(commandOffered(s, form, "ringo_b"));
    EXPECT_FALSE(commandOffered(s, form, "no_such_button"));
}

// One state change, and which buttons must be shown (or hidden) after it.
struct Case {
    const char* what;
    std::function<void(GameState&)> change;
    std::vector<const char*> shown;
    std::vector<const char*> hidden;
};

TEST_F(AvailabilityTest, ShownWhileTheirConditionsHold) {
    const std::vector<Case> cases = {
        {"fresh game",
         [](GameState&) {},
         {"BitBtn1", "BitBtn5", "hayasi_b", "sio_b", "uta_b1", "colo_b1", "colo_b2", "colo_b3",
          "tukue_b", "turi_b", "sokusekisyawaa_b", "isidoll_b", "singou_b"},
         {"umi_b", "bath_b", "toile_b", "svival_b", "mara_b", "kanbyou_b", "kyuujyo_b",
          "dassyutu_b", "lazer_b", "colo_b4", "radio_b", "uta_b9", "yakusou_b", "ringo_b",
          "clear_b", "asobu_b", "kousaku_b", "organ_b", "nabe_b"}},
        {"each lacks its one tool",
         [](GameState& s) {
             s.pinkRabbitCount = 4;
             s.hasFireStarter = 1;  // no knife for the meat
             s.grassCount = 2;
             s.leafCount = 3;
             s.hasStove = 1;  // no pot for the wild vegetables
             s.made(Carving::CarvedSpark) = 1;
         },
         {},
         {"nikuc_b", "sansai_b", "kibori_zankyou_b"}},
        {"day 4", [](GameState& s) { s.dayNumber = 4; }, {}, {"svival_b", "mara_b"}},
        {"day 5", [](GameState& s) { s.dayNumber = 5; }, {"svival_b", "syouka_b"}, {"mara_b"}},
        {"day 8", [](GameState& s) { s.dayNumber = 8; }, {}, {"svival_b", "mara_b"}},
        {"day 9", [](GameState& s) { s.dayNumber = 9; }, {}, {"mara_b"}},
        {"day 10", [](GameState& s) { s.dayNumber = 10; }, {"svival_b", "hozon_b"}, {"mara_b"}},
        {"day 12", [](GameState& s) { s.dayNumber = 12; }, {"mara_b"}, {"svival_b"}},
        {"day 16", [](GameState& s) { s.dayNumber = 16; }, {"mara_b", "hozonsyoku_b"}, {}},
        {"day 20", [](GameState& s) { s.dayNumber = 20; }, {"mara_b", "svival_b"}, {}},
        {"laser for character 3 only",
         [](GameState& s) {
             s.worldFlags[32] = 1;
             s.currentCharacter = 3;
         },
         {"lazer_b"},
         {}},
        {"laser for character 2",
         [](GameState& s) {
             s.worldFlags[32] = 1;
             s.currentCharacter = 2;
         },
         {},
         {"lazer_b"}},
        {"laser not yet learnt", [](GameState& s) { s.currentCharacter = 3; }, {}, {"lazer_b"}},
        {"instant shower built",
         [](GameState& s) { s.worldFlags[11] = 1; },
         {"bath_b"},
         {"sokusekisyawaa_b"}},
        {"a partner ill", [](GameState& s) { s.ch(4).illness = 2; }, {"kanbyou_b"}, {}},
        {"a partner poisoned", [](GameState& s) { s.ch(2).poison = 1; }, {"kanbyou_b"}, {}},
        {"a partner lost", [](GameState& s) { s.ch(3).strandedPhase = 10; }, {"kyuujyo_b"}, {}},
        {"story far enough", [](GameState& s) { s.storyPhase = 16; }, {"dassyutu_b"}, {}},
        {"fruit held", [](GameState& s) { s.appleCount = 1; }, {"ringo_b"}, {"kudamono_b"}},
        {"saw made", [](GameState& s) { s.hasSaw = 1; }, {"all_b"}, {"nokogiri_b", "ikada_b"}},
        {"radio made",
         [](GameState& s) {
             s.worldFlags[10] = 1;
             s.radioState = 1;
         },
         {"radio_b", "new_radio_b", "organ_b"},
         {"old_radio_b"}},
        {"all organ songs",
         [](GameState& s) {
             s.organFlags = {1, 1, 1, 1};
         },
         {"uta_b9"},
         {}},
        {"three of four organ songs",
         [](GameState& s) {
             s.organFlags = {1, 1, 0, 1};
         },
         {},
         {"uta_b9"}},
        {"ghosts beaten in order",
         [](GameState& s) {
             s.worldFlags[52] = 1;
             s.worldFlags[56] = 1;
         },
         {"colo_b4", "colo_b1"},
         {"colo_b2", "colo_b8"}},
        {"god item and song held",
         [](GameState& s) {
             s.rareItems[12] = 1;
             s.extra(ExtraItem::FutureSong) = 2;
         },
         {"osira_b", "mirai_b"},
         {"oogetu_b", "tikyu_b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        initNewGame(s);
        c.change(s);
        apply();
        for (const char* name : c.shown) EXPECT_TRUE(shown(name)) << name;
        for (const char* name : c.hidden) EXPECT_FALSE(shown(name)) << name;
    }
}

TEST_F(AvailabilityTest, EscapeNeedsEveryGoal) {
    auto ready = [](GameState& s) {
        s.progress(EscapePart::Raft) = 2;
        s.progress(EscapePart::Oar) = 2;
        s.progress(EscapePart::SignalLight) = 3;
        s.progress(EscapePart::Weapon) = 4;
        s.pairIntimacy = {10, 10, 10, 10, 10, 10};
        s.storyPhase = 17;
    };
    ready(s);
    apply();
    EXPECT_TRUE(shown("clear_b"));

    const std::vector<std::pair<const char*, std::function<void(GameState&)>>> missing = {
        {"raft", [](GameState& s) { s.progress(EscapePart::Raft) = 1; }},
        {"oars", [](GameState& s) { s.progress(EscapePart::Oar) = 1; }},
        {"signal light", [](GameState& s) { s.progress(EscapePart::SignalLight) = 2; }},
        {"weapons", [](GameState& s) { s.progress(EscapePart::Weapon) = 3; }},
        {"teamwork", [](GameState& s) { s.pairIntimacy[5] = 9; }},
        {"story", [](GameState& s) { s.storyPhase = 16; }},
    };
    for (const auto& [what, undo] : missing) {
        SCOPED_TRACE(what);
        initNewGame(s);
        ready(s);
        undo(s);
        apply();
        EXPECT_FALSE(shown("clear_b"));
    }
    // Teamwork is capped at 60, so more intimacy than needed still counts as 60.
    initNewGame(s);
    ready(s);
    s.pairIntimacy = {100, 100, 0, 0, 0, 0};
    apply();
    EXPECT_TRUE(shown("clear_b"));
}

TEST_F(AvailabilityTest, ShownButDisabledUntilTheMaterialsArrive) {
    s.hasNeedle = 1;  // offers the tent
    apply();
    EXPECT_TRUE(shown("tento_b"));
    EXPECT_FALSE(enabled("tento_b"));

    s.branchCount = 2;
    s.flotsamCount = 7;
    s.leafCount = 4;
    apply();
    EXPECT_FALSE(enabled("tento_b"));
    s.leafCount = 5;
    apply();
    EXPECT_TRUE(enabled("tento_b"));

    s.hasTent = 1;  // built: the button goes away
    apply();
    EXPECT_FALSE(shown("tento_b"));
    EXPECT_FALSE(enabled("tento_b"));
}

TEST_F(AvailabilityTest, SawNeedsEveryMaterialItsBuildMayTake) {
    s.boneCount = 2;
    s.obsidianCount = 2;
    apply();
    EXPECT_TRUE(shown("nokogiri_b"));
    EXPECT_FALSE(enabled("nokogiri_b"));
    s.branchCount = 2;
    apply();
    EXPECT_TRUE(enabled("nokogiri_b"));
    s.boneCount = 1;
    apply();
    EXPECT_FALSE(enabled("nokogiri_b"));
}

TEST_F(AvailabilityTest, RowsWithoutConditionsLeaveTheButtonAlone) {
    // A handler may hide an "always" button or disable a "-" one; the refresh
    // does not undo that.
    form.setVisible(form.id("sio_b"), false);
    form.setEnabled(form.id("umi_b"), false);
    s.worldFlags[0] = 1;
    apply();
    EXPECT_FALSE(shown("sio_b"));
    EXPECT_TRUE(shown("umi_b"));
    EXPECT_FALSE(enabled("umi_b"));
    // Enabled conditions still apply to an "always" row.
    s.seawaterCount = 10;
    apply();
    EXPECT_TRUE(enabled("sio_b"));
}

}  // namespace
}  // namespace kotou
