// Cost of one status refresh on a game in its middle: a few dozen days in,
// stores filled, facilities built, the command panel showing several commands.

#include <benchmark/benchmark.h>

#include <string>

#include "shell/FormLayout.h"
#include "shell/HeadlessHost.h"
#include "shell/StatusRefresh.h"
#include "state/Random.h"

namespace kotou {
namespace {

void midGame(GameState& s) {
    initNewGame(s);
    s.currentCharacter = 2;
    s.dayNumber = 36;
    s.weather = kRain;
    s.storyPhase = 9;
    s.pairIntimacy = {14, 8, 22, 5, 11, 3};
    for (int k = 1; k <= kCharacterCount; ++k) {
        Character& c = s.ch(k);
        c.level = 3 + k;
        c.maxActionPoints = 24;
        c.actionPoints = 13;
        c.maxStamina = 30;
        c.stamina = 17;
        c.strength = 18 + k;
        c.dexterity = 22;
        c.cooking = 15;
        c.hygiene = 64;
        c.bowel = 41;
        c.stress = 77;
        c.obesity = 93;
        c.botany = 20;
        c.zoology = 12;
        c.geography = 31;
        c.phantom = 48;
        c.trainingLevel = 9;
    }
    s.appleCount = 6;
    s.fireFruitCount = 9;
    s.wonderFruitCount = 4;
    s.blackFruitCount = 12;
    s.waterCount = 7;
    s.stoneCount = 25;
    s.branchCount = 31;
    s.leafCount = 18;
    s.vineCount = 11;
    s.boneCount = 4;
    s.flotsamCount = 9;
    s.seawaterCount = 12;
    s.hasNeedle = s.hasAxe = s.hasFireStarter = s.hasBucket = s.hasBasket = 1;
    for (WorldFlag f : {WorldFlag::Sea, WorldFlag::Beach, WorldFlag::Cave, WorldFlag::QuickShower,
                        WorldFlag::QuickToilet, WorldFlag::Desk, WorldFlag::MeetingHall,
                        WorldFlag::TrainingGround, WorldFlag::FishKnife})
        s.flag(f) = 1;
    s.medicinalHerbCount = 2;
    s.rare(RareItem::Susanoo) = 1;
    s.made(Carving::StoneDoll) = s.made(Carving::ToyChair) = 1;
}

void BM_RefreshStatus(benchmark::State& state) {
    HeadlessHost host;
    DefaultRandom rng(7);
    Game g(host, rng);
    buildForm(g.form);
    midGame(g.s);
    refreshStatus(g);
    for (auto _ : state) {
        refreshStatus(g);
        benchmark::DoNotOptimize(g.form.revision());
    }
}
BENCHMARK(BM_RefreshStatus);

// The same with the values moving every time (gauges, captions and colours change).
void BM_RefreshStatusChanging(benchmark::State& state) {
    HeadlessHost host;
    DefaultRandom rng(7);
    Game g(host, rng);
    buildForm(g.form);
    midGame(g.s);
    int32_t i = 0;
    for (auto _ : state) {
        i = (i + 1) % 20;
        g.s.cur().stamina = 10 + i;
        g.s.cur().hygiene = 50 + i;
        g.s.appleCount = 1 + i;
        g.s.stoneCount = 20 + i;
        refreshStatus(g);
        benchmark::DoNotOptimize(g.form.revision());
    }
}
BENCHMARK(BM_RefreshStatusChanging);

}  // namespace
}  // namespace kotou
BENCHMARK_MAIN();
