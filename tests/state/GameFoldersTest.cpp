// Where the game reads its data and keeps its save, for the layouts a player
// meets: the build folder or a portable copy (writable or not, with or
// without an older save), and an installed game. Writability is given per
// folder here; the install tests check the real permissions.
#include <gtest/gtest.h>

#include <set>

#include "state/GameFolders.h"
#include "tests/support/Files.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

struct Layout {
    const char* name;
    bool assetsBeside;      // cg/ and dat/ beside the executable
    bool exeWritable;       // the executable's folder
    bool datWritable;       // its dat/
    bool saveBeside;        // an older dat/my.dat beside the executable
    bool saveInUserFolder;  // a dat/my.dat in the player's data folder
    const char* xdg;        // $XDG_DATA_HOME: "abs" = <root>/xdg, else as given
    const char* home;       // "abs" = <root>/home, else as given
    // Expected, as "exe", "installed", "xdg" (<root>/xdg/kotou) or "home"
    // (<root>/home/.local/share/kotou).
    const char* data;
    const char* save;
    const char* load;
};

constexpr Layout kLayouts[] = {
    // The build folder and a writable portable copy keep the save beside the
    // executable, whatever the player's data folder holds.
    {"portable", true, true, true, false, true, "abs", "abs", "exe", "exe", "exe"},
    // Either folder read-only sends the save to the player's data folder.
    {"readonly-dat", true, true, false, false, false, "abs", "abs", "exe", "xdg", "xdg"},
    {"readonly-folder", true, false, true, false, false, "", "abs", "exe", "home", "home"},
    // An older save beside a read-only executable is continued until the
    // first save in the player's folder; after that, that one is newer.
    {"old-save", true, false, false, true, false, "abs", "abs", "exe", "xdg", "exe"},
    {"old-and-new", true, false, false, true, true, "abs", "abs", "exe", "xdg", "xdg"},
    // Installed: the data comes from share/kotou and the save never goes
    // beside the executable, even when root may write there.
    {"installed", false, true, true, false, false, "abs", "abs", "installed", "xdg", "xdg"},
    {"installed-home", false, false, false, false, true, "", "abs", "installed", "home", "home"},
    // A relative XDG_DATA_HOME is not valid and is ignored.
    {"relative-xdg", false, false, false, false, false, "rel/data", "abs", "installed", "home",
     "home"},
    // Without any home folder there is no player's folder to use.
    {"no-home", true, false, false, false, false, "", "", "exe", "exe", "exe"},
};

TEST(GameFolders, LayoutsDecideDataSaveAndContinueFolders) {
    for (const Layout& l : kLayouts) {
        SCOPED_TRACE(l.name);
        const fs::path root = test::scratchDir("folders", l.name);
        const fs::path exe = root / "game" / "bin";
        const fs::path installed = root / "game" / "share" / "kotou";
        fs::create_directories(exe);
        fs::create_directories(installed / "cg");
        fs::create_directories(installed / "dat");
        if (l.assetsBeside) {
            fs::create_directories(exe / "cg");
            fs::create_directories(exe / "dat");
        }
        if (l.saveBeside) test::writeAll(exe / "dat" / "my.dat", "0\r\n");
        const fs::path xdg = root / "xdg" / "kotou", home = root / "home/.local/share/kotou";
        const fs::path user = std::string(l.xdg) == "abs" ? xdg : home;
        if (l.saveInUserFolder) {
            fs::create_directories(user / "dat");
            test::writeAll(user / "dat" / "my.dat", "0\r\n");
        }

        std::set<fs::path> writable;
        if (l.exeWritable) writable.insert(exe);
        if (l.datWritable) writable.insert(exe / "dat");
        FolderEnvironment env;
        env.executableDir = exe;
        env.installedData = installed;
        env.xdgDataHome = std::string(l.xdg) == "abs" ? (root / "xdg").string() : l.xdg;
        env.home = std::string(l.home) == "abs" ? (root / "home").string() : l.home;
        env.writable = [&](const fs::path& p) { return writable.count(p) > 0; };

        auto named = [&](std::string_view n) {
            return n == "exe" ? exe : n == "installed" ? installed : n == "xdg" ? xdg : home;
        };
        const GameFolders f = resolveGameFolders(env);
        EXPECT_EQ(f.data, named(l.data));
        EXPECT_EQ(f.save, named(l.save));
        EXPECT_EQ(f.load, named(l.load));
        EXPECT_EQ(f.userFolder, f.save != exe);

        // Only a save into the player's folder creates that folder.
        prepareSaveFolder(f);
        EXPECT_EQ(fs::is_directory(xdg / "dat"),
                  f.save == xdg || (l.saveInUserFolder && user == xdg));
        EXPECT_EQ(fs::is_directory(home / "dat"),
                  f.save == home || (l.saveInUserFolder && user == home));
    }
}

}  // namespace
}  // namespace kotou
