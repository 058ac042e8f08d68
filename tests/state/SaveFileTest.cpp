#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>

#include "state/RecordsFile.h"
#include "state/SaveFile.h"
#include "tests/support/Files.h"
#include "tests/support/Unprivileged.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

using test::readAll;
using test::writeAll;

// A game folder with an empty dat folder.
fs::path freshDir(const std::string& name) {
    const fs::path dir = test::scratchDir("savefile", name);
    fs::create_directories(dir / "dat");
    return dir;
}

// Gives every saved value its own number (some negative, the 32-bit limits
// included) and every text its own string.
struct DistinctFiller {
    int n = 0;
    void integer(const std::string&, int32_t& v) {
        ++n;
        v = n == 7 ? INT32_MIN : n == 8 ? INT32_MAX : (n % 3 == 0 ? -n * 1000 - 1 : n * 37 + 2);
    }
    void text(const std::string&, std::string& v) { v = "名前ﾃｽﾄ " + std::to_string(++n); }
};

GameState distinctState() {
    GameState s;
    visitSaved(s, DistinctFiller{});
    s.currentCharacter = 3;
    return s;
}

// The lines of a valid save of a new game, as text (ASCII only apart from
// the names), so tests can damage single lines.
std::vector<std::string> newGameLines() {
    GameState s;
    initNewGame(s);
    s.character[1].name = s.character[2].name = s.character[3].name = s.character[4].name = "x";
    std::vector<std::string> lines;
    const std::string bytes = formatSave(s);
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t end = bytes.find("\r\n", pos);
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

// The names in a folder.
std::set<std::string> entries(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

// `f` throws SaveError with exactly `message`.
void expectSaveError(const std::function<void()>& f, const std::string& message) {
    try {
        f();
        ADD_FAILURE() << "no error: " << message;
    } catch (const SaveError& e) {
        EXPECT_EQ(e.what(), message);
    }
}

std::string join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

// The whole order of the file, written out from the format's table: the
// order of the lines is the format.
TEST(SaveLayout, NamesSitOnTheLinesOfTheFormat) {
    std::vector<std::string> expected;
    auto add = [&](std::initializer_list<const char*> names) {
        expected.insert(expected.end(), names.begin(), names.end());
    };
    auto block = [&](const std::string& name, int n) {
        for (int i = 0; i < n; ++i) expected.push_back(name + "[" + std::to_string(i) + "]");
    };
    add({"appleCount"});
    block("rareItems", 13);
    add({"leafCount", "stoneCount", "branchCount", "vineCount", "fireFruitCount", "blackFruitCount",
         "wonderFruitCount", "sevenFruitCount"});
    add({"greenMushroomCount", "sugarCount", "herbCount", "waterCount", "blueBirdCount",
         "kappaCount", "treeSnakeCount", "walkingMushroomCount", "giantMushroomCount"});
    add({"sunStoneCount", "seawaterCount", "mudCount", "flameStoneCount", "ironCount",
         "lumberCount", "driftwoodCount", "flotsamCount", "shellCount"});
    add({"hasDrumBath",     "hasWaterSupply", "hasSimpleToilet",  "hasMidToilet",
         "hasLuxuryToilet", "hasShower",      "hasFireStarter",   "hasSaw",
         "hasAxe",          "hasHut",         "hasNeedle",        "hasBucket",
         "hasTent",         "hasStove",       "hasHouse",         "hasSleepingBag",
         "hasKnife",        "cakeBookState",  "herbTeaBookState", "hasSoap"});
    add({"dropCount", "hasGun", "machineCount", "angelTearCount", "obsidianCount", "glowMossCount",
         "medicineBookState", "flowerBookFound", "catBookFound", "worldBookFound", "hasRucksack",
         "hasLamp", "hasBoat", "hasFishingTackle", "hasNet"});
    add({"gemCount", "magicStoneCount", "moonShadowCount", "lizardCount", "saltCount", "grassCount",
         "pinkRabbitCount", "blackTigerCount", "perseWolfCount", "mermaidCount",
         "maneaterFishCount", "giantCount", "hasPot", "smallCrabCount", "seaBreamCount",
         "crucianCount", "smallFishCount", "seaweedCount", "hasBasket"});
    add({"laxativeCount", "flowerWreathCount", "medicinalHerbCount", "antidoteHerbCount",
         "dayNumber", "rainStoneCount", "timeSandCount", "farewellStoneCount", "thanksStoneCount",
         "storyPhase"});
    for (int k = 1; k <= 4; ++k)
        for (const char* field :
             {"name",          "level",   "strength",   "cooking",   "maxActionPoints",
              "actionPoints",  "stamina", "maxStamina", "dexterity", "hygiene",
              "bowel",         "stress",  "geography",  "botany",    "zoology",
              "trainingLevel", "illness", "poison",     "phantom",   "strandedPhase",
              "obesity"})
            expected.push_back("character[" + std::to_string(k) + "]." + field);
    add({"currentCharacter", "weather"});
    block("worldFlags", 99);
    block("pairIntimacy", 6);
    block("extraItems", 99);
    block("carvingMade", 30);
    block("escape", 20);
    add({"radioState", "kiwiCount", "hideCount", "boneCount", "hasVaccine", "hasReservoir",
         "islandName", "bestCoupleText", "bestDays", "bestScore", "finalCourseClears"});
    block("organFlags", 4);
    add({"organTitle"});
    ASSERT_EQ(expected.size(), 460u);
    EXPECT_EQ(saveValueNames(), expected);
}

TEST(SaveFile, WritesTheExactBytes) {
    GameState s;
    s.appleCount = 3;
    s.rareItems[12] = 1;
    s.character[1].name = "ルル";
    s.character[2].name = "嵐";
    s.character[3].name = "スパーク";
    s.character[4].name = "残響";
    s.character[1].obesity = -5;
    s.character[4].actionPoints = 12;
    s.currentCharacter = 2;
    s.escape[0] = INT32_MIN;
    s.islandName = "孤島";
    s.bestDays = 9999;
    s.organTitle = 1;

    std::vector<std::string> lines(460, "0");
    lines[0] = "3";
    lines[13] = "1";
    lines[104] = "\x83\x8b\x83\x8b";
    lines[124] = "-5";
    lines[125] = "\x97\x92";
    lines[146] = "\x83\x58\x83\x70\x81\x5b\x83\x4e";
    lines[167] = "\x8e\x63\x8b\xbf";
    lines[172] = "12";
    lines[188] = "2";
    lines[424] = "-2147483648";
    lines[450] = "\x8c\xc7\x93\x87";
    lines[451] = "";
    lines[452] = "9999";
    lines[459] = "1";
    const std::string expected = join(lines);
    EXPECT_EQ(formatSave(s), expected);

    const fs::path dir = freshDir("exact");
    saveGame(s, dir, "得点：0点");
    EXPECT_EQ(readAll(dir / "dat" / "my.dat"), expected);
    EXPECT_FALSE(fs::exists(dir / "dat" / "my.dat.tmp"));
}

TEST(SaveFile, RoundTripKeepsEveryValueAndTheUnsavedOnes) {
    const GameState saved = distinctState();
    const fs::path dir = freshDir("roundtrip");
    saveGame(saved, dir, "得点：1点");

    GameState loaded;
    loaded.runtime.clickState = 1;
    loaded.runtime.talkPartner = 4;
    loaded.score = 77;
    loadGame(loaded, dir);
    GameState expected = saved;
    expected.runtime = loaded.runtime;
    expected.score = 77;
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(loaded.runtime.clickState, 1);

    // Negative values and an empty island name come back as they were.
    GameState s;
    initNewGame(s);
    s.character[2].obesity = -40;
    s.bestDays = -1;
    s.islandName.clear();
    s.bestCoupleText = "ルルと嵐";
    GameState back = distinctState();
    back = loadSaveImage(formatSave(s), back);
    EXPECT_EQ(back, s);
    EXPECT_EQ(formatSave(s).find("\r\n-40\r\n") != std::string::npos, true);
}

TEST(SaveFile, ShortFileLoadsZerosAndEmptyTexts) {
    std::vector<std::string> lines = newGameLines();
    lines.resize(190);  // ends right after currentCharacter and weather
    lines[0] = "5";
    GameState s = distinctState();
    const GameState before = s;
    s = loadSaveImage(join(lines), s);
    EXPECT_EQ(s.appleCount, 5);
    EXPECT_EQ(s.character[1].name, "x");
    EXPECT_EQ(s.worldFlags[0], 0);
    EXPECT_EQ(s.organTitle, 0);
    EXPECT_EQ(s.islandName, "");
    EXPECT_EQ(s.bestDays, 0);
    EXPECT_EQ(s.runtime, before.runtime);

    // A file that ends before the current character cannot be continued.
    lines.resize(100);
    try {
        loadSaveImage(join(lines), GameState{});
        FAIL() << "accepted a file without a current character";
    } catch (const SaveError& e) {
        EXPECT_STREQ(e.what(),
                     "dat/my.dat line 189: current character 0 is not 1..4 (the file ends "
                     "before it)");
    }
    // An empty file is a short file too: every value 0, so it is refused.
    EXPECT_THROW(loadSaveImage("", GameState{}), SaveError);
    GameState raw;
    const auto src = parseSave("", raw);
    EXPECT_TRUE(src[459].missing);
    EXPECT_EQ(src[459].line, 460);
}

TEST(SaveFile, BadValuesNameTheLineAndLeaveTheStateAlone) {
    const fs::path dir = freshDir("badline");
    const GameState original = distinctState();

    struct Case {
        int line;
        std::string content;
        std::string message;
    };
    const std::vector<Case> cases = {
        {12, "abc", "dat/my.dat line 12: 'abc' is not a number"},
        {12, "12abc", "dat/my.dat line 12: '12abc' is not a number"},
        {30, "-", "dat/my.dat line 30: '-' is not a number"},
        {40, "2147483648",
         "dat/my.dat line 40: '2147483648' is out of the range of a 32-bit integer"},
        {41, "-99999999999999999999",
         "dat/my.dat line 41: '-99999999999999999999' is out of the range of a 32-bit integer"},
        {50, "\xff\xfe\x01", "dat/my.dat line 50: '\\xff\\xfe' is not a number"},
        {60, "\x82\xe8\x82\xf1\x82\xb2", "dat/my.dat line 60: 'りんご' is not a number"},
        {70, std::string("\0\x02", 2), "dat/my.dat line 70: '\\x00' is not a number"},
        {71, "\x7f", "dat/my.dat line 71: '\\x7f' is not a number"},
        {105, "\x81", "dat/my.dat line 105: the text is not valid code page 932"},
        {189, "7", "dat/my.dat line 189: current character 7 is not 1..4"},
        {189, "-1", "dat/my.dat line 189: current character -1 is not 1..4"},
        {300, std::string(70000, '1'), "dat/my.dat line 300: the line is longer than 65536 bytes"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = newGameLines();
        lines[static_cast<size_t>(c.line - 1)] = c.content;
        writeAll(dir / "dat" / "my.dat", join(lines));
        GameState s = original;
        try {
            loadGame(s, dir);
            ADD_FAILURE() << "line " << c.line << " accepted";
        } catch (const SaveError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
        EXPECT_EQ(s, original) << "line " << c.line;
    }

    // Missing folder, missing file, a folder in the file's place.
    GameState s = original;
    const fs::path empty = freshDir("nofile");
    EXPECT_THROW(loadGame(s, empty), SaveError);
    fs::remove_all(empty / "dat");
    try {
        loadGame(s, empty);
        ADD_FAILURE();
    } catch (const SaveError& e) {
        EXPECT_NE(std::string(e.what()).find("dat/my.dat"), std::string::npos) << e.what();
    }
    fs::create_directories(empty / "dat" / "my.dat");
    EXPECT_THROW(loadGame(s, empty), SaveError);
    EXPECT_EQ(s, original);
}

// Texts: the longest line a save may hold goes both ways; one byte more, a
// line break or a character outside code page 932 is refused naming its line.
TEST(SaveFile, TextLimitsNameTheLine) {
    GameState s;
    initNewGame(s);
    s.islandName = std::string(kMaxSaveLineBytes, 'a');
    EXPECT_EQ(loadSaveImage(formatSave(s), GameState{}).islandName, s.islandName);
    const struct {
        std::string name;
        std::string message;
    } cases[] = {
        {std::string(kMaxSaveLineBytes + 1, 'a'),
         "dat/my.dat line 451: islandName is longer than 65536 bytes"},
        {"two\nlines", "dat/my.dat line 451: islandName contains a line break"},
        {"絵文字😀",
         "dat/my.dat line 451: islandName has a character that code page 932 cannot hold"},
    };
    for (const auto& c : cases) {
        s.islandName = c.name;
        expectSaveError([&] { formatSave(s); }, c.message);
    }
    s.islandName.clear();
    s.character[2].name = "\r";
    expectSaveError([&] { formatSave(s); },
                    "dat/my.dat line 126: character[2].name contains a line break");

    // A file ending with the line break of a text: the next text is missing,
    // not an empty line.
    std::vector<std::string> lines = newGameLines();
    lines.resize(451);
    GameState t;
    const auto src = parseSave(join(lines), t);
    EXPECT_FALSE(src[450].missing);
    EXPECT_TRUE(src[451].missing);
}

TEST(SaveFile, FilesUpToTheSizeLimitAreRead) {
    const fs::path dir = freshDir("size");
    const fs::path file = dir / "big.dat";
    writeAll(file, "");
    fs::resize_file(file, kMaxSaveFileBytes);
    EXPECT_EQ(readSaveBytes(file, "big").size(), kMaxSaveFileBytes);
    fs::resize_file(file, kMaxSaveFileBytes + 1);
    expectSaveError([&] { readSaveBytes(file, "big"); }, "big: the file is larger than 32 MiB");
    fs::remove(file);
}

TEST(SaveFile, BlanksAndLineEndsAreReadAsTheGameAlwaysDid) {
    std::vector<std::string> lines = newGameLines();
    lines[0] = "  12  ";
    lines[1] = "\t-7 and words after the number";
    lines[2] = "+4";
    lines[104] = "  Lulu  ";  // texts keep their blanks
    lines[450] = "";
    std::string bytes = join(lines);
    GameState s = loadSaveImage(bytes, GameState{});
    EXPECT_EQ(s.appleCount, 12);
    EXPECT_EQ(s.rareItems[0], -7);
    EXPECT_EQ(s.rareItems[1], 4);
    EXPECT_EQ(s.character[1].name, "  Lulu  ");
    EXPECT_EQ(s.islandName, "");

    // LF-only and CR-only line ends read the same.
    std::string lf, cr;
    for (const auto& l : lines) lf += l + "\n", cr += l + "\r";
    EXPECT_EQ(loadSaveImage(lf, GameState{}), s);
    EXPECT_EQ(loadSaveImage(cr, GameState{}), s);

    // An integer read skips empty lines, so the values after an empty integer
    // line come from one line later and the last line is not read.
    std::vector<std::string> shifted = newGameLines();
    shifted.insert(shifted.begin(), "");
    shifted[1] = "9";  // appleCount
    GameState t;
    const auto src = parseSave(join(shifted), t);
    EXPECT_EQ(t.appleCount, 9);
    EXPECT_EQ(src[0].line, 2);
    EXPECT_EQ(src[1].line, 3);
}

TEST(SaveFile, GarbageNeverCrashes) {
    std::mt19937 gen(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> len(0, 4000);
    const std::string valid = join(newGameLines());
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        if (round % 2 == 0) {
            bytes.resize(static_cast<size_t>(len(gen)));
            for (char& c : bytes) c = static_cast<char>(byte(gen));
        } else {  // a valid file with a few bytes damaged
            bytes = valid;
            for (int k = 0; k < 5; ++k)
                bytes[static_cast<size_t>(gen() % bytes.size())] = static_cast<char>(byte(gen));
        }
        try {
            loadSaveImage(bytes, GameState{});
        } catch (const SaveError&) {
        }
    }
}

TEST(SaveFile, FailedSaveKeepsThePreviousFiles) {
    const fs::path dir = freshDir("failsave");
    GameState first;
    initNewGame(first);
    first.appleCount = 1;
    saveGame(first, dir, pointText(0));
    const std::string savedBytes = readAll(dir / "dat" / "my.dat");
    const std::string recordBytes = readAll(recordsFilePath(dir));

    GameState second = first;
    second.appleCount = 2;

    // A text that cannot be stored: nothing is written at all.
    GameState badName = second;
    badName.islandName = "絵文字😀";
    EXPECT_THROW(saveGame(badName, dir, pointText(0)), SaveError);
    badName.islandName = "two\nlines";
    EXPECT_THROW(saveGame(badName, dir, pointText(0)), SaveError);

    // A save the player made read-only.
    fs::permissions(dir / "dat" / "my.dat", fs::perms::owner_write, fs::perm_options::remove);
    try {
        saveGame(second, dir, pointText(0));
        ADD_FAILURE();
    } catch (const SaveError& e) {
        EXPECT_STREQ(e.what(), "dat/my.dat: the file is read-only");
    }
    fs::permissions(dir / "dat" / "my.dat", fs::perms::owner_write, fs::perm_options::add);

    EXPECT_EQ(readAll(dir / "dat" / "my.dat"), savedBytes);
    EXPECT_EQ(readAll(recordsFilePath(dir)), recordBytes);
    // The save it did not replace is kept as the previous save all the same.
    EXPECT_EQ(entries(dir / "dat"), (std::set<std::string>{"my.dat", "my.dat.bak"}));
    EXPECT_EQ(readAll(dir / "dat" / "my.dat.bak"), savedBytes);

    // A missing dat folder is an error that names the file.
    const fs::path noDat = dir / "elsewhere";
    fs::create_directories(noDat);
    try {
        saveGame(second, noDat, pointText(0));
        ADD_FAILURE();
    } catch (const SaveError& e) {
        EXPECT_STREQ(e.what(), "dat/my.dat: the folder dat is missing");
    }
    EXPECT_FALSE(fs::exists(recordsFilePath(noDat)));

    // The records file failing after my.dat was written: my.dat is the new one.
    fs::remove(recordsFilePath(dir));
    fs::create_directories(recordsFilePath(dir) / "blocked");
    EXPECT_THROW(saveGame(second, dir, pointText(0)), SaveError);
    EXPECT_EQ(readAll(dir / "dat" / "my.dat"), formatSave(second));
}

// --- Odd folders -------------------------------------------------------------
//
// The permission cases run as an unprivileged user in a child process (root
// ignores permission bits); their bodies report what did not hold as text.

// Collects the checks of a child's body: "" when all held.
struct Checks {
    std::string failed;
    void expect(bool ok, const std::string& what) {
        if (!ok) failed += what + "; ";
    }
    void expectError(const std::function<void()>& f, const std::string& message) {
        try {
            f();
            failed += "no error, expected '" + message + "'; ";
        } catch (const SaveError& e) {
            if (e.what() != message) failed += std::string("error '") + e.what() + "'; ";
        }
    }
};

GameState withApples(int32_t n) {
    GameState s;
    initNewGame(s);
    s.appleCount = n;
    return s;
}

// Runs `body` as an unprivileged user on a fresh game folder with a dat
// folder; the text of the checks that failed, "" when all held.
std::string asPlayer(const std::string& name,
                     const std::function<void(const fs::path&, Checks&)>& body) {
    const fs::path base = test::unprivilegedScratch(name);
    if (base.empty()) return "no scratch folder";
    const std::string result = test::runUnprivileged([&] {
        Checks c;
        fs::create_directories(base / "dat");
        body(base, c);
        fs::permissions(base / "dat", fs::perms(0755));
        return c.failed;
    });
    fs::remove_all(base);
    return result;
}

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(SaveFolder, ReadOnlyFolderWithAWritableSaveIsWrittenInPlace) {
    const std::string failed = asPlayer("rofolder", [](const fs::path& base, Checks& c) {
        saveGame(withApples(1234567), base, pointText(0));
        fs::permissions(base / "dat", fs::perms(0555));
        saveGame(withApples(2), base, pointText(0));  // shorter: the rest is cut off
        c.expect(readAll(base / "dat" / "my.dat") == formatSave(withApples(2)), "not saved");
        c.expect(entries(base / "dat") == std::set<std::string>{"my.dat"}, "stray files");

        // Without a save to overwrite, nothing can be done; the error says why.
        fs::permissions(base / "dat", fs::perms(0755));
        fs::remove(base / "dat" / "my.dat");
        fs::permissions(base / "dat", fs::perms(0555));
        try {
            saveGame(withApples(3), base, pointText(0));
            c.expect(false, "saved into a read-only folder");
        } catch (const SaveError& e) {
            const std::string m = e.what();
            c.expect(m.starts_with("dat/my.dat: cannot create my.dat.tmp-") &&
                         m.ends_with(": Permission denied"),
                     "message '" + m + "'");
        }
        c.expect(entries(base / "dat").empty(), "files made in a read-only folder");
    });
    EXPECT_EQ(failed, "");
}

TEST(SaveFolder, AFolderThatCannotBeEnteredOrListedSaysSo) {
    const std::string failed = asPlayer("noread", [](const fs::path& base, Checks& c) {
        // Listing refused, entering allowed: saving and loading work; only the
        // folder's own sync is impossible and is skipped.
        fs::permissions(base / "dat", fs::perms(0300));
        saveGame(withApples(4), base, pointText(0));
        GameState s;
        loadGame(s, base);
        c.expect(s.appleCount == 4, "not loaded back");

        // Entering refused: the load names the refusal, not a missing file.
        fs::permissions(base / "dat", fs::perms(0));
        c.expectError([&] { loadGame(s, base); },
                      "dat/my.dat: cannot open the file: Permission denied");
        c.expectError([&] { saveGame(s, base, pointText(0)); },
                      "dat/my.dat: cannot reach the file: Permission denied");
    });
    EXPECT_EQ(failed, "");
}

TEST(SaveFolder, AFailedWriteReportsItsOwnCauseAndKeepsTheOldSave) {
    const std::string failed = asPlayer("full", [](const fs::path& base, Checks& c) {
        saveGame(withApples(5), base, pointText(0));
        // A file size limit stands in for a full disk: the write fails half-way.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{1000, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &small);
        c.expectError([&] { saveGame(withApples(6), base, pointText(0)); },
                      "dat/my.dat: cannot write the file: File too large");
        c.expect(readAll(base / "dat" / "my.dat") == formatSave(withApples(5)), "old save lost");
        c.expect(entries(base / "dat") == std::set<std::string>{"my.dat"}, "temporary file left");

        // A device that is always full, in a folder that takes no new file:
        // written in place, where the write fails first and the sync after it
        // fails differently. The player hears of the full disk.
        c.expectError([] { replaceFile("/dev/full", "1\r\n", "full"); },
                      "full: cannot write the file: No space left on device");
    });
    EXPECT_EQ(failed, "");
}

TEST(SaveFolder, TheNewFileKeepsThePermissionsAndIgnoresPlantedLinks) {
    const fs::path dir = freshDir("planted");
    saveGame(withApples(1), dir, pointText(0));
    for (const mode_t mode : {0640, 0666}) {
        fs::permissions(dir / "dat" / "my.dat", fs::perms(mode));
        saveGame(withApples(2), dir, pointText(0));
        EXPECT_EQ(modeOf(dir / "dat" / "my.dat"), mode);
    }

    // Links under the names a temporary file could take lead elsewhere; the
    // save makes its own file and the other file stays as it was.
    const fs::path victim = dir / "victim.txt";
    writeAll(victim, "keep");
    fs::create_symlink(victim, dir / "dat" / "my.dat.tmp");
    for (int n = 1; n <= 50; ++n)
        fs::create_symlink(
            victim,
            dir / "dat" / ("my.dat.tmp-" + std::to_string(::getpid()) + "-" + std::to_string(n)));
    saveGame(withApples(3), dir, pointText(0));
    EXPECT_EQ(readAll(victim), "keep");
    EXPECT_EQ(readAll(dir / "dat" / "my.dat"), formatSave(withApples(3)));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "dat" / "my.dat")));

    // When every name it may try is taken, the save fails and the old file
    // stays as it was (it is not written in place).
    for (int n = 51; n <= 1000; ++n)
        fs::create_symlink(
            victim,
            dir / "dat" / ("my.dat.tmp-" + std::to_string(::getpid()) + "-" + std::to_string(n)));
    try {
        saveGame(withApples(4), dir, pointText(0));
        ADD_FAILURE() << "saved with every temporary name taken";
    } catch (const SaveError& e) {
        EXPECT_TRUE(std::string(e.what()).ends_with(": File exists")) << e.what();
    }
    EXPECT_EQ(readAll(dir / "dat" / "my.dat"), formatSave(withApples(3)));
    EXPECT_EQ(readAll(victim), "keep");
}

}  // namespace
}  // namespace kotou
