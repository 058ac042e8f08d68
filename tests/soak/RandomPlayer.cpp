#include "tests/soak/RandomPlayer.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "game/GameHandlers.h"
#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/Game.h"
#include "shell/HeadlessHost.h"
#include "shell/Screens.h"
#include "shell/StatusRefresh.h"
#include "state/Random.h"
#include "state/SaveFile.h"
#include "state/SaveLayout.h"

namespace kotou::soak {
namespace {

constexpr std::string_view kReplayHeader = "kotou-soak-replay 1";
// The buttons that end the current character's turn.
constexpr const char* kSleepButtons[] = {"BitBtn5", "BitBtn16"};
// What the player types into an empty text field (the island's name).
constexpr const char* kTypedText = "ひだまり";
// Seeds of the player's two generators are derived from the run's seed so
// that the game's draws and the player's never share a sequence.
constexpr uint64_t kAnswerSalt = 0x9E3779B97F4A7C15ull;
constexpr int64_t kCommandsPerDayBound = 2000;

// The saved values as text, in file order, for comparing two states.
struct Flatten {
    std::vector<std::pair<std::string, std::string>> values;
    void integer(const std::string& name, int32_t v) {
        values.emplace_back(name, std::to_string(v));
    }
    void text(const std::string& name, const std::string& v) { values.emplace_back(name, v); }
};

std::vector<std::pair<std::string, std::string>> flatten(const GameState& s) {
    Flatten f;
    visitSaved(s, f);
    return std::move(f.values);
}

// The addresses of the checked counts within one state, collected once.
struct CountFields {
    std::vector<std::pair<std::string, const int32_t*>> fields;
    void integer(const std::string& name, const int32_t& v) {
        if (isCheckedCount(name)) fields.emplace_back(name, &v);
    }
    void text(const std::string&, const std::string&) {}
};

// The line of a list click: digits only.
bool lineNumber(std::string_view text, int& line) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), line);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty() && line >= 0;
}

class Session {
  public:
    Session(const Options& o, const Replay* script)
        : opt_(o),
          script_(script),
          rng_(o.seed),
          g_(host_, rng_),
          chooser_(static_cast<std::mt19937::result_type>(o.seed)),
          answers_(static_cast<std::mt19937::result_type>(o.seed ^ kAnswerSalt)) {
        result_.replay.seed = o.seed;
        result_.replay.days = o.days;
        maxCommands_ = o.maxCommands > 0 ? o.maxCommands : kCommandsPerDayBound * (o.days + 1);
    }

    Result run() {
        prepareFolder();
        start();
        if (script_ != nullptr) {
            for (const std::string& recorded : script_->clicks) {
                if (stopped()) break;
                const Click click = recordedClick(recorded);
                typeIntoFields();
                if (click.id == kNoComponent || !offered(click)) {
                    problem(recorded, "replay diverged",
                            "the recorded click is not offered at this point");
                    result_.aborted = true;
                    break;
                }
                command(click);
            }
        } else {
            while (!stopped() && result_.daysPlayed < opt_.days) {
                if (result_.commands >= maxCommands_) {
                    problem(lastClick_, "stalled",
                            std::to_string(result_.commands) + " commands played only " +
                                std::to_string(result_.daysPlayed) + " days");
                    break;
                }
                typeIntoFields();
                const Click click = choose();
                if (click.id == kNoComponent) {
                    problem(lastClick_, "no command offered",
                            "no visible and enabled button has a handler");
                    result_.aborted = true;
                    break;
                }
                command(click);
            }
        }
        finish();
        return std::move(result_);
    }

  private:
    struct Button {
        ComponentId id;
    };
    // A press on a button, or on line `line` of a list.
    struct Click {
        ComponentId id = kNoComponent;
        int line = -1;
    };

    bool stopped() const {
        return result_.aborted || result_.problems.size() >= opt_.maxProblems || windowClosed();
    }
    // The clear screen closes the window; nothing is offered after it.
    bool windowClosed() const { return g_.s.runtime.clickState == -1; }

    void prepareFolder() {
        std::filesystem::path dir = opt_.baseDir;
        if (dir.empty()) {
            // The save command flushes its file to disk; in a folder in
            // memory that costs nothing, so saving does not slow the soak.
            std::error_code ec;
            const std::filesystem::path shm = "/dev/shm";
            const std::filesystem::path root = std::filesystem::is_directory(shm, ec)
                                                   ? shm
                                                   : std::filesystem::temp_directory_path();
            std::random_device rd;
            dir = root / ("kotou-soak-" + std::to_string(opt_.seed) + "-" + std::to_string(rd()));
            ownFolder_ = dir;
        }
        std::filesystem::create_directories(dir / "dat");
        std::filesystem::remove(dir / "dat" / "my.dat");
        host_.setBaseDir(dir);
    }

