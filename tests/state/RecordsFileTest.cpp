#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "state/RecordsFile.h"
#include "state/SaveFile.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

GameState newGame() {
    GameState s;
    initNewGame(s);
    return s;
}

TEST(RecordsFile, NewGame) {
    const auto lines = recordsLines(newGame(), pointText(0));
    const std::array<std::string, 8> expected = {
        "★孤島生活データ♪ver1.4",
        "1日目",
        "ルル：行10/体10/腕0/器0/料0/植0/動0/地0",
        "　嵐：行10/体10/腕0/器0/料0/植0/動0/地0",
        "SPARK：行10/体10/腕0/器0/料0/植0/動0/地0",
        "残響：行10/体10/腕0/器0/料0/植0/動0/地0",
        "仲が良い２人：ルルと嵐",
        "得点：0点",
    };
    EXPECT_EQ(lines, expected);
}

TEST(RecordsFile, IslandRecordSummaryAndCouple) {
    GameState s = newGame();
    s.islandName = "ヤシ";
    s.dayNumber = 120;
    s.bestDays = 95;
    s.bestScore = 340;
    Character& lulu = s.ch(1);
    lulu.maxActionPoints = 12;
    lulu.maxStamina = 14;
    lulu.strength = 3;
    lulu.dexterity = 5;
    lulu.cooking = 0;
    lulu.botany = 2;
    lulu.zoology = 0;
    lulu.geography = 7;
    lulu.trainingLevel = 50;  // not on the line
    s.ch(3).cooking = -4;
    s.bestCoupleText = "ルルとスパーク";
    auto lines = recordsLines(s, pointText(12));
    EXPECT_EQ(lines[1], "『ヤシ島』　120日目（最短記録95日）");
    EXPECT_EQ(lines[2], "ルル：行12/体14/腕3/器5/料0/植2/動0/地7");
    EXPECT_EQ(lines[4], "SPARK：行10/体10/腕0/器0/料-4/植0/動0/地0");
    EXPECT_EQ(lines[6], "ﾍﾞｽﾄｶｯﾌﾟﾘﾝｸﾞ：ルルとスパーク");
    EXPECT_EQ(lines[7], "得点：12点（HI:340点）");

    // No record when bestDays is 9999 (none yet) or 0: no HI part either.
    for (int32_t none : {9999, 0}) {
        s.bestDays = none;
        lines = recordsLines(s, pointText(12));
        EXPECT_EQ(lines[1], "『ヤシ島』　120日目");
        EXPECT_EQ(lines[7], "得点：12点");
    }
}

TEST(RecordsFile, TitlesFollowTheScore) {
    GameState s = newGame();
    s.finalCourseClears = 1;
    EXPECT_EQ(recordsLines(s, pointText(5))[7], "得点：5点【さよなら】");
    s.carvingMade[14] = 1;
    s.finalCourseClears = 2;
    s.organTitle = 1;
    s.bestDays = 200;
    s.bestScore = 9;
    EXPECT_EQ(recordsLines(s, pointText(5))[7],
              "得点：5点（HI:9点）　称号【ｺﾞﾙﾄﾞｽｸﾛﾆｸﾙ】【さよなら】【????】【ｵﾙｶﾞﾝ】");
}

TEST(RecordsFile, ClosestPairTournament) {
    struct Case {
        std::array<int32_t, 6> intimacy;
        int pair;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0, 0}, 0},       // nobody close yet: the first pair
        {{10, 5, 20, 40, 30, 40}, 5},  // the 4/5 winner beats an equal earlier winner
        {{10, 10, 0, 0, 0, 0}, 0},     // 0 keeps a tie with 1
        {{10, 11, 0, 0, 0, 0}, 1},     {{0, 0, 30, 30, 0, 0}, 2},  // 2 keeps a tie with 3
        {{20, 0, 0, 20, 0, 0}, 0},  // first winner keeps a tie with the second
        {{0, 20, 20, 0, 0, 0}, 1},     {{10, 0, 0, 0, 10, 0}, 4},  // the third winner takes a tie
        {{7, 7, 7, 7, 7, 7}, 4},       {{0, 0, 0, 0, 0, 1}, 5},   {{0, 0, 0, 50, 49, 49}, 3},
        {{-5, -3, -9, -9, -9, -9}, 1},  // out-of-range values still compare
    };
    for (const Case& c : cases) {
        GameState s;
        s.pairIntimacy = c.intimacy;
        EXPECT_EQ(closestPair(s), c.pair) << ::testing::PrintToString(c.intimacy);
    }
    GameState s = newGame();
    s.pairIntimacy = {10, 5, 20, 40, 30, 40};
    EXPECT_EQ(recordsLines(s, pointText(0))[6], "仲が良い２人：スパークと残響");
}

TEST(RecordsFile, TextsThatCannotBeWrittenNameTheirLine) {
    const struct {
        std::string islandName, bestCoupleText, message;
    } cases[] = {
        {"絵文字😀", "", "記録.txt line 2: a character cannot be written in code page 932"},
        {"", "a\nb", "記録.txt line 7: the text contains a line break"},
    };
    for (const auto& c : cases) {
        GameState s = newGame();
        s.islandName = c.islandName;
        s.bestCoupleText = c.bestCoupleText;
        try {
            formatRecords(s, pointText(0));
            ADD_FAILURE() << c.message;
        } catch (const SaveError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
    }
}

TEST(RecordsFile, SaveWritesCp932WithCrLfBesideTheGame) {
    const fs::path dir = fs::path(KOTOU_TEST_OUTPUT) / "records" / "write";
    fs::remove_all(dir);
    fs::create_directories(dir / "dat");
    GameState s = newGame();
    s.islandName = "孤島";
    saveGame(s, dir, pointText(3));
    std::ifstream in(dir / fs::path(u8"記録.txt"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, formatRecords(s, pointText(3)));
    EXPECT_EQ(bytes.substr(0, 2), "\x81\x9a");  // ★
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    size_t crlf = 0;
    for (size_t p = bytes.find("\r\n"); p != std::string::npos; p = bytes.find("\r\n", p + 2))
        ++crlf;
    EXPECT_EQ(crlf, 8u);
    EXPECT_NE(bytes.find("\x81\x77\x8c\xc7\x93\x87\x93\x87\x81\x78"),
              std::string::npos);  // 『孤島島』
}

}  // namespace
}  // namespace kotou
