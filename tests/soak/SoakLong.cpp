// The long random-play soak: many seeds of many days, run on demand.
//
//   soak_long [--seeds N] [--first-seed S] [--days D] [--out DIR] [--keep]
//             [--avoid COMPONENT]... [--no-avoid]
//   soak_long --replay FILE
//
// Every seed plays a new game; a seed with a problem writes its replay to
// DIR/soak-seed<S>.txt (--keep: every seed does). At the end it lists the
// buttons with a handler that no run clicked. The player keeps away from the
// known dead ends (knownDeadEnds) and from every --avoid; --no-avoid clears
// that list, to see the dead ends again. With --replay, a recorded run
// is played again and its transcript printed. Exits with 1 when any check
// failed.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>
#include <string>
#include <string_view>

#include "game/GameHandlers.h"
#include "shell/FormLayout.h"
#include "tests/soak/RandomPlayer.h"

namespace {

using kotou::soak::Options;
using kotou::soak::Result;

int usage() {
    std::cerr << "usage: soak_long [--seeds N] [--first-seed S] [--days D] [--out DIR] [--keep]\n"
                 "                 [--avoid COMPONENT]... [--no-avoid]\n"
                 "       soak_long --replay FILE\n";
    return 2;
}

bool report(const Result& r, uint64_t seed) {
    for (const auto& p : r.problems) std::cout << "  " << kotou::soak::describe(p, seed) << "\n";
    return r.problems.empty();
}

int replayFile(const std::string& file) {
    const kotou::soak::Replay rep = kotou::soak::readReplayFile(file);
    Options o;
    o.keepTranscript = true;
    const Result r = kotou::soak::replay(rep, o);
    std::cout << r.transcript;
    std::cout << "replayed " << r.commands << " of " << rep.clicks.size() << " clicks, seed "
              << rep.seed << ", " << r.daysPlayed << " days\n";
    return report(r, rep.seed) ? 0 : 1;
}

// Every button of the window that has a handler.
std::vector<std::string> handledButtons() {
    kotou::FormModel form;
    kotou::buildForm(form);
    kotou::HandlerRegistry r;
    kotou::registerGameHandlers(r);
    std::vector<std::string> out;
    for (const kotou::Component& c : form.all())
        if (c.kind == kotou::Kind::Button && r.find(c.name) != nullptr) out.push_back(c.name);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    uint64_t seeds = 20, first = 1;
    int days = 1000;
    std::string out = KOTOU_TEST_OUTPUT;
    std::string replay;
    std::vector<std::string> avoid = kotou::soak::knownDeadEnds();
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--keep" || a == "--no-avoid") {
            if (a == "--keep")
                keep = true;
            else
                avoid.clear();
            continue;
        }
        if (i + 1 >= argc) return usage();
        const char* v = argv[++i];
        if (a == "--seeds")
            seeds = std::strtoull(v, nullptr, 10);
        else if (a == "--first-seed")
            first = std::strtoull(v, nullptr, 10);
        else if (a == "--days")
            days = std::atoi(v);
        else if (a == "--out")
            out = v;
        else if (a == "--avoid")
            avoid.push_back(v);
        else if (a == "--replay")
            replay = v;
        else
            return usage();
    }
    try {
        if (!replay.empty()) return replayFile(replay);

        bool ok = true;
        int64_t commands = 0;
        std::set<std::string> clicked;
        const auto t0 = std::chrono::steady_clock::now();
        for (uint64_t seed = first; seed < first + seeds; ++seed) {
            Options o;
            o.seed = seed;
            o.days = days;
            o.avoid = avoid;
            const Result r = kotou::soak::play(o);
            commands += r.commands;
            std::cout << "seed " << seed << ": " << r.commands << " commands, " << r.daysPlayed
                      << " days, " << r.problems.size() << " problems\n";
            clicked.insert(r.replay.clicks.begin(), r.replay.clicks.end());
            const bool clean = report(r, seed);
            ok = ok && clean;
            if (!clean || keep) {
                const auto file =
                    std::filesystem::path(out) / ("soak-seed" + std::to_string(seed) + ".txt");
                kotou::soak::writeReplayFile(file, r.replay);
                std::cout << "  replay: " << file.string() << "\n";
            }
        }
        const double s =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("%lld commands in %.2f s (%.0f per second)\n", static_cast<long long>(commands),
                    s, s > 0 ? static_cast<double>(commands) / s : 0.0);
        std::cout << "never clicked:";
        for (const std::string& name : handledButtons())
            if (!clicked.count(name)) std::cout << " " << name;
        std::cout << "\n";
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "soak_long: " << e.what() << "\n";
        return 2;
    }
}
