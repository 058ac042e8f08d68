#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "state/SaveFile.h"
#include "tests/support/Files.h"
#include "tools/savetool/SaveTool.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

using test::readAll;
using test::writeAll;

fs::path toolDir(const std::string& name) {
    return test::scratchDir("savetool", name);
}

struct Result {
    int code;
    std::string out, err;
};

Result runTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = savetool::run(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(SaveTool, DumpWriteRoundTripIsByteExact) {
    const fs::path dir = toolDir("roundtrip");
    GameState s;
    initNewGame(s);
    s.appleCount = 3;
    s.rareItems[0] = 1;
    s.character[2].stamina = -10;
    s.worldFlags[10] = 1;
    s.escape[5] = 7;
    s.islandName = "孤島 ";
    s.currentCharacter = 4;
    const std::string saveBytes = formatSave(s);
    writeAll(dir / "my.dat", saveBytes);

    const Result dump = runTool({"dump", (dir / "my.dat").string()});
    ASSERT_EQ(dump.code, 0) << dump.err;
    EXPECT_EQ(dump.out.substr(0, 29), "appleCount=3\nrareItems[0]=1\nr");
    for (const char* line :
         {"\ncharacter[1].name=ルル\n", "\ncharacter[2].stamina=-10\n", "\nworldFlags[10]=1\n",
          "\nescape[5]=7\n", "\nislandName=孤島 \n", "\nbestCoupleText=\n", "\norganTitle=0\n"})
        EXPECT_NE(dump.out.find(line), std::string::npos) << line;
    EXPECT_EQ(std::count(dump.out.begin(), dump.out.end(), '\n'), 460);

    writeAll(dir / "dump.txt", dump.out);
    const Result write =
        runTool({"write", (dir / "dump.txt").string(), (dir / "copy.dat").string()});
    ASSERT_EQ(write.code, 0) << write.err;
    EXPECT_EQ(readAll(dir / "copy.dat"), saveBytes);
    EXPECT_EQ(runTool({"check", (dir / "copy.dat").string()}).code, 0);
}

TEST(SaveTool, WriteStartsFromANewGame) {
    const GameState s = savetool::parseAssignments(
        "# a comment\r\n\r\n appleCount = 5 \r\ncharacter[3].name=スパーク２\nislandName= 島\n",
        "in.txt");
    GameState expected;
    initNewGame(expected);
    expected.appleCount = 5;
    expected.character[3].name = "スパーク２";
    expected.islandName = " 島";  // a text value is everything after '='
    EXPECT_EQ(s, expected);
}

TEST(SaveTool, WriteRefusesBadLinesWithTheirNumber) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"appleCount=1\n\nfoo=2\n", "in.txt line 3: unknown name 'foo'"},
        {"appleCount 1\n", "in.txt line 1: expected name=value"},
        {"# c\nweather=rainy\n", "in.txt line 2: 'rainy' is not a 32-bit integer"},
        {"weather=4294967296\n", "in.txt line 1: '4294967296' is not a 32-bit integer"},
        {"weather=1\nweather=2\n", "in.txt line 2: weather is given twice (first on line 1)"},
        {"islandName=😀\n",
         "in.txt line 1: islandName has a character that code page 932 cannot hold"},
        {"rareItems[13]=1\n", "in.txt line 1: unknown name 'rareItems[13]'"},
    };
    for (const auto& [text, message] : cases) {
        try {
            savetool::parseAssignments(text, "in.txt");
            ADD_FAILURE() << text;
        } catch (const SaveError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
    const fs::path dir = toolDir("badwrite");
    writeAll(dir / "in.txt", "appleCount=1\nbogus\n");
    const Result r = runTool({"write", (dir / "in.txt").string(), (dir / "out.dat").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("in.txt line 2: expected name=value"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "out.dat"));
}

TEST(SaveTool, CheckAndUsage) {
    const fs::path dir = toolDir("check");
    GameState s;
    initNewGame(s);
    std::string bytes = formatSave(s);
    bytes.replace(bytes.find("\r\n0\r\n"), 5, "\r\nx1\r\n");  // line 2
    writeAll(dir / "bad.dat", bytes);
    const std::string bad = (dir / "bad.dat").string();
    Result r = runTool({"check", bad});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, bad + " line 2: 'x1' is not a number\n");
    EXPECT_EQ(runTool({"dump", bad}).code, 1);

    // A file the game refuses still dumps, so it can be inspected and mended.
    s.currentCharacter = 7;
    writeAll(dir / "seven.dat", formatSave(s));
    r = runTool({"check", (dir / "seven.dat").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("line 189: current character 7 is not 1..4"), std::string::npos);
    EXPECT_EQ(runTool({"dump", (dir / "seven.dat").string()}).code, 0);

    EXPECT_EQ(runTool({"check", (dir / "none.dat").string()}).code, 1);
    const std::vector<std::vector<std::string>> badUsage = {
        {},        {"dump", "a", "b"},       {"check", "a", "b"},
        {"write"}, {"write", "a", "b", "c"}, {"frobnicate", "a"}};
    for (const auto& args : badUsage) {
        r = runTool(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find("usage: kotou-save"), std::string::npos);
    }
}

// Each save keeps the one it replaces; restore swaps them back (so a second
// restore undoes the first), checks what it puts back, and check covers both.
TEST(SaveTool, BackupKeptByEachSaveAndRestored) {
    const fs::path dir = toolDir("backup");
    fs::create_directories(dir / "dat");
    const std::string file = saveFilePath(dir).string(), backup = file + ".bak";
    GameState a, b;
    initNewGame(a);
    initNewGame(b);
    a.currentCharacter = b.currentCharacter = 1;
    a.dayNumber = 11;
    b.dayNumber = 22;

    saveGame(a, dir, "得点：0点");
    EXPECT_FALSE(fs::exists(backup));  // nothing was replaced
    EXPECT_EQ(runTool({"check", file}).out, file + ": ok\n" + backup + ": none kept\n");
    saveGame(b, dir, "得点：0点");
    EXPECT_EQ(readAll(backup), formatSave(a));
    EXPECT_EQ(runTool({"check", file}).out, file + ": ok\n" + backup + ": ok\n");

    Result r = runTool({"restore", dir.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("restored from " + backup), std::string::npos) << r.out;
    EXPECT_EQ(readAll(file), formatSave(a));
    EXPECT_EQ(readAll(backup), formatSave(b));
    ASSERT_EQ(runTool({"restore", file}).code, 0);
    EXPECT_EQ(readAll(file), formatSave(b));

    // A kept save the game cannot load is never put back, and check says so.
    std::string damaged = formatSave(a);
    damaged.replace(damaged.find("\r\n0\r\n"), 5, "\r\nx1\r\n");
    writeAll(backup, damaged);
    r = runTool({"restore", file});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(readAll(file), formatSave(b));
    EXPECT_EQ(runTool({"check", file}).code, 1);
    fs::remove(backup);
    EXPECT_EQ(runTool({"restore", file}).code, 1);
}

// Without FILE the tool reads and writes the save the game would use; a folder
// stands for the save inside it.
TEST(SaveTool, FindsTheGameSaveWhereverTheGameKeepsIt) {
    const fs::path root = toolDir("folders");
    const fs::path exe = root / "bin", user = root / "xdg" / "kotou";
    fs::create_directories(exe / "cg");
    fs::create_directories(exe / "dat");
    writeAll(root / "in.txt", "appleCount=5\ncurrentCharacter=1\n");
    bool exeWritable = true;
    FolderEnvironment env;
    env.executableDir = exe;
    env.installedData = root / "share";
    env.xdgDataHome = (root / "xdg").string();
    env.writable = [&](const fs::path&) { return exeWritable; };
    auto tool = [&](const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = savetool::run(args, out, err, env);
        return Result{code, out.str(), err.str()};
    };

    ASSERT_EQ(tool({"write", (root / "in.txt").string()}).code, 0);
    EXPECT_TRUE(fs::exists(exe / "dat" / "my.dat"));
    const std::string exeSave = (exe / "dat" / "my.dat").string();
    EXPECT_EQ(tool({"check"}).out, exeSave + ": ok\n" + exeSave + ".bak: none kept\n");

    // A read-only game folder: the save goes to the player's folder, which
    // the tool creates, and is found there afterwards.
    exeWritable = false;
    EXPECT_EQ(tool({"check"}).code, 0);  // still the older save; reading creates nothing
    EXPECT_FALSE(fs::exists(user));
    writeAll(root / "in.txt", "appleCount=6\ncurrentCharacter=1\n");
    ASSERT_EQ(tool({"write", (root / "in.txt").string()}).code, 0);
    EXPECT_EQ(tool({"dump"}).out.substr(0, 13), "appleCount=6\n");
    EXPECT_EQ(tool({"dump", exe.string()}).out.substr(0, 13), "appleCount=5\n");
    EXPECT_EQ(tool({"dump", (exe / "dat").string() + "/"}).out.substr(0, 13), "appleCount=5\n");
    const std::string userSave = (user / "dat" / "my.dat").string();
    EXPECT_EQ(tool({"check", user.string()}).out,
              userSave + ": ok\n" + userSave + ".bak: none kept\n");
    const Result missing = tool({"check", root.string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find((root / "dat" / "my.dat").string()), std::string::npos);
}

TEST(SaveTool, ExecutableExitCodes) {
    const fs::path dir = toolDir("exe");
    const std::string exe = std::string(KOTOU_BIN_DIR) + "/kotou-save";
    writeAll(dir / "in.txt", "appleCount=9\ncurrentCharacter=2\n");
    auto sh = [&](const std::string& cmd) {
        const int status = std::system(
            (cmd + " >" + (dir / "out").string() + " 2>" + (dir / "err").string()).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    const std::string file = (dir / "my.dat").string();
    EXPECT_EQ(sh(exe + " write " + (dir / "in.txt").string() + " " + file), 0);
    EXPECT_EQ(sh(exe + " check " + file), 0);
    EXPECT_EQ(sh(exe + " dump " + file), 0);
    EXPECT_EQ(readAll(dir / "out").substr(0, 13), "appleCount=9\n");
    GameState loaded = loadSaveImage(readAll(dir / "my.dat"), GameState{});
    EXPECT_EQ(loaded.appleCount, 9);
    EXPECT_EQ(loaded.currentCharacter, 2);

    writeAll(dir / "my.dat", "1\r\n2\r\nthree\r\n");
    EXPECT_EQ(sh(exe + " check " + file), 1);
    EXPECT_EQ(readAll(dir / "err"), file + " line 3: 'three' is not a number\n");
    EXPECT_EQ(sh(exe), 2);
}

}  // namespace
}  // namespace kotou
