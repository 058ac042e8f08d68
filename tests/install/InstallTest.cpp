// The installed game, as a player's machine gets it: `cmake --install` into a
// temporary prefix and the Debian package unpacked there with dpkg-deb.
// Nothing is installed into this machine. The package is checked by lintian,
// the AppStream validator and the desktop entry validator where they are
// installed. The player is an unprivileged
// account (uid 65534 when the tests run as root, where permission bits would
// refuse nothing), so read-only folders really are read-only.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "shell/Screens.h"
#include "state/GameFolders.h"
#include "state/Random.h"
#include "state/SaveFile.h"
#include "state/Version.h"
#include "tests/support/Files.h"
#include "tools/assets/AppIcon.h"
#include "tools/assets/AssetList.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::writeAll;

constexpr uid_t kPlayer = 65534;

bool asRoot() {
    return geteuid() == 0;
}

// Becomes the unprivileged player (a no-op for a developer's own account).
bool becomePlayer() {
    if (!asRoot()) return true;
    return setgroups(0, nullptr) == 0 && setgid(kPlayer) == 0 && setuid(kPlayer) == 0;
}

// A folder the player owns.
void giveToPlayer(const fs::path& p) {
    fs::create_directories(p);
    if (asRoot()) {
        EXPECT_EQ(chown(p.c_str(), kPlayer, kPlayer), 0) << p;
    }
}

struct Outcome {
    int status = -1;  // exit code (124: out of time)
    std::string out, err;
};

