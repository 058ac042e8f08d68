#include "state/GameFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "state/SaveFile.h"

#ifndef KOTOU_DATA_FROM_BIN
#define KOTOU_DATA_FROM_BIN "../share/kotou"
#endif

namespace kotou {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string accountHome() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir)
        return found->pw_dir;
    return "";
}

bool hasSave(const fs::path& folder) {
    std::error_code ec;
    return !folder.empty() && fs::is_regular_file(saveFilePath(folder), ec);
}

}  // namespace

FolderEnvironment FolderEnvironment::current() {
    FolderEnvironment env;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    env.executableDir = ec ? fs::current_path(ec) : exe.parent_path();
    env.installedData = (env.executableDir / KOTOU_DATA_FROM_BIN).lexically_normal();
    env.xdgDataHome = environment("XDG_DATA_HOME");
    env.home = environment("HOME");
    if (env.home.empty()) env.home = accountHome();
    env.writable = isWritableFolder;
    return env;
}

fs::path userSaveFolder(const std::string& xdgDataHome, const std::string& home) {
    if (fs::path(xdgDataHome).is_absolute()) return fs::path(xdgDataHome) / "kotou";
    if (!home.empty()) return fs::path(home) / ".local" / "share" / "kotou";
    return {};
}

bool holdsGameData(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / "cg", ec) && fs::is_directory(folder / "dat", ec);
}

bool isWritableFolder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

GameFolders resolveGameFolders(const FolderEnvironment& env) {
    GameFolders f;
    const bool portable = holdsGameData(env.executableDir);
    f.data = portable ? env.executableDir : env.installedData;

    const auto writable = env.writable ? env.writable : isWritableFolder;
    const bool besideExecutable =
        portable && writable(env.executableDir) && writable(env.executableDir / "dat");
    const fs::path user = userSaveFolder(env.xdgDataHome, env.home);
    // Without any home folder the save stays beside the executable, where a
    // failing save at least names the file it could not write.
    f.userFolder = !besideExecutable && !user.empty();
    f.save = f.userFolder ? user : env.executableDir;

    f.load = f.save;
    if (!hasSave(f.save) && hasSave(env.executableDir)) f.load = env.executableDir;
    return f;
}

void prepareSaveFolder(const GameFolders& folders) {
    if (!folders.userFolder) return;
    std::error_code ignored;
    fs::create_directories(folders.save / "dat", ignored);
}

}  // namespace kotou
