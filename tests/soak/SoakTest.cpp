#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include "app/GameHandlers.h"
#include "production/Craft.h"
#include "shell/FormLayout.h"
#include "state/SaveFile.h"
#include "state/SaveLayout.h"
#include "tests/soak/RandomPlayer.h"

namespace kotou::soak {
namespace {

const std::filesystem::path kData = KOTOU_TEST_DATA;
const std::filesystem::path kOutput = KOTOU_TEST_OUTPUT;

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.flush()) << file;
}

const std::vector<std::string> kKnownDeadEnds = knownDeadEnds();

Options optionsFor(uint64_t seed, int days) {
    Options o;
    o.seed = seed;
    o.days = days;
    o.avoid = kKnownDeadEnds;
    return o;
}

// Reports every problem of a run; a failed run leaves its replay in the
// test output folder so that it can be played again (docs/soak.md).
void expectClean(const Result& r, const std::string& name) {
    for (const Problem& p : r.problems) ADD_FAILURE() << describe(p, r.replay.seed);
    if (!r.problems.empty()) {
        const auto file = kOutput / ("soak-" + name + ".txt");
        writeReplayFile(file, r.replay);
        ADD_FAILURE() << "replay written to " << file.string();
    }
}

// --- Random play ------------------------------------------------------------

class SoakSeeds : public ::testing::TestWithParam<uint64_t> {};