// Runs a command line without HOME and XDG_* but with `env` ("NAME=value
// ..."), as the player when asked, for two minutes at most.
Outcome run(const fs::path& scratch, const std::string& command, bool asPlayer = false,
            const std::string& env = "") {
    const std::string player =
        asPlayer && asRoot() ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const fs::path out = scratch / "run.out", err = scratch / "run.err";
    const int status =
        std::system(("env -u HOME -u XDG_DATA_HOME -u XDG_RUNTIME_DIR " + env + " timeout 120 " +
                     player + command + " >" + out.string() + " 2>" + err.string())
                        .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
}

// Runs `session` in a child process as the player and returns what it
// returned (or the exception it threw).
std::string asPlayer(const std::function<std::string()>& session) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return "no pipe";
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        std::string result;
        try {
            result = becomePlayer() ? session() : "cannot become the player";
        } catch (const std::exception& e) {
            result = std::string("exception: ") + e.what();
        }
        const ssize_t written = write(pipeFds[1], result.data(), result.size());
        _exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
    }
    close(pipeFds[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return result;
}

// A player's session with a game installed at `exeDir`: resolves the folders
// as the game does at start-up, then either saves a new game holding
// `apples` apples or (apples < 0) continues. Returns "saved", "continued N"
// or the error the player would see.
std::string playerSession(const fs::path& exeDir, const fs::path& xdg, int apples) {
    FolderEnvironment env;
    env.executableDir = exeDir;
    env.installedData = (exeDir / KOTOU_DATA_FROM_BIN).lexically_normal();
    env.xdgDataHome = xdg.string();
    env.writable = isWritableFolder;
    const GameFolders folders = resolveGameFolders(env);
    prepareSaveFolder(folders);

    HeadlessHost host(folders.data);
    host.setSaveFolders(folders.save, folders.load);
    DefaultRandom rng(1);
    Game g(host, rng);
    buildForm(g.form);
    registerGameHandlers(g.handlers);
    host.attach(g);
    g.s.runtime.clickState = 1;
    if (apples >= 0) {
        initNewGame(g.s);
        g.s.currentCharacter = 1;
        g.s.cur().actionPoints = 5;
        g.s.appleCount = apples;
        g.form.show("com_box");
        dispatch(g, "BitBtn20");
    } else {
        g.form.show("start_box");
        dispatch(g, "Button12");
    }
    if (!host.errors.empty()) return host.errors.front();
    return apples >= 0 ? "saved" : "continued " + std::to_string(g.s.appleCount);
}

int savedApples(const fs::path& folder) {
    GameState s;
    parseSave(readAll(saveFilePath(folder)), s);
    return s.appleCount;
}

// "<width>x<height> type <colour type>" from a PNG's header, "" for no PNG.
std::string pngShape(const fs::path& file) {
    const std::string b = readAll(file);
    if (b.size() < 26 || b.compare(1, 3, "PNG") != 0 || b.compare(12, 4, "IHDR") != 0) return "";
    auto byte = [&](size_t at) { return static_cast<uint8_t>(b[at]); };
    // The sizes are 32-bit; an icon's fit in the lower two bytes.
    auto size = [&](size_t at) { return std::to_string(byte(at + 2) * 256 + byte(at + 3)); };
    return size(16) + "x" + size(20) + " type " + std::to_string(byte(25));
}

class Install : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "kotou-install-XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        fs::permissions(root_, fs::perms(0755));
        const std::string build = KOTOU_BUILD_DIR;

        prefix_ = root_ / "prefix";
        const Outcome install =
            run(root_, KOTOU_CMAKE " --install " + build + " --prefix " + prefix_.string());
        if (install.status != 0) failures_ += "cmake --install failed: " + install.err;

        const Outcome pack =
            run(root_, KOTOU_CPACK " -G DEB --config " + build + "/CPackConfig.cmake -B " +
                           (root_ / "package").string());
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(root_ / "package", ec))
            if (e.path().extension() == ".deb") deb_ = e.path();
        if (pack.status != 0 || deb_.empty()) failures_ += "cpack failed: " + pack.out + pack.err;
        unpacked_ = root_ / "unpacked";
        const Outcome unpack =
            run(root_, "dpkg-deb -x " + deb_.string() + " " + unpacked_.string());
        if (unpack.status != 0) failures_ += "dpkg-deb -x failed: " + unpack.err;
        unpacked_ /= fs::path(KOTOU_PACKAGE_PREFIX).relative_path();
    }

    static void TearDownTestSuite() {
        // Read-only folders of the tests would stop the removal of a
        // developer's own account.
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(root_, ec);
             it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root_, ec);
    }

    void SetUp() override { ASSERT_EQ(failures_, ""); }

    // The programs' folder: games/ in the package, bin/ (unless the build
    // asks for games/) in a plain install.
    static fs::path bin(const fs::path& tree) {
        return tree / (tree == unpacked_ ? KOTOU_PACKAGE_PROGRAM_DIR : KOTOU_PLAIN_PROGRAM_DIR);
    }
    static fs::path share(const fs::path& tree) { return tree / KOTOU_INSTALL_DATAROOTDIR; }
    // The installed tree's path as the installed files name it.
    static std::string installedPath(const fs::path& tree, const fs::path& p) {
        if (tree != unpacked_) return p.string();
        return (fs::path(KOTOU_PACKAGE_PREFIX) / p.lexically_relative(unpacked_)).string();
    }
    static bool have(const std::string& tool) {
        return std::system(("command -v " + tool + " >/dev/null").c_str()) == 0;
    }
    static fs::path data(const fs::path& tree) {
        return (bin(tree) / KOTOU_DATA_FROM_BIN).lexically_normal();
    }

    static inline fs::path root_, prefix_, deb_, unpacked_;
    static inline std::string failures_;
};

