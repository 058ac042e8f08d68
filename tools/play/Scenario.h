#pragma once
// kotou-play: runs a scenario (a save or a new game, the random draws, and
// what the player clicked, selected, typed and answered) on the headless host
// and prints the transcript, so that "after I did X the game did Y" can be
// replayed exactly and kept as a regression test.
//
// A scenario is a text file, one step per line; blank lines and lines
// starting with '#' are skipped:
//
//   seed N              draws from the game's generator seeded with N
//   draws V V/N ...     the draws themselves, in order; V/N also insists that
//                       the game asks random(N) there. All draws lines form
//                       one sequence in file order.
//   new                 a new game: the title screen, はじめる answered yes
//   load FILE           a save file, continued with つづける
//   set NAME=VALUE      a saved value by its kotou-save name
//   click NAME          a click on a component the player can click
//   select LIST N       a click on line N (counted from 1) of a list
//   type TEXT           TEXT into the edit field on screen
//   answer yes|no       the answer to the next yes/no question
//   press Enter|Space   the key (it ends a wait, as in the window)
//   waits auto|script   waits end by themselves (a click on the message
//                       area, the default) or take the next steps of the
//                       scenario until one of them ends the wait
//   save FILE           writes the state as a save file
//   expect NAME=VALUE   the saved value NAME (as kotou-save names it) is VALUE
//                       now; the scenario fails here otherwise
//   expect message TEXT the message area shows TEXT (as a part of its text)
//
// With expect steps a scenario is a behaviour test of its own: the player's
// clicks and the values and words they must lead to, in one short file.
//
// Exactly one of new and load, before every other step but seed, draws and
// waits; seed and draws exclude each other. FILE is relative to the
// scenario's folder. The game runs in a temporary game folder, so the save
// command of the game never touches the player's files.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kotou::play {

// A bad scenario line, or a step the game did not allow. The message starts
// with "line N: ".
class ScenarioError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Draw {
    int32_t value = 0;
    int32_t range = 0;  // the random(N) the scenario insists on; 0 = any
    int line = 0;
};

struct Step {
    enum class Kind { Set, Click, Select, Type, Answer, Press, Waits, Save, Expect, ExpectMessage };
    Kind kind = Kind::Click;
    int line = 0;
    std::string name;  // component, saved value name, key, or file
    std::string text;  // value of set and expect, text of type, file of save as written
    int number = 0;    // line of select
    bool yes = false;  // answer yes; waits script
};

struct Scenario {
    std::optional<uint64_t> seed;
    std::vector<Draw> draws;
    bool load = false;  // else a new game
    std::filesystem::path loadFile;
    std::vector<Step> steps;
};

// Reads a scenario; paths are resolved against `folder`. Checks every line
// (commands, numbers, component and value names) before anything runs.
// Throws ScenarioError.
Scenario parseScenario(std::string_view text, const std::filesystem::path& folder);

// Plays the scenario, writing the transcript to `out` as it goes. Throws
// ScenarioError when a step cannot be done (a component the player could not
// click, a draw the scenario does not have, a question without an answer);
// the transcript up to there has been written.
void runScenario(const Scenario& scenario, std::ostream& out);

// The program: kotou-play SCENARIO. Exit code 0 done, 1 the run stopped at a
// step, 2 usage or a bad scenario (nothing has run).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kotou::play
