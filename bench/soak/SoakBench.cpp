// Commands per second of the random player: whole runs of a new game played
// for a number of days on the headless host, with every check of the soak
// (stores, current character, a save round trip every 50 commands).

#include <benchmark/benchmark.h>

#include "tests/soak/RandomPlayer.h"

namespace kotou::soak {
namespace {

void BM_RandomPlayerCommands(benchmark::State& state) {
    Options o;
    o.days = static_cast<int>(state.range(0));
    o.avoid = knownDeadEnds();
    int64_t commands = 0;
    uint64_t seed = 1;
    for (auto _ : state) {
        o.seed = seed++;
        const Result r = play(o);
        if (!r.problems.empty()) {
            state.SkipWithError(describe(r.problems.front(), r.replay.seed).c_str());
            break;
        }
        commands += r.commands;
    }
    state.SetItemsProcessed(commands);
    state.counters["commands/run"] =
        benchmark::Counter(static_cast<double>(commands), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RandomPlayerCommands)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kotou::soak

BENCHMARK_MAIN();
