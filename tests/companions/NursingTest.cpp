#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/StatusRefresh.h"
#include "tests/companions/CompanionTest.h"

namespace kotou {
namespace {

std::string dots33() {
    std::string s;
    for (int i = 0; i < 33; ++i) s += "・";
    return s;
}

struct NursingTest : test::CompanionTest {
    void open() {
        refreshStatus(g);
        g.form.show("com_box");
        press("kanbyou_b");
    }
};

TEST_F(NursingTest, ThePanelOffersTheOthersWhoAreIllOrPoisoned) {
    ch(1).illness = 5;  // the nurse herself
    ch(2).poison = 1;
    ch(4).illness = 1;
    intimacy(1, 2) = 12;
    open();
    EXPECT_TRUE(visible("kanbyou_box"));
    EXPECT_FALSE(visible("com_box"));
    EXPECT_FALSE(visible("kan_ruru_b"));
    EXPECT_TRUE(visible("kan_arashi_b"));
    EXPECT_FALSE(visible("kan_spark_b"));
    EXPECT_TRUE(visible("kan_zankyou_b"));
    EXPECT_EQ(host.lastMessage(),
              "誰を看病しますか？（要：行動７・親密度１０）\r" + g.form.at("cominu_l").caption);
    EXPECT_NE(host.lastMessage().find("ルルと　　　嵐の親密度：12"), std::string::npos);
    EXPECT_TRUE(host.played("1.wav", 0));
    host.clearRecords();
    press("BitBtn52");
    EXPECT_TRUE(visible("com_box"));
    EXPECT_FALSE(visible("kanbyou_box"));
    EXPECT_TRUE(host.played("1.wav", 0));
}

TEST_F(NursingTest, EachPatientButtonNursesItsOwnCharacter) {
    g.s.currentCharacter = 2;
    for (int k : {1, 3, 4}) {
        ch(k).illness = 9;
        intimacy(2, k) = 10;
    }
    ch(2).actionPoints = 21;
    open();
    EXPECT_TRUE(visible("kan_ruru_b"));
    EXPECT_FALSE(visible("kan_arashi_b"));
    struct Case {
        const char* button;
        int patient;
    };
    for (const Case& c :
         {Case{"kan_ruru_b", 1}, Case{"kan_spark_b", 3}, Case{"kan_zankyou_b", 4}}) {
        rng.push(0);
        press(c.button);
        EXPECT_EQ(ch(c.patient).illness, 6) << c.button;
    }
    EXPECT_EQ(ch(2).actionPoints, 0);
    // A click forged on the nurse's own button nurses no one.
    ch(2).illness = 9;
    ch(2).actionPoints = 7;
    g.form.show("kan_arashi_b");
    press("kan_arashi_b");
    EXPECT_EQ(ch(2).illness, 9);
    EXPECT_EQ(ch(2).actionPoints, 7);
}

TEST_F(NursingTest, OnlyTheCurrentCharacterIllLeavesNoPatientButton) {
    ch(1).illness = 5;
    open();
    for (const char* b : {"kan_ruru_b", "kan_arashi_b", "kan_spark_b", "kan_zankyou_b"})
        EXPECT_FALSE(visible(b)) << b;
    EXPECT_TRUE(visible("BitBtn52"));
}

TEST_F(NursingTest, IntimacyIsRefusedBeforePointsAndNeitherCostsAnything) {
    ch(3).illness = 5;
    open();
    struct Case {
        int32_t intimacy, points;
        const char* refusal;
    };
    for (const Case& c : {Case{9, 6, "スパークとの親密度が低過ぎて、看病はできません"},
                          Case{9, 7, "スパークとの親密度が低過ぎて、看病はできません"},
                          Case{10, 6, "行動力が足りません"}}) {
        intimacy(1, 3) = c.intimacy;
        ch(1).actionPoints = c.points;
        press("kan_spark_b");
        EXPECT_EQ(host.lastMessage(), c.refusal);
        EXPECT_EQ(ch(1).actionPoints, c.points);
        EXPECT_EQ(ch(3).illness, 5);
        EXPECT_TRUE(visible("kanbyou_box"));
    }
}

TEST_F(NursingTest, ANightAtTheBedsideEasesIllnessAndMayClearPoison) {
    struct Case {
        int32_t illness, poison;
        std::vector<int32_t> draws;
        std::vector<int32_t> dice;
        int32_t illnessAfter, poisonAfter;
        bool closes;       // back to the command panel
        const char* last;  // the last message
    };
    const Case cases[] = {
        {1, 0, {0}, {2}, 0, 0, true, "嵐の病気が『完治』した！！！"},
        {3, 0, {0}, {2}, 0, 0, true, "嵐の病気が『完治』した！！！"},
        {4, 0, {1}, {2}, 0, 0, true, "嵐の病気が『完治』した！！！"},
        {4, 0, {0}, {2}, 1, 0, false, "嵐の病気が少しだけ回復した・・・"},
        {5, 0, {1}, {2}, 1, 0, false, "嵐の病気が少しだけ回復した・・・"},
        {3, 6, {0}, {2}, 0, 6, true, "嵐の病気が『完治』した！！！"},
        {0, 6, {0}, {3}, 0, 0, true, "嵐の体から毒が完全に消え去った！！"},
        {0, 6, {1}, {3}, 0, 6, false, "嵐の体の毒は、一晩の看病では完全に消えなかった・・・"},
        {9, 1, {0, 2}, {2, 3}, 6, 1, false, "嵐の体の毒は、一晩の看病では完全に消えなかった・・・"},
        {9, 1, {1, 0}, {2, 3}, 5, 0, true, "嵐の体から毒が完全に消え去った！！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.illness) + "/" + std::to_string(c.poison));
        ch(2).illness = c.illness;
        ch(2).poison = c.poison;
        intimacy(1, 2) = 10;
        ch(1).actionPoints = 7;
        open();
        host.clearRecords();
        for (int32_t d : c.draws) rng.push(d);
        const size_t before = rng.requests().size();
        press("kan_arashi_b");
        EXPECT_EQ(std::vector<int32_t>(rng.requests().begin() + static_cast<long>(before),
                                       rng.requests().end()),
                  c.dice);
        EXPECT_EQ(ch(2).illness, c.illnessAfter);
        EXPECT_EQ(ch(2).poison, c.poisonAfter);
        EXPECT_EQ(ch(1).actionPoints, 0);
        EXPECT_EQ(host.messages.at(0).text, "ルルは嵐を徹夜で看病した");
        EXPECT_EQ(host.messages.at(1).text, dots33());
        EXPECT_EQ(host.lastMessage(), c.last);
        EXPECT_EQ(visible("com_box"), c.closes);
        EXPECT_EQ(visible("kanbyou_box"), !c.closes);
        EXPECT_TRUE(host.played("ok.wav", 2));
        EXPECT_EQ(host.played("3.wav", 0), c.closes);
        g.form.hide("kanbyou_box");
    }
}

TEST_F(NursingTest, ABedsideButtonForSomeoneAlreadyWellDoesNothing) {
    ch(2).illness = 5;
    intimacy(1, 2) = 10;
    ch(1).actionPoints = 20;
    open();
    ch(2).illness = 0;  // cured meanwhile; the button is still up
    press("kan_arashi_b");
    EXPECT_EQ(ch(1).actionPoints, 20);
    EXPECT_TRUE(visible("kanbyou_box"));
}

}  // namespace
}  // namespace kotou