TEST_P(SoakSeeds, HundredDaysOfRandomClicksKeepTheStateSound) {
    const uint64_t seed = GetParam();
    const Result r = play(optionsFor(seed, 100));
    expectClean(r, "seed" + std::to_string(seed));
    EXPECT_FALSE(r.aborted);
    EXPECT_GE(r.daysPlayed, 100);
    EXPECT_EQ(r.replay.clicks.size(), static_cast<size_t>(r.commands));
    // The player gets around: beyond creation and sleeping it opens panels
    // and uses their commands.
    const std::set<std::string> distinct(r.replay.clicks.begin(), r.replay.clicks.end());
    EXPECT_GE(distinct.size(), 25u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakSeeds, ::testing::Values(1u, 2u, 3u, 20240601u));

// The night choices come late in a game (chapters 18 and 19, day 108 at the
// earliest). A run whose story starts at chapter 17 meets them and must get
// past them like any other panel.
TEST(Soak, TheStoryChoicesAreMetAndLeft) {
    Options o = optionsFor(5, 60);
    o.adjustHandlers = [](HandlerRegistry& r) {
        Handler sleep = *r.find("BitBtn5");
        r.add("BitBtn5", [sleep](Game& g) {
            if (g.s.storyPhase < 17) g.s.storyPhase = 17;
            sleep(g);
        });
    };
    const Result r = play(o);
    expectClean(r, "story");
    EXPECT_FALSE(r.aborted);
    EXPECT_EQ(r.finalState.storyPhase, 20);
    const auto chosen =
        std::count_if(r.replay.clicks.begin(), r.replay.clicks.end(),
                      [](const std::string& c) { return c.starts_with("select_b"); });
    EXPECT_EQ(chosen, 2);
}

// The far places, the rescue and the radio need discoveries, tools and skills
// that random play gathers only slowly, and getting lost is rare: this run
// starts with them and with one character lost, and must reach every one of
// those commands without a problem.
TEST(Soak, EveryPlaceTheStrandedPanelTheRescueAndTheRadioAreReached) {
    Options o = optionsFor(11, 100);
    o.prepare = [](GameState& s) {
        for (size_t entry : {0, 1, 2, 3, 4, 9}) s.worldFlags[entry] = 1;
        s.hasLamp = s.hasSaw = s.hasKnife = s.hasGun = s.hasRucksack = s.hasBucket = 1;
        s.radioState = 2;
        for (int k = 1; k <= kCharacterCount; ++k) {
            s.ch(k).geography = 60;
            s.ch(k).strength = 30;
            s.ch(k).maxStamina = s.ch(k).maxActionPoints = 60;
        }
        s.pairIntimacy.fill(10);
        s.ch(2).strandedPhase = 10;  // 嵐 is lost from the start
    };
    const Result r = play(o);
    expectClean(r, "far-places");
    EXPECT_FALSE(r.aborted);
    const std::set<std::string> clicked(r.replay.clicks.begin(), r.replay.clicks.end());
    for (const char* b :
         {"hayasi_b", "hamabe_b", "umi_b", "doukutu_b", "jungle_b", "mizuumi_b", "gake_b",
          "BitBtn8", "BitBtn10", "kyuujyo_b", "BitBtn43", "radio_b", "listen_b"})
        EXPECT_TRUE(clicked.count(b)) << b;
    EXPECT_TRUE(clicked.count("kyu_ruru_b") || clicked.count("kyu_arashi_b") ||
                clicked.count("kyu_spark_b") || clicked.count("kyu_zankyou_b"));
}

// The escape needs tools, materials, skills and teamwork a random player
// gathers only over years of play. With them kept at hand from the first
// night and the story at chapter 17, the player builds the four things,
// escapes, chooses a farewell and the run ends with the window.
TEST(Soak, TheEscapeIsBuiltAndTheGameEnds) {
    Options o = optionsFor(6, 120);
    o.adjustHandlers = [](HandlerRegistry& r) {
        Handler sleep = *r.find("BitBtn5");
        r.add("BitBtn5", [sleep](Game& g) {
            GameState& s = g.s;
            s.storyPhase = std::max(s.storyPhase, 17);
            s.hasSaw = s.hasAxe = s.hasNeedle = 1;
            for (int32_t GameState::*count :
                 {&GameState::lumberCount, &GameState::driftwoodCount, &GameState::vineCount,
                  &GameState::hideCount, &GameState::rainStoneCount, &GameState::ironCount,
                  &GameState::glowMossCount, &GameState::obsidianCount, &GameState::dropCount,
                  &GameState::magicStoneCount, &GameState::boneCount, &GameState::branchCount})
                s.*count = std::max(s.*count, 8);
            for (int k = 1; k <= kCharacterCount; ++k) {
                s.ch(k).strength = std::max(s.ch(k).strength, 25);
                s.ch(k).dexterity = std::max(s.ch(k).dexterity, 25);
                s.ch(k).botany = std::max(s.ch(k).botany, 10);
            }
            for (int32_t& v : s.pairIntimacy) v = std::max(v, 10);
            sleep(g);
        });
    };
    const Result r = play(o);
    expectClean(r, "escape");
    EXPECT_FALSE(r.aborted);
    EXPECT_TRUE(r.windowClosed);
    EXPECT_LT(r.daysPlayed, 120);
    EXPECT_GE(r.finalState.storyPhase, 21);
    EXPECT_LE(r.finalState.storyPhase, 26);
    EXPECT_NE(r.finalState.bestCoupleText.find("×"), std::string::npos);
    const std::set<std::string> clicked(r.replay.clicks.begin(), r.replay.clicks.end());
    for (const char* b :
         {"dassyutu_b", "BitBtn34", "ikada_b", "all_b", "singou_b", "buki_b", "clear_b"})
        EXPECT_TRUE(clicked.count(b)) << b;
    EXPECT_TRUE(r.replay.clicks.back().starts_with("select_b"));
}

TEST(Soak, ReplayingARunGivesTheSameTranscriptAndState) {
    Options o = optionsFor(7, 6);
    o.keepTranscript = true;
    const Result first = play(o);
    ASSERT_TRUE(first.problems.empty());
    ASSERT_FALSE(first.transcript.empty());

    // Through the file form, as a failing run hands it over.
    const Replay rep = parseReplay(formatReplay(first.replay));
    Options again = optionsFor(0, 0);
    again.keepTranscript = true;
    const Result second = replay(rep, again);
    EXPECT_TRUE(second.problems.empty());
    EXPECT_EQ(second.commands, first.commands);
    EXPECT_EQ(second.replay, first.replay);
    EXPECT_EQ(second.transcript, first.transcript);
    EXPECT_EQ(second.finalSave, first.finalSave);
    EXPECT_TRUE(second.finalState == first.finalState);
}

TEST(Soak, AClickThatIsNotOfferedEndsAReplay) {
    // During character creation the command panel and its sleep button are hidden.
    Replay rep{1, 1, {"Button3", "BitBtn5", "Button4"}};
    const Result r = replay(rep, optionsFor(0, 0));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].check, "replay diverged");
    EXPECT_EQ(r.problems[0].component, "BitBtn5");
    EXPECT_EQ(r.problems[0].command, 1);
    EXPECT_TRUE(r.aborted);
    EXPECT_EQ(r.commands, 1);
}

