#pragma once
// The random player of the soak test: a headless game driven through the
// same form model and handler registry as the window, by clicks on random
// visible and enabled buttons and on lines of lists.
//
// Two random sources keep a run reproducible. The game draws from its own
// DefaultRandom(seed); the player chooses its clicks from a separate
// generator seeded from the same seed, and answers yes/no questions from a
// third one that is drawn exactly once per command. A run is therefore fully
// described by its seed and the names of the components it clicked (with
// the line, for a list): a replay feeds the recorded clicks instead of
// choosing and ends with the same messages and the same state.
//
// After every command the player checks the state (stores never below zero,
// the current character one of the four) and every `roundTripEvery` commands
// that a save image loads back into the identical saved values.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "shell/Game.h"
#include "state/GameState.h"

namespace kotou::soak {

// A run as a file: the seed, the days it was asked to play and every click
// (a press on a list line is "name line").
struct Replay {
    uint64_t seed = 0;
    int days = 0;
    std::vector<std::string> clicks;

    bool operator==(const Replay&) const = default;
};

// Text form of a replay: a header line, "seed N", "days N", "clicks N", then
// one click per line: a component name, followed for a press on a list by a
// space and the 0-based line pressed ("mara_list 2").
std::string formatReplay(const Replay& r);
// Reads the text form; throws std::runtime_error naming the line on anything
// malformed (unknown header, a missing or non-numeric value, a click count
// that does not match the lines, an empty name, a list line that is not a
// number).
Replay parseReplay(std::string_view text);
Replay readReplayFile(const std::filesystem::path& file);
void writeReplayFile(const std::filesystem::path& file, const Replay& r);

// One failed check.
struct Problem {
    int64_t command = 0;    // 1-based index of the command after which it was seen
    std::string component;  // the component clicked by that command
    std::string check;      // short name of the check ("negative count", ...)
    std::string detail;     // what exactly was wrong
};

struct Options {
    uint64_t seed = 1;
    // Game days to play (days passed from the first day of the run).
    int days = 100;
    // Safety bound on the number of commands; 0 = 2000 per day.
    int64_t maxCommands = 0;
    // Save → load round trip every this many commands; 0 = never.
    int roundTripEvery = 50;
    // Commands in one turn after which the player goes to sleep as soon as
    // a sleep button is offered, so that days pass.
    int turnPatience = 12;
    // Keep the transcript of the run (messages, sounds, pictures, clicks).
    bool keepTranscript = false;
    // Game folder of the run: the save command writes dat/my.dat there. Made
    // if missing; an old dat/my.dat is removed first so runs do not depend
    // on each other. Empty = a fresh folder in memory (/dev/shm, else the
    // system's temporary folder), removed at the end of the run.
    std::filesystem::path baseDir;
    // The run stops after this many problems.
    size_t maxProblems = 20;
    // Components the player never clicks: a way to keep a known fault from
    // hiding every other one until it is mended.
    std::vector<std::string> avoid;
    // Called once the game's handlers are registered; lets a test plant a
    // faulty handler to see that the checks catch it.
    std::function<void(HandlerRegistry&)> adjustHandlers;
    // Called once on the new game, before the first click: a variant sets
    // what random play seldom reaches by itself (a facility built, items in
    // store), so that the commands behind it are played.
    std::function<void(GameState&)> prepare;
    // Every this many commands, every registered name whose guard refuses
    // it now is clicked: the save image and the form must stay as they were.
    // 0 = never.
    int probeRefusedEvery = 0;
};

struct Result {
    Replay replay;  // seed, days and every click made
    int64_t commands = 0;
    int daysPlayed = 0;
    std::vector<Problem> problems;
    // A handler threw (or a check could not run on): the run ended there.
    bool aborted = false;
    // The game closed its window (the end of the game): the run ended there
    // normally, whatever days were left.
    bool windowClosed = false;
    std::string transcript;  // only with keepTranscript
    std::string finalSave;   // the save image of the final state
    // Refused clicks made by the probe (Options::probeRefusedEvery), and the
    // names among them.
    int64_t refusedClicks = 0;
    std::set<std::string> refusedNames;
    GameState finalState;
};

// Plays a new game with random clicks for `days` days.
Result play(const Options& options);
// Plays the recorded clicks of `r` (seed from `r`; days ignored). A recorded
// click that is not offered when its turn comes is a problem and ends the
// replay.
Result replay(const Replay& r, Options options);

// Buttons of the game as it stands that open a panel the player cannot
// leave, because the panel's way back has no handler yet. A run that clicks
// one ends there ("no command offered"), so the soak keeps away from them
// (Options::avoid) until the way back exists; the list empties by itself.
std::vector<std::string> knownDeadEnds();

// One line for a test failure: seed, command index, component, check, detail.
std::string describe(const Problem& p, uint64_t seed);

// The names of the saved stores that are checked for going below zero: every
// saved value named "...Count" and the rareItems and extraItems blocks.
bool isCheckedCount(std::string_view savedName);

// Replaces the handler registered for `component` by `wrap` of it, under the
// same guard: runs that plant a fault or a shortcut adjust the registry so.
void wrapHandler(HandlerRegistry& r, const std::string& component,
                 const std::function<Handler(Handler)>& wrap);

}  // namespace kotou::soak
