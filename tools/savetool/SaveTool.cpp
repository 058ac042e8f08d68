#include "tools/savetool/SaveTool.h"

#include <charconv>
#include <map>
#include <ostream>

#include "state/SaveFile.h"
#include "state/SaveLayout.h"
#include "state/Text.h"

namespace kotou::savetool {
namespace {

constexpr const char* kUsage =
    "usage: kotou-save dump FILE             print every saved value as name=value\n"
    "       kotou-save write TEXTFILE FILE   build a save file from name=value lines\n"
    "       kotou-save check FILE            exit 0 when the game can load FILE\n";

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

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string cmd = args.empty() ? "" : args[0];
    const bool usageOk = (cmd == "dump" && args.size() == 2) ||
                         (cmd == "check" && args.size() == 2) ||
                         (cmd == "write" && args.size() == 3);
    if (!usageOk) {
        err << kUsage;
        return 2;
    }
    try {
        if (cmd == "dump") {
            GameState s;
            parseSave(readSaveBytes(args[1], args[1]), s, args[1]);
            out << dumpState(s);
        } else if (cmd == "check") {
            loadSaveImage(readSaveBytes(args[1], args[1]), GameState{}, args[1]);
            out << args[1] << ": ok\n";
        } else {
            const GameState s = parseAssignments(readSaveBytes(args[1], args[1]), args[1]);
            replaceFile(args[2], formatSave(s, args[2]), args[2]);
            if (!isPlayableState(s))
                err << args[2] << ": warning: currentCharacter " << s.currentCharacter
                    << " is not 1..4; the game will refuse this file\n";
        }
    } catch (const SaveError& e) {
        return fail(err, e.what());
    }
    return 0;
}

}  // namespace kotou::savetool