    // The window's start: layout, handlers, creation, then はじめる answered
    // with yes, which opens the creation of the first character.
    void start() {
        host_.keepTranscript = opt_.keepTranscript;
        host_.attach(g_);
        buildForm(g_.form);
        registerGameHandlers(g_.handlers);
        if (opt_.adjustHandlers) opt_.adjustHandlers(g_.handlers);
        for (const Component& c : g_.form.all()) {
            if (c.kind != Kind::Button && c.kind != Kind::List) continue;
            if (std::find(opt_.avoid.begin(), opt_.avoid.end(), c.name) != opt_.avoid.end())
                continue;
            const ComponentId id = g_.form.id(c.name);
            if (g_.handlers.find(c.name)) buttons_.push_back({id});
            for (const char* sleep : kSleepButtons)
                if (c.name == sleep) sleepIds_.push_back(id);
        }
        for (const Component& c : g_.form.all())
            if (c.kind == Kind::Edit) edits_.push_back(g_.form.id(c.name));
        CountFields counts;
        visitSaved(std::as_const(g_.s), counts);
        counts_ = std::move(counts.fields);

        FormCreate(g_);
        host_.confirmAnswers = {true};
        dispatch(g_, "Button2");
        host_.confirmAnswers.clear();
        if (opt_.prepare) opt_.prepare(g_.s);
        refreshStatus(g_);
        lastDay_ = g_.s.dayNumber;
        collectTranscript();
    }

    // A button is offered while shown and enabled, a list line while its
    // list is shown and enabled and has the line.
    bool offered(const Click& click) const {
        const Component& c = g_.form.at(click.id);
        const bool list = c.kind == Kind::List;
        if (list != (click.line >= 0)) return false;
        if (list && static_cast<size_t>(click.line) >= c.items.size()) return false;
        if (c.kind != Kind::Button && !list) return false;
        if (!c.enabled || !g_.form.effectivelyVisible(click.id)) return false;
        return g_.handlers.find(c.name) != nullptr;
    }

    // "name" or "name line" of a replay file; an unreadable line number
    // names no component, so the replay stops there as diverged.
    Click recordedClick(const std::string& recorded) const {
        const size_t space = recorded.find(' ');
        Click click{g_.form.find(recorded.substr(0, space)), -1};
        if (space != std::string::npos && !lineNumber(recorded.substr(space + 1), click.line))
            click.id = kNoComponent;
        return click;
    }

    // A player fills an empty text field before anything else (the island
    // name box only accepts a name).
    void typeIntoFields() {
        for (ComponentId id : edits_) {
            const Component& c = g_.form.at(id);
            if (c.enabled && c.caption.empty() && g_.form.effectivelyVisible(id))
                g_.form.setCaption(id, kTypedText);
        }
    }

    // A list with lines is one offer; its line is drawn once it is chosen.
    Click choose() {
        offers_.clear();
        for (const Button& b : buttons_) {
            const Component& c = g_.form.at(b.id);
            if (c.kind == Kind::List && c.items.empty()) continue;
            if (c.enabled && g_.form.effectivelyVisible(b.id)) offers_.push_back(b.id);
        }
        if (offers_.empty()) return {};
        if (turnCommands_ >= opt_.turnPatience) {
            for (ComponentId id : offers_)
                for (ComponentId sleep : sleepIds_)
                    if (id == sleep) return {id, -1};
        }
        const ComponentId id = offers_[chooser_() % offers_.size()];
        const Component& c = g_.form.at(id);
        if (c.kind != Kind::List) return {id, -1};
        return {id, static_cast<int>(chooser_() % c.items.size())};
    }

