#pragma once
// The save slot "dat/my.dat": 460 lines in code page 932, each ending with
// CR LF, one saved value per line in the order of visitSaved (SaveLayout.h).
//
// The functions come in two layers. formatSave/parseSave turn a state into
// the bytes of a save file and back; they touch no files and are shared by
// the game and the save tool. saveGame/loadGame add the files beside the
// executable: saving replaces the files through a temporary file so that a
// failed save never destroys the previous one (unless the folder takes no new
// file, see replaceFile in FileReplace.h), and loading parses into a copy of the state so that
// a failed load changes nothing.

#include <array>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "state/FileReplace.h"
#include "state/GameState.h"
#include "state/SaveLayout.h"

namespace kotou {

// A save or records file that cannot be written or read. The message names
// the file, the line (when there is one) and what is wrong, for example
// "dat/my.dat line 12: 'abc' is not a number".
using SaveError = FileError;

// The save file's name relative to the game folder, as error messages show it.
inline constexpr const char* kSaveFileLabel = "dat/my.dat";

// Limits that keep a damaged or hostile file from eating memory. A real save
// is a few kilobytes; a line of a real save is at most a name's length.
inline constexpr size_t kMaxSaveLineBytes = 64 * 1024;
inline constexpr size_t kMaxSaveFileBytes = 32 * 1024 * 1024;

// The 460 value names in file order ("appleCount", "rareItems[0]",
// "character[1].name", ...), as the save tool prints them.
const std::vector<std::string>& saveValueNames();

// Where each value of a parsed file came from.
struct SaveValueSource {
    int line = 0;          // 1-based line of the file the value was read from
    bool missing = false;  // the file ended first; the value is 0 or empty
};

// The bytes of a save file for the state. Throws SaveError (naming `label`
// and the line) when a text cannot be stored: a character code page 932
// lacks, a line break inside the text, or a text longer than a line may be.
std::string formatSave(const GameState& s, const std::string& label = kSaveFileLabel);

// Reads the bytes of a save file into `into`. Every saved value is set (values
// past the end of the file become 0 or empty); values that are not saved are
// left as they are. No value is range-checked here. Throws SaveError naming
// `label` and the line; `into` may then be partly written, so callers that
// must not change on error pass a copy (loadSaveImage does).
//
// Reading an integer skips blanks, tabs and line breaks before it, so an empty
// line where an integer belongs is skipped and the following values come
// from one line later, as the game has always read its files. The number ends
// at the first blank or control character and the rest of its line is
// ignored. A text value is the whole line. Lines may end with CR LF, LF or CR.
std::array<SaveValueSource, kSaveLineCount> parseSave(std::string_view bytes, GameState& into,
                                                      const std::string& label = kSaveFileLabel);

// True when the game can continue from the state: currentCharacter is 1..4,
// because it selects the character whose turn it is. This is the only value
// a load refuses. Everything else is used as read: the status refresh clamps
// the current character's values, and code that uses a value as a table index
// (weather, storyPhase, radioState, ...) must check the range itself.
bool isPlayableState(const GameState& s);

// parseSave on a copy of `base`, then the playability check. Returns the new
// state; throws SaveError without touching anything else.
GameState loadSaveImage(std::string_view bytes, const GameState& base,
                        const std::string& label = kSaveFileLabel);

// The whole content of a file, refusing files over kMaxSaveFileBytes, folders
// and missing files with a SaveError that names `label` (and, for a folder
// that may not be entered, what the system said).
std::string readSaveBytes(const std::filesystem::path& file, const std::string& label);

// baseDir/dat/my.dat.
std::filesystem::path saveFilePath(const std::filesystem::path& baseDir);

// The kept copy of the previous save: the save file's name with ".bak".
std::filesystem::path backupFilePath(const std::filesystem::path& saveFile);
// Keeps the save file as it is now (when there is one) as its backup, before
// it is replaced. False, with `error` saying why, when the copy could not be
// made; the save file itself is never touched.
bool keepPreviousSave(const std::filesystem::path& saveFile, std::string& error);

// Writes baseDir/dat/my.dat (keeping the previous one as dat/my.dat.bak; a
// backup that cannot be written is reported on standard error and the save
// goes on) and then the records file baseDir/記録.txt.
// `pointText` is the score line the status display shows ("得点：12点"),
// copied onto the records file. The "dat" folder must exist. Throws SaveError;
// when the records file fails, my.dat has already been written.
void saveGame(const GameState& s, const std::filesystem::path& baseDir,
              const std::string& pointText);

// Reads baseDir/dat/my.dat into `s`. Values that are not saved (score and the
// runtime values) keep what `s` had. On any error throws SaveError and leaves
// `s` unchanged; a file whose current character is not 1..4 is refused.
void loadGame(GameState& s, const std::filesystem::path& baseDir);

}  // namespace kotou