TEST_F(Install, TreesHoldProgramsDataMenuEntryAndIcons) {
    for (const fs::path& tree : {prefix_, unpacked_}) {
        SCOPED_TRACE(tree.string());
        std::istringstream programs(KOTOU_INSTALLED_PROGRAMS);
        for (std::string program; programs >> program;) {
            const fs::path p = bin(tree) / program;
            EXPECT_TRUE(fs::is_regular_file(p) && access(p.c_str(), X_OK) == 0) << p;
        }
        EXPECT_TRUE(fs::is_regular_file(bin(tree) / KOTOU_MODULES_FROM_BIN / "kotou-sdl-audio.so"));

        std::vector<std::string> missing;
        for (const auto& file : assets::allAssetFiles()) {
            std::error_code ec;
            if (fs::file_size(data(tree) / file.path, ec) == 0 || ec) missing.push_back(file.path);
        }
        // The twice-size pictures come along.
        for (const auto& p : assets::pictureAssets()) {
            const std::string path = assets::picturePath(assets::twiceSizeName(p.name));
            std::error_code ec;
            if (fs::file_size(data(tree) / path, ec) == 0 || ec) missing.push_back(path);
        }
        EXPECT_EQ(missing.size(), 0u) << "first missing: " << (missing.empty() ? "" : missing[0]);
        EXPECT_FALSE(fs::exists(data(tree) / "dat" / "my.dat"));

        const fs::path entry = share(tree) / "applications" / (KOTOU_APP_ID ".desktop");
        const Outcome validate = run(root_, "desktop-file-validate " + entry.string());
        EXPECT_EQ(validate.status, 0) << validate.out << validate.err;
        EXPECT_EQ(validate.out + validate.err, "");
        const std::string text = readAll(entry);
        const std::string exec = "\nExec=" + installedPath(tree, bin(tree) / "kotou") + "\n";
        for (const std::string& line :
             {std::string("\nName=孤島生活\n"), exec, std::string("\nIcon=" KOTOU_APP_ID "\n"),
              std::string("\nCategories=Game;")})
            EXPECT_NE(text.find(line), std::string::npos) << line;

        for (const int size : assets::kAppIconSizes) {
            const std::string n = std::to_string(size) + "x" + std::to_string(size);
            EXPECT_EQ(pngShape(share(tree) / "icons/hicolor" / n / "apps" / (KOTOU_APP_ID ".png")),
                      n + " type 6");  // RGBA
        }
    }
}

// Each program has its manual page, which man renders without a warning; the
// copyright file and the changelog are where Debian keeps them; the AppStream
// metadata names the menu entry and screenshots that the tree holds.
TEST_F(Install, TreesHoldManualPagesDocumentsAndSoftwareCentreMetadata) {
    for (const fs::path& tree : {prefix_, unpacked_}) {
        SCOPED_TRACE(tree.string());
        std::istringstream programs(KOTOU_INSTALLED_PROGRAMS);
        for (std::string program; programs >> program;) {
            const fs::path page = tree / KOTOU_INSTALL_MANDIR / "man6" / (program + ".6.gz");
            ASSERT_TRUE(fs::is_regular_file(page)) << page;
            // On a UTF-8 terminal (as lintian reads it) and on a plain one.
            for (const char* how :
                 {"LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -Tutf8", "LC_ALL=C MANWIDTH=80 man"}) {
                const Outcome man =
                    run(root_, std::string("env ") + how + " --warnings -l " + page.string());
                EXPECT_EQ(man.status, 0) << how << " " << program;
                EXPECT_EQ(man.err, "") << how << " " << program;
                EXPECT_NE(man.out.find(program + " - "), std::string::npos) << man.out;
            }
        }
        EXPECT_NE(readAll(tree / KOTOU_INSTALL_DOCDIR / "copyright").find("License: Expat"),
                  std::string::npos);
        const Outcome changes =
            run(root_, "zcat " + (tree / KOTOU_INSTALL_DOCDIR / "changelog.gz").string());
        EXPECT_EQ(changes.out.substr(0, changes.out.find('\n')),
                  "kotou (" KOTOU_VERSION ") unstable; urgency=medium");

        const std::string meta = readAll(share(tree) / "metainfo" / (KOTOU_APP_ID ".metainfo.xml"));
        EXPECT_NE(meta.find("<launchable type=\"desktop-id\">" KOTOU_APP_ID ".desktop<"),
                  std::string::npos);
        EXPECT_TRUE(fs::is_regular_file(share(tree) / "applications" / (KOTOU_APP_ID ".desktop")));
        EXPECT_NE(meta.find("<release version=\"" KOTOU_VERSION "\""), std::string::npos);
        int screenshots = 0;
        for (size_t at = 0; (at = meta.find("<image>", at)) != std::string::npos; ++at) {
            const std::string url = meta.substr(at + 7, meta.find('<', at + 7) - at - 7);
            const fs::path shipped = data(tree) / "screenshots" / fs::path(url).filename();
            EXPECT_NE(pngShape(shipped), "") << url;
            ++screenshots;
        }
        EXPECT_GE(screenshots, 2);
    }
}

