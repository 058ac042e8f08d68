#include "tools/play/Scenario.h"

#include <stdlib.h>

#include <charconv>
#include <deque>
#include <fstream>
#include <iterator>
#include <ostream>

#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/Game.h"
#include "shell/HeadlessHost.h"
#include "shell/Screens.h"
#include "shell/StatusRefresh.h"
#include "state/Random.h"
#include "state/SaveFile.h"
#include "state/Text.h"
#include "tools/savetool/SaveTool.h"

namespace kotou::play {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage = "usage: kotou-play SCENARIO\n";

[[noreturn]] void bad(int line, const std::string& what) {
    throw ScenarioError("line " + std::to_string(line) + ": " + what);
}

// A step the game does not allow; the runner adds the line of the step.
struct StepFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isBlank(s[i])) ++i;
        const size_t start = i;
        while (i < s.size() && !isBlank(s[i])) ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

template <class T>
bool number(std::string_view s, T& out) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

// The window's components, to check names before anything runs.
const FormModel& layout() {
    static const FormModel form = [] {
        FormModel f;
        buildForm(f);
        return f;
    }();
    return form;
}

Draw parseDraw(std::string_view word, int line) {
    Draw d;
    d.line = line;
    const size_t slash = word.find('/');
    if (!number(word.substr(0, slash), d.value))
        bad(line, "'" + std::string(word) + "' is not a draw (V or V/N)");
    if (slash == std::string_view::npos) return d;
    if (!number(word.substr(slash + 1), d.range) || d.range < 0)
        bad(line, "'" + std::string(word) + "' is not a draw (V or V/N)");
    const bool fits = d.range == 0 ? d.value == 0 : d.value >= 0 && d.value < d.range;
    if (!fits)
        bad(line,
            std::to_string(d.value) + " is not a value of random(" + std::to_string(d.range) + ")");
    return d;
}

// One line's command and the rest of the line after it.
struct Command {
    std::string_view name;
    std::string_view rest;
    std::vector<std::string_view> args;
};

Command splitCommand(std::string_view line) {
    line = trimBlanks(line);
    size_t end = 0;
    while (end < line.size() && !isBlank(line[end])) ++end;
    Command c{line.substr(0, end), trimBlanks(line.substr(end)), {}};
    c.args = words(c.rest);
    return c;
}

void expectArgs(const Command& c, size_t n, int line, const char* form) {
    if (c.args.size() != n) bad(line, "expected '" + std::string(form) + "'");
}

fs::path resolve(const fs::path& folder, std::string_view file) {
    const fs::path p{std::string(file)};
    return p.is_absolute() ? p : folder / p;
}

}  // namespace