// --- Commands behind prerequisites -------------------------------------------

// The training ground and the colosseum built, survival courses open, every
// usable item, god item and song in store: random play then reaches the
// training, colosseum, course and item buttons. The colosseum's later
// opponents show only once the earlier ones are beaten, so each run starts
// with a different set of them beaten.
TEST(SoakPrepared, TrainingColosseumCoursesAndItemsKeepTheStateSound) {
    const std::vector<std::vector<size_t>> beaten = {{},
                                                     {52, 53},
                                                     {51, 52, 53, 54, 55},
                                                     {51, 52, 53, 54, 55, 56, 57, 59},
                                                     {51, 52, 53, 54, 55, 56, 57, 58}};
    std::set<std::string> clicked;
    for (size_t run = 0; run < beaten.size(); ++run) {
        Options o = optionsFor(100 + run, 30);
        o.prepare = [&ghosts = beaten[run]](GameState& s) {
            for (size_t entry : {5, 6, 7, 8, 17, 50}) s.worldFlags[entry] = 1;
            for (size_t entry : ghosts) s.worldFlags[entry] = 1;
            s.carvingMade[14] = 1;
            s.finalCourseClears = 1;
            s.organTitle = 1;
            s.medicinalHerbCount = s.antidoteHerbCount = s.flowerWreathCount = s.laxativeCount = 3;
            for (int32_t& n : s.rareItems) n = 3;
            for (size_t entry : {3, 4, 5, 6, 10, 11, 12, 13, 14, 15, 16}) s.extraItems[entry] = 3;
        };
        const Result r = play(o);
        expectClean(r, "prepared" + std::to_string(run));
        EXPECT_FALSE(r.aborted);
        clicked.insert(r.replay.clicks.begin(), r.replay.clicks.end());
    }
    for (const char* button : {"kunren_b",
                               "BitBtn18",
                               "kunren",
                               "BitBtn21",
                               "colo_b",
                               "BitBtn22",
                               "svival_b",
                               "BitBtn24",
                               "svival_b2",
                               "svival_b3",
                               "svival_b4",
                               "svival_b5",
                               "svival_b6",
                               "svival_b7",
                               "colo_b1",
                               "colo_b2",
                               "colo_b3",
                               "colo_b4",
                               "colo_b5",
                               "colo_b6",
                               "colo_b7",
                               "colo_b8",
                               "colo_b9",
                               "colo_b10",
                               "yakusou_use_b",
                               "dokukesisou_use_b",
                               "hanakazari_use_b",
                               "gezai_use_b",
                               "kousui_use_b",
                               "hosikuzu_use_b",
                               "seisin_use_b",
                               "oogetu_b",
                               "konohana_b",
                               "omoi_b",
                               "susano_b",
                               "take_b",
                               "tuku_b",
                               "toki_b",
                               "yomo_b",
                               "wata_b",
                               "hetu_b",
                               "honoka_b",
                               "araha_b",
                               "osira_b",
                               "ao_b",
                               "iyasi_b",
                               "kaze_b",
                               "kibou_song_b",
                               "tikara_b",
                               "kemono_b",
                               "mirai_b",
                               "tikyu_b"})
        EXPECT_TRUE(clicked.count(button)) << button << " was never clicked";
}

