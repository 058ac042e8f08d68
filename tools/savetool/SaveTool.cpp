#include "tools/savetool/SaveTool.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <ostream>

#include "state/GameFolders.h"
#include "state/SaveFile.h"
#include "state/SaveLayout.h"
#include "state/Text.h"

namespace kotou::savetool {
namespace {

constexpr const char* kUsage =
    "usage: kotou-save dump [FILE]             print every saved value as name=value\n"
    "       kotou-save write TEXTFILE [FILE]   build a save file from name=value lines\n"
    "       kotou-save check [FILE]            exit 0 when the game can load FILE and\n"
    "                                          its kept previous save FILE.bak\n"
    "       kotou-save restore [FILE]          put FILE.bak back as FILE (FILE becomes\n"
    "                                          FILE.bak, so a second restore undoes it)\n"
    "FILE is a save file, or a folder with dat/my.dat: the game's folder or the\n"
    "player's data folder (~/.local/share/kotou). Without FILE: the save the game\n"
    "continues from (dump, check) or writes to (write, restore). The game keeps the\n"
    "save it replaces, and the one a new game leaves behind, as dat/my.dat.bak.\n";

struct DumpVisitor {
    std::string& out;
    void integer(const std::string& name, int32_t v) { out += name + "=" + num(v) + "\n"; }
    void text(const std::string& name, const std::string& v) { out += name + "=" + v + "\n"; }
};

// Sets the one value called `name`, if there is one.
struct AssignVisitor {
    std::string_view name;
    std::string_view value;
    bool found = false;
    void integer(const std::string& n, int32_t& v) {
        if (n != name) return;
        found = true;
        const std::string_view t = trimBlanks(value);
        int32_t parsed = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), parsed);
        if (t.empty() || ec != std::errc() || end != t.data() + t.size())
            throw SaveError("'" + std::string(t) + "' is not a 32-bit integer");
        v = parsed;
    }
    void text(const std::string& n, std::string& v) {
        if (n != name) return;
        found = true;
        try {
            toCp932(value);
        } catch (const TextError&) {
            throw SaveError(n + " has a character that code page 932 cannot hold");
        }
        v = std::string(value);
    }
};

int fail(std::ostream& err, const std::string& message) {
    err << message << "\n";
    return 1;
}

// Checks the kept previous save beside `file`, when there is one.
int checkBackup(const std::string& file, std::ostream& out, std::ostream& err) {
    namespace fs = std::filesystem;
    const std::string backup = backupFilePath(file).string();
    std::error_code ec;
    if (!fs::exists(backup, ec)) {
        out << backup << ": none kept\n";
        return 0;
    }
    try {
        loadSaveImage(readSaveBytes(backup, backup), GameState{}, backup);
    } catch (const SaveError& e) {
        return fail(err, e.what());
    }
    out << backup << ": ok\n";
    return 0;
}

// Swaps the save and its kept previous save, after checking that the game
// can load the one put back.
int restore(const std::string& file, std::ostream& out) {
    namespace fs = std::filesystem;
    const std::string backup = backupFilePath(file).string();
    std::error_code ec;
    if (!fs::exists(backup, ec)) throw SaveError(backup + ": no previous save is kept");
    const std::string previous = readSaveBytes(backup, backup);
    loadSaveImage(previous, GameState{}, backup);
    const bool hadSave = fs::exists(file, ec);
    const std::string current = hadSave ? readSaveBytes(file, file) : std::string();
    replaceFile(file, previous, file);
    if (hadSave) {
        replaceFile(backup, current, backup);
        out << file << ": restored from " << backup << "; the save it replaced is now " << backup
            << "\n";
    } else {
        fs::remove(backup, ec);
        out << file << ": restored from " << backup << "\n";
    }
    return 0;
}

}  // namespace

std::string dumpState(const GameState& s) {
    std::string out;
    visitSaved(s, DumpVisitor{out});
    return out;
}

void assignSavedValue(GameState& s, std::string_view name, std::string_view value) {
    AssignVisitor v{trimBlanks(name), value};
    visitSaved(s, v);
    if (!v.found) throw SaveError("unknown name '" + std::string(v.name) + "'");
}

GameState parseAssignments(std::string_view text, const std::string& label) {
    GameState s;
    initNewGame(s);
    std::map<std::string, int> firstLine;
    int lineNo = 0;
    for (const std::string_view line : splitLines(text)) {
        ++lineNo;
        const std::string at = label + " line " + std::to_string(lineNo) + ": ";

        if (trimBlanks(line).empty() || trimBlanks(line).front() == '#') continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) throw SaveError(at + "expected name=value");
        const std::string name(trimBlanks(line.substr(0, eq)));
        if (auto seen = firstLine.find(name); seen != firstLine.end())
            throw SaveError(at + name + " is given twice (first on line " +
                            std::to_string(seen->second) + ")");
        try {
            assignSavedValue(s, name, line.substr(eq + 1));
        } catch (const SaveError& e) {
            throw SaveError(at + e.what());
        }
        firstLine[name] = lineNo;
    }
    return s;
}

std::filesystem::path saveFileArgument(const std::string* arg, bool forWriting,
                                       const GameFolders& folders) {
    namespace fs = std::filesystem;
    if (!arg) return saveFilePath(forWriting ? folders.save : folders.load);
    fs::path given(*arg);
    std::error_code ec;
    if (!fs::is_directory(given, ec)) return given;
    if (given.filename().empty()) given = given.parent_path();  // "folder/"
    return given.filename() == "dat" ? given / "my.dat" : saveFilePath(given);
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const FolderEnvironment& env) {
    const std::string cmd = args.empty() ? "" : args[0];
    const size_t operands = cmd == "write" ? 2 : 1;  // operands before the optional FILE
    const bool usageOk = (cmd == "dump" || cmd == "check" || cmd == "write" || cmd == "restore") &&
                         (args.size() == operands || args.size() == operands + 1);
    if (!usageOk) {
        err << kUsage;
        return 2;
    }
    const bool writing = cmd == "write" || cmd == "restore";
    const GameFolders folders = resolveGameFolders(env);
    const std::string* fileArg = args.size() > operands ? &args[operands] : nullptr;
    if (writing && !fileArg) prepareSaveFolder(folders);
    const std::string file = saveFileArgument(fileArg, writing, folders).string();
    try {
        if (cmd == "dump") {
            GameState s;
            parseSave(readSaveBytes(file, file), s, file);
            out << dumpState(s);
        } else if (cmd == "check") {
            loadSaveImage(readSaveBytes(file, file), GameState{}, file);
            out << file << ": ok\n";
            return checkBackup(file, out, err);
        } else if (cmd == "restore") {
            return restore(file, out);
        } else {
            const GameState s = parseAssignments(readSaveBytes(args[1], args[1]), args[1]);
            replaceFile(file, formatSave(s, file), file);
            if (!isPlayableState(s))
                err << file << ": warning: currentCharacter " << s.currentCharacter
                    << " is not 1..4; the game will refuse this file\n";
        }
    } catch (const SaveError& e) {
        return fail(err, e.what());
    }
    return 0;
}

}  // namespace kotou::savetool