Scenario parseScenario(std::string_view text, const fs::path& folder) {
    Scenario sc;
    int startLine = 0;
    int lineNo = 0;
    for (const std::string_view line : splitLines(text)) {
        ++lineNo;
        const Command c = splitCommand(line);
        if (c.name.empty() || c.name.front() == '#') continue;

        Step st;
        st.line = lineNo;
        if (c.name == "seed") {
            if (sc.seed || !sc.draws.empty()) bad(lineNo, "only one of seed and draws, once");
            uint64_t seed = 0;
            if (c.args.size() != 1 || !number(c.args[0], seed)) bad(lineNo, "expected 'seed N'");
            sc.seed = seed;
            continue;
        }
        if (c.name == "draws") {
            if (sc.seed) bad(lineNo, "only one of seed and draws, once");
            if (c.args.empty()) bad(lineNo, "expected 'draws V V/N ...'");
            for (std::string_view w : c.args) sc.draws.push_back(parseDraw(w, lineNo));
            continue;
        }
        if (c.name == "new" || c.name == "load") {
            if (startLine != 0)
                bad(lineNo, "the game was started on line " + std::to_string(startLine));
            startLine = lineNo;
            sc.load = c.name == "load";
            if (!sc.load) {
                expectArgs(c, 0, lineNo, "new");
                continue;
            }
            if (c.rest.empty()) bad(lineNo, "expected 'load FILE'");
            sc.loadFile = resolve(folder, c.rest);
            std::error_code ec;
            if (!fs::is_regular_file(sc.loadFile, ec))
                bad(lineNo, "no file " + sc.loadFile.string());
            continue;
        }
        if (c.name == "waits") {
            if (c.args.size() != 1 || (c.args[0] != "auto" && c.args[0] != "script"))
                bad(lineNo, "expected 'waits auto' or 'waits script'");
            st.kind = Step::Kind::Waits;
            st.yes = c.args[0] == "script";
            sc.steps.push_back(st);
            continue;
        }

        if (startLine == 0) bad(lineNo, "the game starts with 'new' or 'load' first");
        if (c.name == "set") {
            const size_t eq = c.rest.find('=');
            if (eq == std::string_view::npos) bad(lineNo, "expected 'set NAME=VALUE'");
            st.kind = Step::Kind::Set;
            st.name = trimBlanks(c.rest.substr(0, eq));
            st.text = c.rest.substr(eq + 1);
            GameState scratch;
            try {
                savetool::assignSavedValue(scratch, st.name, st.text);
            } catch (const SaveError& e) {
                bad(lineNo, e.what());
            }
        } else if (c.name == "expect") {
            const std::string_view rest = c.rest;
            if (rest.starts_with("message ") && rest.size() > 8) {
                st.kind = Step::Kind::ExpectMessage;
                st.text = rest.substr(8);
            } else {
                const size_t eq = rest.find('=');
                if (eq == std::string_view::npos)
                    bad(lineNo, "expected 'expect NAME=VALUE' or 'expect message TEXT'");
                st.kind = Step::Kind::Expect;
                st.name = trimBlanks(rest.substr(0, eq));
                st.text = rest.substr(eq + 1);
                GameState scratch;
                try {
                    savetool::assignSavedValue(scratch, st.name, st.text);
                } catch (const SaveError& e) {
                    bad(lineNo, e.what());
                }
            }
        } else if (c.name == "click" || c.name == "select") {
            const bool select = c.name == "select";
            expectArgs(c, select ? 2 : 1, lineNo, select ? "select LIST N" : "click NAME");
            st.kind = select ? Step::Kind::Select : Step::Kind::Click;
            st.name = c.args[0];
            const ComponentId id = layout().find(st.name);
            if (id == kNoComponent) bad(lineNo, "no component '" + st.name + "'");
            if (select && layout().at(id).kind != Kind::List)
                bad(lineNo, "'" + st.name + "' is not a list");
            if (select && (!number(c.args[1], st.number) || st.number < 1))
                bad(lineNo, "the line of a list is a number from 1");
        } else if (c.name == "type") {
            if (c.rest.empty()) bad(lineNo, "expected 'type TEXT'");
            st.kind = Step::Kind::Type;
            st.text = c.rest;
        } else if (c.name == "answer") {
            if (c.args.size() != 1 || (c.args[0] != "yes" && c.args[0] != "no"))
                bad(lineNo, "expected 'answer yes' or 'answer no'");
            st.kind = Step::Kind::Answer;
            st.yes = c.args[0] == "yes";
        } else if (c.name == "press") {
            if (c.args.size() != 1 || (c.args[0] != "Enter" && c.args[0] != "Space"))
                bad(lineNo, "expected 'press Enter' or 'press Space'");
            st.kind = Step::Kind::Press;
            st.name = c.args[0];
        } else if (c.name == "save") {
            if (c.rest.empty()) bad(lineNo, "expected 'save FILE'");
            st.kind = Step::Kind::Save;
            st.name = resolve(folder, c.rest).string();
            st.text = c.rest;
        } else {
            bad(lineNo, "unknown command '" + std::string(c.name) + "'");
        }
        sc.steps.push_back(st);
    }
    if (startLine == 0) bad(lineNo + 1, "the scenario needs a 'new' or a 'load' line");
    return sc;
}

namespace {

// The value `name` as the save tool prints it.
std::string savedValue(const GameState& s, const std::string& name) {
    const std::string all = savetool::dumpState(s);
    const std::string key = name + "=";
    size_t at = all.starts_with(key) ? 0 : all.find("\n" + key);
    if (at == std::string::npos) return {};
    if (at != 0) ++at;
    const size_t end = all.find('\n', at);
    return all.substr(at + key.size(), end - at - key.size());
}

// The host of a scenario: a question takes the scenario's next answer.
class ScenarioHost : public HeadlessHost {
  public:
    struct Answer {
        bool yes;
        int line;
    };
    std::deque<Answer> answers;

    bool confirm(const std::string& text) override {
        if (answers.empty())
            throw StepFailure("the game asks \"" + text + "\" and the scenario has no answer");
        confirmAnswers = {answers.front().yes};
        answers.pop_front();
        return HeadlessHost::confirm(text);
    }
};

// The scenario's draws (or the seeded generator's), each written to the
// transcript as "draw random(N) -> V".
class ScenarioRandom : public Random {
  public:
    ScenarioRandom(const Scenario& sc, HeadlessHost& host)
        : draws_(sc.draws),
          seeded_(sc.seed.has_value()),
          engine_(sc.seed.value_or(0)),
          host_(host) {}

