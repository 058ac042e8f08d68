#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/GameState.h"
#include "state/SaveLayout.h"

namespace kotou {
namespace {

// The saved values as the lines of a save file (texts in UTF-8).
struct Lines {
    std::vector<std::string>& out;
    void integer(const std::string&, int32_t v) { out.push_back(std::to_string(v)); }
    void text(const std::string&, const std::string& v) { out.push_back(v); }
};

// Every saved value of a new game, as the save file holds it: the lines that
// are not 0, everything else 0. Values that are not saved start at 0 too.
TEST(GameState, NewGameValues) {
    GameState s;
    s.appleCount = 5;
    s.worldFlags[3] = 1;
    s.score = 12;
    s.runtime.clickState = -1;
    initNewGame(s);
    std::vector<std::string> expected(460, "0");
    expected[98] = "1";  // dayNumber
    const char* names[] = {"ルル", "嵐", "スパーク", "残響"};
    for (int k = 0; k < 4; ++k) {
        // name, level, strength, cooking, maxAP, AP, stamina, maxStamina, dexterity,
        // hygiene, bowel, stress, ..., obesity
        const std::vector<std::pair<int, std::string>> record = {
            {0, names[k]}, {1, "1"},   {4, "10"},   {5, "10"},   {6, "10"},
            {7, "10"},     {9, "100"}, {10, "100"}, {11, "100"}, {20, "100"}};
        for (const auto& [field, value] : record)
            expected[static_cast<size_t>(104 + 21 * k + field)] = value;
    }
    expected[188] = "1";     // currentCharacter
    expected[450] = "";      // islandName
    expected[451] = "";      // bestCoupleText
    expected[452] = "9999";  // bestDays
    std::vector<std::string> lines;
    visitSaved(s, Lines{lines});
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(s.score, 0);
    EXPECT_EQ(s.runtime, RuntimeState{});
}

TEST(GameState, PairIndicesAndPartners) {
    // Every pair index maps back to its members, in either order.
    for (int p = 0; p < kPairCount; ++p) {
        auto [a, b] = pairMembers(p);
        EXPECT_LT(a, b);
        EXPECT_EQ(pairIndex(a, b), p);
        EXPECT_EQ(pairIndex(b, a), p);
    }
    EXPECT_EQ(pairIndex(1, 2), 0);
    EXPECT_EQ(pairIndex(2, 4), 4);
    EXPECT_EQ(pairIndex(3, 4), 5);
    EXPECT_EQ(pairIndex(2, 2), -1);
    EXPECT_EQ(pairIndex(0, 3), -1);
    EXPECT_EQ(pairIndex(4, 5), -1);
    EXPECT_EQ(partnersOf(1), (std::array<int, 3>{2, 3, 4}));
    EXPECT_EQ(partnersOf(3), (std::array<int, 3>{1, 2, 4}));
    EXPECT_EQ(partnersOf(4), (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(pairMembers(-1), (std::array<int, 2>{0, 0}));
    EXPECT_EQ(pairMembers(6), (std::array<int, 2>{0, 0}));
}

TEST(GameState, TeamworkIsCappedAt60) {
    GameState s;
    EXPECT_EQ(teamwork(s), 0);
    s.pairIntimacy = {10, 10, 10, 10, 10, 9};
    EXPECT_EQ(teamwork(s), 59);
    s.pairIntimacy = {100, 100, 100, 100, 100, 100};
    EXPECT_EQ(teamwork(s), 60);
}

}  // namespace
}  // namespace kotou