    void command(const Click& click) {
        const std::string& name = g_.form.at(click.id).name;
        const std::string recorded =
            click.line < 0 ? name : name + " " + std::to_string(click.line);
        lastClick_ = recorded;
        result_.replay.clicks.push_back(recorded);
        ++result_.commands;
        ++turnCommands_;
        if (opt_.keepTranscript) transcript_ += "press " + recorded + "\n";
        // Drawn once per command whether or not a question is asked, so that
        // a replay answers every question as the recorded run did.
        host_.confirmAnswers = {answers_() % 4 != 0};
        // As in the window, the pressed line is selected before the list's
        // handler runs.
        if (click.line >= 0) g_.form.setSelected(click.id, click.line);
        try {
            dispatch(g_, name);
            host_.confirmAnswers.clear();
            refreshStatus(g_);
        } catch (const std::exception& e) {
            problem(recorded, "exception", e.what());
            result_.aborted = true;
            collectTranscript();
            return;
        }
        collectTranscript();
        checkState(recorded);
        if (opt_.probeRefusedEvery > 0 && result_.commands % opt_.probeRefusedEvery == 0)
            probeRefusedClicks(recorded);
        if (opt_.roundTripEvery > 0 && result_.commands % opt_.roundTripEvery == 0)
            checkRoundTrip(recorded);
        followDays();
    }

    void followDays() {
        const int32_t day = g_.s.dayNumber;
        const int32_t who = g_.s.currentCharacter;
        if (day > lastDay_) result_.daysPlayed += day - lastDay_;
        if (day != lastDay_ || who != lastCharacter_) turnCommands_ = 0;
        lastDay_ = day;
        lastCharacter_ = who;
    }

    void checkState(const std::string& name) {
        for (const auto& [field, value] : counts_)
            if (*value < 0) problem(name, "negative count", field + " = " + std::to_string(*value));
        if (!GameState::isCharacterIndex(g_.s.currentCharacter))
            problem(name, "current character",
                    "currentCharacter = " + std::to_string(g_.s.currentCharacter));
        // The window finds what changed from the compact revisions alone.
        for (size_t i = 0; i < g_.form.size(); ++i) {
            const auto id = static_cast<ComponentId>(i);
            if (g_.form.revisionOf(id) != g_.form.at(id).revision)
                problem(name, "form revisions", g_.form.at(id).name);
        }
    }

    // A click the guard refuses changes nothing: not the saved state, not the
    // window's model.
    void probeRefusedClicks(const std::string& after) {
        const std::string image = formatSave(g_.s);
        const uint64_t revision = g_.form.revision();
        for (const auto& [name, entry] : g_.handlers.all()) {
            if (guardAllows(g_, name)) continue;
            ++result_.refusedClicks;
            result_.refusedNames.insert(name);
            if (dispatch(g_, name) || g_.form.revision() != revision || formatSave(g_.s) != image) {
                problem(after, "refused click", name + " changed the game");
                return;
            }
        }
    }

    void checkRoundTrip(const std::string& name) {
        try {
            const std::string bytes = formatSave(g_.s);
            const GameState back = loadSaveImage(bytes, GameState{});
            const auto before = flatten(g_.s);
            const auto after = flatten(back);
            for (size_t i = 0; i < before.size(); ++i) {
                if (before[i].second != after[i].second) {
                    problem(name, "save round trip",
                            before[i].first + " saved as '" + before[i].second + "' loads as '" +
                                after[i].second + "'");
                    return;
                }
            }
            if (formatSave(back) != bytes)
                problem(name, "save round trip", "the loaded state saves different bytes");
        } catch (const std::exception& e) {
            problem(name, "save round trip", e.what());
        }
    }

    void collectTranscript() {
        if (opt_.keepTranscript) transcript_ += host_.transcriptText();
        // The records of a long run would grow without end.
        host_.clearRecords();
    }

    void problem(const std::string& component, std::string check, std::string detail) {
        result_.problems.push_back(
            {result_.commands, component, std::move(check), std::move(detail)});
    }

    void finish() {
        if (!ownFolder_.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(ownFolder_, ec);
        }
        result_.windowClosed = windowClosed();
        result_.transcript = std::move(transcript_);
        result_.finalState = g_.s;
        try {
            result_.finalSave = formatSave(g_.s);
        } catch (const std::exception& e) {
            problem(lastClick_, "final save", e.what());
        }
    }

    Options opt_;
    const Replay* script_;
    HeadlessHost host_;
    DefaultRandom rng_;
    Game g_;
    std::mt19937 chooser_;
    std::mt19937 answers_;
    Result result_;
    int64_t maxCommands_ = 0;

    std::vector<Button> buttons_;
    std::vector<ComponentId> sleepIds_;
    std::vector<ComponentId> edits_;
    std::vector<ComponentId> offers_;
    std::vector<std::pair<std::string, const int32_t*>> counts_;

    std::filesystem::path ownFolder_;  // made by the run, removed at its end
    std::string lastClick_ = "(start)";
    std::string transcript_;
    int turnCommands_ = 0;
    int32_t lastDay_ = 0;
    int32_t lastCharacter_ = 0;
};

