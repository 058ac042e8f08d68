#pragma once
// Where the game finds its pictures, sounds and music, and where it keeps its
// save. The game and kotou-save resolve this once at start-up.
//
// The game's data (cg/ and dat/) lies beside the executable when both folders
// are there: the build folder or a portable copy. Otherwise it is the installed
// data folder, <prefix>/share/kotou beside <prefix>/bin.
//
// The save (dat/my.dat) and the records file (記録.txt) stay beside the
// executable, where the game has always kept them, when the player may write
// there: the executable's folder and its dat/ are both writable. Otherwise,
// and always when the data comes from the installed data folder (a folder
// the package manager owns), they go to the player's data folder,
// $XDG_DATA_HOME/kotou or ~/.local/share/kotou, with dat/ inside it.

#include <filesystem>
#include <functional>
#include <string>

namespace kotou {

struct GameFolders {
    std::filesystem::path data;  // holds cg/ and dat/
    std::filesystem::path save;  // saves are written to save/dat/my.dat and save/記録.txt
    // つづける reads load/dat/my.dat: the save folder, unless only an older save
    // beside the executable exists (a game folder that has become read-only).
    std::filesystem::path load;
    bool userFolder = false;  // `save` is the player's data folder
};

struct FolderEnvironment {
    std::filesystem::path executableDir;
    std::filesystem::path installedData;  // the installed data folder
    std::string xdgDataHome;              // $XDG_DATA_HOME, "" when unset
    std::string home;                     // $HOME, else the account's home folder
    // Whether the player may create and replace files in a folder.
    std::function<bool(const std::filesystem::path&)> writable;

    // This process: its executable, its environment and the real permissions.
    static FolderEnvironment current();
};

GameFolders resolveGameFolders(const FolderEnvironment& env);

// $XDG_DATA_HOME/kotou when that is an absolute path (a relative one is
// ignored), else home/.local/share/kotou; empty when neither is known.
std::filesystem::path userSaveFolder(const std::string& xdgDataHome, const std::string& home);

// True when `folder` has both cg/ and dat/.
bool holdsGameData(const std::filesystem::path& folder);

// True when this process may create files in `folder` (it exists, and neither
// permissions nor a read-only file system refuse).
bool isWritableFolder(const std::filesystem::path& folder);

// Creates the player's data folder with its dat/ when the save goes there and
// it is missing, so that the first save finds its folder. Failures are left
// for the save itself to report.
void prepareSaveFolder(const GameFolders& folders);

}  // namespace kotou