    int32_t random(int32_t n) override {
        ++count_;
        const std::string which =
            "draw " + std::to_string(count_) + ": the game asks random(" + std::to_string(n) + ")";
        int32_t v = 0;
        if (seeded_) {
            v = engine_.random(n);
        } else {
            if (next_ >= draws_.size())
                throw StepFailure(which + " but the scenario has only " +
                                  std::to_string(draws_.size()) + " draws");
            const Draw& d = draws_[next_++];
            const std::string given = " (line " + std::to_string(d.line) + ")";
            if (d.range != 0 && d.range != n)
                throw StepFailure(which + " but the scenario has " + std::to_string(d.value) + "/" +
                                  std::to_string(d.range) + given);
            const bool fits = n <= 0 ? d.value == 0 : d.value >= 0 && d.value < n;
            if (!fits)
                throw StepFailure(which + " and the scenario's " + std::to_string(d.value) + given +
                                  " is not one of its values");
            v = d.value;
        }
        host_.transcript.push_back("draw random(" + std::to_string(n) + ") -> " +
                                   std::to_string(v));
        return v;
    }

    // The first draw never asked for, or nullptr.
    const Draw* firstUnused() const { return next_ < draws_.size() ? &draws_[next_] : nullptr; }

  private:
    std::vector<Draw> draws_;
    size_t next_ = 0;
    int count_ = 0;
    bool seeded_;
    DefaultRandom engine_;
    HeadlessHost& host_;
};

// A game folder of the run's own, removed at its end.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "kotou-play-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw ScenarioError("cannot make a temporary game folder");
        path_ = pattern;
        fs::create_directories(path_ / "dat");
    }
    ~TemporaryFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// Why the player could not click the component, or "" when it can.
std::string whyNotClickable(const FormModel& form, ComponentId id) {
    for (ComponentId i = id; i != kNoComponent; i = form.at(i).parent) {
        const Component& c = form.at(i);
        const std::string who = i == id ? "it" : "its panel " + c.name;
        if (!c.visible) return who + " is hidden";
        if (!c.enabled) return who + " is disabled";
    }
    return "";
}

class Runner {
  public:
    Runner(const Scenario& sc, std::ostream& out)
        : sc_(sc), out_(out), rng_(sc, host_), g_(host_, rng_) {}

    void run() {
        host_.keepTranscript = true;
        host_.attach(g_);
        host_.setBaseDir(folder_.path());
        host_.onProcessEvents = [this](Game& g) { duringWait(g); };
        buildForm(g_.form);
        registerGameHandlers(g_.handlers);

        guarded(0, [this] { start(); });
        while (next_ < sc_.steps.size()) {
            const Step& st = sc_.steps[next_++];
            guarded(st.line, [&] {
                perform(st);
                refreshStatus(g_);
            });
            flush();
        }
        if (const Draw* d = rng_.firstUnused())
            throw ScenarioError("line " + std::to_string(d->line) +
                                ": the game never asked for the draws from here on");
        if (!host_.answers.empty())
            throw ScenarioError("line " + std::to_string(host_.answers.front().line) +
                                ": no question came for this answer");
    }

  private:
    // Runs `f` for the step on `line`; a failure stops the run naming it.
    template <class F>
    void guarded(int line, F&& f) {
        const std::string at = line > 0 ? "line " + std::to_string(line) + ": " : "start: ";
        try {
            f();
        } catch (const ScenarioError&) {
            flush();
            throw;
        } catch (const StepFailure& e) {
            flush();
            throw ScenarioError(at + e.what());
        } catch (const std::exception& e) {
            flush();
            throw ScenarioError(at + "the game failed: " + e.what());
        }
    }

    void start() {
        FormCreate(g_);
        const char* button = "Button2";  // はじめる, answered yes
        if (sc_.load) {
            std::ifstream in(sc_.loadFile, std::ios::binary);
            std::ofstream saved(saveFilePath(folder_.path()), std::ios::binary);
            if (!(saved << in.rdbuf())) throw StepFailure("cannot copy " + sc_.loadFile.string());
            button = "Button12";  // つづける
        } else {
            host_.answers.push_back({true, 0});
        }
        dispatch(g_, button);
        refreshStatus(g_);
        flush();
    }

