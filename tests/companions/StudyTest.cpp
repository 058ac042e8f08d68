#include <gtest/gtest.h>

#include <string>

#include "shell/StatusRefresh.h"
#include "tests/companions/CompanionTest.h"

namespace kotou {
namespace {

struct StudyTest : test::CompanionTest {
    StudyTest() { g.s.worldFlags[13] = 1; }  // the desk
    void openShelf() {
        refreshStatus(g);
        g.form.show("com_box");
        press("study_b");
    }
};

TEST_F(StudyTest, StressOfThirtyKeepsTheShelfClosedAndThirtyOneOpensIt) {
    ch(1).stress = 30;
    openShelf();
    EXPECT_EQ(host.lastMessage(), "ルルはストレスのため勉強ができません");
    EXPECT_FALSE(visible("study_box"));
    EXPECT_TRUE(visible("com_box"));
    ch(1).stress = 31;
    host.clearRecords();
    openShelf();
    EXPECT_TRUE(host.played("1.wav", 0));
    EXPECT_TRUE(visible("study_box"));
    EXPECT_FALSE(visible("com_box"));
    EXPECT_EQ(g.form.at("study_box").left, g.form.at("com_box").left);
    press("BitBtn28");
    EXPECT_TRUE(visible("com_box"));
    EXPECT_FALSE(visible("study_box"));
}

std::string dots(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "・";
    return s;
}

TEST_F(StudyTest, EachBookHasItsCostStressLessonAndGrowth) {
    struct Case {
        const char* button;
        int32_t& (*state)(GameState&);  // the book's state, set to 1 (held)
        int32_t cost, stress;
        const char* read;
        bool once;                  // state 2 after reading
        const char* learned;        // nullptr: none
        int32_t Character::*grows;  // nullptr: no growth
        int32_t die;
    };
    const Case cases[] = {
        {"cat_book_b", [](GameState& s) -> int32_t& { return s.catBookFound; }, 2, 5,
         "ルルは、絵本「ねこと月」を読んだ。", false, nullptr, &Character::zoology, 7},
        {"world_book_b", [](GameState& s) -> int32_t& { return s.worldBookFound; }, 2, 5,
         "ルルは、絵本「せかいのはて」を読んだ。", false, nullptr, &Character::geography, 15},
        {"flower_book_b", [](GameState& s) -> int32_t& { return s.flowerBookFound; }, 3, 10,
         "ルルは、Ｎ・リーフの手記を読んだ。", false, nullptr, &Character::botany, 6},
        {"cake_book_b", [](GameState& s) -> int32_t& { return s.cakeBookState; }, 4, 10,
         "ルルは、本・ケーキの作り方を読んだ。", true,
         "ケーキの作り方を修得した！（アイテムが揃えば『デザート』欄に出現します）",
         &Character::cooking, 8},
        {"harb_book_b", [](GameState& s) -> int32_t& { return s.herbTeaBookState; }, 4, 10,
         "ルルは、本・ハーブティの作り方を読んだ。", true,
         "ハーブティの作り方を修得した！（アイテムが揃えば『デザート』欄に出現します）",
         &Character::cooking, 8},
        {"kusuri_book_b", [](GameState& s) -> int32_t& { return s.medicineBookState; }, 15, 20,
         "ルルは、本・薬の作り方を読んだ。", true,
         "薬の作り方を修得した！（『素材・本の製作』欄に出現します）", &Character::botany, 6},
        {"magic_book_b", [](GameState& s) -> int32_t& { return s.worldFlags[21]; }, 10, 20,
         "ルルは、魔術書を読んだ。", true, "戦闘コマンド『魔法』を修得した！", nullptr, 0},
        {"magic_book2_b", [](GameState& s) -> int32_t& { return s.worldFlags[22]; }, 20, 30,
         "ルルは、上級魔術書を読んだ。", true, "戦闘コマンド『上級魔法』を修得した！", nullptr, 0},
        {"sinpi_book_b", [](GameState& s) -> int32_t& { return s.worldFlags[23]; }, 15, 20,
         "ルルは、神秘学書を読んだ。", true, "戦闘コマンド『回復』を修得した！", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        GameState fresh;
        initNewGame(fresh);
        g.s = fresh;
        g.s.currentCharacter = 1;
        g.s.worldFlags[13] = 1;
        ch(1).maxActionPoints = 99;
        c.state(g.s) = 1;
        ch(1).stress = 31;
        openShelf();
        ASSERT_TRUE(visible(c.button));

        // One point short: refused, nothing spent.
        ch(1).actionPoints = c.cost - 1;
        press(c.button);
        EXPECT_EQ(host.lastMessage(), "行動力が足りません");
        EXPECT_EQ(ch(1).actionPoints, c.cost - 1);
        EXPECT_EQ(c.state(g.s), 1);

        host.clearRecords();
        ch(1).actionPoints = c.cost;
        ch(1).stress = 31;
        if (c.grows) rng.push({0, 0});  // grows (and the line waits)
        const size_t before = rng.requests().size();
        const int32_t skill = c.grows ? ch(1).*c.grows : 0;
        press(c.button);
        EXPECT_EQ(ch(1).actionPoints, 0);
        EXPECT_EQ(ch(1).stress, 31 - c.stress);
        EXPECT_TRUE(host.played("1.wav", 1));
        EXPECT_TRUE(host.played("ok.wav", 0));
        EXPECT_EQ(host.messages.at(0).text, c.read);
        EXPECT_EQ(host.messages.at(1).text, dots(37));
        EXPECT_EQ(c.state(g.s), c.once ? 2 : 1);
        if (c.learned) {
            EXPECT_EQ(host.messages.at(2).text, c.learned);
        }
        if (c.grows) {
            EXPECT_EQ(ch(1).*c.grows, skill + 1);
            EXPECT_EQ(rng.requests().at(before), c.die);
        } else {
            EXPECT_EQ(rng.requests().size(), before);
        }
        EXPECT_TRUE(visible("study_box"));
        // A book read for good leaves the shelf at the next refresh.
        refreshStatus(g);
        EXPECT_EQ(visible(c.button), !c.once);
    }
}

TEST_F(StudyTest, ABookNotOnTheShelfCannotBeRead) {
    ch(1).stress = 80;
    ch(1).actionPoints = 30;
    g.s.cakeBookState = 2;  // read already
    openShelf();
    press("cake_book_b");
    press("magic_book_b");  // never held
    EXPECT_EQ(ch(1).actionPoints, 30);
    EXPECT_EQ(ch(1).stress, 80);
    EXPECT_EQ(g.s.worldFlags[21], 0);
}

}  // namespace
}  // namespace kotou