// What Debian's own checks say of the package, when they are installed
// (scripts/setup.sh installs them): lintian without an error or a warning,
// and the AppStream metadata valid without looking anything up online. The
// package's version is the one the window caption shows.
TEST_F(Install, PackagePassesLintianAndTheAppStreamValidator) {
    const Outcome version = run(root_, "dpkg-deb -f " + deb_.string() + " Version");
    EXPECT_EQ(version.out, KOTOU_VERSION "\n");
    if (have("appstreamcli")) {
        const fs::path meta = share(unpacked_) / "metainfo" / (KOTOU_APP_ID ".metainfo.xml");
        const Outcome appstream = run(root_, "appstreamcli validate --no-net " + meta.string());
        EXPECT_EQ(appstream.status, 0) << appstream.out << appstream.err;
    }
    if (!have("lintian")) GTEST_SKIP() << "lintian is not installed";
    const Outcome lintian = run(root_, "lintian " + deb_.string());
    EXPECT_EQ(lintian.status, 0) << lintian.out << lintian.err;
    EXPECT_EQ(lintian.out, "");
}

TEST_F(Install, PackageNamesWhatTheGameNeedsAtRunTime) {
    const Outcome control = run(root_, "dpkg-deb -f " + deb_.string() + " Package Section Depends");
    ASSERT_EQ(control.status, 0) << control.err;
    EXPECT_NE(control.out.find("Package: kotou\n"), std::string::npos);
    EXPECT_NE(control.out.find("Section: games\n"), std::string::npos);
    // Linked (found by dpkg-shlibdeps) and loaded at run time (named).
    for (const char* dependency : {"libqt6widgets6", "libsdl2-2.0-0", "libjpeg", "libfluidsynth3",
                                   "timgm6mb-soundfont", "fonts-ipafont-gothic"})
        EXPECT_NE(control.out.find(dependency), std::string::npos) << dependency;
}

// The menu entry's command in the unpacked package: the game finds its data
// and sound module there, makes the player's save folder in their home, and
// ends with exit code 0 when its window is closed.
TEST_F(Install, UnpackedGameStartsAsTheMenuEntrySaysAndClosesCleanly) {
    const std::string entry =
        readAll(share(unpacked_) / "applications" / (KOTOU_APP_ID ".desktop"));
    const size_t exec = entry.find("\nExec=");
    ASSERT_NE(exec, std::string::npos);
    const fs::path command = entry.substr(exec + 6, entry.find('\n', exec + 1) - exec - 6);
    const fs::path home = root_ / "menu-home";
    giveToPlayer(home);

    const Outcome game =
        run(root_, (unpacked_ / command.lexically_relative(KOTOU_PACKAGE_PREFIX)).string(), true,
            "HOME=" + home.string() +
                " QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy"
                " KOTOU_MUSIC_DRIVER=none KOTOU_CLOSE_AFTER_SHOWN=1");
    EXPECT_EQ(game.status, 0) << game.err;
    // A first start says only that there are no settings yet.
    std::string said = game.err;
    const size_t first = said.find("settings.ini does not exist yet");
    if (first != std::string::npos) {
        const size_t start = said.rfind('\n', first) + 1;  // npos + 1: the first line
        said.erase(start, said.find('\n', first) + 1 - start);
    }
    EXPECT_EQ(said.find("kotou:"), std::string::npos) << game.err;
    EXPECT_TRUE(fs::is_directory(home / ".local/share/kotou/dat"));
    EXPECT_FALSE(fs::exists(bin(unpacked_) / "dat"));
}

