#include "daycycle/Weather.h"

#include <array>
#include <span>
#include <string>

#include "shell/Background.h"
#include "shell/Messages.h"

namespace kotou {
namespace {

// One row of an event table.
struct WeatherEvent {
    const char* scene;     // picture of the cg folder
    const char* headline;  // first message, followed by a wait
    bool blessing;         // blessings sound a chime instead of the disaster music
    int32_t firstDay;      // the event needs at least this day number
    void (*apply)(Game&);  // the effect, appending its outcome line
};

// Number of faces of each table's die; faces beyond the rows are quiet days.
constexpr int32_t kRainDie = 7;
constexpr int32_t kDroughtDie = 7;
constexpr int32_t kClearDie = 8;
// Droughts bring events only from this day on.
constexpr int32_t kDroughtEventsFrom = 10;
// An event without a first day: events come from the second day on anyway.
constexpr int32_t kAnyDay = 0;

template <typename F>
void forEachCharacter(GameState& s, F f) {
    for (int k = 1; k <= kCharacterCount; ++k) f(s.ch(k));
}

void flood(Game& g) {
    forEachCharacter(g.s, [&](Character& c) { c.hygiene -= 40 + g.rng.random(20); });
    appendMessage(g, "ずぶ濡れになり、全員の【衛生】が悪化してしまいました！！");
}

void typhoon(Game& g) {
    g.s.weather = kTyphoon;
    appendMessage(g, "※このターンは【探索】が不可能になります");
}

void blessedRain(Game& g) {
    forEachCharacter(g.s, [](Character& c) { c.hygiene += 50; });
    appendMessage(g, "全員の体が綺麗に洗われ、【衛生】が50ずつ回復した！！");
}

void drought(Game& g) {
    if (g.s.extra(ExtraItem::StoredWater) >= 1) {
        appendMessage(g, "作っておいた『保存用の水』のおかげで、被害を免れた！！");
        g.s.extra(ExtraItem::StoredWater) = 0;
        return;
    }
    forEachCharacter(g.s, [&](Character& c) { c.actionPoints /= 3 + g.rng.random(3); });
    appendMessage(g, "水分不足により、全員の【行動力】が激減してしまいました！！");
}

void fire(Game& g) {
    int32_t v = 40 + g.rng.random(20);
    if (g.s.extra(ExtraItem::FireWater) >= 1) {
        appendMessage(g, "作っておいた『消火用の水』のおかげで、被害を半減させた。");
        g.s.extra(ExtraItem::FireWater) = 0;
        v /= 2;
    } else {
        appendMessage(g, "消化作業のため、全員の【ストレス】が悪化してしまいました！！");
    }
    forEachCharacter(g.s, [v](Character& c) { c.stress -= v; });
}

void armageddon(Game& g) {
    appendMessage(g, "大天災のため、全員の【ストレス・衛生・体力】が悪化してしまいました！！");
    forEachCharacter(g.s, [&](Character& c) {
        c.stress -= 40 + g.rng.random(20);
        c.hygiene -= 40 + g.rng.random(20);
        c.stamina /= 3 + g.rng.random(3);
    });
}

void earthquake(Game& g) {
    if (g.s.extra(ExtraItem::PreservedFood) >= 1) {
        appendMessage(g, "作っておいた『保存食』のおかげで、被害を免れた！！");
        g.s.extra(ExtraItem::PreservedFood) = 0;
        return;
    }
    forEachCharacter(g.s, [&](Character& c) { c.stamina /= 3 + g.rng.random(3); });
    appendMessage(g, "負傷のため、全員の【体力】が激減してしまいました！！");
}

void epidemic(Game& g) {
    if (g.s.hasVaccine >= 1) {
        appendMessage(g, "『予防注射』の効果により、被害を免れた！！");
        g.s.hasVaccine = 0;
        return;
    }
    Character& c = g.s.ch(g.rng.random(4) + 1);
    appendMessage(g, c.name + "は疫病に感染し、『病気』になってしまった！");
    c.illness = 10;
}

void bigCatch(Game& g) {
    forEachCharacter(g.s, [](Character& c) { c.stamina = c.maxStamina; });
    appendMessage(g, "それらを食べ、全員の【体力】が完全回復した！！");
}

void rainbow(Game& g) {
    forEachCharacter(g.s, [](Character& c) { c.stress += 50; });
    appendMessage(g, "全員の【ストレス】が50ずつ回復した！！");
}

void shootingStar(Game& g) {
    forEachCharacter(g.s, [](Character& c) { c.actionPoints = c.maxActionPoints; });
    appendMessage(g, "全員の【行動力】が完全回復した！！");
}

constexpr std::array<WeatherEvent, 3> kRainEvents = {{
    {"天災・洪水.jpg", "・・・・大洪水が発生した！！", false, kAnyDay, flood},
    {"天災・台風.jpg", "・・・・台風が発生した！！", false, kAnyDay, typhoon},
    {"天災・恵みの雨.jpg", "・・・・恵みの雨が降った！！", true, kAnyDay, blessedRain},
}};

constexpr std::array<WeatherEvent, 3> kDroughtEvents = {{
    {"天災・干ばつ.jpg", "・・・・干ばつになってしまった！！", false, kAnyDay, drought},
    {"天災・火災.jpg", "・・・・火災が発生してしまいました！！", false, kAnyDay, fire},
    {"天災・火災.jpg", "・・・・ハルマゲドンが発生してしまいました！！", false, 300, armageddon},
}};

constexpr std::array<WeatherEvent, 5> kClearEvents = {{
    {"天災・地震.jpg", "・・・・大地震が発生しました！！", false, kAnyDay, earthquake},
    {"天災・疫病.jpg", "・・・・疫病が発生しました！！", false, kAnyDay, epidemic},
    {"天災・大漁.jpg", "・・・・浜辺に大漁の魚が打ち上げられていた！！", true, kAnyDay, bigCatch},
    {"天災・虹.jpg", "・・・・谷に虹がかかった！！", true, kAnyDay, rainbow},
    {"天災・流れ星.jpg", "・・・・流れ星だ！！", true, kAnyDay, shootingStar},
}};

// Rolls the table's die and plays the row it lands on, if any.
void runTable(Game& g, std::span<const WeatherEvent> table, int32_t die) {
    const int32_t e = g.rng.random(die);
    if (e >= static_cast<int32_t>(table.size())) return;
    const WeatherEvent& ev = table[static_cast<size_t>(e)];
    if (g.s.dayNumber < ev.firstDay) return;
    if (ev.blessing)
        playSound(g, 3, "good2.wav");
    else
        playMusic(g, "tensai.mid");
    showScene(g, ev.scene);
    showMessage(g, ev.headline);
    waitForClick(g);
    ev.apply(g);
    waitForClick(g);
    showScene(g, "");
}

}  // namespace

void rollWeather(Game& g) {
    GameState& s = g.s;
    switch (g.rng.random(6)) {
        case 0:
            s.weather = kRain;
            break;
        case 1:
            // The carved rain god turns one drought in three into a clear day.
            s.weather = (s.made(Carving::RainGod) >= 1 && g.rng.random(3) == 0) ? kClear : kDrought;
            break;
        case 2:
            break;  // yesterday's weather holds, a typhoon included
        default:
            s.weather = kClear;
            break;
    }
    showWeatherBackground(g);

    // Each table is tested against the weather as it is at that moment; a
    // typhoon raised by the rain table therefore ends the events of the day.
    if (s.weather == kRain) runTable(g, kRainEvents, kRainDie);
    if (s.weather == kDrought && s.dayNumber >= kDroughtEventsFrom)
        runTable(g, kDroughtEvents, kDroughtDie);
    if (s.weather == kClear) runTable(g, kClearEvents, kClearDie);
}

}  // namespace kotou