// Plenty of every store, the kitchen tools, the knives that open the sea and
// mountain menus and the two cookery books: random play then reaches every
// dish and buys from the trader, which it cannot afford by itself yet.
void wellStocked(GameState& s) {
    struct Stock {
        void integer(const std::string& name, int32_t& v) {
            if (name.ends_with("Count")) v = 300;
        }
        void text(const std::string&, std::string&) {}
    } stock;
    visitSaved(s, stock);
    s.hasKnife = s.hasFireStarter = s.hasPot = s.hasStove = 1;
    s.cakeBookState = s.herbTeaBookState = 2;
    s.worldFlags[18] = s.worldFlags[19] = 1;
}

TEST(Soak, AWellStockedIslandCooksEveryDishAndBuysFromTheTrader) {
    Options o = optionsFor(5, 40);
    o.prepare = wellStocked;
    o.keepTranscript = true;
    const Result r = play(o);
    expectClean(r, "well-stocked");
    const std::set<std::string> clicked(r.replay.clicks.begin(), r.replay.clicks.end());
    // Every command of the three meal menus and of the trader's panel.
    FormModel form;
    buildForm(form);
    HandlerRegistry handlers;
    registerGameHandlers(handlers);
    for (const Component& c : form.all()) {
        const std::string panel = c.parent == kNoComponent ? "" : form.at(c.parent).name;
        if (c.kind == Kind::Button && handlers.find(c.name) &&
            (panel == "desert_box" || panel == "uminosati_box" || panel == "yamanosati_box" ||
             panel == "mara_box")) {
            EXPECT_TRUE(clicked.count(c.name)) << c.name;
        }
    }
    EXPECT_TRUE(clicked.count("uminosati_b") && clicked.count("yamanosati_b"));
    EXPECT_NE(r.transcript.find("を１コ購入した"), std::string::npos);

    // A press on a list line replays as it was played.
    const Result again = replay(parseReplay(formatReplay(r.replay)), o);
    EXPECT_TRUE(again.problems.empty());
    EXPECT_EQ(again.finalSave, r.finalSave);
}

// --- Variants -----------------------------------------------------------------

// Plenty of every store, handy characters and the story flags that open the
// places, the radio, the medicine book and the two courses behind the
// rings: random play then builds and makes things that a hundred ordinary
// days seldom reach.
void crafting(GameState& s) {
    struct Stock {
        void integer(const std::string& name, int32_t& v) {
            // An open panel keeps making while its materials last.
            if (name.ends_with("Count")) v = 5000;
        }
        void text(const std::string&, std::string&) {}
    };
    visitSaved(s, Stock{});
    for (int k = 1; k <= kCharacterCount; ++k) {
        Character& c = s.ch(k);
        c.dexterity = c.strength = c.botany = 50;
        c.cooking = c.zoology = 30;
        c.actionPoints = c.maxActionPoints = 100;
    }
    for (size_t flag : {1, 2, 3, 7, 8, 9, 10}) s.worldFlags[flag] = 1;
    s.medicineBookState = 2;
}

TEST(SoakVariants, CraftingReachesEveryCraftButton) {
    // The hut and the house withdraw the tent (and with it the bed), the
    // house also the hut: besides two runs with everything, one without a
    // second obsidian for the saw keeps the tent, one without iron (nor the
    // gems that refine to iron) for the house keeps the hut. The study
    // screen reads the book of magic that the advanced one needs; that run
    // starts with it read.
    const std::pair<uint64_t, void (*)(GameState&)> runs[] = {
        {1, crafting},
        {2, [](GameState& s) { crafting(s), s.obsidianCount = 1; }},
        {3, [](GameState& s) { crafting(s), s.ironCount = s.gemCount = 0, s.worldFlags[21] = 2; }},
        {4, crafting},
    };
    // The player keeps to crafting: of the command panel only 製作 and 寝る.
    FormModel form;
    buildForm(form);
    std::vector<std::string> elsewhere;
    const ComponentId commands = form.id("com_box");
    for (const Component& c : form.all())
        if (c.parent == commands && c.kind == Kind::Button && c.name != "BitBtn3" &&
            c.name != "BitBtn5")
            elsewhere.push_back(c.name);
    std::set<std::string> clicked;
    for (const auto& [seed, prepare] : runs) {
        Options o = optionsFor(seed, 40);
        o.prepare = prepare;
        o.avoid.insert(o.avoid.end(), elsewhere.begin(), elsewhere.end());
        const Result r = play(o);
        expectClean(r, "crafting" + std::to_string(seed));
        EXPECT_GE(r.daysPlayed, 40);
        clicked.insert(r.replay.clicks.begin(), r.replay.clicks.end());
        EXPECT_EQ(r.finalState.radioState, 2);
    }
    for (auto rows : craftTables())
        for (const CraftRow& row : rows) EXPECT_TRUE(clicked.count(row.button)) << row.button;
    EXPECT_TRUE(clicked.count("Button11"));
}

