#pragma once
// The save tool: prints a save file as name=value lines, builds a save file
// from such lines, and checks that the game can load a file. It reads and
// writes save files with the game's own functions (state/SaveFile.h).

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "state/GameFolders.h"
#include "state/GameState.h"

namespace kotou::savetool {

// Every saved value as "name=value\n" in file order; texts in UTF-8.
std::string dumpState(const GameState& s);

// Sets one saved value by its name ("character[1].stamina", "islandName"). An
// integer value may have blanks around it; a text value is taken as it is.
// Throws SaveError (without a line) for an unknown name, an integer value
// that is not a 32-bit decimal number and a text code page 932 cannot hold.
void assignSavedValue(GameState& s, std::string_view name, std::string_view value);

// A state built from name=value lines (LF or CR LF). Values not named keep
// their new-game values. Blank lines and lines starting with '#' are skipped.
// Names are trimmed of blanks; integer values too; a text value is everything
// after the first '='. Throws SaveError "<label> line N: ..." for a line
// without '=', an unknown or repeated name, an integer value that is not a
// 32-bit decimal number and a text that code page 932 cannot hold.
GameState parseAssignments(std::string_view text, const std::string& label);

// The save file an argument names: a file as given; a folder holding dat/
// (the game's folder, the player's data folder) its dat/my.dat; a folder named
// dat its my.dat. Without an argument, the save the game would continue from
// (`forWriting` false) or write to (true).
std::filesystem::path saveFileArgument(const std::string* arg, bool forWriting,
                                       const GameFolders& folders);

// Runs the tool with its arguments (without the program name). Returns the
// exit code: 0 done, 1 the file is bad or cannot be written, 2 usage error.
// `env` places the game's save when no file is named.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const FolderEnvironment& env = FolderEnvironment::current());

}  // namespace kotou::savetool