[[noreturn]] void malformed(int line, const std::string& what) {
    throw std::runtime_error("replay line " + std::to_string(line) + ": " + what);
}

// "key N" on line `line`.
uint64_t headerValue(std::string_view text, std::string_view key, int line) {
    if (text.substr(0, key.size() + 1) != std::string(key) + " ")
        malformed(line, "expected '" + std::string(key) + " <number>'");
    const std::string_view digits = text.substr(key.size() + 1);
    uint64_t v = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
        malformed(line, "'" + std::string(digits) + "' is not a number");
    return v;
}

}  // namespace

bool isCheckedCount(std::string_view savedName) {
    constexpr std::string_view kSuffix = "Count";
    const bool count = savedName.size() > kSuffix.size() &&
                       savedName.substr(savedName.size() - kSuffix.size()) == kSuffix;
    return count || savedName.starts_with("rareItems[") || savedName.starts_with("extraItems[");
}

std::string formatReplay(const Replay& r) {
    std::string out;
    out += kReplayHeader;
    out += "\nseed " + std::to_string(r.seed) + "\ndays " + std::to_string(r.days) + "\nclicks " +
           std::to_string(r.clicks.size()) + "\n";
    for (const std::string& c : r.clicks) out += c + "\n";
    return out;
}

Replay parseReplay(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    if (lines.empty() || lines[0] != kReplayHeader)
        malformed(1, "not a replay (expected '" + std::string(kReplayHeader) + "')");
    if (lines.size() < 4) malformed(static_cast<int>(lines.size()) + 1, "header ends early");
    Replay r;
    r.seed = headerValue(lines[1], "seed", 2);
    const uint64_t days = headerValue(lines[2], "days", 3);
    if (days > 1'000'000) malformed(3, "too many days");
    r.days = static_cast<int>(days);
    const uint64_t count = headerValue(lines[3], "clicks", 4);
    if (count != lines.size() - 4)
        malformed(4, "says " + std::to_string(count) + " clicks but " +
                         std::to_string(lines.size() - 4) + " follow");
    r.clicks.reserve(lines.size() - 4);
    for (size_t i = 4; i < lines.size(); ++i) {
        const int at = static_cast<int>(i) + 1;
        const std::string_view line = lines[i];
        const size_t space = line.find(' ');
        if (line.empty() || space == 0) malformed(at, "empty component name");
        int index = 0;
        if (space != std::string_view::npos && !lineNumber(line.substr(space + 1), index))
            malformed(at, "'" + std::string(line.substr(space + 1)) + "' is not a line number");
        r.clicks.emplace_back(line);
    }
    return r;
}

Replay readReplayFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read replay " + file.string());
    std::ostringstream ss;
    ss << in.rdbuf();
    return parseReplay(ss.str());
}

void writeReplayFile(const std::filesystem::path& file, const Replay& r) {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << formatReplay(r);
    if (!out.flush()) throw std::runtime_error("cannot write replay " + file.string());
}

Result play(const Options& options) {
    return Session(options, nullptr).run();
}

Result replay(const Replay& r, Options options) {
    options.seed = r.seed;
    options.days = r.days;
    options.maxCommands = static_cast<int64_t>(r.clicks.size()) + 1;
    return Session(options, &r).run();
}

std::vector<std::string> knownDeadEnds() {
    // Opener and the way back of the panel it opens.
    static constexpr std::pair<const char*, const char*> kPanels[] = {
        {"BitBtn39", "BitBtn36"},  // 通常アイテム -> the normal item panel's 戻る
    };
    HandlerRegistry r;
    registerGameHandlers(r);
    std::vector<std::string> out;
    for (const auto& [opener, back] : kPanels)
        if (r.find(opener) != nullptr && r.find(back) == nullptr) out.emplace_back(opener);
    return out;
}

std::string describe(const Problem& p, uint64_t seed) {
    return "seed " + std::to_string(seed) + ", command " + std::to_string(p.command) + " (" +
           p.component + "): " + p.check + ": " + p.detail;
}

void wrapHandler(HandlerRegistry& r, const std::string& component,
                 const std::function<Handler(Handler)>& wrap) {
    HandlerRegistry wrapped;
    for (const auto& [name, e] : r.all())
        wrapped.add(name, e.guard, name == component ? wrap(e.run) : e.run);
    r = std::move(wrapped);
}

}  // namespace kotou::soak
