#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "state/SaveFile.h"
#include "tests/support/Files.h"
#include "tools/play/Scenario.h"

namespace kotou::play {
namespace {

namespace fs = std::filesystem;

const fs::path kData = KOTOU_TEST_DATA;

struct Outcome {
    int code = 0;
    std::string out, err;
};

// Runs `scenario` as the file play.txt in a fresh folder that also holds the
// start save of the tests.
Outcome play(const std::string& name, const std::string& scenario, fs::path* folder = nullptr) {
    const fs::path dir = test::scratchDir("play", name);
    fs::copy_file(kData / "play-start.dat", dir / "play-start.dat");
    test::writeAll(dir / "play.txt", scenario);
    if (folder) *folder = dir;
    std::ostringstream out, err;
    const int code = run({(dir / "play.txt").string()}, out, err);
    return {code, out.str(), err.str()};
}

// The documented scenario: a bath, the toilet, a forest battle, the night,
// the next day's weather and event, a save. When the game changes on
// purpose, regenerate the expected files with KOTOU_UPDATE_GOLDEN=1 and
// review the transcript's diff.
TEST(Play, DocumentedScenarioReplaysToItsTranscriptAndSave) {
    fs::path dir;
    const Outcome r = play("golden", test::readAll(kData / "forest-night.play"), &dir);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string saved = test::readAll(dir / "forest-night.out.dat");
    const char* update = std::getenv("KOTOU_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        test::writeAll(kData / "forest-night.transcript.txt", r.out);
        test::writeAll(kData / "forest-night.my.dat", saved);
    }
    EXPECT_EQ(r.out, test::readAll(kData / "forest-night.transcript.txt"));
    EXPECT_EQ(saved, test::readAll(kData / "forest-night.my.dat"));
    GameState s = loadSaveImage(saved, GameState{});
    EXPECT_EQ(s.dayNumber, 6);
    EXPECT_EQ(s.currentCharacter, 1);
    EXPECT_EQ(s.blackFruitCount, 3);
}

TEST(Play, BadLinesAreReportedWithTheirNumberBeforeAnythingRuns) {
    const struct {
        const char* scenario;
        const char* message;
    } cases[] = {
        {"# nothing\n", "line 2: the scenario needs a 'new' or a 'load' line"},
        {"click bath_b\n", "line 1: the game starts with 'new' or 'load' first"},
        {"new\r\nload play-start.dat\r\n", "line 2: the game was started on line 1"},
        {"seed 1\ndraws 1\n", "line 2: only one of seed and draws, once"},
        {"draws 1\nseed 1\n", "line 2: only one of seed and draws, once"},
        {"draws 0 3/2\n", "line 1: 3 is not a value of random(2)"},
        {"draws 1/x\n", "line 1: '1/x' is not a draw (V or V/N)"},
        {"new\nclick hayasi_x\n", "line 2: no component 'hayasi_x'"},
        {"new\nclick\n", "line 2: expected 'click NAME'"},
        {"new\nselect BitBtn5 1\n", "line 2: 'BitBtn5' is not a list"},
        {"new\nselect list 0\n", "line 2: the line of a list is a number from 1"},
        {"new\nset apples=3\n", "line 2: unknown name 'apples'"},
        {"new\nset weather=rainy\n", "line 2: 'rainy' is not a 32-bit integer"},
        {"new\nanswer maybe\n", "line 2: expected 'answer yes' or 'answer no'"},
        {"new\npress Escape\n", "line 2: expected 'press Enter' or 'press Space'"},
        {"new\nwaits never\n", "line 2: expected 'waits auto' or 'waits script'"},
        {"new\njump\n", "line 2: unknown command 'jump'"},
    };
    for (const auto& c : cases) {
        try {
            parseScenario(c.scenario, kData);
            ADD_FAILURE() << "accepted: " << c.scenario;
        } catch (const ScenarioError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }

    // The program names the file and line, runs nothing and writes nothing.
    fs::path dir;
    const Outcome r = play("badline", "load play-start.dat\nsave early.dat\nclick nowhere\n", &dir);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, (dir / "play.txt").string() + " line 3: no component 'nowhere'\n");
    EXPECT_FALSE(fs::exists(dir / "early.dat"));
    EXPECT_EQ(play("missing", "load gone.dat\n").code, 2);
}

TEST(Play, AStepThePlayerCouldNotDoStopsTheRunThere) {
    const struct {
        const char* steps;  // after the load of the start save
        const char* message;
        bool saveReached = false;  // the final save step ran before the failure showed
    } cases[] = {
        {"click hayasi_b\n", "line 2: hayasi_b cannot be clicked: its panel tansaku_box is hidden"},
        {"click bath_b\n",
         "line 2: draw 1: the game asks random(2) but the scenario has only 0 draws"},
        {"draws 1/3\nclick bath_b\n",
         "line 3: draw 1: the game asks random(2) but the scenario has 1/3 (line 2)"},
        {"draws 1 2\nclick bath_b\n",
         "line 3: draw 2: the game asks random(2) and the scenario's 2 (line 2) is not one of "
         "its values"},
        {"draws 1 0 1 0\nclick bath_b\n", "line 2: the game never asked for the draws from here on",
         true},
        {"answer no\n", "line 2: no question came for this answer", true},
        {"set stoneCount=3\nexpect stoneCount=4\n",
         "line 3: expected stoneCount=4, the game has stoneCount=3"},
        {"type 南の\n", "line 2: no text field is on screen"},
        {"set worldFlags[16]=1\nset stoneCount=2\nclick BitBtn35\nclick sizai_list_b\n"
         "select list 9\n",
         "line 6: list has 1 lines, not 9"},
        {"set character[4].bowel=100\nwaits script\nclick BitBtn5\ndraws 0/2 9/10\n",
         "line 4: the game waits for a click and the scenario has no more steps", true},
    };
    for (const auto& c : cases) {
        fs::path dir;
        const Outcome r =
            play("stop", std::string("load play-start.dat\n") + c.steps + "save late.dat\n", &dir);
        EXPECT_EQ(r.code, 1) << c.steps;
        EXPECT_EQ(r.err, (dir / "play.txt").string() + " " + c.message + "\n") << c.steps;
        EXPECT_EQ(fs::exists(dir / "late.dat"), c.saveReached) << c.steps;
        // The transcript up to the failure has been written.
        EXPECT_EQ(r.out.rfind("music title.mid\n", 0), 0u) << r.out;
    }
}

TEST(Play, ScriptedWaitsTakeTheNextStepsAndListsTakeASelectedLine) {
    const Outcome r = play("script",
                           "load play-start.dat\n"
                           "set character[4].bowel=100\n"
                           "set worldFlags[16]=1\n"
                           "set stoneCount=2\n"
                           "waits script\n"
                           "click BitBtn5\n"
                           "draws 0/2 9/10 0/2 3/6 7/8 0/5 0/2\n"
                           "press Enter\n"
                           "press Space\n"
                           "click BitBtn35\n"
                           "click sizai_list_b\n"
                           "select list 1\n");
    ASSERT_EQ(r.code, 0) << r.err;
    // The night's wait ended by Enter, the turn's by Space, none by itself.
    const size_t enter = r.out.find("+ 【行動力】が体力分の10回復した！\nkey Enter\n");
    const size_t space = r.out.find("> ≪ルルのターン≫\nkey Space\n");
    EXPECT_NE(enter, std::string::npos) << r.out;
    EXPECT_NE(space, std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\nclick\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nselect list 1 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nsound 0 key.wav\n"), std::string::npos) << r.out;
}

// The behaviour tests written as scenarios: each file of data/behaviour plays
// to its end with every expectation met.
TEST(Play, EveryBehaviourScenarioHoldsItsExpectations) {
    size_t files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(kData / "behaviour")) {
        if (e.path().extension() != ".play") continue;
        ++files;
        std::ostringstream out, err;
        EXPECT_EQ(run({e.path().string()}, out, err), 0) << err.str();
    }
    EXPECT_GT(files, 0u);
}

TEST(Play, TheProgramRunsAScenarioFile) {
    const fs::path dir = test::scratchDir("play", "program");
    fs::copy_file(kData / "play-start.dat", dir / "play-start.dat");
    fs::copy_file(kData / "forest-night.play", dir / "forest-night.play");
    const std::string exe = std::string(KOTOU_BIN_DIR) + "/kotou-play";
    const std::string out = (dir / "out.txt").string();
    EXPECT_EQ(std::system((exe + " " + (dir / "forest-night.play").string() + " > " + out).c_str()),
              0);
    EXPECT_EQ(test::readAll(out), test::readAll(kData / "forest-night.transcript.txt"));
    EXPECT_NE(std::system((exe + " 2> /dev/null").c_str()), 0);
}

// A scenario that saves plays in a game folder of its own and removes it: the
// player's save stays as it was, the home and the temporary folder empty.
TEST(Play, AScenarioLeavesThePlayersSaveAloneAndNoFolderBehind) {
    const fs::path dir = test::scratchDir("play", "own-folder");
    for (const char* sub : {"bin/cg", "bin/dat", "home", "tmp"}) fs::create_directories(dir / sub);
    fs::copy_file(fs::path(KOTOU_BIN_DIR) / "kotou-play", dir / "bin/kotou-play");
    fs::copy_file(kData / "play-start.dat", dir / "play-start.dat");
    fs::copy_file(kData / "play-start.dat", dir / "bin/dat/my.dat");  // the player's
    test::writeAll(dir / "saves.play",
                   "load play-start.dat\nclick BitBtn20\nexpect message セーブしました\n");
    const std::string run =
        "HOME=" + (dir / "home").string() + " XDG_DATA_HOME=" + (dir / "home/data").string() +
        " TMPDIR=" + (dir / "tmp").string() + " " + (dir / "bin/kotou-play").string() + " " +
        (dir / "saves.play").string() + " > /dev/null";
    EXPECT_EQ(std::system(run.c_str()), 0);
    EXPECT_TRUE(test::readAll(dir / "bin/dat/my.dat") == test::readAll(kData / "play-start.dat"));
    EXPECT_FALSE(fs::exists(dir / "bin/dat/my.dat.bak"));
    EXPECT_TRUE(fs::is_empty(dir / "home"));
    EXPECT_TRUE(fs::is_empty(dir / "tmp"));
}

}  // namespace
}  // namespace kotou::play
