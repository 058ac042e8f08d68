#include "daycycle/Night.h"

#include <algorithm>
#include <array>
#include <string>

#include "daycycle/LevelUp.h"
#include "daycycle/Weather.h"
#include "shell/Background.h"
#include "shell/Messages.h"
#include "story/Story.h"

namespace kotou {
namespace {

int flag(int32_t v) {
    return v >= 1 ? 1 : 0;
}

// One obesity trial of the night: the field it lowers, the value the field
// must have at least for the trial to take place (0: always), and the text.
struct ObesityTrial {
    int32_t Character::*field;
    int32_t minimum;
    const char* text;
};

constexpr std::array<ObesityTrial, 4> kObesityTrials = {{
    {&Character::strength, 0, "【肥満】が悪化し、【腕力】が1減少した・・・→"},
    {&Character::maxStamina, 10, "【肥満】が悪化し、【体力の最大値】が1減少した・・・→"},
    {&Character::maxActionPoints, 10, "【肥満】が悪化し、【行動力の最大値】が1減少した・・・→"},
    {&Character::dexterity, 0, "【肥満】が悪化し、【器用さ】が1減少した・・・→"},
}};

// The die of an obesity trial: the lower the obesity, the likelier the loss.
// Above 30 the previous die is kept.
int32_t obesityDie(int32_t obesity, int32_t previous) {
    if (obesity <= 0) return 2;
    if (obesity <= 10) return 3;
    if (obesity <= 20) return 4;
    if (obesity <= 30) return 5;
    return previous;
}

// Steps 3 to 8: the meters drift with the size of the character, a full bowel,
// low stress and the sleeping places.
void driftMeters(Game& g, Character& c) {
    GameState& s = g.s;
    const int32_t q = c.maxActionPoints / 5;
    c.obesity -= g.rng.random(std::min(q, 20)) + std::min(q - 1, 10);
    for (int32_t t : {35, 25, 15, 5})
        if (c.bowel <= t) c.obesity -= g.rng.random(3);
    for (int32_t t : {30, 25, 15, 5})
        if (c.stress <= t) c.obesity -= g.rng.random(2);

    const int bag = flag(s.hasSleepingBag), bed = flag(s.flag(WorldFlag::Bed)),
              tent = flag(s.hasTent), hut = flag(s.hasHut), house = flag(s.hasHouse);
    c.bowel -= 5 - bag - bed - tent - hut - house;
    c.hygiene -= 4 - bag - tent - hut - house;
    c.stress += 3 + bag + 2 * bed + tent + 2 * hut + 3 * house + 3 * (c.hygiene <= 5);
}

// Step 13: now and then the character creeps into the bed of a partner it is
// close to. The partner is drawn first; only that pair's intimacy counts.
void bedVisit(Game& g, int k) {
    GameState& s = g.s;
    Character& c = s.ch(k);
    const bool anyClose = std::any_of(s.pairIntimacy.begin(), s.pairIntimacy.end(),
                                      [](int32_t v) { return v >= 30; });
    if (g.rng.random(10) != 0 || !anyClose) return;
    const int partner = partnersOf(k)[static_cast<size_t>(g.rng.random(3))];
    if (s.pairIntimacy[static_cast<size_t>(pairIndex(k, partner))] < 30) return;
    showMessage(g, c.name + "は" + s.ch(partner).name + "の寝床へこっそり潜りこんだ。");
    const int32_t v = g.rng.random(2) + c.maxStamina / 8;
    appendMessage(g, "【体力】が" + std::to_string(v) + "回復した！");
    c.stamina += v;
    waitForClick(g);
}

// Step 16: at low obesity each of four statistics may shrink; every loss
// makes the character thinner again.
void obesityTrials(Game& g, Character& c) {
    if (c.obesity > 30) return;
    int32_t n = 5;
    for (const ObesityTrial& t : kObesityTrials) {
        if (t.minimum > 0 && c.*t.field < t.minimum) continue;
        n = obesityDie(c.obesity, n);
        if (g.rng.random(n) != 0) continue;
        c.*t.field -= 1;
        showMessage(g, t.text + std::to_string(c.*t.field));
        waitForClick(g);
        c.obesity += 10;
    }
}

}  // namespace

bool isStoryNight(const GameState& s) {
    return s.currentCharacter == 4 && s.dayNumber % 6 == 0 && s.weather == kClear &&
           s.storyPhase <= 19;
}

void goToSleep(Game& g) {
    GameState& s = g.s;
    const int k = s.currentCharacter;
    if (!GameState::isCharacterIndex(k)) return;
    Character& c = s.ch(k);

    playSound(g, 1, "night.wav");
    g.form.hide("com_box");
    g.form.hide("sounan_box");
    showPortrait(g, "");
    showScene(g, "背景・寝る.jpg");
    showMessage(g, c.name + "は寝床についた....");

    driftMeters(g, c);

    if (c.poison >= 1) {
        const int32_t v = g.rng.random(2) + 1 + c.stamina / 6;
        appendMessage(g, "【毒】の影響で、【体力】が" + std::to_string(v) + "減った・・・");
        c.stamina -= v;
        waitForClick(g);
    }
    if (c.hygiene <= 35) {
        const int32_t v = c.stamina / 6 + 1 + (c.hygiene <= 25) + (c.hygiene <= 15) +
                          (c.hygiene <= 10) + (c.hygiene <= 5);
        appendMessage(g, "【衛生】が悪化し、【体力】が" + std::to_string(v) + "減った・・・");
        c.stamina -= v;
        waitForClick(g);
    }
    if (c.bowel <= 35) {
        c.stress -=
            g.rng.random(10) + 5 +
            5 * ((c.hygiene <= 25) + (c.hygiene <= 20) + (c.hygiene <= 15) + (c.hygiene <= 10));
    }
    if (c.bowel <= 5) {
        playSound(g, 1, "water.wav");
        showMessage(g, c.name + "は、なんとおもらしをしてしまった・・・！！！");
        c.bowel = 85 + g.rng.random(10);
        c.hygiene -= 60 + g.rng.random(10);
        waitForClick(g);
    }

    bedVisit(g, k);

    appendMessage(g, "【行動力】が体力分の" + std::to_string(c.stamina) + "回復した！");
    c.actionPoints += c.stamina + 1;
    waitForClick(g);

    if (c.stress <= 35) {
        const int32_t v = c.maxActionPoints / 8 + 1 + (c.stress <= 25) + (c.stress <= 15) +
                          (c.stress <= 10) + (c.stress <= 5);
        appendMessage(g, "【ストレス】が悪化し、【行動力】が" + std::to_string(v) + "減った・・・");
        c.actionPoints -= v;
        waitForClick(g);
    }

    obesityTrials(g, c);

    if (c.illness >= 1) {
        c.illness -= 1;
        if (c.illness <= 0) {
            playSound(g, 3, "3.wav");
            c.illness = 0;
            showMessage(g, c.name + "の病気が『完治』した！！");
            waitForClick(g);
        }
    }
    if (c.stamina <= 0 && c.illness == 0) {
        c.stamina = 0;
        c.illness = 9 + g.rng.random(3);
        playSound(g, 2, "bad.wav");
        showMessage(g, c.name + "は病気になってしまった！！");
        waitForClick(g);
    }

    showScene(g, "");

    if (c.phantom >= 100) {
        playSound(g, 2, "lv.wav");
        showMessage(g, "ファントムレベルアップ！！");
        waitForClick(g);
        c.level += 1;
        c.phantom = 0;
        appendMessage(g, c.name + "はレベルが" + std::to_string(c.level) + "になった！");
        s.runtime.statPointsLeft = kLevelUpPoints;
        s.runtime.levelUpMode = kLevelUpNight;
        g.form.show("lv_up_box");
        return;  // the level-up panel calls endTurn once the points are spent
    }
    endTurn(g);
}

void endTurn(Game& g) {
    if (g.s.runtime.clickState == -1) return;
    if (isStoryNight(g.s))
        playNightEvent(g);
    else
        advanceDay(g);
}

void playNightEvent(Game& g) {
    if (playChapter(g)) endStoryChapter(g);
}

void endStoryChapter(Game& g) {
    showPortrait(g, "");
    showPicture(g, "");
    waitForClick(g);
    g.s.storyPhase += 1;
    advanceDay(g);
}

void advanceDay(Game& g) {
    GameState& s = g.s;
    if (s.runtime.clickState == -1) return;
    if (s.currentCharacter == 4) {
        s.dayNumber += 1;
        rollWeather(g);
        playDayMusic(g);
    }
    startNextTurn(g);
}

void startNextTurn(Game& g) {
    GameState& s = g.s;
    if (s.runtime.levelUpMode >= kCreationLast) {
        s.runtime.levelUpMode = kLevelUpNone;
        showWeatherBackground(g);
        showMessage(g, "それではゲームスタートです！！！");
        waitForClick(g);
    }
    // Any value outside 0..3 (4, or a corrupted one) starts a new round with
    // character 1, so the turn never addresses a character that is not there.
    s.currentCharacter =
        (s.currentCharacter >= 0 && s.currentCharacter <= 3) ? s.currentCharacter + 1 : 1;
    showWeatherBackground(g);
    const Character& c = s.cur();
    showMessage(g, "≪" + c.name + "のターン≫");
    waitForClick(g);
    showPortrait(g, c.name);
    showMessage(g, "どうしますか？");
    g.form.show(c.strandedPhase != 0 ? "sounan_box" : "com_box");
}

void registerNightHandlers(HandlerRegistry& r) {
    r.add("BitBtn5", Guard::Command, goToSleep);
    r.add("BitBtn16", Guard::Command, goToSleep);
}

}  // namespace kotou