// --- The checks catch planted faults -----------------------------------------

// Plants a fault into the meal panel's opener (食事): after its own work it
// runs `fault`. The run stops at the first problem, so that a broken state is
// never played on.
Options withFaultyMealOpener(std::function<void(Game&)> fault) {
    Options o = optionsFor(3, 30);
    o.maxProblems = 1;
    o.adjustHandlers = [fault = std::move(fault)](HandlerRegistry& r) {
        Handler original = *r.find("BitBtn2");
        r.add("BitBtn2", [original, fault](Game& g) {
            original(g);
            fault(g);
        });
    };
    return o;
}

TEST(SoakChecks, ANegativeStoreNamesTheSeedCommandAndComponent) {
    const Result r = play(withFaultyMealOpener([](Game& g) { g.s.extraItems[4] = -1; }));
    ASSERT_FALSE(r.problems.empty());
    const Problem& p = r.problems[0];
    EXPECT_EQ(p.check, "negative count");
    EXPECT_EQ(p.component, "BitBtn2");
    EXPECT_EQ(p.detail, "extraItems[4] = -1");
    EXPECT_EQ(r.replay.clicks[static_cast<size_t>(p.command - 1)], "BitBtn2");
    EXPECT_NE(describe(p, r.replay.seed).find("seed 3, command " + std::to_string(p.command)),
              std::string::npos);
}

TEST(SoakChecks, AHandlerThatThrowsEndsTheRun) {
    const Result r =
        play(withFaultyMealOpener([](Game&) { throw std::out_of_range("no component 'x'"); }));
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].check, "exception");
    EXPECT_EQ(r.problems[0].detail, "no component 'x'");
    EXPECT_TRUE(r.aborted);
    EXPECT_EQ(r.replay.clicks.back(), "BitBtn2");
}

TEST(SoakChecks, AStateTheSaveCannotHoldFailsTheRoundTrip) {
    Options o = withFaultyMealOpener([](Game& g) { g.s.islandName = "a\nb"; });
    o.roundTripEvery = 1;
    const Result r = play(o);
    ASSERT_FALSE(r.problems.empty());
    EXPECT_EQ(r.problems[0].check, "save round trip");
    EXPECT_EQ(r.problems[0].component, "BitBtn2");
}

TEST(SoakChecks, ALostCurrentCharacterIsReported) {
    const Result r = play(withFaultyMealOpener([](Game& g) { g.s.currentCharacter = 5; }));
    ASSERT_FALSE(r.problems.empty());
    EXPECT_EQ(r.problems[0].check, "current character");
    EXPECT_EQ(r.problems[0].detail, "currentCharacter = 5");
}

TEST(SoakChecks, CheckedStoresAreTheCountsAndItemBlocks) {
    for (const char* name : {"appleCount", "kiwiCount", "thanksStoneCount", "rareItems[0]",
                             "rareItems[12]", "extraItems[98]"})
        EXPECT_TRUE(isCheckedCount(name)) << name;
    for (const char* name :
         {"dayNumber", "hasTent", "worldFlags[3]", "character[1].level", "Count", "escape[0]"})
        EXPECT_FALSE(isCheckedCount(name)) << name;
}