// A game with neither data beside it nor an installed data folder says so
// instead of showing a blank window.
TEST_F(Install, GameWithoutItsDataSaysWhereItLooked) {
    const fs::path lone = root_ / "lone" / "bin";
    fs::create_directories(lone);
    fs::copy_file(bin(prefix_) / "kotou", lone / "kotou");
    const Outcome game = run(root_, (lone / "kotou").string(), true,
                             "QT_QPA_PLATFORM=offscreen KOTOU_CLOSE_AFTER_SHOWN=1");
    EXPECT_EQ(game.status, 1);
    EXPECT_NE(game.err.find("見つかりません。\n" + lone.string() + "\n" +
                            (root_ / "lone" / "share" / "kotou").string()),
              std::string::npos)
        << game.err;
}

// Saving and continuing in the three layouts a player meets: an installed
// game, a read-only copy with an older save beside it, and a writable
// portable copy.
TEST_F(Install, SaveGoesWhereThePlayerMayWriteAndContinueFindsIt) {
    auto portableCopy = [&](const std::string& name, bool writable, int oldApples) {
        const fs::path dir = root_ / name;
        fs::create_directories(dir / "dat");
        fs::create_symlink(data(prefix_) / "cg", dir / "cg");
        if (oldApples >= 0) {
            GameState s;
            initNewGame(s);
            s.currentCharacter = 1;
            s.appleCount = oldApples;
            writeAll(saveFilePath(dir), formatSave(s));
        }
        if (writable) {
            giveToPlayer(dir);
            giveToPlayer(dir / "dat");
        } else {
            fs::permissions(dir / "dat", fs::perms(0555));
            fs::permissions(dir, fs::perms(0555));
        }
        return dir;
    };
    auto xdgFor = [&](const std::string& name) {
        giveToPlayer(root_ / name);
        return root_ / name;
    };

    // Installed: the save goes to $XDG_DATA_HOME/kotou, never into the tree.
    const fs::path xdg = xdgFor("xdg-installed");
    EXPECT_EQ(asPlayer([&] { return playerSession(bin(prefix_), xdg, 41); }), "saved");
    EXPECT_EQ(savedApples(xdg / "kotou"), 41);
    EXPECT_TRUE(fs::is_regular_file(xdg / "kotou" / "記録.txt"));
    EXPECT_FALSE(fs::exists(saveFilePath(data(prefix_))));
    EXPECT_EQ(asPlayer([&] { return playerSession(bin(prefix_), xdg, -1); }), "continued 41");

    // Read-only copy: its older save is continued; the next save goes to the
    // player's folder and is the one continued from then on.
    const fs::path readOnly = portableCopy("portable-readonly", false, 17);
    const fs::path xdg2 = xdgFor("xdg-readonly");
    EXPECT_EQ(asPlayer([&] { return playerSession(readOnly, xdg2, -1); }), "continued 17");
    EXPECT_EQ(asPlayer([&] { return playerSession(readOnly, xdg2, 18); }), "saved");
    EXPECT_EQ(savedApples(readOnly), 17);
    EXPECT_EQ(savedApples(xdg2 / "kotou"), 18);
    EXPECT_EQ(asPlayer([&] { return playerSession(readOnly, xdg2, -1); }), "continued 18");

    // Writable copy: the save stays beside the executable.
    const fs::path portable = portableCopy("portable", true, -1);
    const fs::path xdg3 = xdgFor("xdg-portable");
    EXPECT_EQ(asPlayer([&] { return playerSession(portable, xdg3, 23); }), "saved");
    EXPECT_EQ(savedApples(portable), 23);
    EXPECT_TRUE(fs::is_regular_file(portable / "記録.txt"));
    EXPECT_FALSE(fs::exists(xdg3 / "kotou"));
    EXPECT_EQ(asPlayer([&] { return playerSession(portable, xdg3, -1); }), "continued 23");
}

}  // namespace
}  // namespace kotou