    // With scripted waits, a wait takes the scenario's next steps until one
    // of them ends it.
    void duringWait(Game& g) {
        if (!scriptedWaits_ || g.s.runtime.clickState != 0) return;
        if (next_ >= sc_.steps.size())
            throw StepFailure("the game waits for a click and the scenario has no more steps");
        const Step& st = sc_.steps[next_++];
        guarded(st.line, [&] { perform(st); });
        flush();
    }

    void click(const std::string& name) { dispatch(g_, name); }

    ComponentId clickable(const std::string& name) {
        const ComponentId id = g_.form.id(name);
        const std::string why = whyNotClickable(g_.form, id);
        if (!why.empty()) throw StepFailure(name + " cannot be clicked: " + why);
        return id;
    }

    void perform(const Step& st) {
        switch (st.kind) {
            case Step::Kind::Click:
                clickable(st.name);
                note("press " + st.name);
                click(st.name);
                break;
            case Step::Kind::Select: {
                const ComponentId id = clickable(st.name);
                const auto& items = g_.form.at(id).items;
                if (static_cast<size_t>(st.number) > items.size())
                    throw StepFailure(st.name + " has " + std::to_string(items.size()) +
                                      " lines, not " + std::to_string(st.number));
                g_.form.setSelected(id, st.number - 1);
                note("select " + st.name + " " + std::to_string(st.number) + " " +
                     items[static_cast<size_t>(st.number - 1)]);
                click(st.name);
                break;
            }
            case Step::Kind::Type: {
                std::vector<ComponentId> edits;
                for (const Component& c : g_.form.all()) {
                    const ComponentId id = g_.form.id(c.name);
                    if (c.kind == Kind::Edit && whyNotClickable(g_.form, id).empty())
                        edits.push_back(id);
                }
                if (edits.size() != 1)
                    throw StepFailure(edits.empty() ? "no text field is on screen"
                                                    : "more than one text field is on screen");
                g_.form.setCaption(edits.front(), st.text);
                note("type " + st.text);
                break;
            }
            case Step::Kind::Answer:
                host_.answers.push_back({st.yes, st.line});
                break;
            case Step::Kind::Press:
                note("key " + st.name);
                click("moji_l");  // the window sends Enter and Space there
                break;
            case Step::Kind::Waits:
                scriptedWaits_ = st.yes;
                host_.autoClick = !st.yes;
                break;
            case Step::Kind::Set:
                savetool::assignSavedValue(g_.s, st.name, st.text);
                note("set " + st.name + "=" + st.text);
                break;
            case Step::Kind::Expect: {
                // Compared as the save tool writes values, so that " 7" and
                // "7" mean the same number.
                GameState wanted = g_.s;
                savetool::assignSavedValue(wanted, st.name, st.text);
                const std::string is = savedValue(g_.s, st.name);
                if (is != savedValue(wanted, st.name))
                    throw StepFailure("expected " + st.name + "=" + st.text + ", the game has " +
                                      st.name + "=" + is);
                break;
            }
            case Step::Kind::ExpectMessage: {
                const std::string& shown = g_.form.at("moji_l").caption;
                if (shown.find(st.text) == std::string::npos)
                    throw StepFailure("expected the message \"" + st.text +
                                      "\", the game shows \"" + shown + "\"");
                break;
            }
            case Step::Kind::Save:
                try {
                    replaceFile(st.name, formatSave(g_.s, st.name), st.name);
                } catch (const SaveError& e) {
                    throw StepFailure(e.what());
                }
                note("save " + st.text);
                break;
        }
    }

    void note(std::string line) { host_.transcript.push_back(std::move(line)); }

    void flush() {
        for (const std::string& line : host_.transcript) out_ << line << '\n';
        out_.flush();
        host_.clearRecords();
    }

    const Scenario& sc_;
    std::ostream& out_;
    TemporaryFolder folder_;
    ScenarioHost host_;
    ScenarioRandom rng_;
    Game g_;
    size_t next_ = 0;
    bool scriptedWaits_ = false;
};

}  // namespace

void runScenario(const Scenario& scenario, std::ostream& out) {
    Runner(scenario, out).run();
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        err << kUsage;
        return 2;
    }
    const fs::path file = args[0];
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        err << file.string() << ": cannot read the scenario\n";
        return 2;
    }
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    Scenario sc;
    try {
        sc = parseScenario(text, file.parent_path());
    } catch (const ScenarioError& e) {
        err << file.string() << " " << e.what() << "\n";
        return 2;
    }
    try {
        runScenario(sc, out);
    } catch (const ScenarioError& e) {
        err << file.string() << " " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace kotou::play