// --- Replay files ------------------------------------------------------------

TEST(ReplayFile, FormatsAndParsesBack) {
    const Replay r{20240601u, 3, {"Button3", "mara_list 12", "hayasi_b"}};
    const std::string text = formatReplay(r);
    EXPECT_EQ(text,
              "kotou-soak-replay 1\nseed 20240601\ndays 3\nclicks 3\nButton3\nmara_list 12\n"
              "hayasi_b\n");
    EXPECT_EQ(parseReplay(text), r);
    // Line ends changed by an editor or a checkout are accepted.
    EXPECT_EQ(parseReplay("kotou-soak-replay 1\r\nseed 20240601\r\ndays 3\r\nclicks 3\r\n"
                          "Button3\r\nmara_list 12\r\nhayasi_b"),
              r);
    EXPECT_EQ(parseReplay(formatReplay(Replay{5, 0, {}})), (Replay{5, 0, {}}));
}

TEST(ReplayFile, RejectsMalformedFilesNamingTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "replay line 1: not a replay"},
        {"kotou-soak-replay 2\nseed 1\ndays 1\nclicks 0\n", "replay line 1: not a replay"},
        {"kotou-soak-replay 1\nseed 1\n", "replay line 3: header ends early"},
        {"kotou-soak-replay 1\nseed x\ndays 1\nclicks 0\n", "replay line 2: 'x' is not a number"},
        {"kotou-soak-replay 1\nseed 1\nday 1\nclicks 0\n", "replay line 3: expected 'days"},
        {"kotou-soak-replay 1\nseed 1\ndays 1\nclicks 2\nButton3\n",
         "replay line 4: says 2 clicks but 1 follow"},
        {"kotou-soak-replay 1\nseed 1\ndays 1\nclicks 2\nButton3\n\n",
         "replay line 6: empty component name"},
        {"kotou-soak-replay 1\nseed -1\ndays 1\nclicks 0\n", "replay line 2: '-1' is not"},
        {"kotou-soak-replay 1\nseed 1\ndays 1\nclicks 1\n 2\n", "replay line 5: empty component"},
        {"kotou-soak-replay 1\nseed 1\ndays 1\nclicks 1\nlist -2\n", "replay line 5: '-2' is not"},
        {"kotou-soak-replay 1\nseed 1\ndays 1\nclicks 1\nlist \n", "replay line 5: '' is not"},
    };
    for (const auto& c : cases) {
        try {
            parseReplay(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
}

// --- The golden replay -------------------------------------------------------

// A short recorded run with its transcript and final save. When the game's
// behaviour changes on purpose, regenerate the three files with
// KOTOU_UPDATE_GOLDEN=1 (docs/soak.md) and review the transcript's diff.
TEST(GoldenReplay, ReplaysToTheRecordedTranscriptAndSave) {
    const auto replayFile = kData / "replay_seed1.txt";
    const auto transcriptFile = kData / "replay_seed1.transcript.txt";
    const auto saveFile = kData / "replay_seed1.my.dat";
    const char* update = std::getenv("KOTOU_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        Options o = optionsFor(1, 2);
        o.keepTranscript = true;
        const Result r = play(o);
        ASSERT_TRUE(r.problems.empty());
        writeReplayFile(replayFile, r.replay);
        writeFile(transcriptFile, r.transcript);
        writeFile(saveFile, r.finalSave);
    }

    const Replay rep = readReplayFile(replayFile);
    Options o = optionsFor(0, 0);
    o.keepTranscript = true;
    const Result r = replay(rep, o);
    expectClean(r, "golden");
    EXPECT_EQ(r.commands, static_cast<int64_t>(rep.clicks.size()));
    EXPECT_EQ(r.transcript, readFile(transcriptFile));
    EXPECT_EQ(r.finalSave, readFile(saveFile));
    // The save image is what the game writes and reads: it loads.
    EXPECT_NO_THROW(loadSaveImage(r.finalSave, GameState{}));
}

}  // namespace
}  // namespace kotou::soak
