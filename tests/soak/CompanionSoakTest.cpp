// The companions' commands wait behind buildings, books and a story chapter
// that random play reaches late or never: this variant grants them at the
// start and checks that the player uses every companion button soundly.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tests/soak/RandomPlayer.h"

namespace kotou::soak {
namespace {

void grantCompanionPrerequisites(GameState& s) {
    s.worldFlags[14] = 1;  // meeting hall: communication
    s.worldFlags[43] = 1;  // playground: play
    s.worldFlags[13] = 1;  // desk: study
    s.worldFlags[10] = 1;  // music shop
    s.catBookFound = s.worldBookFound = s.flowerBookFound = 1;
    s.cakeBookState = s.herbTeaBookState = s.medicineBookState = 1;
    s.worldFlags[21] = s.worldFlags[22] = s.worldFlags[23] = 1;
    for (int32_t& v : s.pairIntimacy) v = 30;
    s.ch(2).illness = 40;
    s.ch(3).poison = 40;
    for (int k = 1; k <= kCharacterCount; ++k) s.ch(k).zoology = 60;
    for (int32_t* m : {&s.sunStoneCount, &s.rainStoneCount, &s.angelTearCount, &s.magicStoneCount,
                       &s.moonShadowCount, &s.timeSandCount, &s.dropCount, &s.gemCount,
                       &s.giantCount, &s.blueBirdCount, &s.machineCount, &s.blackTigerCount,
                       &s.kappaCount, &s.mermaidCount, &s.thanksStoneCount})
        *m = 60;
    s.rareItems[10] = 20;
}

TEST(CompanionSoak, EveryCompanionButtonIsPlayedWithTheStateSound) {
    const std::set<std::string> buttons = {
        "cominu_b",     "BitBtn33",    "asobu_b",       "tanken_b",     "yoru_b",
        "nedoko_b",     "who_ruru_b",  "who_arashi_b",  "who_spark_b",  "who_zankyou_b",
        "Button17",     "BitBtn26",    "kanbyou_b",     "kan_arashi_b", "kan_spark_b",
        "BitBtn52",     "study_b",     "cat_book_b",    "world_book_b", "flower_book_b",
        "cake_book_b",  "harb_book_b", "kusuri_book_b", "magic_book_b", "magic_book2_b",
        "sinpi_book_b", "BitBtn28",    "organ_b",       "uta_b1",       "uta_b2",
        "uta_b3",       "uta_b4",      "uta_b5",        "uta_b6",       "uta_b7",
        "uta_b8",       "uta_b9",      "BitBtn42"};
    std::set<std::string> clicked;
    for (uint64_t seed : {11u, 12u}) {
        Options o;
        o.seed = seed;
        o.days = 60;
        o.avoid = knownDeadEnds();
        o.prepare = grantCompanionPrerequisites;
        const Result r = play(o);
        for (const Problem& p : r.problems) ADD_FAILURE() << describe(p, seed);
        EXPECT_FALSE(r.aborted);
        EXPECT_GE(r.daysPlayed, 60);
        clicked.insert(r.replay.clicks.begin(), r.replay.clicks.end());
    }
    for (const std::string& b : buttons) EXPECT_TRUE(clicked.count(b)) << b << " never played";
}

}  // namespace
}  // namespace kotou::soak
